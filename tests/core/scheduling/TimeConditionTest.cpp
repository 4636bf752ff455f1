#include "core/scheduling/TimeCondition.h"

#include "core/util/paAssign.h"
#include "support/TestClock.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace kelvo {
namespace {

TDateTime T(int h, int m, int s = 0) {
    return EncodeTime(h, m, s);
}
std::int64_t Ms(TDateTime t) {
    return TimeOfDayMs(t);
}

template <typename C> std::unique_ptr<C> Periodic(TDateTime from, TDateTime to, int count) {
    auto c = std::make_unique<C>();
    c->SetFromTime(from);
    c->SetToTime(to);
    c->SetCountPeriod(count);
    return c;
}

std::unique_ptr<TOnceTimeCondition> Once(TDateTime t) {
    auto c = std::make_unique<TOnceTimeCondition>();
    c->SetTime(t);
    return c;
}

#define EXPECT_TIME(actual, expected) EXPECT_EQ(Ms(actual), Ms(expected))

TEST(OnceTime, AdmitsItsTimeUpToAndIncludingIt) {
    auto c = Once(T(9, 0));
    EXPECT_TIME(c->NextTime(T(8, 0)), T(9, 0));
    EXPECT_TIME(c->NextTime(T(9, 0)), T(9, 0));
    EXPECT_TRUE(IsNoTime(c->NextTime(T(9, 0, 1))));
    EXPECT_TRUE(c->IsReached(T(8, 0), T(9, 0)));
    EXPECT_FALSE(c->IsReached(T(8, 0), T(8, 59, 59)));
    EXPECT_FALSE(c->IsReached(T(9, 1), T(23, 0)));
}

TEST(OnceTime, AnyBinaryRoundingOfTheSameTimeIsAdmitted) {
    // 09:10 reached three ways that differ in the last bits.
    const TDateTime a = 9.0 / 24 + 10.0 / 1440;
    const TDateTime b = (9 * 60 + 10) / 1440.0;
    const TDateTime c = TimeOf(IncMinute(550, EncodeDate(2024, 1, 1)));
    for (TDateTime stored : {a, b, c}) {
        auto once = Once(stored);
        for (TDateTime asked : {a, b, c})
            EXPECT_FALSE(IsNoTime(once->NextTime(asked))) << stored << " " << asked;
    }
}

TEST(OnceTime, SetterKeepsTheTimeOfDayOnly) {
    auto c = Once(EncodeDateTime(2024, 5, 6, 7, 30));
    EXPECT_TIME(c->Time(), T(7, 30));
    EXPECT_LT(c->Time(), 1.0);
    TOnceTimeCondition fresh;
    EXPECT_EQ(fresh.Time(), 0.0);
    c->SetTime(std::nan(""));
    EXPECT_EQ(c->Time(), 0.0);
}

TEST(ByMinuteTime, StepsAreStrictlyAfterExceptAtTheStart) {
    auto c = Periodic<TByMinuteTimeCondition>(T(8, 0), T(9, 0), 15);
    EXPECT_TIME(c->NextTime(T(7, 0)), T(8, 0));
    EXPECT_TIME(c->NextTime(T(8, 0)), T(8, 0));
    EXPECT_TIME(c->NextTime(T(8, 1)), T(8, 15));
    EXPECT_TIME(c->NextTime(T(8, 15)), T(8, 30));
    EXPECT_TIME(c->NextTime(T(8, 59)), T(9, 0));
    EXPECT_TRUE(IsNoTime(c->NextTime(T(9, 0))));
    EXPECT_TRUE(IsNoTime(c->NextTime(T(9, 0, 30))));
    EXPECT_DOUBLE_EQ(c->Step(), 15.0 / 1440);
    EXPECT_EQ(c->StepMs(), 15 * MSecsPerMinute);
}

TEST(ByMinuteTime, LastStepOnToTimeIsReachedWithInexactBounds) {
    // Bounds computed by fractions of a day, as stored data holds them.
    auto c = Periodic<TByMinuteTimeCondition>(8.0 / 24, 9.0 / 24, 15);
    EXPECT_TIME(c->NextTime(8.0 / 24 + 45.0 / 1440 + 1e-9), T(9, 0));
    auto d = Periodic<TByMinuteTimeCondition>(0.1, 0.1 + 7 * 10.0 / 1440, 10);
    EXPECT_FALSE(IsNoTime(d->NextTime(0.1 + 65.0 / 1440)));
}

TEST(HourlyTime, EveryTwoHours) {
    auto c = Periodic<THourlyTimeCondition>(T(8, 0), T(17, 0), 2);
    std::vector<std::int64_t> points;
    TDateTime t = 0;
    for (int guard = 0; guard < 100; ++guard) {
        const TDateTime r = c->NextTime(t);
        if (IsNoTime(r))
            break;
        points.push_back(Ms(r) / MSecsPerHour);
        t = MsToTime(Ms(r) + 1);
    }
    EXPECT_EQ(points, (std::vector<std::int64_t>{8, 10, 12, 14, 16}));
    EXPECT_TRUE(IsNoTime(c->NextTime(T(16, 30))));
}

TEST(PeriodicTime, DegenerateInputsTerminate) {
    auto backwards = Periodic<THourlyTimeCondition>(T(17, 0), T(8, 0), 1);
    for (int h = 0; h < 24; ++h)
        EXPECT_TRUE(IsNoTime(backwards->NextTime(T(h, 0))));
    for (int count : {0, -5}) {
        auto c = Periodic<TByMinuteTimeCondition>(T(8, 0), T(9, 0), count);
        EXPECT_TIME(c->NextTime(T(7, 0)), T(8, 0));
        EXPECT_TRUE(IsNoTime(c->NextTime(T(8, 1))));
    }
    // 50 000 minutes overflows 32-bit milliseconds.
    auto wide = Periodic<TByMinuteTimeCondition>(T(0, 0), T(23, 59), 50000);
    EXPECT_TIME(wide->NextTime(0), T(0, 0));
    EXPECT_TRUE(IsNoTime(wide->NextTime(T(0, 1))));
    auto huge = Periodic<THourlyTimeCondition>(T(1, 0), T(23, 0), 2147483647);
    EXPECT_TRUE(IsNoTime(huge->NextTime(T(2, 0))));
    auto toMidnight = Periodic<THourlyTimeCondition>(0, 1.0 - 1e-9, 1);
    EXPECT_TIME(toMidnight->NextTime(T(22, 30)), T(23, 0));
    EXPECT_TRUE(IsNoTime(toMidnight->NextTime(T(23, 30))));
}

TEST(PeriodicTime, DefaultsAndSetDefaultWrapPastMidnight) {
    test::TestClock clock(EncodeDateTime(2024, 3, 1, 23, 30));
    THourlyTimeCondition hourly;
    EXPECT_TIME(hourly.FromTime(), T(23, 30));
    EXPECT_TIME(hourly.ToTime(), T(0, 30));
    EXPECT_EQ(hourly.CountPeriod(), 1);
    TByMinuteTimeCondition minute;
    EXPECT_TIME(minute.ToTime(), T(23, 31));

    minute.SetCountPeriod(5);
    minute.SetDefault(EncodeDateTime(2024, 1, 1, 23, 59, 30));
    EXPECT_TIME(minute.FromTime(), T(23, 59, 30));
    EXPECT_TIME(minute.ToTime(), T(0, 0, 30));
    EXPECT_EQ(minute.CountPeriod(), 1);
    hourly.SetDefault(T(10, 15));
    EXPECT_TIME(hourly.ToTime(), T(11, 15));
}

TEST(AllTime, AnswersItsArgument) {
    TAllTimeCondition all;
    EXPECT_EQ(all.NextTime(0.375), 0.375);
    EXPECT_EQ(all.NextTime(45000.6), 45000.6);
    EXPECT_EQ(all.Description(), "All the day");
}

TEST(ComplexTime, EarliestMemberWinsAndTheFirstOnTies) {
    TComplexTimeCondition c;
    EXPECT_TRUE(IsNoTime(c.NextTime(T(8, 0))));
    EXPECT_EQ(c.Conditions().LastChosen(), nullptr);
    EXPECT_EQ(c.Description(), "");

    c.Conditions().Add(Once(T(10, 0)));
    c.Conditions().Add(Once(T(9, 0)));
    EXPECT_TIME(c.NextTime(T(8, 0)), T(9, 0));
    EXPECT_EQ(c.Conditions().LastChosen(), &c.Conditions().Items(1));
    EXPECT_TIME(c.NextTime(T(9, 30)), T(10, 0));
    EXPECT_EQ(c.Conditions().LastChosen(), &c.Conditions().Items(0));
    EXPECT_TRUE(IsNoTime(c.NextTime(T(11, 0))));
    EXPECT_EQ(c.Conditions().LastChosen(), nullptr);
    EXPECT_EQ(c.Description(), "At 10:00, At 09:00");

    TComplexTimeCondition tie;
    tie.Conditions().Add(Once(9.0 / 24));
    tie.Conditions().Add(Once(T(9, 0)));
    EXPECT_TIME(tie.NextTime(T(8, 0)), T(9, 0));
    EXPECT_EQ(tie.Conditions().LastChosen(), &tie.Conditions().Items(0));

    c.SetDefault(T(7, 45));
    EXPECT_TIME(static_cast<TOnceTimeCondition&>(c.Conditions().Items(1)).Time(), T(7, 45));
}

TEST(TimeDescriptions, AreTheProgramsTexts) {
    EXPECT_EQ(Once(T(9, 5))->Description(), "At 09:05");
    EXPECT_EQ(Periodic<TByMinuteTimeCondition>(T(8, 0), T(9, 0), 15)->Description(),
              "Every 15 minute(s) from 08:00 to 09:00");
    EXPECT_EQ(Periodic<THourlyTimeCondition>(T(8, 0), T(17, 0), 2)->Description(),
              "Every 2 hour(s) from 08:00 to 17:00");
}

TEST(TimeAssign, CopiesBetweenRelatedClassesOnly) {
    auto minute = Periodic<TByMinuteTimeCondition>(T(8, 0), T(9, 0), 15);
    THourlyTimeCondition hourly;
    hourly.Assign(*minute);
    EXPECT_TIME(hourly.FromTime(), T(8, 0));
    EXPECT_TIME(hourly.ToTime(), T(9, 0));
    EXPECT_EQ(hourly.CountPeriod(), 15);
    EXPECT_EQ(hourly.ClassName(), "THourlyTimeCondition");

    auto once = Once(T(6, 0));
    TAllTimeCondition all;
    EXPECT_NO_THROW(all.Assign(TAllTimeCondition{}));
    EXPECT_THROW(all.Assign(*once), EAssignError);
    try {
        once->Assign(*minute);
        FAIL();
    } catch (const EAssignError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TByMinuteTimeCondition to a TOnceTimeCondition");
    }
    EXPECT_TIME(once->Time(), T(6, 0));

    TComplexTimeCondition source;
    source.Conditions().Add(Once(T(7, 0)));
    source.Conditions().Add(Periodic<THourlyTimeCondition>(T(1, 0), T(3, 0), 1));
    auto copy = source.Clone();
    auto& target = static_cast<TComplexTimeCondition&>(*copy);
    ASSERT_EQ(target.Conditions().Count(), 2);
    EXPECT_NE(&target.Conditions().Items(0), &source.Conditions().Items(0));
    EXPECT_EQ(target.Description(), source.Description());
    target.SetConditions(target.Conditions());
    EXPECT_EQ(target.Conditions().Count(), 2);
    target.Conditions().Assign(target.Conditions());
    EXPECT_EQ(target.Conditions().Count(), 2);
}

TEST(TimeConditionList, PutCopiesAndRefusesNull) {
    TTimeConditionList list;
    list.Add(Once(T(7, 0)));
    list.Add(std::make_unique<TAllTimeCondition>());
    TTimeCondition* first = &list.Items(0);

    auto other = Once(T(8, 0));
    list.Put(0, other.get());
    EXPECT_EQ(&list.Items(0), first);
    EXPECT_TIME(static_cast<TOnceTimeCondition&>(list.Items(0)).Time(), T(8, 0));

    auto hourly = Periodic<THourlyTimeCondition>(T(1, 0), T(2, 0), 1);
    list.Put(1, hourly.get());
    EXPECT_EQ(list.Items(1).ClassName(), "THourlyTimeCondition");
    EXPECT_NE(&list.Items(1), hourly.get());

    try {
        list.Put(0, nullptr);
        FAIL();
    } catch (const ETimeConditionError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign null condition to complex condition list");
    }
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Put(5, other.get()), ETimeConditionError);

    EXPECT_EQ(list.IndexOf(&list.Items(1)), 1);
    EXPECT_EQ(list.IndexOf(other.get()), -1);
    list.EarliestNextTime(T(0, 0));
    list.Remove(list.LastChosen());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.LastChosen(), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TimeKinds, EditorOrder) {
    for (int kind = 0; kind < 5; ++kind) {
        auto c = CreateTimeCondition(kind);
        ASSERT_TRUE(c);
        EXPECT_EQ(TimeConditionKind(*c), kind);
    }
    EXPECT_EQ(CreateTimeCondition(5), nullptr);
}

// The step points of a periodic condition listed one by one, and the rule applied to them.
std::int64_t ExpectedNext(std::int64_t from, std::int64_t to, std::int64_t step, std::int64_t u) {
    if (u <= from)
        return from <= to ? from : -1;
    for (std::int64_t p = from + step; p <= to; p += step)
        if (p > u)
            return p;
    return -1;
}

TEST(PeriodicTimeCrossCheck, MatchesStepByStepEnumeration) {
    std::mt19937 rng(20240501);
    std::uniform_int_distribution<int> minute(0, 1439);
    std::uniform_int_distribution<int> count(1, 200);
    std::uniform_int_distribution<int> kindPick(0, 3);
    int checked = 0;
    for (int n = 0; n < 300; ++n) {
        const bool hourly = kindPick(rng) == 0;
        const int from = minute(rng);
        const int to = kindPick(rng) == 0 ? minute(rng) : std::min(1439, from + minute(rng) / 2);
        const int k = hourly ? count(rng) % 12 + 1 : count(rng);
        std::unique_ptr<TPeriodicTimeCondition> c;
        if (hourly)
            c = Periodic<THourlyTimeCondition>(from / 1440.0, to / 1440.0, k);
        else
            c = Periodic<TByMinuteTimeCondition>(from / 1440.0, to / 1440.0, k);
        const std::int64_t step = k * (hourly ? MSecsPerHour : MSecsPerMinute);
        for (int u = 0; u < 1440; ++u) {
            // On the minute, and just after it.
            for (std::int64_t extra : {std::int64_t{0}, std::int64_t{1}}) {
                const std::int64_t uMs = u * MSecsPerMinute + extra;
                const TDateTime r = c->NextTime(uMs / static_cast<double>(MSecsPerDay));
                const std::int64_t expected =
                    ExpectedNext(from * MSecsPerMinute, to * MSecsPerMinute, step, uMs);
                if (expected < 0)
                    ASSERT_TRUE(IsNoTime(r)) << c->Description() << " at " << uMs;
                else
                    ASSERT_EQ(Ms(r), expected) << c->Description() << " at " << uMs;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 300 * 1440 * 2);
}

TEST(ComplexTimeCrossCheck, IsTheMinimumOfItsMembers) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> minute(0, 1439);
    for (int n = 0; n < 100; ++n) {
        TComplexTimeCondition c;
        const int members = 1 + n % 4;
        for (int i = 0; i < members; ++i) {
            if (minute(rng) % 2)
                c.Conditions().Add(Once(minute(rng) / 1440.0));
            else
                c.Conditions().Add(Periodic<TByMinuteTimeCondition>(
                    minute(rng) / 1440.0, minute(rng) / 1440.0, 1 + minute(rng) % 90));
        }
        for (int u = 0; u < 1440; u += 7) {
            const TDateTime t = u / 1440.0;
            std::int64_t best = -1;
            int bestIndex = -1;
            for (int i = 0; i < members; ++i) {
                const TDateTime r = c.Conditions().Items(i).NextTime(t);
                if (!IsNoTime(r) && (best < 0 || Ms(r) < best)) {
                    best = Ms(r);
                    bestIndex = i;
                }
            }
            const TDateTime r = c.NextTime(t);
            if (best < 0) {
                ASSERT_TRUE(IsNoTime(r));
                ASSERT_EQ(c.Conditions().LastChosen(), nullptr);
            } else {
                ASSERT_EQ(Ms(r), best);
                ASSERT_EQ(c.Conditions().LastChosen(), &c.Conditions().Items(bestIndex));
            }
        }
    }
}

} // namespace
} // namespace kelvo
