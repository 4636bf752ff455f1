#include "core/mail/SendMail.h"

#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using test::TempDir;
using test::WriteWholeFile;
using ::testing::HasSubstr;
using ::testing::Not;

TEST(Addresses, AListOfBareAndNamedAddresses) {
    const auto list = ParseAddressList("a@b.c, Ann Smith <ann@x.org>; \"Doe, John\" <jd@y.org>,, ");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (TMailAddress{"", "a@b.c"}));
    EXPECT_EQ(list[1], (TMailAddress{"Ann Smith", "ann@x.org"}));
    EXPECT_EQ(list[2], (TMailAddress{"Doe, John", "jd@y.org"}));
    EXPECT_EQ(FormatAddress(list[2]), "\"Doe, John\" <jd@y.org>");
    EXPECT_EQ(FormatAddress(list[1]), "Ann Smith <ann@x.org>");
}

TEST(Addresses, LineBreaksNeverReachAHeader) {
    TMailSettings settings;
    settings.ReplyTo = "me@x.org";
    const TMailMessage message =
        ComposeMailMessage(settings, "Hello\r\nBcc: evil@z.org", "a@b.c", "body\r\nline", "");
    EXPECT_EQ(message.Subject, "HelloBcc: evil@z.org");
    EXPECT_EQ(message.Body, "body\r\nline");
    const std::string text = BuildMimeText(message);
    EXPECT_THAT(text, Not(HasSubstr("\r\nBcc:")));
    // In an address a line break is refused outright.
    EXPECT_THROW(ComposeMailMessage(settings, "S", "a@b.c\nBcc: other@z.org", "", ""), EMailError);
    settings.ReplyTo = "me@x.org\r\nBcc: victim@y.org";
    EXPECT_THROW(ComposeMailMessage(settings, "S", "a@b.c", "", ""), EMailError);
}

TEST(Addresses, WhatGoesOutIsParsedStrictly) {
    EXPECT_EQ(ParseMailbox(" a.b+c@d-e.f "), (TMailAddress{"", "a.b+c@d-e.f"}));
    EXPECT_EQ(ParseMailbox("<a@b.c>"), (TMailAddress{"", "a@b.c"}));
    EXPECT_EQ(ParseMailbox("Ann Smith <ann@x.org>"), (TMailAddress{"Ann Smith", "ann@x.org"}));
    EXPECT_EQ(ParseMailbox("\"Doe, \\\"JD\\\"\" <jd@[10.0.0.1]>"),
              (TMailAddress{"Doe, \"JD\"", "jd@[10.0.0.1]"}));
    EXPECT_EQ(ParseMailbox("M\xC3\xBCller <m@x.org>").Name, "M\xC3\xBCller");
    for (const char* bad : {"<a@b.c> NOTIFY=NEVER",
                            "a@b.c NOTIFY=NEVER",
                            "<a@b.c>x",
                            "a@b.c\r\nRSET",
                            "a\tb@c.d",
                            "<a@b.c",
                            "a@b.c>",
                            "Ann <a@b.c> <d@e.f>",
                            "a\"b <a@b.c>",
                            "<a b@c.d>",
                            "ab.cd",
                            "@b.c",
                            "a@",
                            "a@@b.c",
                            "a..b@c.d",
                            ".a@b.c",
                            "a@b..c",
                            "a@b.c.",
                            "<>",
                            "a@b\x7F.c"})
        EXPECT_THROW(ParseMailbox(bad), EMailError) << bad;
    EXPECT_THROW(ParseMailbox(std::string("<a@b.c\0>", 8)), EMailError);
    EXPECT_EQ(ParseMailboxList(" a@b.c;; \"X, Y\" <x@y.z>, ").size(), 2u);
    EXPECT_THROW(ParseMailboxList("a@b.c, <d@e.f> SIZE=1"), EMailError);
    try {
        ComposeMailMessage({}, "S", "ok@b.c, <a@b.c> NOTIFY=NEVER", "", "");
        ADD_FAILURE();
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "The recipient \"<a@b.c> NOTIFY=NEVER\" is not an e-mail address");
    }
}

TEST(Attachments, WordsBetweenBlanksCommasAndSemicolons) {
    EXPECT_EQ(SplitAttachments(" /a/x.txt;/b/y.pdf,\t/c/z\r\n/d/w  "),
              (std::vector<std::string>{"/a/x.txt", "/b/y.pdf", "/c/z", "/d/w"}));
    EXPECT_TRUE(SplitAttachments("  ").empty());
}

TEST(Attachments, OneExistingFileWithBlanksStaysOneFile) {
    TempDir dir;
    const std::string name = dir.File("My Report 2026.txt");
    WriteWholeFile(name, "x");
    EXPECT_EQ(SplitAttachments("  " + name + " "), std::vector<std::string>{name});
    // Two of them are split as before: blanks separate names.
    EXPECT_EQ(SplitAttachments(name + ";" + name).size(), 6u);
}

TEST(Mime, HeadersTextAndOnePartPerAttachment) {
    TempDir dir;
    WriteWholeFile(dir.Path() / "one.txt", "first file");
    WriteWholeFile(dir.Path() / "two.bin", std::string("\0\1\2\3", 4));
    TMailSettings settings;
    settings.ReplyTo = "Reminder <me@x.org>";
    const TMailMessage message =
        ComposeMailMessage(settings, "Tea time", "a@b.c, B <b@c.d>", "Put the kettle on.",
                           dir.File("one.txt") + "; " + dir.File("two.bin"));
    const std::string text = BuildMimeText(message);
    EXPECT_THAT(text, HasSubstr("From: Reminder <me@x.org>\r\n"));
    EXPECT_THAT(text, HasSubstr("To: a@b.c,\r\n B <b@c.d>\r\n"));
    EXPECT_THAT(text, HasSubstr("Subject: Tea time\r\n"));
    EXPECT_THAT(text, HasSubstr("multipart/mixed"));
    EXPECT_THAT(text, HasSubstr("filename=\"one.txt\""));
    EXPECT_THAT(text, HasSubstr("filename=\"two.bin\""));
    EXPECT_THAT(text, HasSubstr("UHV0IHRoZSBrZXR0bGUgb24u")); // the body, base64
    EXPECT_THAT(text, HasSubstr("AAECAw=="));                 // the binary file
}

TEST(Mime, NonAsciiSubjectAndWindowsTextAreLabelled) {
    TMailMessage message;
    message.To = {{"", "a@b.c"}};
    message.Subject = "Caf\xc3\xa9";
    message.Body = "Caf\xe9"; // written on Windows
    const std::string text = BuildMimeText(message);
    EXPECT_THAT(text, HasSubstr("Subject: =?UTF-8?B?Q2Fmw6k=?="));
    EXPECT_THAT(text, HasSubstr("charset=windows-1252"));
    EXPECT_THAT(text, Not(HasSubstr("From:")));
}

TEST(Mime, AMissingAttachmentIsOneClearError) {
    TMailMessage message;
    message.To = {{"", "a@b.c"}};
    message.Attachments = {"/no/such/file.txt"};
    try {
        BuildMimeText(message);
        FAIL();
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "Attachment file \"/no/such/file.txt\" not found");
    }
}

struct FakeTransport : IMailTransport {
    void Send(const TMailSettings& s, TMailMessage m, std::function<void(int)> p,
              std::function<void(const std::string&)> d) override {
        settings = s;
        message = std::move(m);
        progress = std::move(p);
        done = std::move(d);
        ++sends;
    }
    TMailSettings settings;
    TMailMessage message;
    std::function<void(int)> progress;
    std::function<void(const std::string&)> done;
    int sends = 0;
};

struct ProgressLog : IMailProgress {
    explicit ProgressLog(std::vector<int>& log) : log_(log) { log_.push_back(-1); }
    ~ProgressLog() override { log_.push_back(-2); }
    void SetProgress(int percent) override { log_.push_back(percent); }
    std::vector<int>& log_;
};

TEST(Mailer, SettingsAreTakenFromTheMailOptions) {
    TMailOptions options;
    options.ConnectionType = ecSMTP;
    options.SMTPOptions.Server = "mail.example.org";
    options.SMTPOptions.Authentification = true;
    options.SMTPOptions.Login.UserName().SetValue("ann");
    options.SMTPOptions.Login.Password().SetValue("secret");
    options.SMTPOptions.ReplyTo = "ann@example.org";
    const TMailSettings settings = MailSettingsFrom(options);
    EXPECT_EQ(settings.ConnectionType, ecSMTP);
    EXPECT_EQ(settings.Server, "mail.example.org");
    EXPECT_EQ(settings.Port, 25);
    EXPECT_TRUE(settings.Authentification);
    EXPECT_EQ(settings.UserName, "ann");
    EXPECT_EQ(settings.Password, "secret");
    EXPECT_EQ(settings.ReplyTo, "ann@example.org");
}

TEST(Mailer, TheRouteFollowsTheSettingsAndOnlySmtpShowsProgress) {
    FakeTransport smtp;
    FakeTransport program;
    TMailer mailer(&smtp, &program);
    std::vector<int> log;
    mailer.CreateProgress = [&] { return std::make_unique<ProgressLog>(log); };
    TMailSettings settings;
    settings.ConnectionType = ecSMTP;
    settings.ReplyTo = "me@x.org";
    std::vector<std::string> finished;
    mailer.SendMail(settings, "S", "a@b.c", "B", "", [&](auto& e) { finished.push_back(e); });
    ASSERT_EQ(smtp.sends, 1);
    EXPECT_EQ(smtp.message.From.Address, "me@x.org");
    EXPECT_EQ(mailer.Pending(), 1);
    smtp.progress(25);
    smtp.progress(99);
    smtp.done("");
    EXPECT_EQ(log, (std::vector<int>{-1, 25, 99, -2}));
    EXPECT_EQ(finished, std::vector<std::string>{""});
    EXPECT_EQ(mailer.Pending(), 0);

    settings.ConnectionType = ecMAPI;
    mailer.SendMail(settings, "S", "a@b.c", "B", "");
    EXPECT_EQ(program.sends, 1);
    program.done("");
    EXPECT_EQ(log.size(), 4u);
}

TEST(Mailer, AFailureGivesOneErrorNamingRecipientsAndSubject) {
    FakeTransport smtp;
    TMailer mailer(&smtp, nullptr);
    std::vector<std::string> errors;
    mailer.OnError = [&](const std::string& text) { errors.push_back(text); };
    TMailSettings settings;
    settings.ConnectionType = ecSMTP;
    mailer.SendMail(settings, "Meeting", "a@b.c", "B", "");
    // A second send may start while the first is under way.
    FakeTransport first = smtp;
    mailer.SendMail(settings, "Other", "x@y.z", "B", "");
    first.done("Login denied");
    smtp.done("");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0],
              "Error during sending mail to a@b.c with subject Meeting: \n\r\n\rLogin denied");
    // The mail-program route is absent: that too is reported, not thrown.
    settings.ConnectionType = ecMAPI;
    mailer.SendMail(settings, "S", "a@b.c", "B", "");
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(mailer.Pending(), 0);
}

TEST(Mailer, ReportsArrivingAfterTheMailerIsGoneAreHarmless) {
    FakeTransport smtp;
    auto mailer = std::make_unique<TMailer>(&smtp, nullptr);
    TMailSettings settings;
    settings.ConnectionType = ecSMTP;
    mailer->SendMail(settings, "S", "a@b.c", "B", "");
    mailer.reset();
    smtp.done("late");
    SUCCEED();
}

struct Known : IKnownAddresses {
    std::vector<std::string> RecipientTexts() const override {
        return {"a@b.c; \"Ann\" <ann@x.org>", "A@B.C, bob@y.org", ""};
    }
};

struct Picker : IAddressPicker {
    bool Pick(const std::vector<TMailAddress>& o, std::vector<TMailAddress>& c) override {
        offered = o;
        initial = c;
        if (!accept)
            return false;
        c.push_back(o[1]);
        return true;
    }
    bool accept = true;
    std::vector<TMailAddress> offered;
    std::vector<TMailAddress> initial;
};

TEST(AddressBookTest, OffersEachUsedAddressOnceAndWritesTheChoiceBack) {
    Known known;
    Picker picker;
    std::string text = "bob@y.org";
    ASSERT_TRUE(AddressBook(text, known, picker));
    EXPECT_EQ(picker.offered,
              (std::vector<TMailAddress>{{"", "a@b.c"}, {"Ann", "ann@x.org"}, {"", "bob@y.org"}}));
    EXPECT_EQ(picker.initial, (std::vector<TMailAddress>{{"", "bob@y.org"}}));
    EXPECT_EQ(text, "bob@y.org; \"Ann\" <ann@x.org>");
    // What the address book writes is read back as the same recipients.
    EXPECT_EQ(ParseAddressList(text).size(), 2u);
    picker.accept = false;
    EXPECT_FALSE(AddressBook(text, known, picker));
    EXPECT_EQ(text, "bob@y.org; \"Ann\" <ann@x.org>");
}

} // namespace
} // namespace kelvo
