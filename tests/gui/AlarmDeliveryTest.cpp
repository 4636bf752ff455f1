// The desktop program's main window with its real action platform, on a private data and
// settings folder: missed alarms and where their windows open, a sound that cannot be
// played, and errors of the action timers.

#include "core/actions/AlarmSwitches.h"
#include "core/actions/EventAction.h"
#include "core/diagnostics/SetupErrorReport.h"
#include "core/diagnostics/paErrorReport.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/timers/ProgramFolders.h"
#include "core/timers/paTimerList.h"
#include "core/util/BuildVersion.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/actions/PlatformActions.h"
#include "platform/diagnostics/paSetupErrorHandlers.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/runtime/QtLocale.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <memory>
#include <set>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path EventsFile() {
    return test::ProgramDataFolder(home->Path()) / "kelvo-rem.evn";
}

// Created an hour before when, unless created is given.
std::unique_ptr<TEvent> EventOnceAt(TDateTime when, const std::string& description,
                                    TDateTime created = NullDate) {
    auto e = std::make_unique<TEvent>();
    e->InitializeCondition().SetDateOfCreate(IsNullDate(created) ? IncHour(-1, when) : created);
    e->SetWindowMessage(description);
    e->SetDescription(description);
    e->EventAction().Actions().Clear();
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(when));
    return e;
}

void WriteEvents(const std::vector<std::unique_ptr<TEvent>>& events) {
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    fs::create_directories(EventsFile().parent_path());
    SaveEventsFile(EventsFile().string(), list);
}

class TCapturedReports : public IErrorReportPresenter {
public:
    void ShowReport(const TpaErrorReport& report) override {
        reports.push_back(report.ReportLines());
    }
    std::vector<std::vector<std::string>> reports;
};

} // namespace

class AlarmDeliveryTest : public QObject {
    Q_OBJECT

    // One program run as kelvo-rem makes it: the action platform installed, then the window.
    struct Run {
        Run() : session(ini, timers), actions(session.InstallActions()), form(session) {
            form.ShowMessage = [this](TMessageKind, const QString& text) { messages << text; };
            form.Confirm = [](const QString&) { return true; };
            form.Startup({});
        }
        test::ManualTimer& Generator() { return *timers.Timers().front(); }
        void Tick(test::TestClock& clock, int seconds) {
            for (int i = 0; i < seconds; ++i) {
                clock.AdvanceSeconds(1);
                Generator().Fire();
            }
        }

        TAppIniReg ini;
        test::ManualTimerFactory timers;
        TProgramSession session;
        TPlatformActions& actions;
        TMainForm form;
        QStringList messages;
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }

    void missedAlarmsOpenApartOnTheScreenAndSayWhenTheyWereDue() {
        const TDateTime due = EncodeDateTime(2030, 6, 1, 8, 0);
        std::vector<std::unique_ptr<TEvent>> events;
        for (const char* name : {"One", "Two", "Three", "Four", "Five"})
            events.push_back(EventOnceAt(due, name));
        WriteEvents(events);
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 20, 53));
        Run run;
        run.Tick(clock, 70);
        QCOMPARE(run.session.AlarmWindows().Count(), 5);

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QString started = QString::fromStdString("Started at " + ShortTimeText(due) + " on " +
                                                       ShortDateText(due));
        std::set<std::pair<int, int>> spots;
        QStringList texts;
        for (int i = 0; i < run.session.Notebook().EventCount(); ++i) {
            TAlarmMessageForm* window =
                run.session.AlarmWindows().FindAlarmWindow(run.session.Notebook().Event(i));
            QVERIFY(window && window->isVisible() && window->Overdue());
            QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(window->windowTitle()));
            spots.insert({window->x(), window->y()});
            texts << window->findChild<QLabel*>(QStringLiteral("StartedLabel"))->text();
        }
        QCOMPARE(spots.size(), std::size_t{5});
        for (const QString& text : texts)
            QCOMPARE(text, started);
    }

    void manyAlarmWindowsStayOnTheScreen() {
        std::vector<std::unique_ptr<TEvent>> events;
        for (int i = 0; i < 40; ++i)
            events.push_back(EventOnceAt(EncodeDateTime(2030, 6, 1, 8, 0), std::to_string(i)));
        WriteEvents(events);
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        run.Tick(clock, 70);
        QCOMPARE(run.session.AlarmWindows().Count(), 40);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (int i = 0; i < run.session.Notebook().EventCount(); ++i) {
            TAlarmMessageForm* window =
                run.session.AlarmWindows().FindAlarmWindow(run.session.Notebook().Event(i));
            QVERIFY(window);
            QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(window->windowTitle()));
        }
    }

    void aSoundThatCannotBePlayedIsSaidInItsAlarmWindow() {
        const TDateTime at = EncodeDateTime(2030, 6, 1, 10, 0);
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        auto event = EventOnceAt(at, "Tea", Now());
        const std::string missing = (home->Path() / "no such sound.wav").string();
        auto sound = std::make_unique<TPlayMediaEventAction>();
        sound->SetFileName(missing);
        event->EventAction().Actions().Add(std::move(sound));
        TEvent& tea = run.session.Notebook().AddEvent(std::move(event));
        run.Tick(clock, 31);
        TAlarmMessageForm* window = run.session.AlarmWindows().FindAlarmWindow(tea);
        QVERIFY(window && window->isVisible());
        auto* line = window->findChild<QLabel*>(QStringLiteral("SoundLabel"));
        QVERIFY(line);
        QVERIFY(!line->isHidden());
        QVERIFY2(line->text().contains(QString::fromStdString(missing)), qPrintable(line->text()));
        QVERIFY(line->text().contains(QStringLiteral("cannot be played")));
        QVERIFY(!line->accessibleName().isEmpty());
    }

    void withoutAnAlarmWindowTheSoundProblemIsAnError() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        QStringList errors;
        Run run;
        run.actions.OnError = [&](const std::string& text) {
            errors << QString::fromStdString(text);
        };
        auto event = EventOnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Quiet", Now());
        event->SetOptions({});
        auto sound = std::make_unique<TPlayMediaEventAction>();
        sound->SetFileName((home->Path() / "absent.wav").string());
        event->EventAction().Actions().Add(std::move(sound));
        run.session.Notebook().AddEvent(std::move(event));
        run.Tick(clock, 31);
        QCOMPARE(run.session.AlarmWindows().Count(), 0);
        QVERIFY(QTest::qWaitFor([&] { return !errors.isEmpty(); }, 2000));
        QVERIFY2(errors.front().contains(QStringLiteral("absent.wav")), qPrintable(errors.front()));
    }

    void anErrorOfAnActionTimerReachesTheErrorReportWithTheVersion() {
        TCapturedReports captured;
        SetErrorReportPresenter(&captured);
        Run run;
        run.actions.ActionTimerList().AddTimer(
            100, false, [](TTimerEvent&) { throw EEventActionError("The repeat went wrong"); });
        run.actions.ActionTimerList().SetActive(true);
        QVERIFY(QTest::qWaitFor([&] { return !captured.reports.empty(); }, 3000));
        SetErrorReportPresenter(nullptr);
        const std::vector<std::string>& lines = captured.reports.front();
        auto has = [&](const std::string& text) {
            return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
                return line.find(text) != std::string::npos;
            });
        };
        QVERIFY(has("The repeat went wrong"));
        QVERIFY(has(std::string("Tavrelon MP3 ") + BuildVersion() + " build "));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    qputenv("KELVO_AUDIO_SINK", "fakesink sync=true");
    QApplication app(argc, argv);
    // In the order of kelvo-rem.
    TErrorHandlersSetup errorHandlers;
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    InstallSystemLocale();
    AlarmDeliveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AlarmDeliveryTest.moc"
