// The month grid over a session: moving through the months across year ends under every
// first day of the week, the lines of a busy day as drawn, hit and read by a screen reader,
// reminders, month colours, and pictures of it at the program's scale.

#include "gui/calendar/DrawCalendar.h"

#include "core/entities/Reminder.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/timers/ProgramFolders.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "support/EntitySamples.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kelvo;

namespace {

struct TGrid {
    TGrid() : session(ini, timers), calendar(session) {
        calendar.resize(760, 520);
        calendar.show();
    }
    TEvent& Add(std::unique_ptr<TEvent> e) { return session.Notebook().AddEvent(std::move(e)); }

    TMemAppIni ini;
    test::ManualTimerFactory timers;
    TProgramSession session;
    TDrawCalendar calendar;
};

std::unique_ptr<TEvent> Daily(TDateTime from, const std::string& message) {
    auto e = samples::SilentEventOnceAt(from, message);
    auto& simple =
        static_cast<TSimpleInitializeCondition&>(e->InitializeCondition().Conditions().Items(0));
    TDailyDateCondition every;
    every.SetFromDate(DateOf(from));
    simple.SetDateCondition(&every);
    return e;
}

QStringList Texts(const TDrawCalendar::TCellLines& lines) {
    QStringList out;
    for (const auto& l : lines)
        out << (l.Reminder ? QStringLiteral("~") : QString()) + l.Text;
    return out;
}

void Press(TDrawCalendar& c, Qt::Key key) {
    QTest::keyClick(&c, key);
}

} // namespace

class DrawCalendarTest : public QObject {
    Q_OBJECT

private slots:
    void monthsAcrossYearEndsUnderEveryFirstDayOfWeek() {
        test::TestClock clock(EncodeDateTime(2026, 12, 10, 9, 0));
        TGrid g;
        for (int start = 0; start < 7; ++start) {
            g.calendar.SetStartOfWeek(start);
            g.calendar.SetDate(EncodeDate(2026, 12, 30));
            const TDateTime first = g.calendar.FirstShownDate();
            QCOMPARE(DayOfWeek0(first), start);
            QVERIFY(first <= EncodeDate(2026, 12, 30) && g.calendar.LastShownDate() >= first + 34);
            QCOMPARE(g.calendar.HeaderText(0), QString::fromStdString(CurrentLocale().LongDayName(
                                                   static_cast<TDayOfWeekName>(start))));

            // Page Down into the new year and back: exactly five weeks each way, the
            // selected cell keeping its place.
            const TDateTime selected = g.calendar.SelectedDate();
            Press(g.calendar, Qt::Key_PageDown);
            QCOMPARE(g.calendar.FirstShownDate(), first + 35);
            QCOMPARE(g.calendar.SelectedDate(), selected + 35);
            QCOMPARE(YearOf(g.calendar.SelectedDate()), 2027);
            Press(g.calendar, Qt::Key_PageUp);
            Press(g.calendar, Qt::Key_PageUp);
            QCOMPARE(g.calendar.FirstShownDate(), first - 35);

            // Right from the last cell scrolls one week and selects the first cell of the
            // new last row; Left from the first cell the other way round.
            g.calendar.SetDate(g.calendar.LastShownDate());
            const TDateTime last = g.calendar.SelectedDate();
            Press(g.calendar, Qt::Key_Right);
            QCOMPARE(g.calendar.SelectedDate(), last + 1);
            QCOMPARE(g.calendar.LastShownDate(), last + 7);
            g.calendar.SetDate(g.calendar.FirstShownDate());
            const TDateTime top = g.calendar.SelectedDate();
            Press(g.calendar, Qt::Key_Left);
            QCOMPARE(g.calendar.SelectedDate(), top - 1);
            QCOMPARE(g.calendar.FirstShownDate(), top - 7);
            // Up in the top row moves the view, so the date moves by a week.
            Press(g.calendar, Qt::Key_Up);
            QCOMPARE(g.calendar.SelectedDate(), top - 8);
        }

        // Across the year's end, 1 January names its month and year when the column is wide
        // enough, and fewer parts as it narrows, down to the number alone.
        g.calendar.SetStartOfWeek(1);
        g.calendar.SetDate(EncodeDate(2026, 12, 20));
        const TDateTime newYear = EncodeDate(2027, 1, 1);
        QCOMPARE(g.calendar.DateText(newYear, 400), QStringLiteral("1 January 2027"));
        QCOMPARE(g.calendar.DateText(EncodeDate(2027, 1, 2), 400), QStringLiteral("2"));
        const QString shorter = g.calendar.DateText(newYear, 70);
        QVERIFY2(shorter == "1 Jan 2027" || shorter == "1 Jan", qPrintable(shorter));
        QCOMPARE(g.calendar.DateText(newYear, 8), QStringLiteral("1"));
        // January is an odd month, December even.
        QCOMPARE(g.calendar.MonthColor(newYear), QColor(0x80, 0x80, 0x80));
        QCOMPARE(g.calendar.MonthColor(EncodeDate(2026, 12, 31)), QColor(Qt::white));

        // Changing the first day keeps the selected day in view.
        const TDateTime kept = g.calendar.SelectedDate();
        QSignalSpy changed(&g.calendar, &TDrawCalendar::selectedDateChanged);
        g.calendar.SetStartOfWeek(0);
        QCOMPARE(g.calendar.SelectedDate(), kept);
        QCOMPARE(DayOfWeek0(g.calendar.FirstShownDate()), 0);
        QVERIFY(changed.isEmpty());
    }

    void theLinesOfABusyDay() {
        test::TestClock clock(EncodeDateTime(2030, 6, 3, 7, 0));
        TGrid g;
        const TDateTime day = EncodeDate(2030, 6, 12);
        // Fifty events on one day, added latest first: the day lists them by their time.
        for (int i = 49; i >= 0; --i)
            g.Add(samples::SilentEventOnceAt(day + EncodeTime(8 + i / 6, (i % 6) * 10),
                                             "Busy " + std::to_string(i)));
        auto hidden = samples::SilentEventOnceAt(day + EncodeTime(9, 0), "Hidden");
        hidden->SetOptions(TEventOptions{ecNotShowOnCalendar});
        g.Add(std::move(hidden));
        // Twice on that day, one line.
        auto twice = Daily(EncodeDateTime(2030, 6, 1, 6, 0), "Pills");
        twice->InitializeCondition().Conditions().Add(
            std::make_unique<TSimpleInitializeCondition>(day + EncodeTime(21, 0)));
        g.Add(std::move(twice));
        g.calendar.SetDate(day);

        const auto& lines = g.calendar.LinesOf(day);
        QCOMPARE(lines.size(), std::size_t{51});
        QCOMPARE(lines[0].Text, QStringLiteral("Pills"));
        for (int i = 0; i < 50; ++i)
            QCOMPARE(lines[static_cast<std::size_t>(i + 1)].Text, QStringLiteral("Busy %1").arg(i));
        QVERIFY(!Texts(lines).contains("Hidden"));
        QCOMPARE(Texts(g.calendar.LinesOf(day + 1)), QStringList{"Pills"});

        // What is drawn is what is hit: every drawn line answers its own rectangle, the cell
        // holds no more lines than fit, and a click selects the line under the mouse.
        const QRect cell = g.calendar.DayRect(day);
        int drawn = 0;
        while (!g.calendar.LineRect(day, drawn).isEmpty()) {
            const QRect r = g.calendar.LineRect(day, drawn);
            QVERIFY(cell.contains(r.topLeft()));
            QCOMPARE(g.calendar.LineAt(r.center()), &lines[static_cast<std::size_t>(drawn)]);
            ++drawn;
        }
        QVERIFY2(drawn >= 2 && drawn < 51, qPrintable(QString::number(drawn)));
        QSignalSpy lineChanged(&g.calendar, &TDrawCalendar::selectedLineChanged);
        QTest::mouseClick(&g.calendar, Qt::LeftButton, {}, g.calendar.LineRect(day, 1).center());
        QCOMPARE(g.calendar.SelectedEvent()->Description(), std::string("Busy 0"));
        QCOMPARE(lineChanged.size(), 1);

        // The icon view puts more of them in the same cell.
        g.calendar.SetViewStyle(TDrawCalendar::csIcons);
        int icons = 0;
        while (!g.calendar.LineRect(day, icons).isEmpty())
            ++icons;
        QVERIFY2(icons > drawn, qPrintable(QString::number(icons)));
        QCOMPARE(g.ini.ReadInteger("View", "CalendarView", -1), 0);
        g.calendar.SetViewStyle(TDrawCalendar::csLines);

        // A screen reader reads the day and each of its lines.
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&g.calendar);
        QVERIFY(grid);
        const int index =
            TDrawCalendar::Columns + static_cast<int>(day - g.calendar.FirstShownDate());
        QAccessibleInterface* dayCell = grid->child(index);
        QVERIFY(dayCell->text(QAccessible::Name).contains("51 event(s)"));
        QVERIFY(dayCell->text(QAccessible::Name).contains("2030"));
        QCOMPARE(dayCell->childCount(), 51);
        QCOMPARE(dayCell->child(1)->text(QAccessible::Name), QStringLiteral("Busy 0"));
        QVERIFY(dayCell->child(1)->state().selected);
        QCOMPARE(grid->child(0)->role(), QAccessible::ColumnHeader);
        QCOMPARE(grid->focusChild(), dayCell);
        QCOMPARE(grid->childAt(g.calendar.mapToGlobal(cell.center()).x(),
                               g.calendar.mapToGlobal(cell.center()).y()),
                 dayCell);
    }

    void remindersShowFadedOnlyWhereTheEventIsNot() {
        test::TestClock clock(EncodeDateTime(2030, 6, 3, 7, 0));
        TGrid g;
        const TDateTime day = EncodeDate(2030, 6, 12);
        auto concert = samples::SilentEventOnceAt(day + EncodeTime(19, 0), "Concert");
        concert->SetHasReminder(true); // a day before
        concert->Reminder()->InitializeCondition().Conditions().Add(
            std::make_unique<TReminderInitializeCondition>());
        g.Add(std::move(concert));
        auto both = Daily(EncodeDateTime(2030, 6, 1, 8, 0), "Walk");
        both->SetHasReminder(true);
        both->Reminder()->InitializeCondition().Conditions().Add(
            std::make_unique<TReminderInitializeCondition>());
        g.Add(std::move(both));
        g.calendar.SetDate(day);
        QCOMPARE(Texts(g.calendar.LinesOf(day - 1)), QStringList{"Walk"});

        g.session.Settings().Options().BehaviourShowReminderInCalendar.SetValue(true);
        g.calendar.ApplyOptions();
        QCOMPARE(Texts(g.calendar.LinesOf(day - 1)), (QStringList{"Walk", "~Concert"}));
        QCOMPARE(Texts(g.calendar.LinesOf(day)), (QStringList{"Walk", "Concert"}));
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&g.calendar);
        const int index =
            TDrawCalendar::Columns + static_cast<int>(day - 1 - g.calendar.FirstShownDate());
        QCOMPARE(grid->child(index)->child(1)->text(QAccessible::Name),
                 QStringLiteral("Reminder: Concert"));
    }

    void theGridsCommandsByMenuKeyboardAndScrollBar() {
        test::TestClock clock(EncodeDateTime(2030, 6, 3, 7, 15));
        TGrid g;
        QStringList menu;
        for (QAction* a : g.calendar.ContextMenu()->actions())
            if (!a->isSeparator())
                menu << a->text();
        QCOMPARE(menu,
                 (QStringList{"Add &Quick Event in the selected day",
                              "Add Event in the selected &day", "&Rename...", "&Delete...",
                              "Select &First date of this Event", "Select &Next date of this Event",
                              "&Select this Event on the Templates view", "Go to Toda&y",
                              "&Go to Date...", "&View", "Properties"}));

        // A quick event on the selected day at the time of day it is now.
        const TDateTime day = EncodeDate(2030, 6, 20);
        g.calendar.SetDate(day);
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
                    d->accept();
        });
        g.calendar.Command("CalendarQuickEventAction")->trigger();
        QCOMPARE(g.session.Notebook().EventCount(), 1);
        TEvent& quick = g.session.Notebook().Event(0);
        QCOMPARE(quick.InitializeCondition().NextArise(day), day + EncodeTime(7, 15));
        QCOMPARE(g.calendar.SelectedEvent(), &quick);

        // The keyboard alone reaches the line and opens it.
        g.calendar.SetDate(day);
        QVERIFY(!g.calendar.SelectedEvent());
        QSignalSpy activated(&g.calendar, &TDrawCalendar::eventActivated);
        QTest::keyClick(&g.calendar, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(g.calendar.SelectedEvent(), &quick);
        QTest::keyClick(&g.calendar, Qt::Key_Return);
        QCOMPARE(activated.size(), 1);

        // Its only arising is its last one.
        QStringList told;
        g.calendar.ShowInformation = [&told](const QString& text) { told << text; };
        g.calendar.Command("CalendarNextDateAction")->trigger();
        QCOMPARE(told, QStringList{"This last occurence of event"});
        g.calendar.Command("CalendarTodayAction")->trigger();
        QCOMPARE(g.calendar.SelectedDate(), EncodeDate(2030, 6, 3));

        // The scroll bar counts days from a year ago; a page is five weeks.
        auto* bar = g.calendar.findChild<QScrollBar*>("CalendarScrollBar");
        QCOMPARE(bar->value(), static_cast<int>(EncodeDate(2030, 6, 3) - EncodeDate(2029, 6, 3)));
        const TDateTime first = g.calendar.FirstShownDate();
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(g.calendar.FirstShownDate(), first - 35);
        QCOMPARE(bar->value(),
                 static_cast<int>(EncodeDate(2030, 6, 3) - 35 - EncodeDate(2029, 6, 3)));
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(g.calendar.SelectedDate(), EncodeDate(2031, 6, 3));
    }

    void picturesWithRealData() {
        test::TestClock clock(EncodeDateTime(2030, 6, 3, 7, 0));
        TGrid g;
        const char* names[] = {"Dentist",  "Team meeting",    "Call mother",    "Gym",
                               "Pay rent", "Birthday of Ann", "Flight to Oslo", "Book club"};
        for (int i = 0; i < 40; ++i) {
            auto e = samples::SilentEventOnceAt(
                IncDay(i / 2, EncodeDateTime(2030, 5, 27, 8 + i % 9, 30)), names[i % 8]);
            e->SetIconFileId(i % 6);
            g.Add(std::move(e));
        }
        g.Add(Daily(EncodeDateTime(2030, 5, 1, 7, 0), "Pills"));
        g.calendar.SetDate(EncodeDate(2030, 6, 5));
        QTest::mouseClick(&g.calendar, Qt::LeftButton, {},
                          g.calendar.LineRect(EncodeDate(2030, 6, 5), 1).center());
        QVERIFY(g.calendar.SelectedEvent());
        const QString name = qEnvironmentVariable("KELVO_SHOT", "/tmp/calendar-grid.png");
        QVERIFY(g.calendar.grab().save(name));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    test::UsePrivateFolders(dir.Path());
    QApplication app(argc, argv);
    // The icon library the build draws, for pictures with the program's own icons.
    const QString built = QFileInfo(QStringLiteral(KELVO_REM_PATH))
                              .dir()
                              .absoluteFilePath(QStringLiteral("../../share/generated/kelvo-rem"));
    InstallProgramFolders(std::make_unique<TQtFolderProvider>(
        QFileInfo(built).isDir() ? QDir::cleanPath(built).toStdString() : std::string()));
    DrawCalendarTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DrawCalendarTest.moc"
