// The condition dialogs as a user meets them: Cancel leaves what they were given untouched, a
// stored value outside a field's bounds survives until the user edits that field, and "In"
// past midnight moves the date beside the time.

#include "gui/editors/EditorTestSupport.h"
#include "gui/editors/dmShared.h"
#include "gui/editors/fmConditionDialog.h"
#include "gui/editors/fmDateComplexExclude.h"
#include "gui/editors/fmDateUntilPeriod.h"
#include "gui/editors/fmReminderDateDialog.h"
#include "gui/editors/fmReminderTime.h"
#include "gui/editors/fmReminderUntil.h"
#include "gui/editors/frConditionList.h"
#include "gui/editors/frDate.h"
#include "gui/editors/frInitializeCondition.h"
#include "gui/editors/frReminderConditionList.h"
#include "gui/editors/frReminderDate.h"
#include "gui/editors/frTime.h"
#include "support/TestClock.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QToolButton>

using namespace kelvo;
using namespace kelvo::test;

namespace {

const TDateTime Start = EncodeDateTime(2024, 3, 5, 10, 0);

std::unique_ptr<TSimpleInitializeCondition> WeeklyEveryHours(int hours) {
    auto c = std::make_unique<TSimpleInitializeCondition>();
    TWeeklyDateCondition weekly;
    weekly.SetFromDate(EncodeDate(2024, 3, 4));
    weekly.SetWeekDays({TDayOfWeekName::Mon, TDayOfWeekName::Fri});
    THourlyTimeCondition hourly;
    hourly.SetFromTime(EncodeTime(0, 0));
    hourly.SetToTime(EncodeTime(23, 0));
    hourly.SetCountPeriod(hours);
    c->SetDateCondition(&weekly);
    c->SetTimeCondition(&hourly);
    return c;
}

std::unique_ptr<TReminderInitializeCondition> RepeatingLead(int number, TPeriodType unit) {
    auto r = std::make_unique<TReminderInitializeCondition>();
    TPeriodicRelativeCondition relative;
    relative.SetFromSubject(TRelativeSubjectRecord(number, unit));
    relative.SetPeriodSubject(TRelativeSubjectRecord(10, ptMinute));
    relative.SetUntilType(ruUntilTimes);
    relative.SetUntilTimes(3);
    r->SetRelativeCondition(&relative);
    return r;
}

// A reminder's first moments before base's arisings.
std::vector<std::int64_t> ReminderMoments(const TReminderInitializeCondition& r,
                                          TInitializeCondition& base) {
    auto copy = r.Clone();
    static_cast<TReminderInitializeCondition&>(*copy).SetBase(&base);
    std::vector<std::int64_t> result;
    TDateTime x = Start;
    for (int i = 0; i < 10; ++i) {
        const TDateTime m = copy->NextArise(x);
        if (IsNullDate(m))
            break;
        result.push_back(DateTimeToMs(m));
        x = IncMinute(1, m);
    }
    return result;
}

QString Text(const TInitializeCondition& c) {
    return QText(c.Description());
}

// Changes everything on the event condition dialog's pages that a user could.
void Scribble(TEditorDialog& d) {
    Click(d, "DailyRadio");
    Find<QSpinBox>(d, "DailyDayPeriod").setValue(7);
    WhenDialog([](TEditorDialog& end) {
        Click(end, "UntilTimes");
        Ok(end);
    });
    Click(d, "DailyRepeat");
    Click(d, "ByMinuteRadio");
    Find<QSpinBox>(d, "ByMinutePeriod").setValue(5);
}

} // namespace

class ConditionDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void cancelLeavesTheInputUntouched() {
        TestClock clock(Start);
        QWidget owner;
        owner.show();

        auto simple = WeeklyEveryHours(2);
        const QString simpleText = Text(*simple);
        const auto simpleArisings = TenArisings(*simple, Start);
        WhenDialog([](TEditorDialog& d) {
            QVERIFY(d.isModal());
            QCOMPARE(d.windowModality(), Qt::WindowModal);
            Scribble(d);
            d.reject();
        });
        QVERIFY(!ChooseCondition(&owner, *simple));
        QCOMPARE(Text(*simple), simpleText);
        QVERIFY(TenArisings(*simple, Start) == simpleArisings);

        auto reminder = RepeatingLead(2, ptHour);
        const QString reminderText = Text(*reminder);
        WhenDialog([](TEditorDialog& d) {
            Find<QSpinBox>(d, "StartNumber").setValue(9);
            Find<QCheckBox>(d, "RepeatEnabled").setChecked(false);
            d.reject();
        });
        QVERIFY(!ChooseReminderCondition(&owner, *reminder));
        WhenDialog([](TEditorDialog& d) {
            Find<QCheckBox>(d, "Distinct").setChecked(true);
            d.reject();
        });
        QVERIFY(!EditReminderTime(&owner, *reminder));
        WhenDialog([](TEditorDialog& d) {
            Click(d, "ruUntilEvent");
            d.reject();
        });
        auto* periodic = static_cast<TPeriodicRelativeCondition*>(reminder->RelativeCondition());
        QVERIFY(!EditReminderEnd(&owner, *periodic));
        QCOMPARE(Text(*reminder), reminderText);

        TComplexDateCondition complex;
        complex.ExcludeConditions().Add(std::make_unique<TOnceDateCondition>());
        WhenDialog([](TEditorDialog& d) {
            WhenDialog(Ok);
            Click(d, "ExcludeAdd");
            auto& list = Find<QListWidget>(d, "ComplexExcludeList");
            QCOMPARE(list.count(), 2);
            list.setCurrentRow(0);
            Click(d, "ExcludeDelete");
            d.reject();
        });
        QVERIFY(!EditExclusions(&owner, complex));
        QCOMPARE(complex.ExcludeConditions().Count(), 1);

        // The list frames add nothing on Cancel, and change a member only on OK.
        TConditionListFrame conditions;
        TReminderConditionListFrame reminders;
        conditions.show();
        reminders.show();
        WhenDialog([](TEditorDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Choose Date/Time..."));
            QVERIFY(Find<QRadioButton>(d, "OnceRadio").isChecked());
            QCOMPARE(Find<QDateEdit>(d, "OnceDate").date(), QDate(2024, 3, 5));
            QCOMPARE(Find<QTimeEdit>(d, "OnceTime").time(), QTime(0, 0));
            d.reject();
        });
        Click(conditions, "AddCondition");
        QCOMPARE(conditions.GetList().Count(), 0);
        WhenDialog([](TEditorDialog& d) {
            QCOMPARE(Find<QSpinBox>(d, "StartNumber").value(), 1);
            QCOMPARE(Find<QComboBox>(d, "StartSubject").currentText(), QStringLiteral("day(s)"));
            QVERIFY(!Find<QCheckBox>(d, "RepeatEnabled").isChecked());
            QCOMPARE(Find<QLineEdit>(d, "TimeEdit").text(),
                     QStringLiteral("at the same time as the event"));
            d.reject();
        });
        Click(reminders, "AddCondition");
        QCOMPARE(reminders.GetList().Count(), 0);

        TInitializeConditionList list;
        list.AddCopy(*simple);
        conditions.LoadList(list);
        conditions.List().setCurrentRow(0);
        WhenDialog([](TEditorDialog& d) {
            Scribble(d);
            d.reject();
        });
        Click(conditions, "EditCondition");
        QCOMPARE(Text(conditions.GetList().Items(0)), simpleText);
        Click(conditions, "DeleteCondition");
        QCOMPARE(conditions.GetList().Count(), 0);
        QCOMPARE(conditions.List().count(), 0);
        QVERIFY(!conditions.EditButton().isEnabled());

        // A disabled reminder list offers nothing.
        reminders.List().setEnabled(false);
        QVERIFY(!reminders.AddButton().isEnabled());
        reminders.List().setEnabled(true);
        QVERIFY(reminders.AddButton().isEnabled());
    }

    void aStoredValueOutsideTheBoundsSurvivesUntilEdited() {
        TestClock clock(Start);
        // Every 24 hours (the field's bounds are 1 to 12), through the list frame the event
        // dialog embeds.
        auto daily24 = WeeklyEveryHours(24);
        TInitializeConditionList list;
        list.AddCopy(*daily24);
        TConditionListFrame conditions;
        conditions.show();
        conditions.LoadList(list);
        conditions.List().setCurrentRow(0);
        WhenDialog([](TEditorDialog& d) {
            QCOMPARE(Find<QSpinBox>(d, "HourlyPeriod").value(), 24);
            Find<QDateEdit>(d, "WeeklyFromDate").setFocus();
            Ok(d);
        });
        Click(conditions, "EditCondition");
        auto& kept = static_cast<TSimpleInitializeCondition&>(conditions.GetList().Items(0));
        QCOMPARE(static_cast<THourlyTimeCondition*>(kept.TimeCondition())->CountPeriod(), 24);
        QCOMPARE(Text(kept), Text(*daily24));
        QCOMPARE(conditions.List().item(0)->text(), Text(*daily24));
        // The user's first step brings it within the bounds.
        WhenDialog([](TEditorDialog& d) {
            auto& period = Find<QSpinBox>(d, "HourlyPeriod");
            period.setFocus();
            QTest::keyClick(&period, Qt::Key_Down);
            QCOMPARE(period.value(), 12);
            QTest::keyClick(&period, Qt::Key_Down);
            QCOMPARE(period.value(), 11);
            Ok(d);
        });
        Click(conditions, "EditCondition");
        QCOMPARE(static_cast<THourlyTimeCondition*>(kept.TimeCondition())->CountPeriod(), 11);

        // A 120-minute lead (bounds 1 to 100) and a 5000-times end (1 to 1000).
        TSimpleInitializeCondition event(EncodeDateTime(2024, 3, 8, 9, 0));
        auto lead = RepeatingLead(120, ptMinute);
        const auto moments = ReminderMoments(*lead, event);
        QCOMPARE(moments.size(), std::size_t{3});
        TReminderDateFrame frame;
        frame.LoadCondition(*lead);
        QCOMPARE(frame.StartNumber().value(), 120);
        QCOMPARE(QText(frame.BuildCondition().Description()), Text(*lead));
        QVERIFY(ReminderMoments(frame.BuildCondition(), event) == moments);
        QTest::keyClicks(&frame.StartNumber(), "7");
        QCOMPARE(frame.StartNumber().value(), 7);

        TDailyDateCondition often;
        often.SetUntilType(utTimes);
        often.SetTimes(5000);
        WhenDialog([](TEditorDialog& d) {
            QCOMPARE(Find<QSpinBox>(d, "TimesEdit").value(), 5000);
            Ok(d);
        });
        QVERIFY(EditDateEnd(&frame, often));
        QCOMPARE(often.Times(), 5000);
    }

    void inPastMidnightMovesTheDateBeside() {
        TestClock clock(EncodeDateTime(2024, 3, 5, 23, 0));
        TSimpleConditionFrame frame;
        frame.show();
        TDM& menu = TDM::Instance();
        QAction* ninety = menu.InItems()[12];
        QCOMPARE(ninety->text(), QStringLiteral("1.5 hour(s)"));
        QToolButton* button = nullptr;
        for (auto* b : frame.TimeFrame().findChildren<QToolButton*>())
            if (b->parentWidget() == frame.TimeFrame().OnceTime().parentWidget())
                button = b;
        QVERIFY(button);
        button->click();
        QVERIFY(menu.TimePickerPopup().isVisible());
        Shot(*menu.AtMenuItem()->menu(), "menu-at");
        Shot(*menu.InMenuItem()->menu(), "menu-in");
        ninety->trigger();
        QVERIFY(!menu.TimePickerPopup().isVisible());
        QCOMPARE(frame.TimeFrame().OnceTime().time(), QTime(0, 30));
        QCOMPARE(frame.DateFrame().OnceDate().date(), QDate(2024, 3, 6));
        QCOMPARE(frame.BuildCondition().NextArise(Now()), EncodeDateTime(2024, 3, 6, 0, 30));

        // A time frame with no date beside it only wraps; its picker's context menu is the
        // time menu.
        TTimeFrame alone;
        alone.show();
        QWidget* editor = alone.OnceTime().findChild<QLineEdit*>();
        QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(4, 4),
                                editor->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(editor, &right);
        QVERIFY(menu.TimePickerPopup().isVisible());
        menu.TimePickerPopup().close();
        ninety->trigger();
        QCOMPARE(alone.OnceTime().time(), QTime(0, 30));
        menu.InItems()[0]->trigger();
        QCOMPARE(alone.OnceTime().time(), QTime(23, 5));
        menu.NowMenuItem()->trigger();
        QCOMPARE(alone.OnceTime().time(), QTime(23, 0));
        QCOMPARE(menu.AtItems().size(), std::size_t{48});
        menu.AtItems()[13]->trigger();
        QCOMPARE(alone.OnceTime().time(), QTime(6, 30));
        // By keyboard: one column right of 00:00 is 06:00.
        QMenu& at = *menu.AtMenuItem()->menu();
        at.popup(QPoint(0, 0));
        const auto cells = at.findChildren<QToolButton*>();
        QCOMPARE(cells.size(), 48);
        cells.front()->setFocus();
        QTest::keyClick(cells.front(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(alone.OnceTime().time(), QTime(6, 0));

        // The "At" captions drop the seconds of the user's short time format.
        struct SecondsLocale : TEnglishLocale {
            std::string ShortTimeFormat() const override { return "h:nn:ss"; }
        } seconds;
        ILocale* previous = InstallLocale(&seconds);
        QCOMPARE(TDM::AtCaption(0), QStringLiteral("0:00"));
        QCOMPARE(TDM::AtCaption(23 * 60 + 30), QStringLiteral("23:30"));
        InstallLocale(previous);
    }

    void theStartDateCarriesSingleChoicesAlong() {
        TestClock clock(Start);
        TDateFrame frame;
        frame.show();
        auto& from = Find<QDateEdit>(frame, "WeeklyFromDate");
        Click(frame, "WeeklyRadio");
        from.setDate(QDate(2024, 3, 5)); // Tuesday: the only box
        QVERIFY(Find<QCheckBox>(frame, "Weekly2").isChecked());
        from.setDate(QDate(2024, 3, 8)); // Friday
        QVERIFY(!Find<QCheckBox>(frame, "Weekly2").isChecked());
        QVERIFY(Find<QCheckBox>(frame, "Weekly5").isChecked());
        Find<QCheckBox>(frame, "Weekly1").setChecked(true);
        from.setDate(QDate(2024, 3, 11));
        QVERIFY(Find<QCheckBox>(frame, "Weekly5").isChecked());
        QVERIFY(Find<QCheckBox>(frame, "Weekly1").isChecked());

        Click(frame, "YearlyRadio");
        auto& yearlyFrom = Find<QDateEdit>(frame, "YearlyFromDate");
        yearlyFrom.setDate(QDate(2024, 3, 10));
        QVERIFY(frame.Months().Months == TMonths{TMonthName::Mar});
        QCOMPARE(Find<QSpinBox>(frame, "YearlyDayNumber").value(), 10);
        yearlyFrom.setDate(QDate(2024, 7, 4));
        QVERIFY(frame.Months().Months == TMonths{TMonthName::Jul});
        QCOMPARE(Find<QLineEdit>(frame, "YearlyMonths").text(), QStringLiteral("July"));
        QCOMPARE(Find<QSpinBox>(frame, "YearlyDayNumber").value(), 4);
        // Picking one month in the list replaces the set.
        frame.Months().Months = {TMonthName::Mar, TMonthName::Sep};
        auto& combo = Find<QComboBox>(frame, "YearlyMonthsCombo");
        combo.setCurrentIndex(1);
        emit combo.activated(1);
        QVERIFY(frame.Months().Months == TMonths{TMonthName::Feb});
        yearlyFrom.setDate(QDate(2024, 9, 1));
        QVERIFY(frame.Months().Months == TMonths{TMonthName::Feb});
    }

    void theReminderFrameBuildsARepeatingReminder() {
        TestClock clock(Start);
        QWidget owner;
        owner.show();
        TReminderInitializeCondition reminder;
        TSimpleInitializeCondition event(EncodeDateTime(2024, 3, 9, 18, 0));
        WhenDialog([](TEditorDialog& d) {
            auto& frame = static_cast<TReminderDateDialogForm&>(d).Frame();
            frame.StartNumber().setValue(3);
            frame.StartSubject().setCurrentIndex(1);
            emit frame.StartSubject().activated(1);
            QVERIFY(!frame.TimeEdit().isVisibleTo(&d));
            frame.StartSubject().setCurrentIndex(2);
            emit frame.StartSubject().activated(2);
            QVERIFY(frame.TimeEdit().isVisibleTo(&d));
            QVERIFY(!frame.RepeatNumber().isVisibleTo(&d));
            frame.RepeatEnabled().click();
            QVERIFY(frame.RepeatNumber().isVisibleTo(&d));
            frame.RepeatNumber().setValue(12);
            frame.RepeatSubject().setCurrentIndex(1);
            WhenDialog([](TEditorDialog& end) {
                QVERIFY(Find<QRadioButton>(end, "ruUntilEvent").isChecked());
                QCOMPARE(Find<QComboBox>(end, "RepeatUntilSubject").currentText(),
                         QStringLiteral("minute(s)"));
                QVERIFY(!Find<QSpinBox>(end, "RepeatUntilNumber").isEnabled());
                QVERIFY(!Find<QSpinBox>(end, "RepeatUntilTimes").isEnabled());
                Click(end, "ruUntilSubject");
                Find<QSpinBox>(end, "RepeatUntilNumber").setValue(1);
                Find<QComboBox>(end, "RepeatUntilSubject").setCurrentIndex(2);
                Shot(end, "reminder-end");
                Ok(end);
            });
            frame.RepeatBtn().click();
            WhenDialog([](TEditorDialog& time) {
                auto& distinct = Find<QCheckBox>(time, "Distinct");
                QVERIFY(!distinct.isChecked());
                QVERIFY(!Find<QTimeEdit>(time, "OnceTime").isEnabled());
                distinct.click();
                Find<QTimeEdit>(time, "OnceTime").setTime(QTime(8, 15));
                Shot(time, "reminder-time");
                Ok(time);
            });
            frame.TimeBtn().click();
            Shot(d, "reminder-condition");
            Ok(d);
        });
        QVERIFY(ChooseReminderCondition(&owner, reminder));

        TPeriodicRelativeCondition relative;
        relative.SetFromSubject(TRelativeSubjectRecord(3, ptDay));
        relative.SetPeriodSubject(TRelativeSubjectRecord(12, ptHour));
        relative.SetUntilType(ruUntilSubject);
        relative.SetUntilSubject(TRelativeSubjectRecord(1, ptDay));
        TOnceTimeCondition at;
        at.SetTime(EncodeTime(8, 15));
        TReminderInitializeCondition expected;
        expected.SetRelativeCondition(&relative);
        expected.SetTimeCondition(&at);
        expected.SetTimeAsBaseCondition(false);
        QCOMPARE(Text(reminder), Text(expected));
        const auto moments = ReminderMoments(expected, event);
        QVERIFY(moments.size() >= 2);
        QVERIFY(ReminderMoments(reminder, event) == moments);

        // Back to the event's time: the old time stays stored but is not offered again.
        WhenDialog([](TEditorDialog& d) {
            Find<QCheckBox>(d, "Distinct").click();
            Ok(d);
        });
        QVERIFY(EditReminderTime(&owner, reminder));
        QVERIFY(reminder.TimeAsBaseCondition());
        QVERIFY(reminder.TimeCondition());
        WhenDialog([](TEditorDialog& d) {
            QVERIFY(!Find<QCheckBox>(d, "Distinct").isChecked());
            QCOMPARE(Find<QTimeEdit>(d, "OnceTime").time(), QTime(10, 0));
            d.reject();
        });
        EditReminderTime(&owner, reminder);
    }
};

QTEST_MAIN(ConditionDialogsTest)
#include "ConditionDialogsTest.moc"
