// kelvo-cli execute as a script meets it: the user's settings in the real store, a real SMTP
// server on loopback, real sounds decoded into a sink that keeps real time.

#ifdef KELVO_HAVE_PLATFORM

#include "core/entities/Event.h"
#include "core/options/MailOptions.h"
#include "core/persistence/EventFile.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FakeMpris.h"
#include "platform/settings/AppIniReg.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTcpServer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::SmtpServer;
using ::testing::HasSubstr;
using ::testing::Not;

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The settings store keeps the folder it found first, so the whole program shares one.
const fs::path& ConfigHome() {
    static test::TempDir dir;
    static const bool set = [] {
        setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
        return true;
    }();
    (void)set;
    return dir.Path();
}

// A port on loopback where nobody listens.
int RefusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}

struct TRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
    double Seconds = 0;
};

class ExecuteTest : public ::testing::Test {
protected:
    ExecuteTest() {
        test::App();
        ConfigHome();
        WriteSettings(0, 0);
    }

    // Mail through the test server (port 0: the refused one) and the alarm mode.
    void WriteSettings(int port, int alarmMode, const std::string& password = "secret",
                       const std::string& host = "127.0.0.1", bool allowInsecureAuth = false) {
        TMailOptions mail;
        mail.ConnectionType = ecSMTP;
        mail.SMTPOptions.Server = host;
        mail.SMTPOptions.Port = port > 0 ? port : RefusedPort();
        mail.SMTPOptions.Authentification = true;
        mail.SMTPOptions.Login.UserName().SetValue("reminder");
        mail.SMTPOptions.Login.Password().SetValue(password);
        mail.SMTPOptions.ReplyTo = "Tavrelon <me@example.org>";
        TAppIniReg ini;
        mail.SaveToStore(ini, "Options");
        ini.WriteBool("Options", "SMTPAllowInsecureAuth", allowInsecureAuth);
        ini.WriteInteger("Options", "AlarmOption", alarmMode);
    }

    TRun Run(const std::vector<std::string>& args) {
        std::string command = "env HOME=" + Quote(dir.Path().string()) +
                              " XDG_CONFIG_HOME=" + Quote((ConfigHome() / "config").string()) +
                              " XDG_DATA_HOME=" + Quote(dir.File("data")) +
                              " KELVO_AUDIO_SINK='fakesink sync=true' LC_ALL=C " +
                              Quote(KELVO_CLI_PATH);
        for (const auto& a : args)
            command += " " + Quote(a);
        command += " >" + Quote(dir.File("out")) + " 2>" + Quote(dir.File("err")) + " </dev/null";
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        TRun run;
        run.Seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = test::ReadWholeFile(dir.File("out"));
        run.Err = test::ReadWholeFile(dir.File("err"));
        return run;
    }

    std::string Save(std::vector<std::unique_ptr<TEvent>>& events) {
        TEventList list;
        for (auto& e : events)
            list.Add(*e);
        SaveEventsFile(dir.File("events.evn"), list);
        return dir.File("events.evn");
    }

    static std::unique_ptr<TEvent> Event(const std::string& message) {
        auto e = std::make_unique<TEvent>();
        e->SetWindowMessage(message);
        e->EventAction().Actions().Clear(); // a new event beeps
        return e;
    }
    static TSendMailAction& AddMail(TEvent& e, const std::string& subject) {
        auto mail = std::make_unique<TSendMailAction>();
        mail->SetSendTo("ann@example.org, Bob <bob@example.org>");
        mail->SetSubject(subject);
        mail->SetBody("Starts at ten.");
        return static_cast<TSendMailAction&>(e.EventAction().Actions().Add(std::move(mail)));
    }
    static void AddLaunch(TEvent& e, const std::string& program) {
        auto launch = std::make_unique<TLaunchAppEventAction>();
        launch->SetFileName(program);
        e.EventAction().Actions().Add(std::move(launch));
    }
    static TPlayMediaEventAction& AddSound(TEvent& e, const std::string& file) {
        auto media = std::make_unique<TPlayMediaEventAction>();
        media->SetFileName(file);
        return static_cast<TPlayMediaEventAction&>(e.EventAction().Actions().Add(std::move(media)));
    }

    test::TempDir dir;
};

TEST_F(ExecuteTest, MailsAreDeliveredAndEveryActionGetsItsLine) {
    SmtpServer server;
    ASSERT_GT(server.Port(), 0);
    WriteSettings(server.Port(), 0);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("first"));
    events.push_back(Event("second"));
    AddMail(*events[1], "Team meeting");
    AddLaunch(*events[1], "/bin/true");
    AddMail(*events[1], "Second notice");
    const std::string file = Save(events);

    const TRun run = Run({"execute", "1", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "Send email to ann@example.org, Bob <bob@example.org>\tok\n"
                       "Open /bin/true\tok\n"
                       "Send email to ann@example.org, Bob <bob@example.org>\tok\n");
    const auto messages = server.Messages();
    ASSERT_EQ(messages.size(), 2u);
    std::string all = messages[0] + messages[1];
    EXPECT_THAT(all, HasSubstr("Subject: Team meeting"));
    EXPECT_THAT(all, HasSubstr("Subject: Second notice"));
    EXPECT_THAT(messages[0], HasSubstr("X-Envelope-To: ann@example.org,bob@example.org"));
    EXPECT_THAT(messages[0], HasSubstr("U3RhcnRzIGF0IHRlbi4=")); // "Starts at ten."
}

TEST_F(ExecuteTest, FailuresAreReportedOnTheirOwnLineAndTheRestStillRuns) {
    // Nobody listens on the mail port; the program does not exist; the sound file neither.
    WriteSettings(0, 0);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("failing"));
    AddMail(*events[0], "Refused");
    AddLaunch(*events[0], dir.File("no-such-program"));
    AddLaunch(*events[0], "/bin/true");
    AddSound(*events[0], dir.File("missing.wav"));
    const std::string file = Save(events);

    const TRun run = Run({"execute", "0", "--events", file, "--timeout", "60"});
    EXPECT_EQ(run.Exit, 1) << run.Err;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < run.Out.size();) {
        const std::size_t end = run.Out.find('\n', at);
        lines.push_back(run.Out.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 4u) << run.Out;
    EXPECT_THAT(lines[0], HasSubstr("Send email to ann@example.org, Bob <bob@example.org>\t"));
    EXPECT_THAT(lines[0], Not(HasSubstr("\tok")));
    EXPECT_EQ(lines[1], "Open " + dir.File("no-such-program") + "\tcannot open \"" +
                            dir.File("no-such-program") + "\"");
    EXPECT_EQ(lines[2], "Open /bin/true\tok");
    EXPECT_EQ(lines[3],
              "Play media file \"" + dir.File("missing.wav") + "\"\tthe sound does not play");
    // A refused connection is known at once, not after the time-out.
    EXPECT_LT(run.Seconds, 30);
}

TEST_F(ExecuteTest, AWrongPasswordIsTheMailActionsError) {
    SmtpServer server;
    ASSERT_GT(server.Port(), 0);
    WriteSettings(server.Port(), 0, "wrong");
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("mail"));
    AddMail(*events[0], "Team meeting");
    const std::string file = Save(events);

    const TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_THAT(run.Out, HasSubstr("Send email to ann@example.org, Bob <bob@example.org>\t"));
    EXPECT_THAT(run.Out, Not(HasSubstr("\tok")));
    EXPECT_TRUE(server.Messages().empty());
}

TEST_F(ExecuteTest, TheUsersAlarmSwitchesApply) {
    SmtpServer server;
    ASSERT_GT(server.Port(), 0);
    test::WriteWav(dir.Path() / "tone.wav", 200);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("both"));
    AddSound(*events[0], dir.File("tone.wav"));
    AddMail(*events[0], "Quiet");
    const std::string file = Save(events);
    const std::string sound = "Play media file \"" + dir.File("tone.wav") + "\"";
    const std::string mail = "Send email to ann@example.org, Bob <bob@example.org>";

    // Mode 1: no sound actions, the rest runs.
    WriteSettings(server.Port(), 1);
    TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, sound + "\tswitched off\n" + mail + "\tok\n");
    EXPECT_EQ(server.Messages().size(), 1u);

    // Mode 2: no actions at all.
    WriteSettings(server.Port(), 2);
    run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, sound + "\tswitched off\n" + mail + "\tswitched off\n");
    EXPECT_EQ(server.Messages().size(), 1u);
}

TEST_F(ExecuteTest, WaitsForTheSoundsAndStopsAtTheTimeout) {
    test::WriteWav(dir.Path() / "tone.wav", 400);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("three times"));
    auto& thrice = AddSound(*events[0], dir.File("tone.wav"));
    thrice.SetRepeatType(rtTimes);
    thrice.SetTimes(3);
    events.push_back(Event("endless"));
    auto& endless = AddSound(*events[1], dir.File("tone.wav"));
    endless.SetRepeatType(rtTimes);
    endless.SetTimes(0); // repeats until stopped
    const std::string file = Save(events);
    const std::string sound = "Play media file \"" + dir.File("tone.wav") + "\"";

    TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, sound + "\tok\n");
    EXPECT_GE(run.Seconds, 1.1); // three plays of 0.4 s

    run = Run({"execute", "1", "--events", file, "--timeout", "1"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, sound + "\ttimed out after 1 s\n");
    EXPECT_LT(run.Seconds, 10);
}

TEST_F(ExecuteTest, ALoginGoesUnencryptedOnlyToThisMachineOrWhereAllowed) {
    // 127.0.0.2 is another machine by its name; the server offers no STARTTLS.
    SmtpServer server("127.0.0.2");
    ASSERT_GT(server.Port(), 0);
    WriteSettings(server.Port(), 0, "secret", "127.0.0.2");
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("mail"));
    AddMail(*events[0], "Team meeting");
    const std::string file = Save(events);
    const std::string line = "Send email to ann@example.org, Bob <bob@example.org>\t";

    TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, line + "SMTP server 127.0.0.2:" + std::to_string(server.Port()) +
                           " offers no encryption (STARTTLS), so the password was not sent; use "
                           "port 465 (SMTPS) or a server that offers STARTTLS, or allow "
                           "unencrypted logins (SMTPAllowInsecureAuth)\n");
    EXPECT_THAT(server.Commands(), HasSubstr("EHLO"));
    EXPECT_THAT(server.Commands(), Not(HasSubstr("AUTH")));
    EXPECT_THAT(server.Commands(), Not(HasSubstr("authenticated")));
    EXPECT_TRUE(server.Messages().empty());

    // The user's choice lets it through.
    WriteSettings(server.Port(), 0, "secret", "127.0.0.2", true);
    run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Out;
    EXPECT_EQ(run.Out, line + "ok\n");
    EXPECT_EQ(server.Messages().size(), 1u);
}

TEST_F(ExecuteTest, WhatIsNotAnAddressNeverReachesTheServer) {
    SmtpServer server;
    ASSERT_GT(server.Port(), 0);
    WriteSettings(server.Port(), 0);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("hostile"));
    for (const char* to : {"<ann@example.org> NOTIFY=NEVER", "ann@example.org\r\nRSET",
                           "Ann <ann@example.org\r\nRCPT TO:<evil@example.org>>",
                           "ann@example.org ORCPT=rfc822;evil@example.org"})
        AddMail(*events[0], "Hostile").SetSendTo(to);
    AddMail(*events[0], "Fine").SetSendTo("\"Doe, Ann\" <ann@example.org>; bob@example.org");
    const std::string file = Save(events);

    const TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out,
              "Send email to <ann@example.org> NOTIFY=NEVER\tThe recipient \"<ann@example.org> "
              "NOTIFY=NEVER\" is not an e-mail address\n"
              "Send email to ann@example.org RSET\tThe recipient \"ann@example.org  RSET\" is "
              "not an e-mail address\n"
              "Send email to Ann <ann@example.org RCPT TO:<evil@example.org>>\tThe recipient "
              "\"Ann <ann@example.org  RCPT TO:<evil@example.org>>\" is not an e-mail address\n"
              "Send email to ann@example.org ORCPT=rfc822;evil@example.org\tThe recipient "
              "\"ann@example.org ORCPT=rfc822\" is not an e-mail address\n"
              "Send email to \"Doe, Ann\" <ann@example.org>; bob@example.org\tok\n");
    ASSERT_EQ(server.Messages().size(), 1u);
    EXPECT_THAT(server.Messages()[0],
                HasSubstr("X-Envelope-To: ann@example.org,bob@example.org\r\n"));
    EXPECT_THAT(server.Commands(), HasSubstr("RCPT TO:<bob@example.org>"));
    for (const char* injected : {"NOTIFY", "RSET", "evil", "ORCPT"})
        EXPECT_THAT(server.Commands(), Not(HasSubstr(injected))) << injected;
}

TEST_F(ExecuteTest, TheSendmailRouteRefusesWhatIsNotAnAddressToo) {
    SmtpServer server;
    ASSERT_GT(server.Port(), 0);
    if (!fs::exists("/usr/sbin/sendmail") && std::system("command -v sendmail >/dev/null") != 0)
        GTEST_SKIP() << "no sendmail program";
    WriteSettings(server.Port(), 0);
    {
        TAppIniReg ini;
        ini.WriteInteger("Options", "ConnectionType", ecMAPI);
    }
    // msmtp as sendmail, pointed at the test server by the HOME of the run.
    test::WriteWholeFile(dir.Path() / ".msmtprc",
                         "defaults\nauth login\ntls off\naccount default\nhost 127.0.0.1\nport " +
                             std::to_string(server.Port()) +
                             "\nuser reminder\npassword secret\nfrom me@example.org\n");
    fs::permissions(dir.Path() / ".msmtprc", fs::perms::owner_read | fs::perms::owner_write);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("hostile"));
    AddMail(*events[0], "Hostile").SetSendTo("<ann@example.org> NOTIFY=NEVER");
    AddMail(*events[0], "Fine").SetSendTo("ann@example.org");
    const std::string file = Save(events);

    const TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out,
              "Send email to <ann@example.org> NOTIFY=NEVER\tThe recipient \"<ann@example.org> "
              "NOTIFY=NEVER\" is not an e-mail address\n"
              "Send email to ann@example.org\tok\n");
    EXPECT_EQ(server.Messages().size(), 1u);
    EXPECT_THAT(server.Commands(), HasSubstr("RCPT TO:<ann@example.org>"));
    EXPECT_THAT(server.Commands(), Not(HasSubstr("NOTIFY")));
}

TEST_F(ExecuteTest, BadIndexesAreBadArguments) {
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("only"));
    const std::string file = Save(events);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"execute", "1", "--events", file},
          {"execute", "x", "--events", file},
          {"execute", "-1", "--events", file},
          {"execute", "--events", file},
          {"execute", "0", "1", "--events", file},
          {"execute", "0", "--timeout", "soon", "--events", file}}) {
        const TRun run = Run(args);
        EXPECT_EQ(run.Exit, 64) << args[1];
        EXPECT_THAT(run.Err, HasSubstr("Try 'kelvo-cli --help'."));
        EXPECT_TRUE(run.Out.empty());
    }
    // An unreadable file is still exit 2, whatever the index.
    EXPECT_EQ(Run({"execute", "0", "--events", dir.File("absent.evn")}).Exit, 2);
    // An event without actions succeeds with nothing to say.
    const TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
}

TEST_F(ExecuteTest, TheExternalPlayerIsTheConfiguredOneAndHearsNoStopBeforeOurSound) {
    if (test::TPrivateBus::Instance().Address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon";
    // Another player comes first on the bus and its name sorts first.
    test::TFakeMprisPlayer other(dir.Path(), "alpha", "alpha");
    test::TFakeMprisPlayer mine(dir.Path(), "beta");
    ASSERT_TRUE(other.Ready() && mine.Ready());
    test::WriteWav(dir.Path() / "tone.wav", 200);
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("external"));
    AddSound(*events[0], dir.File("tone.wav"));
    const std::string file = Save(events);
    struct TBack {
        ~TBack() { TAppIniReg().WriteInteger("Options", "MediaPlayerType", 0); }
    } back;
    {
        TAppIniReg ini;
        ini.WriteInteger("Options", "MediaPlayerType", 1);
        ini.WriteString("Options", "MediaWinAmpPath", mine.Program().string());
    }

    const TRun run = Run({"execute", "0", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    ASSERT_TRUE(test::WaitFor([&] { return mine.Calls().size() >= 2; }, 5000));
    const QStringList calls = mine.Calls();
    EXPECT_EQ(
        calls.mid(0, 2),
        (QStringList{"OpenUri file://" + QString::fromStdString(dir.File("tone.wav")), "Play"}))
        << calls.join(", ").toStdString();
    // Whatever it played before was the user's: our sound ends only our sound.
    EXPECT_EQ(calls.count("Stop"), calls.size() > 2 ? 1 : 0);
    EXPECT_TRUE(other.Calls().isEmpty()) << other.Calls().join(", ").toStdString();
}

} // namespace
} // namespace kelvo

#endif
