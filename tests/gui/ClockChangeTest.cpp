// The main window on a clock that jumps: forward and back while the generator ticks, by a
// day or by years, through a suspend, while an alarm window is open and while an arising is
// being saved. Each arising is reported exactly once.

#include "core/actions/AlarmSwitches.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

std::unique_ptr<TEvent> Silent(const std::string& message) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->EventAction().Actions().Clear();
    e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2030, 5, 1, 0, 0));
    return e;
}

std::unique_ptr<TEvent> OnceAt(TDateTime when, const std::string& message) {
    auto e = Silent(message);
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(when));
    return e;
}

std::unique_ptr<TEvent> DailyAt(TDateTime first, const std::string& message) {
    auto e = Silent(message);
    auto c = std::make_unique<TSimpleInitializeCondition>(first);
    TDailyDateCondition daily;
    daily.SetStartDate(DateOf(first));
    c->SetDateCondition(&daily);
    e->InitializeCondition().Conditions().Add(std::move(c));
    return e;
}

struct Alarm {
    std::string Message;
    TAlarmReason Reason;
};

} // namespace

class ClockChangeTest : public QObject {
    Q_OBJECT

    // One program run on the real data folder; every alarm window that opens is recorded.
    struct Run : test::MainFormRun {
        Run() {
            form.OpenAlarmWindow = [this](TEvent& event, TWaitingAriseEntity&, TDateTime,
                                          TAlarmReason reason) {
                alarms.push_back({event.WindowMessage(), reason});
            };
        }
        void Seconds(test::TestClock& clock, int n) {
            for (int i = 0; i < n; ++i) {
                clock.AdvanceSeconds(1);
                timers.Timers().front()->Fire();
            }
        }
        int Count(const std::string& message, TAlarmReason reason) const {
            int n = 0;
            for (const Alarm& a : alarms)
                n += a.Message == message && a.Reason == reason;
            return n;
        }

        std::vector<Alarm> alarms;
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }

    void aForwardJumpWhileTickingReportsWhatItSkippedOnce() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        run.session.Notebook().AddEvent(OnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Soon"));
        run.session.Notebook().AddEvent(OnceAt(EncodeDateTime(2030, 6, 1, 12, 0), "Later"));
        run.Seconds(clock, 10);
        // Set forward without a notice: the next window covers the jump.
        clock.Set(EncodeDateTime(2030, 6, 1, 13, 0, 0));
        run.Seconds(clock, 1);
        QCOMPARE(run.Count("Soon", TAlarmReason::Arise), 1);
        // The one not registered before the jump is in the window too, and arises at once.
        QCOMPARE(run.Count("Later", TAlarmReason::Arise), 1);
        run.Seconds(clock, 600);
        QCOMPARE(run.alarms.size(), std::size_t{2});
    }

    void largeJumpsWithAnAlarmWindowOpenGiveOneReportEach() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 7, 59, 30));
        Run run;
        TEvent& pills =
            run.session.Notebook().AddEvent(DailyAt(EncodeDateTime(2030, 5, 1, 8, 0), "Pills"));
        pills.InitializeCondition().SetLastAppear(EncodeDateTime(2030, 5, 31, 8, 0, 1));
        run.Seconds(clock, 31);
        QCOMPARE(run.Count("Pills", TAlarmReason::Arise), 1);
        QVERIFY(run.session.AlarmWindows().FindAlarmWindow(pills));

        // Set back by more than a day: the arisings up to the last report stay reported.
        clock.Set(EncodeDateTime(2030, 5, 31, 7, 58, 0));
        run.form.ClockChanged();
        run.Seconds(clock, 26 * 3600);
        QCOMPARE(run.alarms.size(), std::size_t{1});

        // Forward by three years: a thousand missed mornings are one report.
        clock.Set(EncodeDateTime(2033, 6, 1, 9, 0, 0));
        run.form.ClockChanged();
        run.Seconds(clock, 300);
        QCOMPARE(run.Count("Pills", TAlarmReason::Late), 1);
        QCOMPARE(run.alarms.size(), std::size_t{2});

        // A suspend of three days, no notice: the first tick's window holds three mornings,
        // one report, the window still open.
        clock.Set(EncodeDateTime(2033, 6, 4, 9, 0, 0));
        run.Seconds(clock, 1);
        QCOMPARE(run.Count("Pills", TAlarmReason::Arise), 2);
        QVERIFY(run.session.AlarmWindows().FindAlarmWindow(pills));
        run.Seconds(clock, 23 * 3600);
        QCOMPARE(run.Count("Pills", TAlarmReason::Arise), 3);
        QCOMPARE(run.alarms.size(), std::size_t{4});
    }

    void aClockSetWhileAnArisingIsSavedDoesNotRepeatIt() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        TReminderNotebook& notebook = run.session.Notebook();
        notebook.AddEvent(OnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Once"));
        notebook.AddEvent(DailyAt(EncodeDateTime(2030, 6, 1, 10, 0), "Daily"));
        // The clock is set back an hour right after the arising's save, before its window.
        int jumps = 0;
        auto save = notebook.OnChange;
        notebook.OnChange = [&](TReminderNotebook& n, TEvent& e, TChangeKind kind) {
            save(n, e, kind);
            if (kind == ckRearmed && jumps++ == 0) {
                clock.Set(EncodeDateTime(2030, 6, 1, 9, 0, 0));
                run.form.ClockChanged();
            }
        };
        run.Seconds(clock, 31);
        // The restart left the once event for the next rebuild, before its 10:00 comes again.
        QCOMPARE(jumps, 1);
        TAnswerNoHost host;
        const fs::path file = test::ProgramDataFolder(home->Path()) / "kelvo-rem.evn";
        const auto saved = LoadEventsFile(file.string(), host);
        QCOMPARE(saved.size(), std::size_t{2});
        QCOMPARE(saved[1]->InitializeCondition().LastAppear(), EncodeDateTime(2030, 6, 1, 10, 0));
        run.Seconds(clock, 2 * 3600);
        QCOMPARE(run.Count("Once", TAlarmReason::Arise), 1);
        QCOMPARE(run.Count("Daily", TAlarmReason::Arise), 1);
        QCOMPARE(run.alarms.size(), std::size_t{2});
        QCOMPARE(jumps, 2);
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<ClockChangeTest>(argc, argv, &home);
}

#include "ClockChangeTest.moc"
