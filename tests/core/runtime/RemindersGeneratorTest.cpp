#include "core/runtime/RemindersGenerator.h"

#include "core/scheduling/InitializeCondition.h"
#include "core/scheduling/SnoozeInitializeCondition.h"
#include "support/TestClock.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace kelvo;
using kelvo::test::ManualTimerFactory;
using kelvo::test::TestClock;

namespace {

TDateTime DT(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return EncodeDateTime(y, m, d, h, mi, s, ms);
}

#define EXPECT_DT(expected, actual) EXPECT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))

// Arises at fixed moments and records every window it was checked over.
class Spy : public TInitializeCondition {
public:
    explicit Spy(std::vector<TDateTime> moments = {}) : moments_(std::move(moments)) {
        std::sort(moments_.begin(), moments_.end());
        OnArise = [this](TDateTime t) {
            arisen.push_back(t);
            if (onArise)
                onArise(t);
        };
        OnLate = [this](TDateTime t) { late.push_back(t); };
    }
    TDateTime NextArise(TDateTime x) override {
        if (failing)
            throw EpaError("condition failed");
        const auto it = std::lower_bound(moments_.begin(), moments_.end(), x);
        return it == moments_.end() ? NullDate : *it;
    }
    std::vector<TDateTime> arisen, late;
    std::function<void(TDateTime)> onArise;
    bool failing = false;

private:
    std::vector<TDateTime> moments_;
};

std::vector<TDateTime> Daily(TDateTime first, int days) {
    std::vector<TDateTime> v;
    for (int i = 0; i < days; ++i)
        v.push_back(first + i);
    return v;
}

struct Fixture {
    explicit Fixture(TDateTime start) : clock(start), generator(timers) {}
    // Moves the clock one second on and lets the timer fire.
    void Second() {
        clock.AdvanceSeconds(1);
        timers.Last().Fire();
    }
    void SecondsUntil(TDateTime t) {
        while (clock.Now() < t)
            Second();
    }
    TestClock clock;
    ManualTimerFactory timers;
    TRemindersGenerator generator;
};

} // namespace

TEST(RemindersGenerator, CreatedStopped) {
    Fixture f(DT(2024, 3, 1, 9, 59, 30));
    EXPECT_FALSE(f.generator.Running());
    EXPECT_DT(DT(2024, 3, 1, 9, 59, 30), f.generator.LastTime());
    EXPECT_EQ(120, f.generator.MaxTimerCount());
    f.generator.Start();
    EXPECT_TRUE(f.generator.Running());
    EXPECT_EQ(1000u, f.timers.Last().Interval());
    f.generator.Stop();
    EXPECT_FALSE(f.generator.Running());
}

TEST(RemindersGenerator, StartJustBeforeTheMinuteOfAnArising) {
    Fixture f(DT(2024, 3, 1, 9, 59, 30));
    Spy event({DT(2024, 3, 1, 10)});
    f.generator.AddCondition(event);
    EXPECT_DT(DT(2024, 3, 1, 9, 59, 30), event.DateOfCreate());
    f.generator.Start();

    f.Second(); // 09:59:31 checks 09:59:30.001 .. 09:59:59
    EXPECT_DT(DT(2024, 3, 1, 9, 59, 59), f.generator.LastTime());
    EXPECT_TRUE(event.arisen.empty());
    f.SecondsUntil(DT(2024, 3, 1, 9, 59, 59));
    EXPECT_TRUE(event.arisen.empty());

    f.clock.Set(DT(2024, 3, 1, 10, 0, 0, 500));
    f.timers.Last().Fire();
    ASSERT_EQ(1u, event.arisen.size());
    EXPECT_DT(DT(2024, 3, 1, 10), event.arisen[0]);
    EXPECT_DT(DT(2024, 3, 1, 10, 0, 59), f.generator.LastTime());
    EXPECT_DT(DT(2024, 3, 1, 10, 0, 0, 500), event.LastAppear());

    f.SecondsUntil(DT(2024, 3, 1, 10, 5));
    EXPECT_EQ(1u, event.arisen.size());
    EXPECT_TRUE(event.late.empty());
}

TEST(RemindersGenerator, OneMissedArisingAfterThreeDaysClosed) {
    // Daily at 08:00, last seen three days ago; the program starts at 10:00.
    Fixture f(DT(2024, 3, 4, 10));
    Spy event(Daily(DT(2024, 2, 20, 8), 30));
    event.SetDateOfCreate(DT(2024, 2, 1));
    event.SetLastAppear(DT(2024, 3, 1, 8, 0, 1));
    f.generator.AddCondition(event);
    EXPECT_DT(DT(2024, 2, 1), event.DateOfCreate());
    f.generator.Start();
    f.Second();
    ASSERT_EQ(1u, event.late.size());
    EXPECT_DT(DT(2024, 3, 2, 8), event.late[0]);
    EXPECT_TRUE(event.arisen.empty());

    f.SecondsUntil(DT(2024, 3, 5, 8, 0, 2));
    EXPECT_EQ(1u, event.late.size());
    ASSERT_EQ(1u, event.arisen.size());
    EXPECT_DT(DT(2024, 3, 5, 8), event.arisen[0]);
}

TEST(RemindersGenerator, AddConditionCreatedInTheFutureCountsFromNow) {
    Fixture f(DT(2024, 3, 4, 10));
    Spy a, b;
    b.SetDateOfCreate(DT(2025, 1, 1));
    f.generator.AddCondition(a);
    f.generator.AddCondition(b);
    EXPECT_DT(DT(2024, 3, 4, 10), a.DateOfCreate());
    EXPECT_DT(DT(2024, 3, 4, 10), b.DateOfCreate());
    EXPECT_EQ(2, f.generator.ConditionCount());
    f.generator.RemoveCondition(a);
    EXPECT_FALSE(f.generator.HasCondition(a));
    EXPECT_TRUE(f.generator.HasCondition(b));
    f.generator.ClearConditions();
    EXPECT_EQ(0, f.generator.ConditionCount());
}

TEST(RemindersGenerator, SleepOfSeveralHours) {
    Fixture f(DT(2024, 3, 4, 10));
    Spy due({DT(2024, 3, 4, 13, 17)});
    Spy snooze({DT(2024, 3, 4, 10, 30)});
    f.generator.AddCondition(due);
    f.generator.AddCondition(snooze);
    f.generator.Start();
    f.Second();
    // The computer sleeps from 10:00:01 to 15:42:10: no ticks.
    f.clock.Set(DT(2024, 3, 4, 15, 42, 10));
    f.timers.Last().Fire();
    // The window of the first tick covers the whole sleep: each reported once, by its
    // moment, through the missed search or the window.
    ASSERT_EQ(1u, due.late.size() + due.arisen.size());
    ASSERT_EQ(1u, snooze.late.size() + snooze.arisen.size());
    EXPECT_DT(DT(2024, 3, 4, 13, 17), due.late.empty() ? due.arisen[0] : due.late[0]);
    f.SecondsUntil(DT(2024, 3, 4, 16));
    EXPECT_EQ(1u, due.late.size() + due.arisen.size());
}

TEST(RemindersGenerator, ClockSetBackWithoutNotice) {
    Fixture f(DT(2024, 10, 27, 2, 58));
    Spy event({DT(2024, 10, 27, 2, 59), DT(2024, 10, 27, 3, 30)});
    event.SetDateOfCreate(DT(2024, 10, 1));
    f.generator.AddCondition(event);
    f.generator.Start();
    f.SecondsUntil(DT(2024, 10, 27, 3, 0, 5));
    ASSERT_EQ(1u, event.arisen.size());

    // Back one hour: LastTime only follows the clock back, nothing is checked in that tick.
    f.clock.Set(DT(2024, 10, 27, 2, 0, 5));
    f.timers.Last().Fire();
    EXPECT_DT(DT(2024, 10, 27, 2, 0, 59), f.generator.LastTime());
    // The repeated hour: 02:59 is not reported again, 03:30 comes once.
    f.SecondsUntil(DT(2024, 10, 27, 3, 31));
    ASSERT_EQ(2u, event.arisen.size());
    EXPECT_DT(DT(2024, 10, 27, 3, 30), event.arisen[1]);
    EXPECT_TRUE(event.late.empty());
}

TEST(RemindersGenerator, ChecksFromTheLastRegisteredToTheFirst) {
    Fixture f(DT(2024, 3, 4, 9, 59, 59));
    std::vector<int> order;
    Spy a({DT(2024, 3, 4, 10)}), b({DT(2024, 3, 4, 10)}), c({DT(2024, 3, 4, 10)});
    a.onArise = [&](TDateTime) { order.push_back(1); };
    b.onArise = [&](TDateTime) { order.push_back(2); };
    c.onArise = [&](TDateTime) { order.push_back(3); };
    f.generator.AddCondition(a);
    f.generator.AddCondition(b);
    f.generator.AddCondition(c);
    f.generator.Start();
    f.Second();
    EXPECT_EQ((std::vector<int>{3, 2, 1}), order);
}

TEST(RemindersGenerator, ConditionRemovedByACallbackIsNotCheckedLater) {
    Fixture f(DT(2024, 3, 4, 9, 59, 59));
    Spy first({DT(2024, 3, 4, 10)}), last({DT(2024, 3, 4, 10)});
    Spy added({DT(2024, 3, 4, 10)});
    // The last registered is checked first; its callback removes the other one and adds a
    // new one, which waits for the next pass.
    last.onArise = [&](TDateTime) {
        f.generator.RemoveCondition(first);
        f.generator.AddCondition(added);
    };
    f.generator.AddCondition(first);
    f.generator.AddCondition(last);
    f.generator.Start();
    f.Second();
    EXPECT_EQ(1u, last.arisen.size());
    EXPECT_TRUE(first.arisen.empty());
    EXPECT_TRUE(added.arisen.empty());
    EXPECT_EQ(2, f.generator.ConditionCount());
}

TEST(RemindersGenerator, AFailingConditionCostsTheOthersNothing) {
    Fixture f(DT(2024, 3, 4, 9, 59, 59));
    Spy a({DT(2024, 3, 4, 10)}), broken({DT(2024, 3, 4, 10)}), c({DT(2024, 3, 4, 10)});
    broken.failing = true;
    f.generator.AddCondition(a);
    f.generator.AddCondition(broken);
    f.generator.AddCondition(c);
    f.generator.Start();
    f.clock.AdvanceSeconds(1);
    try {
        f.timers.Last().Fire();
        FAIL() << "the error was swallowed";
    } catch (const EpaError& e) {
        EXPECT_STREQ("condition failed", e.what());
    }
    EXPECT_EQ(1u, a.arisen.size());
    EXPECT_EQ(1u, c.arisen.size());
    EXPECT_EQ(1, f.generator.TickCount());
    EXPECT_FALSE(broken.CheckMode());

    // Several errors of one pass come together.
    Spy broken2({DT(2024, 3, 4, 10, 1)});
    broken2.failing = true;
    f.generator.AddCondition(broken2);
    f.clock.AdvanceSeconds(60);
    try {
        f.timers.Last().Fire();
        FAIL();
    } catch (const EReminderError& e) {
        EXPECT_STREQ("condition failed\ncondition failed", e.what());
    }
    // The minute is not checked again.
    f.Second();
}

TEST(RemindersGenerator, MaxTimerCount) {
    Fixture f(DT(2024, 3, 4, 10));
    std::vector<std::int32_t> rebuilds;
    f.generator.OnMaxTimerCount = [&](TRemindersGenerator&, std::int32_t n) {
        rebuilds.push_back(n);
    };
    f.generator.SetMaxTimerCount(3);
    f.generator.Start();
    for (int i = 0; i < 7; ++i)
        f.Second();
    EXPECT_EQ(2u, rebuilds.size());
    EXPECT_EQ(1, f.generator.TickCount());

    EXPECT_THROW(f.generator.SetMaxTimerCount(-1), EReminderError);
    f.generator.SetMaxTimerCount(10);
    for (int i = 0; i < 6; ++i)
        f.Second();
    EXPECT_EQ(7, f.generator.TickCount());
    try {
        f.generator.SetMaxTimerCount(5);
        FAIL();
    } catch (const EReminderError& e) {
        EXPECT_STREQ("Illegal MaxTimerCount", e.what());
    }
    EXPECT_EQ(10, f.generator.MaxTimerCount());
    // Stopped, any count is accepted.
    f.generator.Stop();
    f.generator.SetMaxTimerCount(5);
    f.generator.Resume();
    EXPECT_EQ(7, f.generator.TickCount());
    f.generator.SetMaxTimerCount(0);
    for (int i = 0; i < 300; ++i)
        f.Second();
    EXPECT_EQ(2u, rebuilds.size());
}

TEST(RemindersGenerator, NextRebuildTimeAndSetLastTime) {
    Fixture f(DT(2024, 3, 4, 10));
    f.generator.Start();
    f.Second();
    f.Second();
    EXPECT_DT(IncSecond(118, DT(2024, 3, 4, 10, 0, 59)), f.generator.NextRebuildTime());

    const int starts = f.timers.Last().Starts();
    f.generator.SetLastTime(DT(2024, 3, 4, 9));
    EXPECT_DT(DT(2024, 3, 4, 9), f.generator.LastTime());
    EXPECT_EQ(0, f.generator.TickCount());
    EXPECT_EQ(starts + 1, f.timers.Last().Starts());
    EXPECT_TRUE(f.generator.Running());
    f.generator.Stop();
    f.generator.SetLastTime(DT(2024, 3, 4, 8));
    EXPECT_FALSE(f.generator.Running());
    EXPECT_DT(DT(2024, 3, 4, 8), f.generator.LastTime());
}

TEST(RemindersGenerator, SnoozeAcrossMinuteBoundaries) {
    Fixture f(DT(2024, 3, 4, 11, 58, 10));
    TSnoozeInitializeCondition snooze;
    snooze.SetSnoozeDateTime(DT(2024, 3, 4, 12));
    std::vector<TDateTime> arisen;
    snooze.OnArise = [&](TDateTime t) { arisen.push_back(t); };
    f.generator.AddCondition(snooze);
    f.generator.Start();
    f.SecondsUntil(DT(2024, 3, 4, 11, 59, 59));
    EXPECT_TRUE(arisen.empty());
    f.Second(); // 12:00:00
    ASSERT_EQ(1u, arisen.size());
    EXPECT_DT(DT(2024, 3, 4, 12), snooze.LastAppear());
    f.SecondsUntil(DT(2024, 3, 4, 12, 10));
    EXPECT_EQ(1u, arisen.size());
}
