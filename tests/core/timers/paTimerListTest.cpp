#include "core/timers/paTimerList.h"

#include "support/ManualTime.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace kelvo {
namespace {

using test::ManualTime;

struct Fixture : ::testing::Test {
    explicit Fixture(std::uint32_t start = 0) : time(start), list(time, time) {
        list.OnFinish = [this](TTimerList&) { ++finished; };
        list.OnTimers = [this](TTimerList&, std::int32_t id) { fired.push_back(id); };
    }
    ManualTime time;
    TTimerList list;
    int finished = 0;
    std::vector<std::int32_t> fired;
};

using TimerList = Fixture;

TEST_F(TimerList, OnePeriodServesAllIntervals) {
    const auto slow = list.AddTimer(60000, true, nullptr);
    const auto fast = list.AddTimer(5000, true, nullptr);
    EXPECT_EQ(slow, 1);
    EXPECT_EQ(fast, 2);
    list.SetActive(true);
    EXPECT_EQ(list.Elapse(), 5000);
    ASSERT_TRUE(time.Only());
    EXPECT_EQ(time.Only()->interval, 5000u);
    EXPECT_EQ(list.Event(0).Interval(), 5000); // sorted, smallest first
    time.Advance(60000);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), fast), 12);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), slow), 1);
    // Largest interval first within one pass.
    EXPECT_EQ(fired.back(), fast);
    EXPECT_EQ(fired[fired.size() - 2], slow);
}

TEST_F(TimerList, HalfElapsedTimerCollapsesThePeriod) {
    list.AddTimer(60000, true, nullptr);
    list.SetActive(true);
    time.Advance(58766); // 1234 left of the minute
    list.AddTimer(60000, true, nullptr);
    EXPECT_EQ(list.Elapse(), 100);
    EXPECT_EQ(time.Only()->interval, 100u);
}

TEST_F(TimerList, ElapseRules) {
    EXPECT_EQ(list.Elapse(), 0);
    const auto a = list.AddTimer(7000, true, nullptr);
    EXPECT_EQ(list.Elapse(), 7000);
    list.AddTimer(3000, true, nullptr);
    EXPECT_EQ(list.Elapse(), 1000); // 7000 mod 3000 = 1000 taken off
    list.AddTimer(50, true, nullptr);
    EXPECT_EQ(list.Elapse(), 100);
    list.DeleteTimer(a);
    list.AddTimer(0, true, nullptr); // a zero interval takes no part in the period
    list.FindTimer(2)->SetEnabled(false);
    list.FindTimer(3)->SetEnabled(false);
    list.SetActive(true);
    EXPECT_EQ(list.Elapse(), 0);
}

TEST_F(TimerList, LongestIntervalStillGetsATimer) {
    list.AddTimer(2147483647, true, nullptr);
    list.SetActive(true);
    EXPECT_GT(list.Elapse(), 0);
    ASSERT_TRUE(time.Only());
    EXPECT_TRUE(time.Only()->active);
}

TEST_F(TimerList, FiresUpTo50MsEarlyNeverMore) {
    const auto id = list.AddTimer(1000, true, nullptr);
    list.AddTimer(300, true, nullptr); // period 100
    list.SetActive(true);
    TTimerEvent& e = *list.FindTimer(id);
    time.Advance(900);
    EXPECT_EQ(e.FireCount(), 0);
    time.Advance(100);
    EXPECT_EQ(e.FireCount(), 1);
    EXPECT_EQ(e.LastTick(), 1000u);
}

TEST_F(TimerList, CountedTimerDisablesItselfAndCanStillBeDeleted) {
    const auto once = list.AddTimer(1000, false, nullptr);
    const auto keep = list.AddTimer(1000, true, nullptr);
    list.SetActive(true);
    time.Advance(3000);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), once), 1);
    EXPECT_FALSE(list.FindTimer(once)->Enabled());
    EXPECT_EQ(list.FindTimer(once)->FireCount(), 1);
    EXPECT_TRUE(list.Active());
    list.DeleteTimer(once);
    EXPECT_EQ(list.FindTimer(once), nullptr);
    EXPECT_EQ(list.Count(), 1u);
    list.DeleteTimer(keep);
    EXPECT_FALSE(list.Active());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(time.TimerCount(), 0u);
    EXPECT_EQ(list.AddTimer(10, true, nullptr), 3); // ids only grow
}

TEST_F(TimerList, LastCountedTimerEndingDeactivates) {
    const auto id = list.AddTimer(500, false, nullptr);
    list.FindTimer(id)->SetRepeatCount(3);
    list.SetActive(true);
    time.Advance(10000);
    EXPECT_EQ(fired.size(), 3u);
    EXPECT_FALSE(list.Active());
    EXPECT_EQ(finished, 1);
}

TEST_F(TimerList, RepeatCountAndReEnabling) {
    const auto id = list.AddTimer(1000, false, nullptr);
    TTimerEvent& e = *list.FindTimer(id);
    e.SetRepeatCount(0);
    EXPECT_EQ(e.RepeatCount(), 1);
    e.SetRepeatCount(5);
    list.AddTimer(1000, true, nullptr);
    list.SetActive(true);
    time.Advance(2000);
    EXPECT_EQ(e.FireCount(), 2);
    e.SetRepeatCount(2); // already reached
    EXPECT_FALSE(e.Enabled());
    time.Advance(1000);
    EXPECT_EQ(e.FireCount(), 2);
    e.SetEnabled(true);
    EXPECT_EQ(e.FireCount(), 0);
    EXPECT_EQ(e.LastTick(), 3000u);
    time.Advance(2000);
    EXPECT_EQ(e.FireCount(), 2);

    const auto cycled = list.AddTimer(1000, true, nullptr);
    list.FindTimer(cycled)->SetRepeatCount(-4);
    EXPECT_EQ(list.FindTimer(cycled)->RepeatCount(), 0);
}

TEST_F(TimerList, IntervalChangeResetsThePeriod) {
    const auto id = list.AddTimer(60000, true, nullptr);
    list.SetActive(true);
    list.FindTimer(id)->SetInterval(2000);
    EXPECT_EQ(list.Elapse(), 2000);
    EXPECT_EQ(time.Only()->interval, 2000u);
}

TEST(TimerListLifetime, DestroyingTheListCallsNoHandler) {
    ManualTime t;
    int calls = 0;
    {
        TTimerList l(t, t);
        l.OnFinish = [&](TTimerList&) { ++calls; };
        l.OnTimers = [&](TTimerList&, std::int32_t) { ++calls; };
        l.AddTimer(100, true, [&](TTimerEvent&) { ++calls; });
        l.SetActive(true);
        EXPECT_EQ(t.TimerCount(), 1u);
    }
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(t.TimerCount(), 0u);
}

TEST_F(TimerList, AdoptingMovesUnderANewId) {
    TTimerList other(time, time);
    const auto id = other.AddTimer(1000, true, nullptr);
    list.AddTimer(1000, true, nullptr);
    const auto newId = list.Adopt(other, id);
    EXPECT_EQ(newId, 2);
    EXPECT_EQ(other.Count(), 0u);
    EXPECT_EQ(&list.FindTimer(newId)->List(), &list);
}

// The tick counter passes 2^31 after 24.9 days and wraps after 49.7 days.
class TimerListAcrossTickPoints : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(TimerListAcrossTickPoints, KeepsItsRhythm) {
    ManualTime time(GetParam());
    TTimerList list(time, time);
    std::vector<std::uint32_t> at;
    list.AddTimer(5000, true, [&](TTimerEvent& e) { at.push_back(e.LastTick()); });
    list.AddTimer(60000, true, nullptr);
    list.SetActive(true);
    time.Advance(60000);
    ASSERT_EQ(at.size(), 12u);
    for (std::size_t i = 1; i < at.size(); ++i)
        EXPECT_EQ(static_cast<std::uint32_t>(at[i] - at[i - 1]), 5000u);
    // A period computed just before the point is still right after it.
    list.AddTimer(7000, true, nullptr);
    EXPECT_EQ(list.Elapse(), 1000);
}

INSTANTIATE_TEST_SUITE_P(Points, TimerListAcrossTickPoints,
                         ::testing::Values(0xFFFFFFFFu - 12345u, 0x7FFFFFFFu - 12345u,
                                           0xFFFFFFFFu - 2500u, 0x7FFFFFFFu - 2500u));

TEST_F(TimerList, HalfElapsedAcrossTheWrap) {
    ManualTime t(0xFFFFFFFFu - 999u);
    TTimerList l(t, t);
    l.AddTimer(60000, true, nullptr);
    l.SetActive(true);
    t.Advance(58766);
    l.AddTimer(60000, true, nullptr);
    EXPECT_EQ(l.Elapse(), 100);
}

TEST_F(TimerList, HandlerDeletingItsOwnTimer) {
    std::int32_t self = 0;
    self = list.AddTimer(1000, true, [&](TTimerEvent&) { list.DeleteTimer(self); });
    const auto other = list.AddTimer(1000, true, nullptr);
    list.SetActive(true);
    time.Advance(1000);
    EXPECT_EQ(list.FindTimer(self), nullptr);
    // The list still reports the id the timer had.
    EXPECT_NE(std::find(fired.begin(), fired.end(), self), fired.end());
    time.Advance(1000);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), other), 2);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), self), 1);
}

TEST_F(TimerList, HandlerDeletingOthersAndItself) {
    // A sound that cannot be played stops its repetition and the other timers of the event.
    std::vector<std::int32_t> ids;
    for (int i = 0; i < 4; ++i)
        ids.push_back(list.AddTimer(1000 * (i + 1), true, nullptr));
    list.FindTimer(ids[3])->OnTimer = [&](TTimerEvent&) {
        for (const auto id : ids)
            list.DeleteTimer(id);
    };
    list.SetActive(true);
    time.Advance(4000);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(list.Active());
    EXPECT_EQ(finished, 1);
    // Deleted before their turn in the pass, they did not fire in it.
    const auto firedAt4000 = std::vector<std::int32_t>(fired.end() - 1, fired.end());
    EXPECT_EQ(firedAt4000, std::vector<std::int32_t>{ids[3]});
    time.Advance(10000);
    EXPECT_EQ(time.TimerCount(), 0u);
}

TEST_F(TimerList, HandlerAddingTimers) {
    int added = 0;
    list.AddTimer(1000, true, [&](TTimerEvent&) {
        if (added++ < 2)
            list.AddTimer(500, false, nullptr);
    });
    list.SetActive(true);
    time.Advance(1000);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(fired.size(), 1u); // the new timer is not checked in the pass that added it
    time.Advance(500);
    EXPECT_EQ(fired.back(), 2);
    EXPECT_EQ(list.Elapse(), 500);
}

TEST_F(TimerList, HandlerDisablingAndReEnablingAnother) {
    std::int32_t b = 0;
    const auto a = list.AddTimer(2000, true, [&](TTimerEvent&) {
        list.FindTimer(b)->SetEnabled(false);
        list.FindTimer(b)->SetEnabled(true);
    });
    b = list.AddTimer(1000, true, nullptr);
    list.SetActive(true);
    time.Advance(2000);
    // b was restarted by a's handler at 2000, before its own turn in that pass.
    EXPECT_EQ(std::count(fired.begin(), fired.end(), b), 1);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), a), 1);
    time.Advance(1000);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), b), 2);
}

TEST_F(TimerList, HandlerDeactivatingTheList) {
    list.AddTimer(1000, true, [&](TTimerEvent&) { list.SetActive(false); });
    list.AddTimer(1000, true, nullptr);
    list.SetActive(true);
    time.Advance(1000);
    EXPECT_FALSE(list.Active());
    EXPECT_EQ(finished, 1);
    time.Advance(5000);
    EXPECT_EQ(fired.size(), 2u);
    list.SetActive(true);
    time.Advance(1000);
    // The pass that deactivated still checks the rest of its timers.
    EXPECT_EQ(fired.size(), 4u);
    EXPECT_EQ(finished, 2);
}

TEST_F(TimerList, HandlerDisablingTheLastTimerEndsTheList) {
    list.AddTimer(1000, true, [](TTimerEvent& e) { e.SetEnabled(false); });
    list.SetActive(true);
    time.Advance(1000);
    EXPECT_FALSE(list.Active());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(time.TimerCount(), 0u);
}

TEST_F(TimerList, ExceptionEndsThePassAndTheListGoesOn) {
    std::vector<std::string> reported;
    list.OnException = [&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            reported.push_back(x.what());
        }
    };
    const auto small = list.AddTimer(1000, true, nullptr);
    list.AddTimer(2000, true, [](TTimerEvent&) { throw std::runtime_error("boom"); });
    list.SetActive(true);
    time.Advance(2000);
    EXPECT_EQ(reported, std::vector<std::string>{"boom"});
    // At 2000 the larger timer threw before the smaller one's turn.
    EXPECT_EQ(std::count(fired.begin(), fired.end(), small), 1);
    time.Advance(1000);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), small), 2);
    EXPECT_TRUE(list.Active());
}

} // namespace
} // namespace kelvo
