// Every kind of time and date condition built through the editors' controls, compared with the
// same condition built in code: the same description and the same next ten arisings.

#include "gui/editors/EditorTestSupport.h"
#include "gui/editors/frDate.h"
#include "gui/editors/frInitializeCondition.h"
#include "gui/editors/frTime.h"
#include "support/TestClock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimeEdit>

using namespace kelvo;
using namespace kelvo::test;

namespace {

const TDateTime Start = EncodeDateTime(2024, 3, 5, 10, 0); // a Tuesday

QTime T(int h, int m) {
    return QTime(h, m);
}

QDate D(int y, int m, int d) {
    return QDate(y, m, d);
}

void Spin(const QWidget& in, const char* name, int value) {
    Find<QSpinBox>(in, name).setValue(value);
}

void Time(const QWidget& in, const char* name, QTime t) {
    Find<QTimeEdit>(in, name).setTime(t);
}

void Date(const QWidget& in, const char* name, QDate d) {
    Find<QDateEdit>(in, name).setDate(d);
}

std::unique_ptr<TOnceTimeCondition> OnceAt(int h, int m) {
    auto c = std::make_unique<TOnceTimeCondition>();
    c->SetTime(EncodeTime(h, m));
    return c;
}

template <typename T> std::unique_ptr<T> Periodic(int from, int to, int count) {
    auto c = std::make_unique<T>();
    c->SetFromTime(EncodeTime(from, 0));
    c->SetToTime(EncodeTime(to, 0));
    c->SetCountPeriod(count);
    return c;
}

std::unique_ptr<TDailyDateCondition> EveryDayFrom(TDateTime d) {
    auto c = std::make_unique<TDailyDateCondition>();
    c->SetFromDate(d);
    return c;
}

// The frame's result and the expected one agree in text and in arisings.
void Same(TSimpleConditionFrame& frame, const TTimeCondition& time, const TDateCondition& date) {
    const TSimpleInitializeCondition& built = frame.BuildCondition();
    TSimpleInitializeCondition expected;
    expected.SetDateCondition(&date);
    expected.SetTimeCondition(&time);
    QCOMPARE(QText(built.Description()), QText(expected.Description()));
    const auto arisings = TenArisings(built, Start);
    QCOMPARE(arisings.size(), std::size_t{10});
    QVERIFY(arisings == TenArisings(expected, Start));
}

} // namespace

class ConditionKindsTest : public QObject {
    Q_OBJECT
private slots:
    void everyTimeKind() {
        TestClock clock(Start);
        TSimpleConditionFrame frame;
        frame.show();
        TDateFrame& dates = frame.DateFrame();
        TTimeFrame& times = frame.TimeFrame();
        Click(dates, "DailyRadio");
        Date(dates, "DailyFromDate", D(2024, 3, 5));
        const auto daily = EveryDayFrom(EncodeDate(2024, 3, 5));

        Click(times, "AllRadio");
        Shot(frame, "time-all");
        Same(frame, TAllTimeCondition(), *daily);

        Click(times, "OnceRadio");
        Time(times, "OnceTime", T(14, 30));
        Shot(frame, "time-once");
        Same(frame, *OnceAt(14, 30), *daily);

        Click(times, "ByMinuteRadio");
        Spin(times, "ByMinutePeriod", 45);
        Time(times, "ByMinuteFromTime", T(9, 0));
        Time(times, "ByMinuteToTime", T(17, 0));
        Shot(frame, "time-minutely");
        Same(frame, *Periodic<TByMinuteTimeCondition>(9, 17, 45), *daily);

        Click(times, "HourlyRadio");
        Spin(times, "HourlyPeriod", 3);
        Time(times, "HourlyFromTime", T(8, 0));
        Time(times, "HourlyToTime", T(20, 0));
        Shot(frame, "time-hourly");
        Same(frame, *Periodic<THourlyTimeCondition>(8, 20, 3), *daily);

        // Complex: two members added through "Choose time...", the first edited afterwards.
        Click(times, "ComplexRadio");
        WhenDialog([](TEditorDialog& d) {
            QVERIFY(!Find<QRadioButton>(d, "ComplexRadio").isVisibleTo(&d));
            Time(d, "OnceTime", T(7, 15));
            Shot(d, "choose-time");
            Ok(d);
        });
        Click(times, "ComplexAdd");
        WhenDialog([](TEditorDialog& d) {
            Click(d, "HourlyRadio");
            Spin(d, "HourlyPeriod", 2);
            Time(d, "HourlyFromTime", T(12, 0));
            Time(d, "HourlyToTime", T(16, 0));
            Ok(d);
        });
        Click(times, "ComplexAdd");
        QListWidget& list = times.ComplexIncludeList();
        QCOMPARE(list.currentRow(), 1);
        list.setCurrentRow(0);
        WhenDialog([](TEditorDialog& d) {
            QCOMPARE(Find<QTimeEdit>(d, "OnceTime").time(), T(7, 15));
            Time(d, "OnceTime", T(7, 45));
            Ok(d);
        });
        Click(times, "ComplexEdit");
        Shot(frame, "time-complex");
        TComplexTimeCondition complex;
        complex.Conditions().Add(OnceAt(7, 45));
        complex.Conditions().Add(Periodic<THourlyTimeCondition>(12, 16, 2));
        QCOMPARE(list.item(0)->text(), QText(OnceAt(7, 45)->Description()));
        Same(frame, complex, *daily);
    }

    void everyDateKind() {
        TestClock clock(Start);
        TSimpleConditionFrame frame;
        frame.show();
        TDateFrame& dates = frame.DateFrame();
        Time(frame.TimeFrame(), "OnceTime", T(9, 0));
        const auto nine = OnceAt(9, 0);

        // Once.
        Date(dates, "OnceDate", D(2024, 3, 20));
        TOnceDateCondition once;
        once.SetDate(EncodeDate(2024, 3, 20));
        TSimpleInitializeCondition onceExpected;
        onceExpected.SetDateCondition(&once);
        onceExpected.SetTimeCondition(nine.get());
        QCOMPARE(QText(frame.BuildCondition().Description()), QText(onceExpected.Description()));
        QVERIFY(TenArisings(frame.BuildCondition(), Start) == TenArisings(onceExpected, Start));

        // Daily, every third day, five times: the end comes from "Repeat...".
        Click(dates, "DailyRadio");
        Spin(dates, "DailyDayPeriod", 3);
        Date(dates, "DailyFromDate", D(2024, 3, 6));
        WhenDialog([](TEditorDialog& d) {
            Click(d, "UntilTimes");
            QVERIFY(Find<QSpinBox>(d, "TimesEdit").isEnabled());
            QVERIFY(!Find<QDateEdit>(d, "UntilDatePicker").isEnabled());
            Spin(d, "TimesEdit", 5);
            Shot(d, "date-end");
            Ok(d);
        });
        Click(dates, "DailyRepeat");
        TDailyDateCondition daily;
        daily.SetFromDate(EncodeDate(2024, 3, 6));
        daily.SetPeriod(3);
        daily.SetUntilType(utTimes);
        daily.SetTimes(5);
        QCOMPARE(Find<QLineEdit>(dates, "DailyRepeatEdit").text(), QText(daily.UntilText()));
        Shot(frame, "date-daily");
        // Five times only.
        {
            TSimpleInitializeCondition expected;
            expected.SetDateCondition(&daily);
            expected.SetTimeCondition(nine.get());
            QCOMPARE(QText(frame.BuildCondition().Description()), QText(expected.Description()));
            const auto arisings = TenArisings(frame.BuildCondition(), Start);
            QCOMPARE(arisings.size(), std::size_t{5});
            QVERIFY(arisings == TenArisings(expected, Start));
        }

        // Weekly, every second week on Monday and Thursday.
        Click(dates, "WeeklyRadio");
        Spin(dates, "WeeklyWeekPeriod", 2);
        Date(dates, "WeeklyFromDate", D(2024, 3, 5));
        for (int d = 0; d < 7; ++d)
            Find<QCheckBox>(dates, QStringLiteral("Weekly%1").arg(d).toLatin1())
                .setChecked(d == 1 || d == 4);
        Shot(frame, "date-weekly");
        TWeeklyDateCondition weekly;
        weekly.SetFromDate(EncodeDate(2024, 3, 5));
        weekly.SetPeriod(2);
        weekly.SetWeekDays({TDayOfWeekName::Mon, TDayOfWeekName::Thu});
        Same(frame, *nine, weekly);

        // Monthly on the last Friday, until the end of the year.
        Click(dates, "MonthlyRadio");
        Click(dates, "MonthlyOnThe");
        QVERIFY(!Find<QSpinBox>(dates, "MonthlyDayNumber").isEnabled());
        Find<QComboBox>(dates, "MonthlySubjectNumber").setCurrentIndex(4);
        Find<QComboBox>(dates, "MonthlySubjectKind").setCurrentIndex(6);
        Date(dates, "MonthlyFromDate", D(2024, 3, 1));
        WhenDialog([](TEditorDialog& d) {
            QVERIFY(Find<QRadioButton>(d, "UntilForever").isChecked());
            QCOMPARE(Find<QDateEdit>(d, "UntilDatePicker").date(), D(2024, 3, 5));
            Click(d, "UntilDate");
            Date(d, "UntilDatePicker", D(2024, 12, 31));
            Ok(d);
        });
        Click(dates, "MonthlyRepeat");
        Shot(frame, "date-monthly");
        TMonthlyDateCondition monthly;
        monthly.SetFromDate(EncodeDate(2024, 3, 1));
        monthly.SetDayNumber(0);
        monthly.SetSubjectNumber(wmLast);
        monthly.SetSubjectKind(msFri);
        monthly.SetUntilType(utDate);
        monthly.SetToDate(EncodeDate(2024, 12, 31));
        Same(frame, *nine, monthly);

        // Annually on the 15th of January and July, the months from "Select months".
        Click(dates, "YearlyRadio");
        Click(dates, "YearlyOnDay");
        Spin(dates, "YearlyDayNumber", 15);
        Date(dates, "YearlyFromDate", D(2024, 1, 1));
        WhenDialog([](TEditorDialog& d) {
            QVERIFY(!d.findChild<QWidget*>("Help"));
            for (const char* m : {"YearlyJan", "YearlyMar", "YearlyJul"})
                Find<QCheckBox>(d, m).setChecked(true);
            Find<QCheckBox>(d, "YearlyMar").setChecked(false);
            Shot(d, "select-months");
            Ok(d);
        });
        Click(dates, "YearlyMonthsButton");
        QCOMPARE(Find<QLineEdit>(dates, "YearlyMonths").text(),
                 QText(MonthsText({TMonthName::Jan, TMonthName::Jul})));
        Shot(frame, "date-yearly");
        TYearlyDateCondition yearly;
        yearly.SetFromDate(EncodeDate(2024, 1, 1));
        yearly.SetDayNumber(15);
        yearly.SetMonths({TMonthName::Jan, TMonthName::Jul});
        Same(frame, *nine, yearly);

        // Complex: every Wednesday and the 10th of each month, less one Wednesday.
        Click(dates, "ComplexRadio");
        WhenDialog([](TEditorDialog& d) {
            QVERIFY(!Find<QRadioButton>(d, "ComplexRadio").isVisibleTo(&d));
            Click(d, "WeeklyRadio");
            Date(d, "WeeklyFromDate", D(2024, 3, 6));
            Shot(d, "choose-date");
            Ok(d);
        });
        Click(dates, "ComplexAdd");
        WhenDialog([](TEditorDialog& d) {
            Click(d, "MonthlyRadio");
            Date(d, "MonthlyFromDate", D(2024, 3, 10));
            Ok(d);
        });
        Click(dates, "ComplexAdd");
        WhenDialog([](TEditorDialog& exclude) {
            WhenDialog([](TEditorDialog& d) {
                QVERIFY(!Find<QRadioButton>(d, "DailyRadio").isVisibleTo(&d));
                Date(d, "OnceDate", D(2024, 3, 13));
                Ok(d);
            });
            Click(exclude, "ExcludeAdd");
            QCOMPARE(Find<QListWidget>(exclude, "ComplexExcludeList").count(), 1);
            Shot(exclude, "exclude");
            Ok(exclude);
        });
        Click(dates, "ComplexExclude");
        Shot(frame, "date-complex");
        TComplexDateCondition complex;
        auto wednesdays = std::make_unique<TWeeklyDateCondition>();
        wednesdays->SetFromDate(EncodeDate(2024, 3, 6));
        wednesdays->SetWeekDays({TDayOfWeekName::Wed});
        complex.Conditions().Add(std::move(wednesdays));
        auto tenth = std::make_unique<TMonthlyDateCondition>();
        tenth->SetFromDate(EncodeDate(2024, 3, 10));
        tenth->SetDayNumber(10);
        complex.Conditions().Add(std::move(tenth));
        auto skip = std::make_unique<TOnceDateCondition>();
        skip->SetDate(EncodeDate(2024, 3, 13));
        complex.ExcludeConditions().Add(std::move(skip));
        QCOMPARE(Find<QLineEdit>(dates, "ComplexExcludeEdit").text(),
                 QText(complex.ExcludeConditions().JoinedDescription()));
        Same(frame, *nine, complex);
    }
};

QTEST_MAIN(ConditionKindsTest)
#include "ConditionKindsTest.moc"
