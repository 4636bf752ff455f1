// kelvo-rem itself as a native Wayland client, on weston's headless back end with a fresh home
// folder: it starts, shows its main window and the alarm window of an alarm missed while it was
// closed, and ends cleanly. What reaches the compositor is read from weston's protocol log.

#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"
#include "support/EntitySamples.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

class WaylandDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void theProgramShowsItsWindowAndAMissedAlarmUnderWayland() {
        if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty())
            QSKIP("weston is not installed (scripts/setup.sh installs it)");
        test::TempDir dir;
        const fs::path run = dir.Path() / "run";
        fs::create_directories(run);
        fs::permissions(run, fs::perms::owner_all);
        const QString log = QString::fromStdString((dir.Path() / "weston.log").string());

        QProcess weston;
        QProcessEnvironment westonEnv = QProcessEnvironment::systemEnvironment();
        westonEnv.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(run.string()));
        weston.setProcessEnvironment(westonEnv);
        weston.start(QStringLiteral("weston"),
                     {QStringLiteral("--backend=headless-backend.so"),
                      QStringLiteral("--socket=kelvo-test"), QStringLiteral("--idle-time=0"),
                      QStringLiteral("--width=1024"), QStringLiteral("--height=768"),
                      QStringLiteral("--logger-scopes=log,proto"), QStringLiteral("--log=") + log});
        QVERIFY(weston.waitForStarted(5000));
        QVERIFY2(QTest::qWaitFor([&] { return fs::exists(run / "kelvo-test"); }, 20000),
                 "weston did not come up");

        // Missed an hour ago while the program was closed.
        const TDateTime now = Now();
        const TDateTime due =
            IncMilliSecond(-(TimeOfDayMs(now) % MSecsPerMinute), IncMinute(-60, now));
        auto event = samples::SilentEventOnceAt(due, "Dentist");
        event->InitializeCondition().SetDateOfCreate(IncHour(-1, due));
        TEventList list;
        list.Add(*event);
        const fs::path data = test::ProgramDataFolder(dir.Path());
        fs::create_directories(data);
        SaveEventsFile((data / "kelvo-rem.evn").string(), list);

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("kelvo-test"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(run.string()));
        env.remove(QStringLiteral("DISPLAY")); // nothing may fall back to X11
        env.insert(QStringLiteral("HOME"), QString::fromStdString(dir.Path().string()));
        for (const auto& [name, folder] :
             {std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_CONFIG_HOME", "config"},
              std::pair{"XDG_STATE_HOME", "state"}})
            env.insert(QString::fromLatin1(name),
                       QString::fromStdString((dir.Path() / folder).string()));
        env.insert(QStringLiteral("KELVO_AUDIO_SINK"), QStringLiteral("fakesink sync=true"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(KELVO_REM_PATH), {});
        QVERIFY(program.waitForStarted(5000));

        auto titled = [&](const char* title) {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) &&
                   file.readAll().contains(QByteArray("set_title(\"") + title + "\")");
        };
        QVERIFY2(QTest::qWaitFor([&] { return titled("Dentist [overdue]"); }, 60000),
                 "no alarm window reached the compositor");
        QVERIFY2(titled("Tavrelon MP3"), "no main window reached the compositor");
        QCOMPARE(program.state(), QProcess::Running);

        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        weston.terminate();
        weston.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(WaylandDesktopTest)

#include "WaylandDesktopTest.moc"
