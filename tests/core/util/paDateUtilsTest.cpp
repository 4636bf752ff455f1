#include "core/util/paDateUtils.h"

#include "core/util/paFormat.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}
TDateTime DT(int y, int m, int d, int h, int n, int s = 0) {
    return EncodeDateTime(y, m, d, h, n, s);
}

class WeekStart {
public:
    explicit WeekStart(int day) : saved_(FirstDayOfWeek()) { SetFirstDayOfWeek(day); }
    ~WeekStart() { SetFirstDayOfWeek(saved_); }

private:
    int saved_;
};

TEST(DateEncoding, EpochAndSentinelsSitWhereTheStoredDataExpectsThem) {
    EXPECT_EQ(D(1899, 12, 30), 0.0);
    EXPECT_EQ(D(1, 1, 1), MinDate);
    EXPECT_EQ(D(9999, 12, 31), MaxDate);
    EXPECT_EQ(D(2000, 1, 1), 36526.0);
    EXPECT_EQ(D(1970, 1, 1), 25569.0);
    const TDateParts p = DecodeDate(NullDate);
    EXPECT_EQ(p.Year, 0);
    EXPECT_EQ(p.Month, 12);
    EXPECT_EQ(p.Day, 31);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EDateUtilsError);
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
}

TEST(DateEncoding, DecodeRoundTripsEveryDayOfFourCenturies) {
    TDateTime d = D(1800, 1, 1);
    for (int i = 0; i < 146097; ++i, d += 1) {
        const TDateParts p = DecodeDate(d);
        ASSERT_EQ(EncodeDate(p.Year, p.Month, p.Day), d);
        ASSERT_EQ(DayOfWeek0(d), (DayOfWeek0(d - 1) + 1) % 7);
    }
    EXPECT_EQ(DayOfWeek0(D(2024, 5, 1)), 3); // a Wednesday
    // Far outside the range that stored data uses, decoding still round-trips.
    for (std::int64_t year : {-99'999'999LL, -270'000LL, -1LL, 0LL, 270'000LL, 99'999'999LL}) {
        for (int month : {1, 2, 12}) {
            const TDateTime x = EncodeDate(year, month, month == 2 ? 28 : 31);
            const TDateParts p = DecodeDate(x);
            EXPECT_EQ(p.Year, year);
            EXPECT_EQ(p.Month, month);
            EXPECT_EQ(EncodeDate(p.Year, p.Month, p.Day), x);
        }
    }
}

TEST(DateParts, DateAndTimeOfKeepTheSign) {
    const TDateTime x = DT(2024, 3, 5, 18, 0);
    EXPECT_EQ(DateOf(x), D(2024, 3, 5));
    EXPECT_DOUBLE_EQ(TimeOf(x), 0.75);
    EXPECT_LT(TimeOf(NoTime), 0);
    EXPECT_EQ(CombineDateTime(D(2020, 1, 1), x), D(2020, 1, 1) + TimeOf(x));
    const TTimeParts t = DecodeTime(EncodeTime(9, 10, 11, 12));
    EXPECT_EQ(t.Hour, 9);
    EXPECT_EQ(t.Minute, 10);
    EXPECT_EQ(t.Second, 11);
    EXPECT_EQ(t.MSec, 12);
    EXPECT_EQ(TimeOfDayMs(EncodeTime(9, 10)), 9 * MSecsPerHour + 10 * MSecsPerMinute);
}

TEST(Sentinels, AreRecognisedAndOrderFirst) {
    EXPECT_TRUE(IsNoTime(-0.99999));
    EXPECT_TRUE(IsNoTime(-0.1));
    EXPECT_FALSE(IsNoTime(0));
    EXPECT_TRUE(IsNullDate(-693594.0));
    EXPECT_FALSE(IsNullDate(D(2024, 1, 1)));
    EXPECT_FALSE(IsNullDate(MinDate));
    EXPECT_EQ(CompareDateTime(NullDate, D(1, 1, 1)), -1);
    EXPECT_EQ(CompareDateTime(NullDate, D(2024, 1, 1)), -1);
    EXPECT_EQ(CompareDate(DT(2024, 1, 1, 10, 0), DT(2024, 1, 1, 23, 0)), 0);
    EXPECT_TRUE(SameDate(DT(2024, 1, 1, 10, 0), D(2024, 1, 1)));
}

TEST(MonthArithmetic, ClampsTheDayToTheTargetMonth) {
    EXPECT_EQ(IncMonth(1, D(2023, 1, 31)), D(2023, 2, 28));
    EXPECT_EQ(IncMonth(1, D(2024, 1, 31)), D(2024, 2, 29));
    EXPECT_EQ(IncMonth(-1, D(2023, 3, 31)), D(2023, 2, 28));
    EXPECT_EQ(IncMonth(-1, D(2024, 3, 31)), D(2024, 2, 29));
    EXPECT_EQ(IncYear(1, D(2008, 2, 29)), D(2009, 2, 28));
    EXPECT_EQ(IncMonth(3, D(2022, 11, 30)), D(2023, 2, 28));
    EXPECT_EQ(IncMonth(3, D(2023, 11, 30)), D(2024, 2, 29));
    EXPECT_EQ(IncMonth(-13, D(2024, 1, 15)), D(2022, 12, 15));
    EXPECT_EQ(IncMonth(24, D(2024, 1, 15)), D(2026, 1, 15));
    EXPECT_EQ(IncMonth(1, DT(2024, 1, 15, 10, 30)), DT(2024, 2, 15, 10, 30));
    EXPECT_EQ(IncDateParts(2, 1, 1, D(2024, 1, 31)), D(2025, 3, 2));
}

TEST(MonthArithmetic, HugeCountsStayDefined) {
    EXPECT_GT(IncMonth(std::int64_t{1} << 60, D(2024, 1, 1)), MaxDate);
    EXPECT_LT(IncYear(-(std::int64_t{1} << 60), D(2024, 1, 1)), MinDate);
    EXPECT_GT(IncMinute(std::int64_t{1} << 40, D(2024, 1, 1)), MaxDate);
}

TEST(TimeArithmetic, WorksOnWholeMillisecondsIn64Bits) {
    EXPECT_EQ(IncTime(25, 30, 0, 0, D(2024, 1, 1)), DT(2024, 1, 2, 1, 30));
    EXPECT_EQ(IncMinute(50000, D(2024, 1, 1)), D(2024, 1, 1) + MsToTime(50000 * MSecsPerMinute));
    EXPECT_EQ(DateTimeToMs(IncMinute(3'000'000'000, D(2000, 1, 1))),
              DateTimeToMs(D(2000, 1, 1)) + 3'000'000'000 * MSecsPerMinute);
    EXPECT_EQ(IncMinute(-90, DT(2024, 1, 1, 1, 0)), DT(2023, 12, 31, 23, 30));
    TDateTime t = DT(2024, 1, 1, 8, 0);
    for (int i = 0; i < 4; ++i)
        t = IncMinute(15, t);
    EXPECT_EQ(t, DT(2024, 1, 1, 9, 0));
    EXPECT_EQ(IncPeriod(ptWeek, 2, D(2024, 1, 1)), D(2024, 1, 15));
    EXPECT_EQ(IncPeriod(ptSec, 61, D(2024, 1, 1)), DT(2024, 1, 1, 0, 1, 1));
    EXPECT_THROW(IncPeriod(static_cast<TPeriodType>(9), 1, 0), EDateUtilsError);
}

TEST(Counting, DaysAreCalendarDaysAndHoursAreExact) {
    const TDateTime a = DT(2024, 1, 1, 23, 0);
    const TDateTime b = DT(2024, 1, 2, 1, 0);
    EXPECT_EQ(DaysBetween(a, b), 1);
    EXPECT_EQ(HoursBetween(a, b), 2);
    EXPECT_EQ(MinutesBetween(a, b), 120);
    EXPECT_EQ(SecondsBetween(a, b), 7200);
    EXPECT_EQ(HoursBetween(b, a), -2);
    EXPECT_EQ(DaysBetween(b, a), 0);
    EXPECT_EQ(WeeksBetween(D(2024, 1, 1), D(2024, 1, 14)), 1);
    EXPECT_EQ(WeeksBetween(D(2024, 1, 4), D(2024, 1, 1)), 0);
    EXPECT_EQ(MonthsBetween(D(2005, 1, 31), D(2005, 2, 28)), 0);
    EXPECT_EQ(MonthsBetween(D(2005, 1, 1), D(2005, 2, 1)), 1);
    EXPECT_EQ(MonthsBetween(D(2005, 2, 1), D(2005, 1, 1)), 0);
    EXPECT_EQ(YearsBetween(D(2004, 2, 29), D(2005, 2, 28)), 0);
    EXPECT_EQ(YearsBetween(D(2004, 2, 29), D(2005, 3, 1)), 1);
    EXPECT_EQ(PeriodBetween(ptMonth, D(2005, 1, 1), D(2006, 3, 1)), 14);
    try {
        PeriodBetween(static_cast<TPeriodType>(7), 0, 1);
        FAIL();
    } catch (const EDateUtilsError& e) {
        EXPECT_STREQ(e.what(), "PeriodBetween: unexpected case value");
    }
}

TEST(Counting, CalendarDifference) {
    EXPECT_EQ(CalendarDifference(D(2005, 1, 31), D(2005, 2, 28)), (TCalendarDifference{0, 0, 28}));
    EXPECT_EQ(CalendarDifference(D(2005, 1, 31), D(2006, 1, 30)), (TCalendarDifference{0, 11, 30}));
    EXPECT_EQ(CalendarDifference(D(2006, 1, 30), D(2005, 1, 31)), (TCalendarDifference{0, 11, 30}));
    EXPECT_EQ(CalendarDifference(D(2000, 3, 15), D(2024, 3, 15)), (TCalendarDifference{24, 0, 0}));
}

TEST(WeekPositions, FollowTheFirstDayOfWeek) {
    const TDateTime sunday = D(2024, 5, 5);
    const TDateTime monday = D(2024, 5, 6);
    {
        WeekStart w(1);
        EXPECT_EQ(StartOfWeek(sunday), D(2024, 4, 29));
        EXPECT_EQ(EndOfWeek(sunday), sunday);
        EXPECT_EQ(LastDayOfWeek(), 0);
    }
    {
        WeekStart w(6);
        EXPECT_EQ(StartOfWeek(monday), D(2024, 5, 4));
        EXPECT_EQ(LastDayOfWeek(), 5);
    }
    WeekStart w(0);
    EXPECT_EQ(LastDayOfWeek(), 6);
    for (int f = 0; f < 7; ++f) {
        SetFirstDayOfWeek(f);
        for (TDateTime d = D(2024, 1, 1); d < D(2024, 1, 15); d += 1) {
            const TDateTime s = StartOfWeek(d + 0.5);
            ASSERT_EQ(DayOfWeek0(s), f);
            ASSERT_LE(s, d);
            ASSERT_GT(s, d - 7);
        }
    }
}

TEST(MonthPositions, NthWeekdayInMonth) {
    EXPECT_EQ(NthWeekdayInMonth(wmLast, msSun, D(2024, 3, 10)), D(2024, 3, 31)); // a Sunday
    EXPECT_EQ(NthWeekdayInMonth(wmLast, msFri, D(2024, 5, 1)), D(2024, 5, 31));
    EXPECT_EQ(NthWeekdayInMonth(wmFirst, msFri, D(2024, 5, 20)), D(2024, 5, 3));
    EXPECT_EQ(NthWeekdayInMonth(wmFourth, msMun, D(2024, 4, 1)), D(2024, 4, 22));
    EXPECT_EQ(NthWeekdayInMonth(wmLast, msDay, D(2024, 2, 1)), D(2024, 2, 29));
    EXPECT_EQ(NthWeekdayInMonth(wmSecond, msDay, D(2024, 2, 20)), D(2024, 2, 2));
    EXPECT_EQ(NthWeekdayInMonth(wmFirst, static_cast<TMonthSubjectName>(8), D(2024, 2, 1)),
              NullDate);
    for (TDateTime m = D(2000, 1, 1); m < D(2030, 1, 1); m = IncMonth(1, m)) {
        const TDateTime f = NthWeekdayInMonth(wmFourth, msFri, m);
        ASSERT_GE(DayOfMonthOf(f), 22);
        ASSERT_LE(DayOfMonthOf(f), 28);
        ASSERT_EQ(DayOfWeek0(f), 5);
        const TDateTime l = NthWeekdayInMonth(wmLast, msTue, m);
        ASSERT_EQ(MonthOf(l), MonthOf(m));
        ASSERT_NE(MonthOf(l + 7), MonthOf(m));
    }
    EXPECT_EQ(StartOfMonth(DT(2024, 2, 20, 5, 0)), D(2024, 2, 1));
    EXPECT_EQ(EndOfMonth(D(2023, 2, 20)), D(2023, 2, 28));
    EXPECT_EQ(StartOfYear(D(2023, 7, 20)), D(2023, 1, 1));
}

TEST(Texts, DefaultLocaleIsFixedEnglish) {
    EXPECT_EQ(ShortDateText(D(2024, 3, 5)), "2024-03-05");
    EXPECT_EQ(ShortTimeText(EncodeTime(9, 5)), "09:05");
    EXPECT_EQ(ShortTimeText(EncodeTime(23, 59, 59, 999)), "23:59");
    EXPECT_EQ(FormatDateTime("dddd d mmmm yyyy h:mm:ss.zzz am/pm", DT(2024, 3, 5, 15, 7, 9)),
              "Tuesday 5 March 2024 3:07:09.000 pm");
    EXPECT_EQ(FormatDateTime("ddd, mmm dd 'yy' yy", D(2024, 3, 5)), "Tue, Mar 05 yy 24");
    EXPECT_EQ(FormatDateTime("c", DT(2024, 3, 5, 15, 7)), "2024-03-05 15:07");
    EXPECT_EQ(WeekDaysText({TDayOfWeekName::Fri, TDayOfWeekName::Sun}), "Sunday, Friday");
    EXPECT_EQ(MonthsText({TMonthName::Oct, TMonthName::Mar}), "March, October");
    EXPECT_EQ(MonthsText({}), "");
    EXPECT_EQ(SubjectKindName(msDay), "day");
    EXPECT_EQ(SubjectKindName(msSun), "Sunday");
    EXPECT_EQ(SubjectKindName(msMun), "Monday");
    EXPECT_EQ(WeekOfMonthText(wmLast), "last");
    EXPECT_EQ(Format("Every %d day(s) %s, 100%%", {"3", "starting from x"}),
              "Every 3 day(s) starting from x, 100%");
}

TEST(Enumerations, ElementNamesRoundTrip) {
    EXPECT_EQ(EnumName(ptYear), "ptYear");
    EXPECT_EQ(EnumName(msMun), "msMun");
    EXPECT_EQ(EnumName(TDayOfWeekName::Sat), "Sat");
    EXPECT_EQ(EnumName(TMonthName::Dec), "Dec");
    EXPECT_EQ(EnumFromName<TWeekOfMonthName>("wmFourth"), wmFourth);
    EXPECT_FALSE(EnumFromName<TPeriodType>("ptDecade").has_value());
    EXPECT_EQ(EnumName(static_cast<TPeriodType>(42)), "");
    TDaysOfWeek days{TDayOfWeekName::Mon, TDayOfWeekName::Wed};
    EXPECT_EQ(days.ToBits(), 0b1010);
    EXPECT_EQ(days.Count(), 2);
    days.Exclude(TDayOfWeekName::Mon);
    EXPECT_FALSE(days.Contains(TDayOfWeekName::Mon));
    EXPECT_EQ(TMonths::All().ToBits(), 0x0FFF);
    EXPECT_EQ(TMonths::FromBits(0xFFFF).Count(), 12);
}

TEST(Clock, NowReadsTheInstalledClock) {
    {
        const test::TestClock fixed(DT(2024, 3, 5, 10, 30));
        EXPECT_EQ(Now(), DT(2024, 3, 5, 10, 30));
        EXPECT_EQ(Today(), D(2024, 3, 5));
        EXPECT_DOUBLE_EQ(CurrentTime(), EncodeTime(10, 30));
    }
    const TDateTime real = Now();
    EXPECT_GT(real, D(2020, 1, 1));
    EXPECT_LT(real, MaxDate);
}

} // namespace
} // namespace kelvo
