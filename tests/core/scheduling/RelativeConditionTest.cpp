#include "core/scheduling/RelativeCondition.h"

#include <gtest/gtest.h>
#include <random>

using namespace kelvo;

namespace {

TDateTime DT(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    return EncodeDateTime(y, m, d, h, mi, s);
}

#define EXPECT_DT(expected, actual) EXPECT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))

std::unique_ptr<TOnceRelativeCondition> Once(int n, TPeriodType unit, TDateTime base) {
    auto c = std::make_unique<TOnceRelativeCondition>();
    c->SetFromSubject({n, unit});
    c->SetBaseDateTime(base);
    return c;
}

} // namespace

TEST(RelativeSubjectRecord, NumberBelowOneReadsOneEverywhere) {
    TRelativeSubjectRecord r(0, ptHour);
    EXPECT_EQ(1, r.Number());
    EXPECT_EQ(0, r.StoredNumber());
    EXPECT_EQ("1 hour(s)", r.SubjectText());
    EXPECT_DT(DT(2024, 3, 10, 8), r.SubtractFrom(DT(2024, 3, 10, 9)));
    TRelativeSubjectRecord copy(5, ptDay);
    copy.Assign(TRelativeSubjectRecord(-3, ptWeek));
    EXPECT_EQ(1, copy.StoredNumber());
    EXPECT_EQ(ptWeek, copy.Subject());
}

TEST(RelativeSubjectRecord, TextsPerUnit) {
    EXPECT_EQ("", TRelativeSubjectRecord(3, ptSec).SubjectText());
    EXPECT_EQ("3 minute(s)", TRelativeSubjectRecord(3, ptMinute).SubjectText());
    EXPECT_EQ("2 day(s)", TRelativeSubjectRecord(2, ptDay).SubjectText());
    EXPECT_EQ("4 week(s)", TRelativeSubjectRecord(4, ptWeek).SubjectText());
    EXPECT_EQ("1 month(s)", TRelativeSubjectRecord(1, ptMonth).SubjectText());
    EXPECT_EQ("7 year(s)", TRelativeSubjectRecord(7, ptYear).SubjectText());
    // One month before 31 March is the end of February.
    EXPECT_DT(DT(2024, 2, 29, 10),
              TRelativeSubjectRecord(1, ptMonth).SubtractFrom(DT(2024, 3, 31, 10)));
    EXPECT_DT(DT(2023, 2, 28, 10),
              TRelativeSubjectRecord(1, ptMonth).SubtractFrom(DT(2023, 3, 31, 10)));
}

TEST(RelativeCondition, LeadSpanAndDefaults) {
    TOnceRelativeCondition once;
    EXPECT_EQ(1, once.FromSubject().Number());
    EXPECT_EQ(ptDay, once.FromSubject().Subject());
    once.SetFromSubject({2, ptDay});
    EXPECT_DOUBLE_EQ(2.0, once.LeadSpan());
    once.SetFromSubject({3, ptHour});
    EXPECT_DOUBLE_EQ(0.125, once.LeadSpan());
    once.SetFromSubject({1, ptMonth});
    EXPECT_DOUBLE_EQ(31.0, once.LeadSpan());
    once.SetDefault();
    EXPECT_TRUE(once.FromSubject().SameAs({1, ptDay}));

    TPeriodicRelativeCondition p;
    EXPECT_EQ(ruUntilEvent, p.UntilType());
    EXPECT_EQ(0, p.UntilSubject().StoredNumber());
    EXPECT_EQ(1, p.UntilSubject().Number());
    EXPECT_EQ(1, p.UntilTimes());
    p.SetFromSubject({4, ptHour});
    p.SetPeriodSubject({2, ptMinute});
    p.SetUntilType(ruUntilTimes);
    p.SetUntilSubject({3, ptHour});
    p.SetUntilTimes(9);
    p.SetDefault();
    EXPECT_TRUE(p.FromSubject().SameAs({1, ptDay}));
    EXPECT_TRUE(p.PeriodSubject().SameAs({1, ptDay}));
    EXPECT_EQ(ruUntilEvent, p.UntilType());
    // Left as they were.
    EXPECT_TRUE(p.UntilSubject().SameAs({3, ptHour}));
    EXPECT_EQ(9, p.UntilTimes());
}

TEST(RelativeCondition, IsDateOnly) {
    TOnceRelativeCondition once;
    once.SetFromSubject({1, ptHour});
    EXPECT_FALSE(once.IsDateOnly());
    once.SetFromSubject({1, ptWeek});
    EXPECT_TRUE(once.IsDateOnly());
    TPeriodicRelativeCondition p;
    EXPECT_TRUE(p.IsDateOnly());
    p.SetPeriodSubject({3, ptHour});
    EXPECT_FALSE(p.IsDateOnly());
}

TEST(RelativeCondition, AssignCopiesWhatBothHave) {
    TPeriodicRelativeCondition src;
    src.SetFromSubject({5, ptHour});
    src.SetPeriodSubject({10, ptMinute});
    src.SetUntilType(ruUntilSubject);
    src.SetUntilSubject({1, ptHour});
    src.SetUntilTimes(4);

    TOnceRelativeCondition once;
    once.Assign(src);
    EXPECT_TRUE(once.FromSubject().SameAs({5, ptHour}));

    auto copy = src.Clone();
    auto* p = dynamic_cast<TPeriodicRelativeCondition*>(copy.get());
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->PeriodSubject().SameAs({10, ptMinute}));
    EXPECT_EQ(ruUntilSubject, p->UntilType());
    EXPECT_TRUE(p->UntilSubject().SameAs({1, ptHour}));
    EXPECT_EQ(4, p->UntilTimes());

    TPeriodicRelativeCondition target;
    target.Assign(once);
    EXPECT_TRUE(target.FromSubject().SameAs({5, ptHour}));
    EXPECT_TRUE(target.PeriodSubject().SameAs({1, ptDay}));
}

TEST(RelativeCondition, Descriptions) {
    TOnceRelativeCondition once;
    once.SetFromSubject({2, ptDay});
    EXPECT_EQ("Once on 2 day(s) before event", once.Description());
    once.SetFromSubject({30, ptSec});
    EXPECT_EQ("Once on  before event", once.Description());

    TPeriodicRelativeCondition p;
    p.SetFromSubject({3, ptHour});
    p.SetPeriodSubject({1, ptHour});
    EXPECT_EQ("Every 1 hour(s) from 3 hour(s) before event", p.Description());
    EXPECT_EQ("until event", p.UntilText());
    p.SetUntilType(ruUntilSubject);
    p.SetUntilSubject({30, ptMinute});
    EXPECT_EQ("Every 1 hour(s) from 3 hour(s) before event until 30 minute(s) before event",
              p.Description());
    EXPECT_EQ("until 30 minute(s) before event", p.UntilText());
    p.SetUntilType(ruUntilTimes);
    p.SetUntilTimes(3);
    EXPECT_EQ("Every 1 hour(s) from 3 hour(s) before event 3 times", p.Description());
    EXPECT_EQ("3 times", p.UntilText());
}

TEST(OnceRelativeCondition, DaysBeforeCompareDates) {
    auto c = Once(2, ptDay, DT(2024, 3, 10, 9));
    EXPECT_DT(DT(2024, 3, 8, 9), c->NextDate(DT(2024, 3, 8, 12)));
    EXPECT_DT(DT(2024, 3, 8, 9), c->NextDate(DT(2024, 3, 1)));
    EXPECT_TRUE(IsNullDate(c->NextDate(DT(2024, 3, 9))));
}

TEST(OnceRelativeCondition, MinutesBeforeCompareMoments) {
    auto c = Once(30, ptMinute, DT(2024, 3, 10, 9));
    EXPECT_DT(DT(2024, 3, 10, 8, 30), c->NextDate(DT(2024, 3, 10, 8, 30)));
    EXPECT_TRUE(IsNullDate(c->NextDate(DT(2024, 3, 10, 8, 30, 1))));
}

TEST(PeriodicRelativeCondition, HourlyUntilEvent) {
    TPeriodicRelativeCondition p;
    p.SetFromSubject({3, ptHour});
    p.SetPeriodSubject({1, ptHour});
    p.SetBaseDateTime(DT(2024, 3, 10, 12));
    EXPECT_DT(DT(2024, 3, 10, 9), p.NextDate(DT(2024, 3, 10, 0)));
    EXPECT_DT(DT(2024, 3, 10, 10), p.NextDate(DT(2024, 3, 10, 9, 0, 1)));
    EXPECT_DT(DT(2024, 3, 10, 11), p.NextDate(DT(2024, 3, 10, 10, 15)));
    EXPECT_DT(DT(2024, 3, 10, 11), p.NextDate(DT(2024, 3, 10, 11)));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 10, 11, 30))));
}

TEST(PeriodicRelativeCondition, TimesCountsMomentsBeforeTheEvent) {
    TPeriodicRelativeCondition p;
    p.SetFromSubject({1, ptDay});
    p.SetPeriodSubject({2, ptHour});
    p.SetUntilType(ruUntilTimes);
    p.SetUntilTimes(3);
    const TDateTime event = DT(2024, 3, 10, 12);
    p.SetBaseDateTime(event);
    EXPECT_DT(DT(2024, 3, 9, 12), p.NextDate(DT(2024, 3, 9)));
    EXPECT_DT(DT(2024, 3, 9, 14), p.NextDate(DT(2024, 3, 9, 13)));
    EXPECT_DT(DT(2024, 3, 9, 16), p.NextDate(DT(2024, 3, 9, 15)));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 9, 17))));

    p.SetUntilTimes(1);
    EXPECT_DT(DT(2024, 3, 9, 12), p.NextDate(DT(2024, 3, 9)));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 9, 12, 0, 1))));
    // Below one never gives a moment, and terminates.
    p.SetUntilTimes(0);
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 9))));
    p.SetUntilTimes(-5);
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 9))));
    // Many times never pass the event; 64-bit product of times and period.
    p.SetUntilTimes(2000000000);
    p.SetPeriodSubject({2000000000, ptSec});
    EXPECT_DT(DT(2024, 3, 9, 12), p.NextDate(DT(2024, 3, 9)));
}

TEST(PeriodicRelativeCondition, UntilSubject) {
    TPeriodicRelativeCondition p;
    p.SetFromSubject({10, ptDay});
    p.SetPeriodSubject({1, ptDay});
    p.SetUntilType(ruUntilSubject);
    p.SetUntilSubject({2, ptDay});
    p.SetBaseDateTime(DT(2024, 3, 20, 9));
    EXPECT_DT(DT(2024, 3, 10, 9), p.NextDate(DT(2024, 3, 1)));
    EXPECT_DT(DT(2024, 3, 17, 9), p.NextDate(DT(2024, 3, 17, 23)));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 18))));
}

TEST(PeriodicRelativeCondition, MonthlyWithClampedDays) {
    TPeriodicRelativeCondition p;
    p.SetFromSubject({3, ptMonth});
    p.SetPeriodSubject({1, ptMonth});
    p.SetBaseDateTime(DT(2008, 5, 31, 9));
    EXPECT_DT(DT(2008, 2, 29, 9), p.NextDate(DT(2008, 1, 1)));
    EXPECT_DT(DT(2008, 3, 29, 9), p.NextDate(DT(2008, 3, 1)));

    // First moment 31 January 2007.
    p.SetFromSubject({4, ptMonth});
    p.SetBaseDateTime(DT(2007, 5, 31, 9));
    EXPECT_DT(DT(2007, 1, 31, 9), p.NextDate(DT(2007, 1, 1)));
    EXPECT_DT(DT(2007, 3, 28, 9), p.NextDate(DT(2007, 3, 1)));
    // Never before x: further periods are counted from the first moment.
    EXPECT_DT(DT(2007, 3, 31, 9), p.NextDate(DT(2007, 3, 30)));
    EXPECT_DT(DT(2007, 3, 31, 9), p.NextDate(DT(2007, 3, 31)));
    EXPECT_DT(DT(2007, 4, 30, 9), p.NextDate(DT(2007, 4, 1)));
    EXPECT_DT(DT(2007, 5, 30, 9), p.NextDate(DT(2007, 5, 29)));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2007, 5, 31))));

    // Across many months and days of the month: never before x, never decreasing with x.
    for (int lead = 1; lead <= 14; ++lead) {
        p.SetFromSubject({lead, ptMonth});
        for (int day = 28; day <= 31; ++day) {
            p.SetBaseDateTime(EncodeDateClamped(2009, 3, day) + 0.375);
            TDateTime previous = NullDate;
            for (TDateTime x = DT(2007, 12, 1); x < DT(2009, 4, 1); x += 0.5) {
                const TDateTime r = p.NextDate(x);
                if (IsNullDate(r))
                    continue;
                ASSERT_GE(DateOf(r), DateOf(x));
                ASSERT_GE(r, previous);
                previous = r;
            }
        }
    }
}

TEST(PeriodicRelativeCondition, DateOnlyKeepsTheMomentOfXsDay) {
    // Asked after the event's time of day on a reminder day, that day still counts: the
    // owner gives it its own time of day.
    TPeriodicRelativeCondition p;
    p.SetFromSubject({3, ptDay});
    p.SetPeriodSubject({1, ptDay});
    p.SetBaseDateTime(DT(2024, 3, 10, 9));
    EXPECT_DT(DT(2024, 3, 7, 9), p.NextDate(DT(2024, 3, 7, 10)));
    EXPECT_DT(DT(2024, 3, 9, 9), p.NextDate(DT(2024, 3, 9, 23)));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 10, 8))));
}

TEST(PeriodicRelativeCondition, UnknownUntilTypeGivesNothing) {
    TPeriodicRelativeCondition p;
    p.SetUntilType(static_cast<TRelativeUntilType>(7));
    p.SetBaseDateTime(DT(2024, 3, 10, 9));
    EXPECT_TRUE(IsNullDate(p.NextDate(DT(2024, 3, 1))));
}

// The moments of a periodic condition in units up to weeks are a, a + p, a + 2p, ... before
// the limit; the first not before x (x's day when date-only) is the answer.
TEST(PeriodicRelativeCondition, MatchesEnumerationOfMoments) {
    std::mt19937 rng(20240310);
    const TPeriodType units[] = {ptSec, ptMinute, ptHour, ptDay, ptWeek};
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 3000; ++round) {
        TPeriodicRelativeCondition p;
        p.SetFromSubject({pick(1, 40), units[pick(0, 4)]});
        p.SetPeriodSubject({pick(0, 30), units[pick(0, 4)]});
        p.SetUntilType(static_cast<TRelativeUntilType>(pick(0, 2)));
        p.SetUntilSubject({pick(1, 20), units[pick(0, 4)]});
        p.SetUntilTimes(pick(1, 12));
        const TDateTime base = IncMinute(pick(0, 1440 * 400), DT(2023, 1, 1));
        p.SetBaseDateTime(base);

        const TDateTime a = p.FromSubject().SubtractFrom(base);
        TDateTime limit = base;
        const std::int64_t pn = p.PeriodSubject().Number();
        if (p.UntilType() == ruUntilSubject)
            limit = p.UntilSubject().SubtractFrom(base);
        if (p.UntilType() == ruUntilTimes)
            limit = std::min(base, IncPeriod(p.PeriodSubject().Subject(), p.UntilTimes() * pn, a));

        for (int q = 0; q < 8; ++q) {
            const TDateTime x = IncSecond(-pick(-3600, 86400 * 60), base);
            const TDateTime from = p.IsDateOnly() ? DateOf(x) : x;
            // The moments in whole milliseconds: a + k * step.
            std::int64_t unitMs = MSecsPerSec;
            switch (p.PeriodSubject().Subject()) {
            case ptMinute:
                unitMs = MSecsPerMinute;
                break;
            case ptHour:
                unitMs = MSecsPerHour;
                break;
            case ptDay:
                unitMs = MSecsPerDay;
                break;
            case ptWeek:
                unitMs = 7 * MSecsPerDay;
                break;
            default:
                break;
            }
            const std::int64_t step = unitMs * pn;
            const std::int64_t aMs = DateTimeToMs(a);
            const std::int64_t fromMs = DateTimeToMs(from);
            const std::int64_t k = fromMs <= aMs ? 0 : (fromMs - aMs + step - 1) / step;
            const std::int64_t m = aMs + k * step;
            const TDateTime expected = m < DateTimeToMs(limit) ? MsToDateTime(m) : NullDate;
            ASSERT_EQ(DateTimeToMs(expected), DateTimeToMs(p.NextDate(x)))
                << p.Description() << " base " << base << " x " << x;
        }
    }
}
