#include "core/scheduling/DateCondition.h"

#include "core/util/paAssign.h"
#include "support/TestClock.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace kelvo {
namespace {

TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

class WeekStart {
public:
    explicit WeekStart(int day) : saved_(FirstDayOfWeek()) { SetFirstDayOfWeek(day); }
    ~WeekStart() { SetFirstDayOfWeek(saved_); }

private:
    int saved_;
};

template <typename C> std::unique_ptr<C> Make(TDateTime from, int period = 1) {
    auto c = std::make_unique<C>();
    c->SetFromDate(from);
    c->SetPeriod(period);
    return c;
}

std::unique_ptr<TMonthlyDateCondition> MonthlyOn(TDateTime from, int day, int period = 1) {
    auto c = Make<TMonthlyDateCondition>(from, period);
    c->SetDayNumber(day);
    return c;
}

std::unique_ptr<TMonthlyDateCondition> MonthlyOn(TDateTime from, TWeekOfMonthName which,
                                                 TMonthSubjectName kind) {
    auto c = Make<TMonthlyDateCondition>(from);
    c->SetDayNumber(0);
    c->SetSubjectNumber(which);
    c->SetSubjectKind(kind);
    return c;
}

std::unique_ptr<TOnceDateCondition> OnceOn(TDateTime d) {
    auto c = std::make_unique<TOnceDateCondition>();
    c->SetDate(d);
    return c;
}

// The first n dates a condition gives, each asked from the day after the previous one.
std::vector<TDateTime> Dates(const TDateCondition& c, TDateTime from, int n) {
    std::vector<TDateTime> out;
    TDateTime x = from;
    for (int i = 0; i < n; ++i) {
        const TDateTime r = c.NextDate(x);
        if (IsNullDate(r))
            break;
        out.push_back(r);
        x = r + 1;
    }
    return out;
}

using Ds = std::vector<TDateTime>;

TEST(OnceDate, AdmitsItsDateOnly) {
    auto c = OnceOn(D(2024, 3, 10) + 0.7);
    EXPECT_EQ(c->Date(), D(2024, 3, 10));
    EXPECT_EQ(c->NextDate(D(2024, 3, 1)), D(2024, 3, 10));
    EXPECT_EQ(c->NextDate(D(2024, 3, 10) + 0.9), D(2024, 3, 10));
    EXPECT_EQ(c->NextDate(D(2024, 3, 11)), NullDate);
    EXPECT_TRUE(c->IsReached(D(2024, 3, 1), D(2024, 3, 10)));
    EXPECT_FALSE(c->IsReached(D(2024, 3, 1), D(2024, 3, 9)));
    EXPECT_EQ(c->Description(), "On 2024-03-10");
}

TEST(MonthlyDate, DayNumberIsClampedToTheMonth) {
    EXPECT_EQ(Dates(*MonthlyOn(D(2023, 1, 31), 31), D(2023, 1, 1), 4),
              (Ds{D(2023, 1, 31), D(2023, 2, 28), D(2023, 3, 31), D(2023, 4, 30)}));
    EXPECT_EQ(Dates(*MonthlyOn(D(2024, 1, 31), 31), D(2024, 1, 1), 2),
              (Ds{D(2024, 1, 31), D(2024, 2, 29)}));
}

TEST(MonthlyDate, WeekdayPositions) {
    EXPECT_EQ(Dates(*MonthlyOn(D(2024, 5, 1), wmLast, msFri), D(2024, 5, 1), 3),
              (Ds{D(2024, 5, 31), D(2024, 6, 28), D(2024, 7, 26)}));
    EXPECT_EQ(Dates(*MonthlyOn(D(2024, 4, 1), wmFourth, msMun), D(2024, 4, 1), 2),
              (Ds{D(2024, 4, 22), D(2024, 5, 27)}));
    EXPECT_EQ(Dates(*MonthlyOn(D(2024, 1, 1), wmLast, msDay), D(2024, 1, 1), 2),
              (Ds{D(2024, 1, 31), D(2024, 2, 29)}));
    EXPECT_EQ(Dates(*MonthlyOn(D(2024, 1, 5), wmSecond, msDay), D(2024, 1, 1), 2),
              (Ds{D(2024, 2, 2), D(2024, 3, 2)}));
}

TEST(MonthlyDate, PeriodsCountFromTheMonthOfFromDate) {
    auto c = MonthlyOn(D(2024, 1, 20), 15, 2);
    EXPECT_EQ(Dates(*c, D(2024, 1, 1), 3), (Ds{D(2024, 3, 15), D(2024, 5, 15), D(2024, 7, 15)}));
    EXPECT_EQ(c->NextDate(D(2024, 3, 16)), D(2024, 5, 15));
}

TEST(WeeklyDate, EveryTwoWeeksFromAWednesday) {
    WeekStart monday(1);
    auto c = Make<TWeeklyDateCondition>(D(2024, 5, 1), 2); // a Wednesday
    c->SetWeekDays({TDayOfWeekName::Mon, TDayOfWeekName::Fri});
    EXPECT_EQ(Dates(*c, D(2024, 4, 1), 4),
              (Ds{D(2024, 5, 3), D(2024, 5, 13), D(2024, 5, 17), D(2024, 5, 27)}));
    EXPECT_EQ(c->NextDate(D(2024, 5, 4)), D(2024, 5, 13));
}

TEST(WeeklyDate, TheWeekStartDecidesWhichWeeksCount) {
    auto c = Make<TWeeklyDateCondition>(D(2024, 5, 4), 2); // a Saturday
    c->SetWeekDays({TDayOfWeekName::Sun});
    {
        WeekStart monday(1); // 4 May and Sunday 5 May share a week
        EXPECT_EQ(c->NextDate(D(2024, 5, 4)), D(2024, 5, 5));
    }
    WeekStart sunday(0); // 5 May starts the skipped week
    EXPECT_EQ(c->NextDate(D(2024, 5, 4)), D(2024, 5, 12));
}

TEST(YearlyDate, LeapDayAndSeveralMonths) {
    auto leap = Make<TYearlyDateCondition>(D(2007, 1, 1));
    leap->SetDayNumber(29);
    leap->SetMonths({TMonthName::Feb});
    EXPECT_EQ(Dates(*leap, D(2007, 1, 1), 2), (Ds{D(2007, 2, 28), D(2008, 2, 29)}));

    auto two = Make<TYearlyDateCondition>(D(2005, 6, 1));
    two->SetDayNumber(10);
    two->SetMonths({TMonthName::Mar, TMonthName::Oct});
    EXPECT_EQ(Dates(*two, D(2005, 1, 1), 3),
              (Ds{D(2005, 10, 10), D(2006, 3, 10), D(2006, 10, 10)}));

    auto lastSunday = Make<TYearlyDateCondition>(D(2020, 1, 1), 3);
    lastSunday->SetDayNumber(0);
    lastSunday->SetSubjectNumber(wmLast);
    lastSunday->SetSubjectKind(msSun);
    lastSunday->SetMonths({TMonthName::Mar});
    EXPECT_EQ(Dates(*lastSunday, D(2020, 1, 1), 2), (Ds{D(2020, 3, 29), D(2023, 3, 26)}));
}

TEST(PeriodicDate, NeverAnswersBeforeFromDate) {
    auto daily = Make<TDailyDateCondition>(D(2024, 6, 10), 3);
    EXPECT_EQ(daily->NextDate(D(2024, 1, 1)), D(2024, 6, 10));
    EXPECT_EQ(daily->NextDate(D(2024, 6, 11)), D(2024, 6, 13));
    EXPECT_EQ(daily->NextDate(D(2024, 6, 13) + 0.5), D(2024, 6, 13));
    EXPECT_EQ(daily->NextDate(NullDate), D(2024, 6, 10));
    auto monthly = MonthlyOn(D(2024, 6, 20), 5);
    EXPECT_EQ(monthly->NextDate(D(2024, 6, 1)), D(2024, 7, 5));
}

TEST(PeriodicDate, EndsOnToDateInclusive) {
    auto c = Make<TDailyDateCondition>(D(2024, 3, 1), 2);
    c->SetUntilType(utDate);
    c->SetToDate(D(2024, 3, 9));
    EXPECT_EQ(c->NextDate(D(2024, 3, 8)), D(2024, 3, 9));
    EXPECT_EQ(c->NextDate(D(2024, 3, 10)), NullDate);
    // x compared as a whole: a moment after midnight on the last date is after the end.
    EXPECT_TRUE(c->IsAfterEnd(D(2024, 3, 9) + 0.25));
    EXPECT_FALSE(c->IsAfterEnd(D(2024, 3, 9)));
    EXPECT_EQ(c->NextDate(D(2024, 3, 9) + 0.25), NullDate);
    EXPECT_EQ(c->UntilText(), "until 2024-03-09");
}

TEST(PeriodicDate, CountedEnd) {
    auto c = Make<TDailyDateCondition>(D(2024, 3, 1), 2);
    c->SetUntilType(utTimes);
    c->SetTimes(1);
    EXPECT_EQ(c->ToDate(), D(2024, 3, 1));
    c->SetTimes(3);
    EXPECT_EQ(c->ToDate(), D(2024, 3, 5));
    EXPECT_EQ(c->NextDate(D(2024, 3, 5)), D(2024, 3, 5));
    EXPECT_EQ(c->NextDate(D(2024, 3, 6)), NullDate);
    EXPECT_EQ(c->Times(), 3);
    EXPECT_EQ(c->UntilText(), "3 times");
    c->SetUntilType(utForever);
    EXPECT_EQ(c->Times(), 0);
    EXPECT_EQ(c->ToDate(), NullDate);
    EXPECT_EQ(c->UntilText(), "forever");
}

TEST(NthOccurrence, CountsEveryOccurrenceOnce) {
    WeekStart sunday(0);
    auto weekly = Make<TWeeklyDateCondition>(D(2024, 5, 6)); // a Monday
    weekly->SetWeekDays({TDayOfWeekName::Mon, TDayOfWeekName::Wed});
    EXPECT_EQ(weekly->NthOccurrenceDate(3, weekly->FromDate()), D(2024, 5, 13));
    EXPECT_EQ(MonthlyOn(D(2024, 1, 10), 10)->NthOccurrenceDate(3, D(2024, 1, 10)), D(2024, 3, 10));
    // The scan of the first period ran into the next one and lost an occurrence.
    EXPECT_EQ(MonthlyOn(D(2023, 2, 1), 30)->NthOccurrenceDate(3, D(2023, 2, 1)), D(2023, 4, 30));
    EXPECT_EQ(MonthlyOn(D(2024, 5, 1), wmLast, msFri)->NthOccurrenceDate(3, D(2024, 5, 1)),
              D(2024, 7, 26));
    auto yearly = Make<TYearlyDateCondition>(D(2024, 11, 15), 2);
    yearly->SetDayNumber(31);
    yearly->SetMonths({TMonthName::Jan, TMonthName::Nov, TMonthName::Dec});
    EXPECT_EQ(yearly->NthOccurrenceDate(1, yearly->FromDate()), D(2024, 11, 30));
    EXPECT_EQ(yearly->NthOccurrenceDate(3, yearly->FromDate()), D(2026, 1, 31));
    EXPECT_EQ(yearly->NthOccurrenceDate(6, yearly->FromDate()), D(2028, 1, 31));
}

TEST(NthOccurrence, LargeCountsSkipWholePeriods) {
    auto daily = Make<TDailyDateCondition>(D(2000, 1, 1));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(daily->NthOccurrenceDate(366, D(2000, 1, 1)), D(2000, 12, 31));
    EXPECT_EQ(daily->NthOccurrenceDate(2'000'000'000, D(2000, 1, 1)), MaxDate + 1);
    auto monthly = MonthlyOn(D(2000, 1, 1), 1, 1000);
    EXPECT_GT(monthly->NthOccurrenceDate(2'000'000'000, D(2000, 1, 1)), MaxDate);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    daily->SetUntilType(utTimes);
    daily->SetTimes(2'147'483'647);
    EXPECT_EQ(daily->NextDate(D(2024, 1, 1)), D(2024, 1, 1));
    EXPECT_EQ(daily->NextDate(D(9999, 12, 31)), D(9999, 12, 31));
}

TEST(PeriodicDate, DegenerateInputsTerminate) {
    auto noDays = Make<TWeeklyDateCondition>(D(2024, 1, 1));
    noDays->SetWeekDays({});
    EXPECT_EQ(noDays->NextDate(D(2024, 1, 3)), NullDate);
    EXPECT_EQ(noDays->Description(), "No day of week selected");
    noDays->SetUntilType(utTimes);
    noDays->SetTimes(5);
    EXPECT_EQ(noDays->NextDate(D(2023, 1, 1)), NullDate);

    auto noMonths = Make<TYearlyDateCondition>(D(2024, 1, 1));
    noMonths->SetMonths({});
    EXPECT_EQ(noMonths->NextDate(D(2024, 1, 3)), NullDate);
    EXPECT_EQ(noMonths->Description(), "No months selected");

    for (int period : {0, -1, -100}) {
        auto daily = Make<TDailyDateCondition>(D(2024, 1, 1), period);
        EXPECT_EQ(daily->NextDate(D(2024, 1, 5)), D(2024, 1, 5));
        auto monthly = MonthlyOn(D(2024, 1, 1), 3, period);
        EXPECT_EQ(monthly->NextDate(D(2024, 1, 5)), D(2024, 2, 3));
    }
    for (int times : {0, -3}) {
        auto daily = Make<TDailyDateCondition>(D(2024, 1, 1));
        daily->SetUntilType(utTimes);
        daily->SetTimes(times);
        EXPECT_EQ(daily->NextDate(D(2023, 1, 1)), NullDate);
    }
    auto badKind = MonthlyOn(D(2024, 1, 1), wmFirst, static_cast<TMonthSubjectName>(12));
    EXPECT_EQ(badKind->NextDate(D(2024, 1, 1)), NullDate);
    badKind->SetUntilType(utTimes);
    EXPECT_EQ(badKind->NextDate(D(2024, 1, 1)), NullDate);
    auto hugeDay = MonthlyOn(D(2024, 1, 1), 1'000'000);
    EXPECT_EQ(hugeDay->NextDate(D(2024, 2, 1)), D(2024, 2, 29));
}

TEST(PeriodicDate, DamagedStoredValuesGiveSaneAnswers) {
    auto once = OnceOn(std::nan(""));
    EXPECT_EQ(once->Date(), NullDate);
    EXPECT_EQ(once->NextDate(D(2024, 1, 1)), NullDate);
    auto monthly = MonthlyOn(D(2024, 1, 1), 1, 7);
    monthly->SetFromDate(-1e300);
    EXPECT_EQ(monthly->FromDate(), -3.65e10);
    const TDateTime r = monthly->NextDate(D(2024, 1, 1));
    ASSERT_FALSE(IsNullDate(r));
    EXPECT_EQ(DayOfMonthOf(r), 1);
    EXPECT_EQ(monthly->NextDate(r), r);
    monthly->SetFromDate(1e300);
    EXPECT_EQ(monthly->NextDate(D(2024, 1, 1)), NullDate);
    EXPECT_EQ(monthly->NextDate(std::nan("")), NullDate);
}

TEST(PeriodicDate, NoAnswerAfterTheYear9999) {
    auto daily = Make<TDailyDateCondition>(D(9999, 12, 30));
    EXPECT_EQ(daily->NextDate(D(9999, 12, 31)), D(9999, 12, 31));
    EXPECT_EQ(daily->NextDate(D(9999, 12, 31) + 1), NullDate);
    EXPECT_EQ(daily->NextDate(1e15), NullDate);
    auto yearly = Make<TYearlyDateCondition>(D(9999, 1, 1));
    yearly->SetDayNumber(1);
    yearly->SetMonths({TMonthName::Jan});
    EXPECT_EQ(yearly->NextDate(D(9999, 1, 2)), NullDate);
    EXPECT_EQ(OnceOn(D(9999, 12, 31) + 5)->NextDate(D(2024, 1, 1)), NullDate);
    TComplexDateCondition complex;
    complex.Conditions().Add(Make<TDailyDateCondition>(D(9999, 12, 30)));
    complex.ExcludeConditions().Add(OnceOn(D(9999, 12, 31)));
    EXPECT_EQ(complex.NextDate(D(9999, 12, 31)), NullDate);
}

TEST(ComplexDate, ExcludedDatesAreSkipped) {
    TComplexDateCondition c;
    c.Conditions().Add(Make<TDailyDateCondition>(D(2024, 1, 1)));
    c.ExcludeConditions().Add(OnceOn(D(2024, 3, 10)));
    c.ExcludeConditions().Add(OnceOn(D(2024, 3, 11)));
    EXPECT_EQ(c.NextDate(D(2024, 3, 10)), D(2024, 3, 12));
    EXPECT_EQ(c.NextDate(D(2024, 3, 9)), D(2024, 3, 9));
    EXPECT_EQ(c.Description(),
              "Every day starting from 2024-01-01 exclude On 2024-03-10, On 2024-03-11");

    TDateConditionList list;
    list.Add(OnceOn(D(2024, 5, 1)));
    list.Add(OnceOn(D(2024, 4, 1)));
    list.Add(OnceOn(D(2024, 4, 1)));
    const auto e = list.EarliestNextDate(D(2024, 1, 1));
    EXPECT_EQ(e.Date, D(2024, 4, 1));
    EXPECT_EQ(e.Index, 1);
    const int skip[] = {1};
    EXPECT_EQ(list.EarliestNextDate(D(2024, 1, 1), skip).Index, 2);
    EXPECT_EQ(list.JoinedDescription(), "On 2024-05-01, On 2024-04-01, On 2024-04-01");
}

TEST(ComplexDate, ExclusionOfEverythingAnswersNullDateQuickly) {
    TComplexDateCondition c;
    c.Conditions().Add(Make<TDailyDateCondition>(D(2024, 1, 1)));
    auto all = std::make_unique<TComplexDateCondition>();
    all->Conditions().Add(Make<TDailyDateCondition>(D(2000, 1, 1)));
    c.ExcludeConditions().Add(std::move(all));
    ASSERT_EQ(c.ExcludeConditions().Count(), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(c.NextDate(D(2024, 1, 1)), NullDate);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

    // Many excluded dates in a row are all skipped: each once exclusion is met only once.
    TComplexDateCondition many;
    many.Conditions().Add(Make<TDailyDateCondition>(D(2024, 1, 1)));
    for (int i = 0; i < 4500; ++i)
        many.ExcludeConditions().Add(OnceOn(D(2024, 1, 1) + i));
    EXPECT_EQ(many.NextDate(D(2023, 1, 1)), D(2024, 1, 1) + 4500);
}

TEST(ComplexDate, ExclusionListDiscardsPeriodicConditions) {
    TComplexDateCondition c;
    c.ExcludeConditions().Add(Make<TDailyDateCondition>(D(2024, 1, 1)));
    c.ExcludeConditions().Add(OnceOn(D(2024, 1, 2)));
    c.ExcludeConditions().Add(MonthlyOn(D(2024, 1, 1), 3));
    ASSERT_EQ(c.ExcludeConditions().Count(), 1);
    EXPECT_EQ(c.ExcludeConditions().Items(0).ClassName(), "TOnceDateCondition");

    TDateConditionList mixed;
    auto noDays = Make<TWeeklyDateCondition>(D(2024, 1, 1));
    noDays->SetWeekDays({});
    mixed.Add(std::move(noDays));
    mixed.Add(OnceOn(D(2024, 2, 2)));
    c.SetExcludeConditions(mixed);
    ASSERT_EQ(c.ExcludeConditions().Count(), 1);
    EXPECT_EQ(static_cast<TOnceDateCondition&>(c.ExcludeConditions().Items(0)).Date(),
              D(2024, 2, 2));
    c.SetConditions(mixed);
    EXPECT_EQ(c.Conditions().Count(), 2);
    EXPECT_EQ(c.Description(), "No day of week selected, On 2024-02-02 exclude On 2024-02-02");
}

TEST(DateDescriptions, AreTheProgramsTexts) {
    auto daily = Make<TDailyDateCondition>(D(2024, 3, 1));
    EXPECT_EQ(daily->Description(), "Every day starting from 2024-03-01");
    daily->SetPeriod(3);
    daily->SetUntilType(utDate);
    daily->SetToDate(D(2024, 4, 1));
    EXPECT_EQ(daily->Description(), "Every 3 day(s) starting from 2024-03-01 to 2024-04-01");

    auto weekly = Make<TWeeklyDateCondition>(D(2024, 3, 1));
    weekly->SetWeekDays({TDayOfWeekName::Fri, TDayOfWeekName::Mon});
    EXPECT_EQ(weekly->Description(), "Every week on Monday, Friday starting from 2024-03-01");
    weekly->SetPeriod(2);
    EXPECT_EQ(weekly->Description(), "Every 2 week(s) on Monday, Friday starting from 2024-03-01");

    auto monthly = MonthlyOn(D(2024, 3, 1), 15);
    EXPECT_EQ(monthly->Description(), "Every month on 15 day starting from 2024-03-01");
    auto last = MonthlyOn(D(2024, 3, 1), wmLast, msFri);
    last->SetPeriod(2);
    last->SetUntilType(utTimes);
    last->SetTimes(2);
    EXPECT_EQ(last->Description(),
              "Every 2 month(s) on last Friday starting from 2024-03-01 to 2024-05-31");

    auto yearly = Make<TYearlyDateCondition>(D(2024, 3, 1));
    yearly->SetDayNumber(0);
    yearly->SetSubjectNumber(wmSecond);
    yearly->SetSubjectKind(msDay);
    yearly->SetMonths({TMonthName::Oct, TMonthName::Mar});
    EXPECT_EQ(yearly->Description(),
              "Every year on second day of March, October starting from 2024-03-01");
    yearly->SetPeriod(4);
    EXPECT_EQ(yearly->Description(),
              "Every 4 year(s) on second day of March, October starting from 2024-03-01");
    TComplexDateCondition empty;
    empty.ExcludeConditions().Add(OnceOn(D(2024, 1, 1)));
    EXPECT_EQ(empty.Description(), "");
}

TEST(DateChange, SettersReportOnlyRealChanges) {
    auto c = Make<TWeeklyDateCondition>(D(2024, 3, 1));
    int changes = 0;
    c->OnChange = [&](TDateCondition& sender) {
        EXPECT_EQ(&sender, c.get());
        ++changes;
    };
    c->SetFromDate(D(2024, 3, 1) + 0.5);
    c->SetPeriod(1);
    EXPECT_EQ(changes, 0);
    c->SetFromDate(D(2024, 3, 2));
    c->SetWeekDays({TDayOfWeekName::Tue});
    EXPECT_EQ(changes, 2);
    c->BeginUpdate();
    c->BeginUpdate();
    c->SetPeriod(3);
    c->SetTimes(4);
    c->EndUpdate();
    EXPECT_EQ(changes, 2);
    c->EndUpdate();
    EXPECT_EQ(changes, 3);
    c->EndUpdate();
    EXPECT_EQ(c->UpdateCount(), 0);
    EXPECT_EQ(changes, 3);

    TComplexDateCondition source;
    source.Conditions().Add(OnceOn(D(2024, 1, 1)));
    source.ExcludeConditions().Add(OnceOn(D(2024, 1, 2)));
    TComplexDateCondition target;
    int targetChanges = 0;
    target.OnChange = [&](TDateCondition&) { ++targetChanges; };
    target.Assign(source);
    EXPECT_EQ(targetChanges, 1);
    EXPECT_EQ(target.Description(), source.Description());
    EXPECT_NE(&target.Conditions().Items(0), &source.Conditions().Items(0));
}

TEST(DateAssign, CopiesWhatBothClassesShare) {
    auto yearly = Make<TYearlyDateCondition>(D(2020, 2, 2), 3);
    yearly->SetUntilType(utDate);
    yearly->SetToDate(D(2030, 1, 1));
    yearly->SetDayNumber(0);
    yearly->SetSubjectNumber(wmThird);
    yearly->SetSubjectKind(msWed);
    yearly->SetMonths({TMonthName::Jun});

    TMonthlyDateCondition monthly;
    monthly.Assign(*yearly);
    EXPECT_EQ(monthly.FromDate(), D(2020, 2, 2));
    EXPECT_EQ(monthly.Period(), 3);
    EXPECT_EQ(monthly.UntilType(), utDate);
    EXPECT_EQ(monthly.ToDate(), D(2030, 1, 1));
    EXPECT_EQ(monthly.DayNumber(), 0);
    EXPECT_EQ(monthly.SubjectNumber(), wmThird);
    EXPECT_EQ(monthly.SubjectKind(), msWed);

    TWeeklyDateCondition weekly;
    const TDaysOfWeek before = weekly.WeekDays();
    weekly.Assign(monthly);
    EXPECT_EQ(weekly.Period(), 3);
    EXPECT_EQ(weekly.WeekDays(), before);

    auto clone = yearly->Clone();
    EXPECT_EQ(clone->ClassName(), "TYearlyDateCondition");
    EXPECT_EQ(clone->Description(), yearly->Description());

    TOnceDateCondition once;
    const TDateTime date = once.Date();
    EXPECT_THROW(once.Assign(*yearly), EAssignError);
    EXPECT_EQ(once.Date(), date);
    EXPECT_THROW(yearly->Assign(once), EAssignError);
    EXPECT_EQ(yearly->Period(), 3);
    EXPECT_THROW(TComplexDateCondition().Assign(once), EAssignError);
}

TEST(DateDefaults, CreationSetDefaultAndSetStartDate) {
    test::TestClock clock(EncodeDateTime(2024, 7, 18, 12, 0)); // a Thursday
    TOnceDateCondition once;
    EXPECT_EQ(once.Date(), D(2024, 7, 18));
    TWeeklyDateCondition weekly;
    EXPECT_EQ(weekly.FromDate(), D(2024, 7, 18));
    EXPECT_EQ(weekly.WeekDays(), TDaysOfWeek{TDayOfWeekName::Thu});
    EXPECT_EQ(weekly.UntilType(), utForever);
    EXPECT_EQ(weekly.StoredTimes(), 1);
    EXPECT_EQ(weekly.StoredToDate(), NullDate);
    TYearlyDateCondition yearly;
    EXPECT_EQ(yearly.DayNumber(), 18);
    EXPECT_EQ(yearly.SubjectNumber(), wmFirst);
    EXPECT_EQ(yearly.SubjectKind(), msDay);
    EXPECT_EQ(yearly.Months(), TMonths{TMonthName::Jul});

    yearly.SetPeriod(5);
    yearly.SetUntilType(utTimes);
    yearly.SetDefault(D(2025, 2, 3));
    EXPECT_EQ(yearly.Period(), 1);
    EXPECT_EQ(yearly.UntilType(), utForever);
    EXPECT_EQ(yearly.FromDate(), D(2025, 2, 3));
    EXPECT_EQ(yearly.DayNumber(), 3);
    EXPECT_EQ(yearly.Months(), TMonths{TMonthName::Feb});

    weekly.SetPeriod(2);
    weekly.SetStartDate(D(2024, 7, 20) + 0.3);
    EXPECT_EQ(weekly.FromDate(), D(2024, 7, 20));
    EXPECT_EQ(weekly.Period(), 2);
    EXPECT_EQ(weekly.WeekDays(), TDaysOfWeek{TDayOfWeekName::Sat});

    TComplexDateCondition complex;
    complex.Conditions().Add(OnceOn(D(2020, 1, 1)));
    complex.Conditions().Add(Make<TDailyDateCondition>(D(2020, 1, 1)));
    complex.SetStartDate(D(2024, 9, 9));
    EXPECT_EQ(static_cast<TOnceDateCondition&>(complex.Conditions().Items(0)).Date(),
              D(2024, 9, 9));
    EXPECT_EQ(complex.NextDate(D(2024, 1, 1)), D(2024, 9, 9));
}

TEST(DateConditionList, ReplaceAndDelete) {
    TDateConditionList list;
    list.Add(OnceOn(D(2024, 1, 1)));
    list.Add(Make<TDailyDateCondition>(D(2024, 1, 1)));
    TDateCondition* first = &list.Items(0);
    auto other = OnceOn(D(2024, 6, 6));
    list.Replace(0, *other);
    EXPECT_EQ(&list.Items(0), first);
    EXPECT_EQ(static_cast<TOnceDateCondition&>(list.Items(0)).Date(), D(2024, 6, 6));
    list.Replace(0, list.Items(0));
    list.Replace(1, *other);
    EXPECT_EQ(list.Items(1).ClassName(), "TOnceDateCondition");
    EXPECT_NE(&list.Items(1), other.get());
    EXPECT_THROW(list.Items(2), EDateConditionError);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    list.Remove(&list.Items(0));
    EXPECT_EQ(list.Count(), 0);
}

TEST(DateKinds, EditorOrderAndEnumNames) {
    for (int kind = 0; kind < 6; ++kind) {
        auto c = CreateDateCondition(kind);
        ASSERT_TRUE(c);
        EXPECT_EQ(DateConditionKind(*c), kind);
    }
    EXPECT_EQ(CreateDateCondition(6), nullptr);
    EXPECT_EQ(EnumName(utTimes), "utTimes");
    EXPECT_EQ(EnumFromName<TUntilType>("utDate"), utDate);
}

} // namespace
} // namespace kelvo
