#include "SessionTestSupport.h"
#include "platform/session/paClockWatch.h"

#include <cerrno>
#include <ctime>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(ClockWatch, StaysQuietWhileTheClockOnlyRuns) {
    test::Application();
    TClockChangeWatch watch;
    ASSERT_TRUE(watch.IsActive());
    int changed = 0;
    QObject::connect(&watch, &TClockChangeWatch::clockChanged, [&] { ++changed; });
    EXPECT_FALSE(test::WaitUntil([&] { return changed > 0; }, 300));
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
    ASSERT_TRUE(test::WaitUntil([&] { return changed == 1; }, 2000));
    // Re-armed: a second setting is noticed too.
    ASSERT_TRUE(SetClockToItself());
    ASSERT_TRUE(test::WaitUntil([&] { return changed == 2; }, 2000));
}

} // namespace
} // namespace kelvo
