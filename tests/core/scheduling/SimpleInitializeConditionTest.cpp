#include "core/scheduling/SimpleInitializeCondition.h"

#include "support/TestClock.h"

#include <gtest/gtest.h>
#include <random>

using namespace kelvo;
using kelvo::test::TestClock;

namespace {

TDateTime DT(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    return EncodeDateTime(y, m, d, h, mi, s);
}

#define EXPECT_DT(expected, actual) EXPECT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))

std::unique_ptr<TDailyDateCondition> EveryDay(TDateTime from, int period = 1) {
    auto d = std::make_unique<TDailyDateCondition>();
    d->SetFromDate(from);
    d->SetPeriod(period);
    return d;
}

std::unique_ptr<TByMinuteTimeCondition> ByMinute(int count, TDateTime from, TDateTime to) {
    auto t = std::make_unique<TByMinuteTimeCondition>();
    t->SetFromTime(from);
    t->SetToTime(to);
    t->SetCountPeriod(count);
    return t;
}

std::unique_ptr<TSimpleInitializeCondition> Simple(const TDateCondition& d,
                                                   const TTimeCondition& t) {
    auto c = std::make_unique<TSimpleInitializeCondition>();
    c->SetDateCondition(&d);
    c->SetTimeCondition(&t);
    return c;
}

} // namespace

TEST(SimpleInitializeCondition, CreatedOnceTodayAtMidnight) {
    TestClock clock(DT(2024, 3, 10, 15, 20));
    TSimpleInitializeCondition c;
    auto* d = dynamic_cast<TOnceDateCondition*>(c.DateCondition());
    auto* t = dynamic_cast<TOnceTimeCondition*>(c.TimeCondition());
    ASSERT_TRUE(d && t);
    EXPECT_DT(DT(2024, 3, 10), d->Date());
    EXPECT_DT(0, t->Time());
    EXPECT_EQ("On 2024-03-10, At 00:00", c.Description());

    TSimpleInitializeCondition quick(DT(2024, 4, 1, 9, 45));
    EXPECT_DT(DT(2024, 4, 1, 9, 45), quick.NextArise(DT(2024, 1, 1)));
    EXPECT_EQ("On 2024-04-01, At 09:45", quick.Description());
}

TEST(SimpleInitializeCondition, OnceAtNine) {
    TSimpleInitializeCondition c(DT(2024, 3, 10, 9));
    EXPECT_DT(DT(2024, 3, 10, 9), c.NextArise(DT(2024, 3, 10, 8)));
    EXPECT_DT(DT(2024, 3, 10, 9), c.NextArise(DT(2024, 3, 10, 9)));
    EXPECT_TRUE(IsNullDate(c.NextArise(DT(2024, 3, 10, 9, 0, 1))));
    EXPECT_DT(DT(2024, 3, 10, 9), c.NextArise(DT(2024, 3, 1, 12)));
    EXPECT_DT(DT(2024, 3, 10, 9), c.NextArise(NullDate));
    EXPECT_DT(DT(2024, 3, 10, 9), c.NextArise(MinDate));
}

TEST(SimpleInitializeCondition, EveryThirtyMinutesOfEveryDay) {
    auto c = Simple(*EveryDay(DT(2024, 3, 1)), *ByMinute(30, EncodeTime(8, 0), EncodeTime(10, 0)));
    EXPECT_DT(DT(2024, 3, 10, 9, 30), c->NextArise(DT(2024, 3, 10, 9, 10)));
    EXPECT_DT(DT(2024, 3, 11, 8), c->NextArise(DT(2024, 3, 10, 10, 15)));
    EXPECT_DT(DT(2024, 3, 10, 10), c->NextArise(DT(2024, 3, 10, 9, 59)));
    EXPECT_DT(DT(2024, 3, 1, 8), c->NextArise(DT(2020, 1, 1)));
    EXPECT_EQ("Every day starting from 2024-03-01, Every 30 minute(s) from 08:00 to 10:00",
              c->Description());
}

TEST(SimpleInitializeCondition, AllDayArisesOnceADayWhileChecking) {
    auto c = Simple(*EveryDay(DT(2024, 3, 1)), TAllTimeCondition());
    const TDateTime x = DT(2024, 3, 10, 10, 15);
    EXPECT_DT(x, c->NextAriseForCheck(x));
    c->SetLastAppear(DT(2024, 3, 10, 0, 0, 30));
    EXPECT_DT(DT(2024, 3, 11), c->NextAriseForCheck(x));
    EXPECT_DT(x, c->NextArise(x));
}

TEST(SimpleInitializeCondition, AllDayInsideATimeListArisesOnceADayToo) {
    TComplexTimeCondition times;
    auto at15 = std::make_unique<TOnceTimeCondition>();
    at15->SetTime(EncodeTime(15, 0));
    times.Conditions().Add(std::move(at15));
    times.Conditions().Add(std::make_unique<TAllTimeCondition>());
    auto c = Simple(*EveryDay(DT(2024, 3, 1)), times);
    c->SetLastAppear(DT(2024, 3, 10, 0, 0, 30));
    EXPECT_DT(DT(2024, 3, 11), c->NextAriseForCheck(DT(2024, 3, 10, 10, 15)));
    EXPECT_DT(DT(2024, 3, 10, 10, 15), c->NextArise(DT(2024, 3, 10, 10, 15)));
}

TEST(SimpleInitializeCondition, AllDayAfterTheClockWentBackStillHasLaterDays) {
    // Every second day; the last appearance lies on the next admitted day (the clock went
    // back), which the check skips, but not the days after it.
    auto c = Simple(*EveryDay(DT(2024, 3, 1), 2), TAllTimeCondition());
    c->SetLastAppear(DT(2024, 3, 11, 0, 0, 30));
    EXPECT_DT(DT(2024, 3, 9, 22), c->NextAriseForCheck(DT(2024, 3, 9, 22)));
    EXPECT_DT(DT(2024, 3, 13), c->NextAriseForCheck(DT(2024, 3, 10, 12)));
    EXPECT_DT(DT(2024, 3, 13), c->NextAriseForCheck(DT(2024, 3, 11, 8)));
    EXPECT_DT(DT(2024, 3, 11), c->NextArise(DT(2024, 3, 10, 12)));
}

TEST(SimpleInitializeCondition, MissingPartsNeverArise) {
    TSimpleInitializeCondition c(DT(2024, 3, 10, 9));
    c.SetTimeCondition(nullptr);
    EXPECT_EQ(nullptr, c.TimeCondition());
    EXPECT_TRUE(IsNullDate(c.NextArise(DT(2024, 1, 1))));
    EXPECT_EQ("Initialize condition is empty", c.Description());
    c.SetTimeCondition(ByMinute(5, EncodeTime(8, 0), EncodeTime(9, 0)).get());
    c.SetDateCondition(nullptr);
    EXPECT_TRUE(IsNullDate(c.NextArise(DT(2024, 1, 1))));
}

TEST(SimpleInitializeCondition, SettersKeepPrivateCopies) {
    TSimpleInitializeCondition c(DT(2024, 3, 10, 9));
    TDateCondition* held = c.DateCondition();
    TOnceDateCondition other;
    other.SetDate(DT(2025, 1, 1));
    c.SetDateCondition(&other);
    EXPECT_EQ(held, c.DateCondition()); // same class: assigned in place
    EXPECT_DT(DT(2025, 1, 1), static_cast<TOnceDateCondition*>(c.DateCondition())->Date());
    auto daily = EveryDay(DT(2024, 1, 1), 2);
    c.SetDateCondition(daily.get());
    ASSERT_NE(daily.get(), c.DateCondition());
    EXPECT_EQ("TDailyDateCondition", c.DateCondition()->ClassName());
    daily->SetPeriod(5);
    EXPECT_EQ(2, static_cast<TDailyDateCondition*>(c.DateCondition())->Period());

    auto copy = c.Clone();
    auto& s = static_cast<TSimpleInitializeCondition&>(*copy);
    EXPECT_NE(c.DateCondition(), s.DateCondition());
    EXPECT_EQ("TDailyDateCondition", s.DateCondition()->ClassName());
    EXPECT_DT(DT(2024, 1, 1, 9), s.NextArise(DT(2024, 1, 1)));
}

TEST(SimpleInitializeCondition, ResetToDefaultAndStartDate) {
    TestClock clock(DT(2024, 3, 10, 15, 20));
    auto c =
        Simple(*EveryDay(DT(2024, 3, 1), 3), *ByMinute(30, EncodeTime(8, 0), EncodeTime(10, 0)));
    c->SetLastAppear(DT(2024, 3, 2));
    c->SetStartDate(DT(2024, 5, 5));
    EXPECT_DT(DT(2024, 5, 5, 8), c->NextArise(DT(2024, 1, 1)));
    c->ResetToDefault(DT(2024, 6, 1, 7, 15));
    EXPECT_TRUE(IsNullDate(c->LastAppear()));
    EXPECT_DT(DT(2024, 6, 1, 7, 15), c->NextArise(DT(2024, 1, 1)));
    // A by-minute time resets to one step: dt's time and one minute later.
    EXPECT_DT(DT(2024, 6, 1, 7, 16), c->NextArise(DT(2024, 6, 1, 7, 15, 1)));
    EXPECT_DT(DT(2024, 6, 2, 7, 15), c->NextArise(DT(2024, 6, 1, 7, 16, 1)));
}

TEST(SimpleInitializeCondition, CheckReportsOneOfThreeMissedDays) {
    TestClock clock(DT(2024, 3, 13, 10));
    auto once = std::make_unique<TOnceTimeCondition>();
    once->SetTime(EncodeTime(8, 0));
    auto c = Simple(*EveryDay(DT(2024, 3, 1)), *once);
    c->SetDateOfCreate(DT(2024, 3, 1));
    c->SetLastAppear(DT(2024, 3, 10, 8, 0, 1));
    std::vector<TDateTime> late, arisen;
    c->OnLate = [&](TDateTime t) { late.push_back(t); };
    c->OnArise = [&](TDateTime t) { arisen.push_back(t); };
    c->Check(DT(2024, 3, 13, 9, 59, 59) + 1.0 / MSecsPerDay, DT(2024, 3, 13, 10, 0, 59));
    ASSERT_EQ(1u, late.size());
    EXPECT_DT(DT(2024, 3, 11, 8), late[0]);
    clock.Set(DT(2024, 3, 13, 10, 1));
    c->Check(DT(2024, 3, 13, 10, 0, 59) + 1.0 / MSecsPerDay, DT(2024, 3, 13, 10, 1, 59));
    EXPECT_EQ(1u, late.size());
    EXPECT_TRUE(arisen.empty());
}

// ---------------------------------------------------------------------------------------------
// Generated conditions against a minute-by-minute enumeration.

namespace {

struct Generated {
    std::unique_ptr<TDateCondition> date;
    std::unique_ptr<TTimeCondition> time;
    // Minutes of the day the time condition admits.
    std::vector<bool> minutes = std::vector<bool>(1440, false);
};

Generated Generate(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Generated g;
    const TDateTime from = DT(2023, 1, 1) + pick(0, 500);
    switch (pick(0, 3)) {
    case 0:
        g.date = EveryDay(from, pick(1, 4));
        break;
    case 1: {
        auto w = std::make_unique<TWeeklyDateCondition>();
        w->SetFromDate(from);
        w->SetPeriod(pick(1, 3));
        w->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(pick(0, 127))));
        g.date = std::move(w);
        break;
    }
    case 2: {
        auto m = std::make_unique<TMonthlyDateCondition>();
        m->SetFromDate(from);
        m->SetPeriod(pick(1, 3));
        m->SetDayNumber(pick(-1, 31));
        m->SetSubjectNumber(static_cast<TWeekOfMonthName>(pick(0, 4)));
        m->SetSubjectKind(static_cast<TMonthSubjectName>(pick(0, 7)));
        g.date = std::move(m);
        break;
    }
    default: {
        auto o = std::make_unique<TOnceDateCondition>();
        o->SetDate(from);
        g.date = std::move(o);
        break;
    }
    }
    switch (pick(0, 2)) {
    case 0: {
        auto o = std::make_unique<TOnceTimeCondition>();
        const int m = pick(0, 1439);
        o->SetTime(MsToTime(m * MSecsPerMinute));
        g.minutes[static_cast<std::size_t>(m)] = true;
        g.time = std::move(o);
        break;
    }
    case 1: {
        const int from = pick(0, 1439), to = pick(0, 1439), count = pick(1, 90);
        g.time = ByMinute(count, MsToTime(from * MSecsPerMinute), MsToTime(to * MSecsPerMinute));
        for (int m = from; m <= to; m += count)
            g.minutes[static_cast<std::size_t>(m)] = true;
        break;
    }
    default: {
        auto h = std::make_unique<THourlyTimeCondition>();
        const int from = pick(0, 1439), to = pick(0, 1439), count = pick(1, 5);
        h->SetFromTime(MsToTime(from * MSecsPerMinute));
        h->SetToTime(MsToTime(to * MSecsPerMinute));
        h->SetCountPeriod(count);
        for (int m = from; m <= to; m += 60 * count)
            g.minutes[static_cast<std::size_t>(m)] = true;
        g.time = std::move(h);
        break;
    }
    }
    return g;
}

// The first admitted minute at or after x, within `days` days, or NullDate.
TDateTime Enumerate(const Generated& g, TDateTime x, int days) {
    const std::int64_t xMs = DateTimeToMs(x);
    for (int i = 0; i <= days; ++i) {
        const TDateTime d = DateOf(x) + i;
        if (g.date->NextDate(d) != d)
            continue;
        for (int m = 0; m < 1440; ++m) {
            if (!g.minutes[static_cast<std::size_t>(m)])
                continue;
            const std::int64_t ms = DateTimeToMs(d) + m * MSecsPerMinute;
            if (ms >= xMs)
                return MsToDateTime(ms);
        }
    }
    return NullDate;
}

} // namespace

TEST(SimpleInitializeCondition, NextAriseMatchesMinuteEnumeration) {
    std::mt19937 rng(7);
    const int horizon = 130;
    for (int round = 0; round < 400; ++round) {
        SetFirstDayOfWeek(round % 7);
        Generated g = Generate(rng);
        auto c = Simple(*g.date, *g.time);
        for (int q = 0; q < 6; ++q) {
            const TDateTime x = DT(2023, 1, 1) + std::uniform_int_distribution<int>(-20, 600)(rng) +
                                std::uniform_int_distribution<int>(0, 86399)(rng) / 86400.0;
            const TDateTime expected = Enumerate(g, x, horizon);
            const TDateTime actual = c->NextArise(x);
            if (IsNullDate(expected)) {
                // Nothing within the horizon: anything given lies beyond it.
                if (!IsNullDate(actual)) {
                    ASSERT_GT(actual, x + horizon) << c->Description();
                }
                continue;
            }
            ASSERT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))
                << c->Description() << " x " << x;
        }
    }
    SetFirstDayOfWeek(0);
}

// The slow walk PreviousArise replaces: every arising from the first one, one minute past
// each.
TEST(SimpleInitializeCondition, PreviousAriseMatchesTheWalk) {
    std::mt19937 rng(11);
    for (int round = 0; round < 150; ++round) {
        Generated g = Generate(rng);
        auto c = Simple(*g.date, *g.time);
        const TDateTime x = DT(2023, 1, 1) + std::uniform_int_distribution<int>(-10, 120)(rng) +
                            std::uniform_int_distribution<int>(0, 86399)(rng) / 86400.0;
        TDateTime r = c->NextArise(NullDate);
        if (!IsNullDate(r)) {
            TDateTime e = c->NextArise(r);
            while (!IsNullDate(e) && e <= x) {
                r = e;
                e = c->NextArise(IncMinute(1, e));
            }
        }
        const TDateTime expected = (!IsNullDate(r) && r <= x) ? r : NullDate;
        ASSERT_EQ(DateTimeToMs(expected), DateTimeToMs(c->PreviousArise(x))) << c->Description();
    }
    // All day: the walk steps through the day minute by minute.
    auto allDay = Simple(*EveryDay(DT(2024, 3, 1), 2), TAllTimeCondition());
    EXPECT_DT(DT(2024, 3, 5, 13, 7), allDay->PreviousArise(DT(2024, 3, 5, 13, 7, 42)));
    EXPECT_DT(DT(2024, 3, 5, 23, 59), allDay->PreviousArise(DT(2024, 3, 6, 13)));
}
