// Alarms as desktop notifications, against a notification server of the test's own on a
// private session bus: kelvo-rem itself shows a missed alarm as a notification whose "Snooze"
// snoozes the event, and answering the alarm window withdraws its notification.

#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"
#include "core/runtime/RemNotebook.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "platform/notify/DesktopNotifications.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/PrivateBus.h"
#include "support/RecordingDataFileHost.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <fstream>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

// The fake server as a process of its own; what it received, line by line.
class TServer {
public:
    TServer(const fs::path& log, const QString& answer = {}) : log_(log) {
        std::ofstream(log_).close();
        QStringList args = {QStringLiteral("--log"), QString::fromStdString(log_.string())};
        if (!answer.isEmpty())
            args << QStringLiteral("--answer") << answer;
        process_.start(QStringLiteral(KELVO_FAKE_NOTIFICATIONS_PATH), args);
        ready_ = process_.waitForReadyRead(5000) && process_.readLine().trimmed() == "ready";
    }
    ~TServer() {
        process_.kill();
        process_.waitForFinished(2000);
    }
    bool Ready() const { return ready_; }
    QStringList Calls() const {
        std::ifstream in(log_);
        QStringList calls;
        for (std::string line; std::getline(in, line);)
            calls << QString::fromStdString(line);
        return calls;
    }

private:
    fs::path log_;
    QProcess process_;
    bool ready_ = false;
};

} // namespace

class DesktopNotificationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (test::TPrivateBus::Instance().Address().isEmpty())
            QSKIP("no dbus-daemon here");
    }

    void snoozeInTheNotificationSnoozesTheEventInTheProgram() {
        TServer server(home->Path() / "calls", QStringLiteral("snooze"));
        QVERIFY(server.Ready());
        {
            TAppIniReg ini;
            ini.WriteBool("Options", "BehaviourDesktopNotifications", true);
        }
        // Missed an hour ago while the program was closed.
        const TDateTime now = Now();
        const TDateTime due =
            IncMilliSecond(-(TimeOfDayMs(now) % MSecsPerMinute), IncMinute(-60, now));
        auto event = samples::SilentEventOnceAt(due, "Dentist\r\nBring the card");
        event->InitializeCondition().SetDateOfCreate(IncHour(-1, due));
        TEventList list;
        list.Add(*event);
        const fs::path data = test::ProgramDataFolder(home->Path());
        fs::create_directories(data);
        const std::string file = (data / "kelvo-rem.evn").string();
        SaveEventsFile(file, list);
        fs::create_directories(home->Path() / "run");
        fs::permissions(home->Path() / "run", fs::perms::owner_all);

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), QString::fromStdString(home->Path().string()));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   QString::fromStdString((home->Path() / "run").string()));
        env.insert(QStringLiteral("KELVO_AUDIO_SINK"), QStringLiteral("fakesink sync=true"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(KELVO_REM_PATH), {});
        QVERIFY(program.waitForStarted(5000));

        auto snoozed = [&] {
            test::RecordingDataFileHost host;
            std::string bytes;
            try {
                bytes = ReadEventsFileBytes(file);
            } catch (const std::exception&) {
                return false;
            }
            const TOwnedEvents events = ReadEvents(bytes, host);
            return events.size() == 1 && events[0]->State() == esSnoozedEvent;
        };
        QVERIFY2(QTest::qWaitFor(snoozed, 60000), "the event was not snoozed");
        const QStringList calls = server.Calls();
        QVERIFY2(!calls.isEmpty() && calls[0].startsWith(QStringLiteral("Notify Dentist")),
                 qPrintable(calls.join('\n')));
        QVERIFY(calls[0].contains(QStringLiteral("|Bring the card|")));
        QVERIFY(calls[0].contains(QStringLiteral("snooze,Snooze")));
        QVERIFY(calls[0].contains(QStringLiteral("close,Close")));
        QCOMPARE(calls.filter(QStringLiteral("Notify")).size(), 1);

        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
    }

    // In step the other way: the window answered, the notification goes; with notifications
    // off none is shown.
    void answeringTheWindowWithdrawsItsNotification() {
        TServer server(home->Path() / "calls2");
        QVERIFY(server.Ready());
        test::TestClock clock(EncodeDateTime(2024, 3, 4, 10, 0));
        test::ManualTimerFactory timers;
        TReminderNotebook notebook(timers);
        TAlarmWindows alarms(notebook);
        alarms.Connect();
        TDesktopNotifications notifications;
        alarms.SetNotifications(&notifications);

        auto owned = samples::SilentEventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Call Ann");
        TEvent& event = *owned;
        notebook.AddEvent(std::move(owned));
        TAlarmMessageForm& form = alarms.ShowAlarm(event, true, false);
        QVERIFY(QTest::qWaitFor([&] { return server.Calls().size() == 1; }, 5000));
        QVERIFY(server.Calls()[0].startsWith(QStringLiteral("Notify Call Ann")));
        alarms.ShowAlarm(event, true, false); // presented again: still one notification
        form.CloseAlarm();
        QVERIFY(QTest::qWaitFor([&] { return server.Calls().size() == 2; }, 5000));
        QCOMPARE(server.Calls()[1], QStringLiteral("Close 1"));
        QCOMPARE(notifications.Count(), 0);

        alarms.SetNotifications(nullptr);
        alarms.ShowAlarm(event, true, false).CloseAlarm();
        QTest::qWait(300);
        QCOMPARE(server.Calls().size(), 2);
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    for (const auto& [name, folder] :
         {std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_CONFIG_HOME", "config"},
          std::pair{"XDG_STATE_HOME", "state"}})
        qputenv(name, QByteArray::fromStdString((dir.Path() / folder).string()));
    test::TPrivateBus::Instance();
    QApplication app(argc, argv);
    DesktopNotificationTest test;
    const int failed = QTest::qExec(&test, argc, argv);
    // Its thread would outlive the application otherwise.
    QDBusConnection::disconnectFromBus(QDBusConnection::sessionBus().name());
    return failed;
}

#include "DesktopNotificationTest.moc"
