// Dragging events from day to day in the calendar of the running main window, over its real
// settings and data folder: the event's dates are rewritten, the event is registered with the
// generator again and the events file on disk has the change at once.

#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/calendar/DrawCalendar.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <filesystem>
#include <memory>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path EventsFile() {
    return test::ProgramDataFolder(home->Path()) / "kelvo-rem.evn";
}

// The first arising at or after from of the one event in the file on disk.
TDateTime SavedNextArise(TDateTime from) {
    TAnswerNoHost host;
    TOwnedEvents events = LoadEventsFile(EventsFile().string(), host);
    if (events.size() != 1)
        return -1;
    return events.front()->InitializeCondition().NextArise(from);
}

TComplexDateCondition* SavedDates(TOwnedEvents& holder) {
    TAnswerNoHost host;
    holder = LoadEventsFile(EventsFile().string(), host);
    auto& simple = static_cast<TSimpleInitializeCondition&>(
        holder.front()->InitializeCondition().Conditions().Items(0));
    return dynamic_cast<TComplexDateCondition*>(simple.DateCondition());
}

std::unique_ptr<TEvent> Weekly(TDateTime first, TDaysOfWeek days, const std::string& message) {
    auto e = samples::SilentEventOnceAt(first, message);
    auto& simple =
        static_cast<TSimpleInitializeCondition&>(e->InitializeCondition().Conditions().Items(0));
    TWeeklyDateCondition weekly;
    weekly.SetFromDate(DateOf(first));
    weekly.SetWeekDays(days);
    simple.SetDateCondition(&weekly);
    return e;
}

} // namespace

class CalendarDropTest : public QObject {
    Q_OBJECT

    struct Run {
        Run() : session(ini, timers), form(session), calendar(session) {
            form.ShowMessage = [](TMessageKind, const QString&) {};
            form.Startup({});
            calendar.resize(760, 520);
            calendar.show();
        }
        TAppIniReg ini;
        test::ManualTimerFactory timers;
        TProgramSession session;
        TMainForm form;
        TDrawCalendar calendar;
    };

    // Clicks the event's line on day, as the user picks what to drag.
    static void Pick(TDrawCalendar& c, TDateTime day, const TEvent& event) {
        c.SetDate(day);
        const auto& lines = c.LinesOf(day);
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].Event == &event) {
                QTest::mouseClick(&c, Qt::LeftButton, {},
                                  c.LineRect(day, static_cast<int>(i)).center());
                return;
            }
        QFAIL("the event has no line on that day");
    }

    // What the window system delivers when the drag is let go over target's cell.
    static bool DropOn(TDrawCalendar& c, TDateTime target, bool copy) {
        std::unique_ptr<QMimeData> data(c.DragData());
        if (!data)
            return false;
        const QPointF at = c.DayRect(target).center();
        const Qt::KeyboardModifiers keys = copy ? Qt::ControlModifier : Qt::NoModifier;
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(at.toPoint(), actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(&c, &enter);
        QDragMoveEvent move(at.toPoint(), actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(&c, &move);
        if (!move.isAccepted())
            return false;
        QDropEvent drop(at, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(&c, &drop);
        return drop.isAccepted();
    }

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
    }

    void aOneTimeEventMovesAndCopiesToOtherDays() {
        test::TestClock clock(EncodeDateTime(2030, 6, 10, 9, 0));
        Run run;
        const TDateTime today = EncodeDate(2030, 6, 10);
        TEvent& dentist = run.session.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 13, 9, 1), "Dentist"));
        TRemindersGenerator& generator = run.session.Notebook().Generator();
        QVERIFY(!generator.HasCondition(dentist.InitializeCondition())); // days away

        // Onto the day it is on already: refused.
        Pick(run.calendar, today + 3, dentist);
        QVERIFY(!DropOn(run.calendar, today + 3, false));

        // Moved to today, a minute from now: due before the next rebuild, so it is
        // registered again, and the file on disk has it at once.
        QVERIFY(DropOn(run.calendar, today, false));
        QCOMPARE(run.calendar.SelectedDate(), today);
        QCOMPARE(run.calendar.SelectedEvent(), &dentist);
        QVERIFY(run.calendar.LinesOf(today + 3).empty());
        QVERIFY(generator.HasCondition(dentist.InitializeCondition()));
        QCOMPARE(SavedNextArise(today), EncodeDateTime(2030, 6, 10, 9, 1));
        QCOMPARE(SavedNextArise(today + 1), NullDate);

        // With Ctrl it arises on both days.
        QVERIFY(DropOn(run.calendar, today + 2, true));
        QCOMPARE(run.calendar.LinesOf(today).size(), std::size_t{1});
        QCOMPARE(run.calendar.LinesOf(today + 2).size(), std::size_t{1});
        QCOMPARE(SavedNextArise(today), EncodeDateTime(2030, 6, 10, 9, 1));
        QCOMPARE(SavedNextArise(today + 1), EncodeDateTime(2030, 6, 12, 9, 1));
    }

    void aWeeklyEventMovesOneDayAndBackAgain() {
        test::TestClock clock(EncodeDateTime(2030, 6, 10, 9, 0)); // a Monday
        Run run;
        const TDateTime wednesday = EncodeDate(2030, 6, 12);
        TEvent& choir = run.session.Notebook().AddEvent(
            Weekly(EncodeDateTime(2030, 6, 1, 19, 0), TDaysOfWeek{TDayOfWeekName::Wed}, "Choir"));

        Pick(run.calendar, wednesday, choir);
        QVERIFY(DropOn(run.calendar, wednesday + 1, false));
        QVERIFY(run.calendar.LinesOf(wednesday).empty());
        QCOMPARE(run.calendar.LinesOf(wednesday + 1).size(), std::size_t{1});
        QCOMPARE(run.calendar.LinesOf(wednesday + 7).size(), std::size_t{1});
        QCOMPARE(SavedNextArise(wednesday), EncodeDateTime(2030, 6, 13, 19, 0));
        QCOMPARE(SavedNextArise(wednesday + 2), EncodeDateTime(2030, 6, 19, 19, 0));
        {
            TOwnedEvents held;
            TComplexDateCondition* dates = SavedDates(held);
            QVERIFY(dates);
            QCOMPARE(dates->Conditions().Count(), 2);
            QCOMPARE(dates->ExcludeConditions().Count(), 1);
        }

        // Back: the exclusion goes and Wednesday comes back as a single date.
        Pick(run.calendar, wednesday + 1, choir);
        QVERIFY(DropOn(run.calendar, wednesday, false));
        QCOMPARE(run.calendar.LinesOf(wednesday).size(), std::size_t{1});
        QVERIFY(run.calendar.LinesOf(wednesday + 1).empty());
        QCOMPARE(SavedNextArise(wednesday), EncodeDateTime(2030, 6, 12, 19, 0));
        QCOMPARE(SavedNextArise(wednesday + 1), EncodeDateTime(2030, 6, 19, 19, 0));
        TOwnedEvents held;
        TComplexDateCondition* dates = SavedDates(held);
        QVERIFY(dates);
        QCOMPARE(dates->ExcludeConditions().Count(), 0);
        QCOMPARE(dates->Conditions().Count(), 2);
        QVERIFY(dynamic_cast<TOnceDateCondition*>(&dates->Conditions().Items(1)));
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<CalendarDropTest>(argc, argv, &home);
}

#include "CalendarDropTest.moc"
