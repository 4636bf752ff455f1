// The secret store that is slow to answer, on a private session bus (run by
// support/with-secret-service.sh): its GNOME Keyring stopped with SIGSTOP. kelvo-rem shows its
// window at once and answers meanwhile, and a mail that signs in goes out once the keyring
// answers; the options dialog opens at once and the CalDAV password it takes lands in the
// keyring, where the running program's sync finds it.

#include "cli/CliProcess.h"
#include "core/entities/Event.h"
#include "core/options/MailOptions.h"
#include "core/persistence/EventFile.h"
#include "core/persistence/TemplateFile.h"
#include "gui/options/frOptionsCalDav.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "platform/settings/SecretServiceStore.h"
#include "support/CalDavServer.h"
#include "support/DesktopProgram.h"
#include "support/EntitySamples.h"
#include "support/OptionsDialogRun.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <csignal>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path DataFolder() {
    return test::ProgramDataFolder(home->Path());
}

fs::path SettingsFile() {
    return home->Path() / "config" / "Brennikor" / "Tavrelon MP3.conf";
}

// The keyring stopped for as long as this lives, or until Resume.
class TStoppedKeyring {
public:
    TStoppedKeyring() {
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        if (bus)
            pid_ = static_cast<pid_t>(
                bus->servicePid(QStringLiteral("org.freedesktop.secrets")).value());
        if (pid_ > 0)
            ::kill(pid_, SIGSTOP);
    }
    ~TStoppedKeyring() { Resume(); }
    TStoppedKeyring(const TStoppedKeyring&) = delete;
    TStoppedKeyring& operator=(const TStoppedKeyring&) = delete;
    bool Stopped() const { return pid_ > 0; }
    void Resume() {
        if (pid_ > 0)
            ::kill(pid_, SIGCONT);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
};

// Mail through the test server on that port, signing in with the password in the keyring.
void KeepMailLogin(int port) {
    TSecretServiceStore().Write(TMailOptions::PasswordName, "secret");
    TAppIniReg ini;
    test::LoopbackMail(port, "").SaveWithoutPassword(ini, "Options");
}

} // namespace

class DesktopSecretsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(TSecretServiceStore().Available(), "no Secret Service on the private bus");
    }

    void init() {
        fs::remove_all(home->Path() / "config");
        fs::remove_all(home->Path() / "data");
    }

    // The window shows and answers while the keyring does not; the missed mail waits for
    // its password and signs in with it once the keyring answers.
    void theWindowComesAtOnceAndTheMailWaitsForTheSlowKeyring() {
        if (!test::TVirtualDisplay::ToolsInstalled({"Xvfb", "xwininfo"}))
            QSKIP("no virtual X display here");
        test::SmtpServer server;
        QVERIFY(server.Port() > 0);
        KeepMailLogin(server.Port());
        const TDateTime now = Now();
        auto missed = samples::SilentEventOnceAt(IncHour(-2, now), "Pills");
        auto send = std::make_unique<TSendMailAction>();
        send->SetSendTo("ann@example.org");
        send->SetSubject("Missed at eight");
        send->SetBody("Take the pills.");
        missed->EventAction().Actions().Add(std::move(send));
        missed->SetCreationTime(IncDay(-2, now));
        missed->InitializeCondition().SetLastAppear(IncDay(-1, now));
        fs::create_directories(DataFolder());
        TEventList list;
        list.Add(*missed);
        SaveEventsFile((DataFolder() / "kelvo-rem.evn").string(), list);

        test::TVirtualDisplay xvfb;
        const QString display = xvfb.Name();
        QVERIFY(!display.isEmpty());

        TStoppedKeyring keyring;
        QVERIFY(keyring.Stopped());
        QProcess program;
        QVERIFY(test::StartProgram(program, display));
        // Well inside the time a D-Bus call takes to give up on a keyring that never answers.
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         return test::ShownWindowNames(display).contains(
                             QStringLiteral("Tavrelon MP3"));
                     },
                     12000),
                 qPrintable(test::ShownWindowNames(display).join(QLatin1Char('|'))));
        // It answers a command meanwhile: its event loop runs.
        const test::TCliRun asked = test::RunCli(*home, {"sync"});
        QVERIFY2(asked.Err.find("no CalDAV account") != std::string::npos,
                 qPrintable(QString::fromStdString(asked.Out + asked.Err)));
        QVERIFY(server.Messages().empty());
        QVERIFY(server.Commands().find("AUTH") == std::string::npos);

        keyring.Resume();
        QVERIFY2(QTest::qWaitFor([&] { return !server.Messages().empty(); }, 30000),
                 server.Commands().c_str());
        QCOMPARE(server.Messages().size(), std::size_t(1));
        QVERIFY(server.Messages()[0].find("Subject: Missed at eight") != std::string::npos);
        QVERIFY(server.Commands().find("AUTH LOGIN") != std::string::npos);
        test::EndProgram(program);
        QCOMPARE(program.exitCode(), 0);
    }

    // "send a test message" pressed before the keyring has answered waits for the password
    // it keeps, and signs in with that, never with the field still empty.
    void theTestMessageWaitsForThePasswordOfTheSlowKeyring() {
        test::SmtpServer server;
        QVERIFY(server.Port() > 0);
        KeepMailLogin(server.Port());
        TStoppedKeyring keyring;
        QVERIFY(keyring.Stopped());
        test::OptionsRun run;
        QVERIFY(run.OpenPage(test::OptionsRun::Mail));
        QVERIFY(
            run.Control<QLabel>("PasswordPlaceLabel")->text().contains(QStringLiteral("Asking")));
        QCOMPARE(run.Control<QLineEdit>("PasswordEdit")->text(), QString());
        auto* send = run.Control<QPushButton>("SendTestMessageButton");
        send->click();
        QVERIFY(!send->isEnabled());
        QTest::qWait(1500);
        QVERIFY(server.Commands().find("AUTH") == std::string::npos);
        QVERIFY(server.Messages().empty());

        keyring.Resume();
        auto* status = run.Control<QLabel>("TestStatusLabel");
        QTRY_VERIFY2_WITH_TIMEOUT(status->text().contains(QStringLiteral("was sent")),
                                  qPrintable(status->text()), 30000);
        QCOMPARE(server.Messages().size(), std::size_t(1));
        QVERIFY(server.Commands().find("AUTH LOGIN") != std::string::npos);
        QVERIFY(send->isEnabled());
        run.Press(QDialogButtonBox::Cancel);
    }

    // A change just before the end: what the stopped keyring has not taken after the short
    // wait at the end stays in the settings file (owner-only), and moves over next time.
    void aPasswordChangedRightBeforeTheEndIsNotLostToAStoppedKeyring() {
        {
            TStoppedKeyring keyring;
            QVERIFY(keyring.Stopped());
            QElapsedTimer clock;
            clock.start();
            {
                test::OptionsRun run;
                QVERIFY(run.OpenPage(test::OptionsRun::Mail));
                run.Control<QLineEdit>("PasswordEdit")->setText(QStringLiteral("lastminute"));
                run.Press(QDialogButtonBox::Ok);
            }
            QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
            QVERIFY(test::ReadWholeFile(SettingsFile()).find("SMTPOptionsPassword=lastminute") !=
                    std::string::npos);
            QCOMPARE(fs::status(SettingsFile()).permissions() & fs::perms::all,
                     fs::perms::owner_read | fs::perms::owner_write);
        }
        test::OptionsRun again;
        QTRY_VERIFY(test::ReadWholeFile(SettingsFile()).find("SMTPOptionsPassword") ==
                    std::string::npos);
        QCOMPARE(again.session.Settings().Mail().SMTPOptions.Login.Password().Value(),
                 std::string("lastminute"));
        QCOMPARE(test::StoredSecret(QString::fromLatin1(TMailOptions::PasswordName)),
                 std::optional<QString>(QStringLiteral("lastminute")));
    }

    // The options open at once with the keyring stopped; the CalDAV password typed there goes
    // to the keyring only, and kelvo-cli sync in the running program signs in with it.
    void theCalDavPasswordGoesToTheKeyringAndTheRunningProgramSyncsWithIt() {
        test::CalDavServer server;
        QVERIFY(server.Up());
        fs::create_directories(DataFolder());
        fs::create_directories(SettingsFile().parent_path());
        auto mine = samples::SilentEventOnceAt(EncodeDateTime(2030, 3, 5, 10, 0), "From here");
        mine->SetTemplate("CalDAV");
        TEventList list;
        list.Add(*mine);
        SaveEventsFile((DataFolder() / "kelvo-rem.evn").string(), list);
        TTemplateTree templates;
        templates.EnsureDefaultTemplate();
        auto calDav = std::make_unique<TEventTemplate>();
        calDav->SetTemplate("CalDAV");
        templates.AddTemplate(nullptr, -1, std::move(calDav));
        SaveTemplatesFile((DataFolder() / "kelvo-rem.tpl").string(), templates);
        test::WriteWholeFile(SettingsFile(), "[CalDAV]\nUrl=" + server.Url() + "\nUser=reminder\n");
        const QString key = QString::fromStdString("CalDAV " + server.Url());

        {
            TStoppedKeyring keyring;
            QVERIFY(keyring.Stopped());
            QElapsedTimer clock;
            clock.start();
            test::OptionsRun run;
            QVERIFY(run.OpenPage(test::OptionsRun::CalDav));
            QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
            TCalDavOptionsFrame& frame = run.dialog->CalDavFrame();
            QVERIFY2(frame.PasswordPlace()->text().contains(QStringLiteral("Asking")),
                     qPrintable(frame.PasswordPlace()->text()));
            if (const QByteArray shots = qgetenv("KELVO_SCREENSHOT_DIR"); !shots.isEmpty())
                run.dialog->grab().save(QString::fromLocal8Bit(shots) +
                                        QStringLiteral("/caldav-asking.png"));
            run.Control<QLineEdit>("CalDavPassword")->setText(QStringLiteral("secret"));
            run.Press(QDialogButtonBox::Ok);
            keyring.Resume();
            QTRY_COMPARE_WITH_TIMEOUT(test::StoredSecret(key),
                                      std::optional<QString>(QStringLiteral("secret")), 20000);
        }
        QVERIFY(test::ReadWholeFile(SettingsFile()).find("secret") == std::string::npos);

        QProcess program;
        fs::remove(DataFolder() / "kelvo-rem.~ev"); // the dialog's run made one
        QVERIFY(test::StartProgram(program));
        // The start-up save makes the backup: then the program listens.
        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(DataFolder() / "kelvo-rem.~ev"), 15000);
        const test::TCliRun run = test::RunCli(*home, {"sync"});
        QVERIFY2(run.Exit == 0, qPrintable(QString::fromStdString(run.Out + run.Err)));
        QCOMPARE(run.Out, std::string("up\tadded\t0\tFrom here\n"));
        QVERIFY(server.Peer("list").find("\tFrom here\n") != std::string::npos);
        test::EndProgram(program);
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    // The program and kelvo-cli inherit the private folders.
    test::UseProgramHome(dir.Path(), "");
    qputenv("KELVO_AUDIO_SINK", "fakesink sync=true");
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    DesktopSecretsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopSecretsTest.moc"
