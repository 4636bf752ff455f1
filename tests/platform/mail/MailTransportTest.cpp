#include "platform/mail/SendmailTransport.h"
#include "platform/mail/SmtpMailTransport.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::SmtpServer;
using test::TempDir;
using test::WriteWholeFile;
using ::testing::HasSubstr;
using ::testing::Not;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "test_platform_mail";
    static char* argv[] = {name, nullptr};
    static auto* app = new QCoreApplication(argc, argv);
    return *app;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000) {
    App();
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

struct Outcome {
    bool done = false;
    std::string error;
    std::vector<int> progress;
    bool progressOnMainThread = true;
};

void Send(IMailTransport& transport, const TMailSettings& settings, TMailMessage message,
          Outcome& outcome) {
    QThread* main = App().thread();
    transport.Send(
        settings, std::move(message),
        [&outcome, main](int percent) {
            outcome.progress.push_back(percent);
            outcome.progressOnMainThread &= QThread::currentThread() == main;
        },
        [&outcome](const std::string& error) {
            outcome.error = error;
            outcome.done = true;
        });
    // The exchange runs elsewhere: nothing is reported before the event loop runs.
    EXPECT_FALSE(outcome.done);
    EXPECT_TRUE(WaitFor([&] { return outcome.done; }));
}

struct Mail : ::testing::Test {
    Mail() {
        App();
        settings.ConnectionType = ecSMTP;
        settings.Server = "127.0.0.1";
        settings.Port = server.Port();
        settings.Authentification = true;
        settings.UserName = "reminder";
        settings.Password = "secret";
        settings.ReplyTo = "Tavrelon <me@example.org>";
        WriteWholeFile(files.Path() / "agenda.txt", "1. tea\n2. cake\n");
        WriteWholeFile(files.Path() / "my notes.txt", "spaced name");
    }
    TMailMessage Message(const std::string& attachments) {
        return ComposeMailMessage(settings, "Team meeting",
                                  "ann@example.org, Bob <bob@example.org>", "Starts at ten.",
                                  attachments);
    }
    SmtpServer server;
    TempDir files;
    TMailSettings settings;
};

TEST_F(Mail, SmtpDeliversSenderRecipientsSubjectBodyAndBothAttachments) {
    ASSERT_GT(server.Port(), 0);
    TSmtpMailTransport smtp;
    Outcome outcome;
    Send(smtp, settings, Message(files.File("agenda.txt") + "; " + files.File("my notes.txt")),
         outcome);
    // Blanks split a list of several names; the second name was not one file by itself.
    EXPECT_THAT(outcome.error, HasSubstr("not found"));

    Outcome second;
    Send(smtp, settings, Message(files.File("agenda.txt") + ";" + files.File("agenda.txt")),
         second);
    EXPECT_EQ(second.error, "");
    ASSERT_EQ(server.Messages().size(), 1u);
    const std::string mail = server.Messages()[0];
    EXPECT_THAT(mail, HasSubstr("X-Envelope-From: me@example.org\r\n"));
    EXPECT_THAT(mail, HasSubstr("X-Envelope-To: ann@example.org,bob@example.org\r\n"));
    EXPECT_THAT(mail, HasSubstr("From: Tavrelon <me@example.org>\r\n"));
    EXPECT_THAT(mail, HasSubstr("To: ann@example.org,\r\n Bob <bob@example.org>\r\n"));
    EXPECT_THAT(mail, HasSubstr("Subject: Team meeting\r\n"));
    EXPECT_THAT(mail, HasSubstr("U3RhcnRzIGF0IHRlbi4=")); // "Starts at ten."
    EXPECT_THAT(mail, HasSubstr("filename=\"agenda.txt\""));
    EXPECT_THAT(mail, HasSubstr("MS4gdGVhCjIuIGNha2UK")); // the agenda's bytes
    EXPECT_EQ(second.progress.front(), 25);
    EXPECT_EQ(second.progress.back(), 99);
    EXPECT_THAT(second.progress, ::testing::Contains(50));
    EXPECT_TRUE(second.progressOnMainThread);
}

TEST_F(Mail, AFileNameWithBlanksIsOneAttachment) {
    TSmtpMailTransport smtp;
    Outcome outcome;
    Send(smtp, settings, Message(files.File("my notes.txt")), outcome);
    EXPECT_EQ(outcome.error, "");
    ASSERT_EQ(server.Messages().size(), 1u);
    EXPECT_THAT(server.Messages()[0], HasSubstr("filename=\"my notes.txt\""));
}

TEST_F(Mail, AWrongPasswordIsOneClearError) {
    settings.Password = "wrong";
    TSmtpMailTransport smtp;
    Outcome outcome;
    Send(smtp, settings, Message(""), outcome);
    EXPECT_THAT(outcome.error, HasSubstr("535"));
    std::cout << "  wrong password: " << outcome.error << "\n";
    EXPECT_THAT(outcome.error, HasSubstr("127.0.0.1:" + std::to_string(server.Port())));
    EXPECT_TRUE(server.Messages().empty());
}

TEST_F(Mail, WithoutLoginTheServerRefusesTheMessage) {
    settings.Authentification = false;
    TSmtpMailTransport smtp;
    Outcome outcome;
    Send(smtp, settings, Message(""), outcome);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_TRUE(server.Messages().empty());
}

TEST_F(Mail, ARefusedPortIsOneClearError) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    settings.Port = probe.serverPort();
    probe.close();
    TSmtpMailTransport smtp;
    Outcome outcome;
    Send(smtp, settings, Message(""), outcome);
    EXPECT_THAT(outcome.error, HasSubstr("onnect"));
    std::cout << "  refused port: " << outcome.error << "\n";
}

TEST_F(Mail, AServerThatStopsAnsweringTimesOut) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    settings.Port = silent.serverPort();
    TSmtpMailTransport smtp;
    smtp.StallTimeoutSeconds = 2;
    QElapsedTimer clock;
    clock.start();
    Outcome outcome;
    Send(smtp, settings, Message(""), outcome);
    EXPECT_THAT(outcome.error, HasSubstr("imeout"));
    EXPECT_LT(clock.elapsed(), 10000);
    std::cout << "  silent server: " << outcome.error << "\n";
}

TEST_F(Mail, AMissingAttachmentStopsTheSendBeforeAnythingGoesOut) {
    TSmtpMailTransport smtp;
    Outcome outcome;
    Send(smtp, settings, Message(files.File("gone.pdf")), outcome);
    EXPECT_EQ(outcome.error, "Attachment file \"" + files.File("gone.pdf") + "\" not found");
    EXPECT_TRUE(server.Messages().empty());
}

TEST_F(Mail, TheMailerShowsOneErrorBoxTextPerFailedSend) {
    settings.Password = "wrong";
    TSmtpMailTransport smtp;
    TMailer mailer(&smtp, nullptr);
    std::vector<std::string> boxes;
    mailer.OnError = [&](const std::string& text) { boxes.push_back(text); };
    mailer.SendMail(settings, "Team meeting", "ann@example.org", "Body", "");
    mailer.SendMail(settings, "Second", "bob@example.org", "Body", "");
    ASSERT_TRUE(WaitFor([&] { return mailer.Pending() == 0; }));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_THAT(boxes, ::testing::Contains(HasSubstr(
                           "Error during sending mail to ann@example.org with subject Team "
                           "meeting: \n\r\n\r")));
}

TEST_F(Mail, ALoginNeedsEncryptionUnlessTheServerIsThisMachineOrTheUserAllowsIt) {
    SmtpServer remote("127.0.0.2");
    ASSERT_GT(remote.Port(), 0);
    settings.Server = "127.0.0.2";
    settings.Port = remote.Port();
    TSmtpMailTransport smtp;
    Outcome refused;
    Send(smtp, settings, Message(""), refused);
    EXPECT_THAT(refused.error, HasSubstr("127.0.0.2:" + std::to_string(remote.Port()) +
                                         " offers no encryption (STARTTLS)"));
    EXPECT_THAT(remote.Commands(), HasSubstr("EHLO"));
    EXPECT_THAT(remote.Commands(), Not(HasSubstr("AUTH")));
    EXPECT_TRUE(remote.Messages().empty());

    settings.AllowInsecureAuth = true;
    Outcome allowed;
    Send(smtp, settings, Message(""), allowed);
    EXPECT_EQ(allowed.error, "");
    EXPECT_EQ(remote.Messages().size(), 1u);

    // Without a login nothing secret goes out: no encryption is asked for.
    settings.AllowInsecureAuth = false;
    settings.Authentification = false;
    Outcome anonymous;
    Send(smtp, settings, Message(""), anonymous);
    EXPECT_THAT(anonymous.error, Not(HasSubstr("encryption")));

    for (const char* local : {"localhost", "127.0.0.1", "::1", "[::1]", "LOCALHOST"})
        EXPECT_TRUE(IsLocalMailServer(local)) << local;
    for (const char* other : {"127.0.0.2", "localhost.example.org", "mail.example.org", ""})
        EXPECT_FALSE(IsLocalMailServer(other)) << other;
}

TEST_F(Mail, ATransportSendsOnlyPlainAddressesToTheServer) {
    TSmtpMailTransport smtp;
    TMailMessage message = Message("");
    message.To[1].Address = "bob@example.org> NOTIFY=NEVER";
    Outcome outcome;
    Send(smtp, settings, message, outcome);
    EXPECT_THAT(outcome.error, HasSubstr("is not an e-mail address"));
    EXPECT_THAT(server.Commands(), Not(HasSubstr("NOTIFY")));
    EXPECT_THAT(server.Commands(), Not(HasSubstr("RCPT")));

    TempDir bin;
    WriteWholeFile(bin.Path() / "sendmail", "#!/bin/sh\ncat >" + bin.File("got") + "\n");
    chmod((bin.Path() / "sendmail").c_str(), 0755);
    TSendmailTransport sendmail({bin.Path().string()});
    message = Message("");
    message.To[0].Name = "Ann\r\nBcc: evil@example.org";
    Outcome viaProgram;
    Send(sendmail, settings, message, viaProgram);
    EXPECT_THAT(viaProgram.error, HasSubstr("is not an e-mail address"));
    EXPECT_FALSE(fs::exists(bin.File("got")));
    EXPECT_TRUE(server.Messages().empty());
}

TEST_F(Mail, TheSendmailRouteGoesThroughMsmtpToTheSameServer) {
    TempDir home;
    const fs::path rc = home.Path() / ".msmtprc";
    WriteWholeFile(rc, "defaults\nauth login\ntls off\naccount default\nhost 127.0.0.1\nport " +
                           std::to_string(server.Port()) +
                           "\nuser reminder\npassword secret\nfrom me@example.org\n");
    chmod(rc.c_str(), 0600);
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", home.Path().c_str(), 1);
    TSendmailTransport sendmail;
    if (sendmail.FindSendmail().empty())
        GTEST_SKIP() << "no sendmail program";
    Outcome outcome;
    settings.ConnectionType = ecMAPI;
    Send(sendmail, settings, Message(files.File("agenda.txt")), outcome);
    setenv("HOME", oldHome.c_str(), 1);
    EXPECT_EQ(outcome.error, "");
    ASSERT_EQ(server.Messages().size(), 1u);
    const std::string mail = server.Messages()[0];
    EXPECT_THAT(mail, HasSubstr("X-Envelope-To: ann@example.org,bob@example.org\r\n"));
    EXPECT_THAT(mail, HasSubstr("Subject: Team meeting\r\n"));
    EXPECT_THAT(mail, HasSubstr("filename=\"agenda.txt\""));
}

TEST_F(Mail, NoSendmailProgramIsAClearError) {
    TempDir empty;
    TSendmailTransport sendmail({empty.Path().string()});
    Outcome outcome;
    Send(sendmail, settings, Message(""), outcome);
    EXPECT_THAT(outcome.error, HasSubstr("No sendmail program was found"));
}

TEST_F(Mail, AFailingSendmailProgramReportsItsMessage) {
    TempDir bin;
    WriteWholeFile(bin.Path() / "sendmail", "#!/bin/sh\ncat >/dev/null\necho 'queue full' >&2\n"
                                            "exit 75\n");
    chmod((bin.Path() / "sendmail").c_str(), 0755);
    TSendmailTransport sendmail({bin.Path().string()});
    Outcome outcome;
    Send(sendmail, settings, Message(""), outcome);
    EXPECT_THAT(outcome.error, HasSubstr("exit code 75: queue full"));
}

} // namespace
} // namespace kelvo
