#include "SessionTestSupport.h"
#include "platform/session/paClockWatch.h"

#include <cerrno>
#include <cmath>
#include <ctime>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

// How far the wall clock stands from the monotonic clock, in seconds: it only moves when
// someone sets the wall clock (slewing moves both alike).
double WallClockOffset() {
    timespec wall{}, mono{};
    ::clock_gettime(CLOCK_REALTIME, &wall);
    ::clock_gettime(CLOCK_MONOTONIC, &mono);
    return double(wall.tv_sec - mono.tv_sec) + double(wall.tv_nsec - mono.tv_nsec) / 1e9;
}

TEST(ClockWatch, StaysQuietWhileTheClockOnlyRuns) {
    test::Application();
    const double before = WallClockOffset();
    TClockChangeWatch watch;
    ASSERT_TRUE(watch.IsActive());
    int changed = 0;
    QObject::connect(&watch, &TClockChangeWatch::clockChanged, [&] { ++changed; });
    const bool fired = test::WaitUntil([&] { return changed > 0; }, 300);
    if (fired && std::abs(WallClockOffset() - before) > 10e-6)
        GTEST_SKIP() << "something else set the clock meanwhile";
    EXPECT_FALSE(fired);
}

// Setting the clock to the time it already shows is a clock change for the kernel without
// moving the time; it needs the right to set the clock, which a test machine may not give.
bool SetClockToItself() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return ::clock_settime(CLOCK_REALTIME, &now) == 0;
}

TEST(ClockWatch, NoticesEverySettingOfTheClock) {
    test::Application();
    TClockChangeWatch watch;
    ASSERT_TRUE(watch.IsActive());
    int changed = 0;
    QObject::connect(&watch, &TClockChangeWatch::clockChanged, [&] { ++changed; });
    if (!SetClockToItself())
        GTEST_SKIP() << "this machine does not let the test set the clock (errno " << errno << ")";
    ASSERT_TRUE(test::WaitUntil([&] { return changed >= 1; }, 2000));
    // Re-armed: a second setting is noticed too.
    const int seen = changed;
    ASSERT_TRUE(SetClockToItself());
    ASSERT_TRUE(test::WaitUntil([&] { return changed > seen; }, 2000));
}

} // namespace
} // namespace kelvo
