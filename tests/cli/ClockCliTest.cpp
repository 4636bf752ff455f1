// kelvo-cli on the system clock in real time zones, each run under faketime with its own TZ:
// the moments it answers are the zone's wall-clock times on both sides of a change.

#include "cli/CliProcess.h"
#include "core/scheduling/SimpleInitializeCondition.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using test::RunCli;

std::unique_ptr<TEvent> DailyAt(const std::string& message, int hour, int minute) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
    auto c = std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2024, 1, 1, hour, minute));
    TDailyDateCondition daily;
    daily.SetStartDate(EncodeDate(2024, 1, 1));
    c->SetDateCondition(&daily);
    e->InitializeCondition().Conditions().Add(std::move(c));
    return e;
}

class ClockCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v faketime >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "faketime is not installed (scripts/setup.sh installs it)";
    }
    // `next` with the system clock at a UTC moment, seen from zone.
    std::string NextAt(const std::string& zone, const std::string& utc, const std::string& file) {
        const char* asan = std::getenv("ASAN_OPTIONS");
        const auto run =
            RunCli(dir, {"next", "--events", file},
                   {"TZ=" + zone,
                    // A sanitizer build does not mind the preloaded library.
                    "ASAN_OPTIONS=verify_asan_link_order=0:" + std::string(asan ? asan : ""),
                    "faketime", utc + " UTC"});
        EXPECT_EQ(run.Exit, 0) << run.Err;
        return run.Out;
    }
    test::TempDir dir;
};

TEST_F(ClockCliTest, NowIsTheZonesWallClockAcrossSummerTime) {
    auto three = DailyAt("Three", 3, 0);
    auto quarter = DailyAt("Quarter to three", 2, 45);
    const std::string file = test::SaveEvents(dir, {three.get(), quarter.get()});

    // Berlin, spring: 01:30 UTC is 03:30 summer time, the hour from 02:00 is skipped.
    EXPECT_EQ(NextAt("Europe/Berlin", "2024-03-31 00:30:00", file),
              "2024-03-31 02:45:00\tevent\t1\tQuarter to three\n"
              "2024-03-31 03:00:00\tevent\t0\tThree\n");
    EXPECT_EQ(NextAt("Europe/Berlin", "2024-03-31 01:30:00", file),
              "2024-04-01 02:45:00\tevent\t1\tQuarter to three\n"
              "2024-04-01 03:00:00\tevent\t0\tThree\n");
    // Autumn: the hour from 02:00 comes twice; 02:30 both times.
    const std::string repeat = "2024-10-27 02:45:00\tevent\t1\tQuarter to three\n"
                               "2024-10-27 03:00:00\tevent\t0\tThree\n";
    EXPECT_EQ(NextAt("Europe/Berlin", "2024-10-27 00:30:00", file), repeat);
    EXPECT_EQ(NextAt("Europe/Berlin", "2024-10-27 01:30:00", file), repeat);
    // Lord Howe moves by half an hour: back from 02:00 to 01:30 at 15:00 UTC on 6 April
    // (01:50 comes twice), forward from 02:00 to 02:30 at 15:30 UTC on 5 October.
    const std::string seventh = "2024-04-07 02:45:00\tevent\t1\tQuarter to three\n"
                                "2024-04-07 03:00:00\tevent\t0\tThree\n";
    EXPECT_EQ(NextAt("Australia/Lord_Howe", "2024-04-06 14:50:00", file), seventh);
    EXPECT_EQ(NextAt("Australia/Lord_Howe", "2024-04-06 15:20:00", file), seventh);
    EXPECT_EQ(NextAt("Australia/Lord_Howe", "2024-10-05 15:20:00", file),
              "2024-10-06 02:45:00\tevent\t1\tQuarter to three\n"
              "2024-10-06 03:00:00\tevent\t0\tThree\n");
    EXPECT_EQ(NextAt("Australia/Lord_Howe", "2024-10-05 15:50:00", file),
              "2024-10-06 03:00:00\tevent\t0\tThree\n"
              "2024-10-07 02:45:00\tevent\t1\tQuarter to three\n");
}

} // namespace
} // namespace kelvo
