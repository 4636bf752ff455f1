// kelvo-rem itself, offscreen, on the system clock of a real time zone: libfaketime moves the
// clock across summer-time changes and jumps it forward while the program runs. Every event
// runs a script that writes its name, so each arising shows as one line.

#include "core/actions/EventAction.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const char* const FakeTimeLibrary = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";

// Seconds since 1970 of a UTC moment.
std::int64_t Utc(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    return static_cast<std::int64_t>(timegm(&t));
}

class ClockDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(FakeTimeLibrary))
            GTEST_SKIP() << "libfaketime is not installed (scripts/setup.sh installs it)";
        fs::create_directories(DataFolder());
        fs::create_directories(dir.Path() / "run");
        fs::permissions(dir.Path() / "run", fs::perms::owner_all);
        test::WriteWholeFile(dir.Path() / "record.sh",
                             "#!/bin/sh\necho \"$*\" >> '" + dir.File("arisings") + "'\n");
        fs::permissions(dir.Path() / "record.sh", fs::perms::owner_all);
    }
    void TearDown() override { Stop(); }

    fs::path DataFolder() const { return test::ProgramDataFolder(dir.Path()); }

    // A daily event at hh:mm, last seen the day before, whose action writes its name.
    void AddDaily(const std::string& name, int hour, int minute, TDateTime lastSeen) {
        auto e = std::make_unique<TEvent>();
        e->SetWindowMessage(name);
        e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
        auto c =
            std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2024, 1, 1, hour, minute));
        TDailyDateCondition daily;
        daily.SetStartDate(EncodeDate(2024, 1, 1));
        c->SetDateCondition(&daily);
        e->InitializeCondition().Conditions().Add(std::move(c));
        e->InitializeCondition().SetLastAppear(lastSeen);
        e->EventAction().Actions().Clear();
        auto record = std::make_unique<TLaunchAppEventAction>();
        record->SetFileName(dir.File("record.sh"));
        record->SetParams(name);
        e->EventAction().Actions().Add(std::move(record));
        events.push_back(std::move(e));
    }

    // Sets the program's clock to a UTC moment; it runs on in real time from there.
    void SetClock(std::int64_t utc) {
        const std::int64_t offset = utc - static_cast<std::int64_t>(std::time(nullptr));
        test::WriteWholeFile(dir.Path() / "faketime.tmp", std::to_string(offset) + "\n");
        fs::rename(dir.Path() / "faketime.tmp", dir.Path() / "faketime");
    }

    // Starts the program with its clock five minutes before utc, and once it is up (its
    // start-up save made the backup), sets the clock to utc: the scenario does not depend
    // on how long the start takes.
    void Start(const std::string& zone, std::int64_t utc) {
        SetClock(utc - 300);
        Spawn(zone);
        const fs::path backup = DataFolder() / "kelvo-rem.~ev";
        for (int i = 0; i < 600 && !fs::exists(backup); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_TRUE(fs::exists(backup)) << test::ReadWholeFile(dir.Path() / "log");
        Wait(2);
        SetClock(utc);
    }

    void Spawn(const std::string& zone) {
        TEventList list;
        for (const auto& e : events)
            list.Add(*e);
        SaveEventsFile((DataFolder() / "kelvo-rem.evn").string(), list);
        const std::vector<std::string> env = {
            "HOME=" + dir.Path().string(),
            "XDG_DATA_HOME=" + dir.File("data"),
            "XDG_CONFIG_HOME=" + dir.File("config"),
            "XDG_STATE_HOME=" + dir.File("state"),
            "XDG_RUNTIME_DIR=" + dir.File("run"),
            "QT_QPA_PLATFORM=offscreen",
            "LC_ALL=C",
            "TZ=" + zone,
            std::string("LD_PRELOAD=") + FakeTimeLibrary,
            "FAKETIME_TIMESTAMP_FILE=" + dir.File("faketime"),
            "FAKETIME_NO_CACHE=1",
            // Timers run in real time; only the wall clock is moved.
            "FAKETIME_DONT_FAKE_MONOTONIC=1",
            // A sanitizer build does not mind the preloaded library.
            "ASAN_OPTIONS=verify_asan_link_order=0:" + std::string(Inherited("ASAN_OPTIONS")),
            "UBSAN_OPTIONS=" + std::string(Inherited("UBSAN_OPTIONS")),
            "PATH=/usr/bin:/bin",
        };
        std::vector<char*> envp;
        for (const auto& e : env)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        std::string program = KELVO_REM_PATH;
        char* argv[] = {program.data(), nullptr};
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, dir.File("log").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        ASSERT_EQ(posix_spawn(&pid, program.c_str(), &files, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&files);
    }

    void Stop() {
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << test::ReadWholeFile(dir.Path() / "log");
    }

    static const char* Inherited(const char* name) {
        const char* value = std::getenv(name);
        return value ? value : "";
    }

    static void Wait(int seconds) { std::this_thread::sleep_for(std::chrono::seconds(seconds)); }

    // The names written so far, sorted: the scripts of one minute may finish in any order.
    std::vector<std::string> Arisings() const {
        std::vector<std::string> names;
        if (!fs::exists(dir.Path() / "arisings"))
            return names;
        const std::string text = test::ReadWholeFile(dir.Path() / "arisings");
        for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos;
             at = end + 1)
            names.push_back(text.substr(at, end - at));
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    TOwnedEvents events;
    pid_t pid = -1;
};

TEST_F(ClockDesktopTest, SpringForwardGapArisesOnceAtTheNewHour) {
    const TDateTime dayBefore = EncodeDateTime(2024, 3, 30, 12, 0);
    AddDaily("Gap", 2, 30, dayBefore);  // a time the day does not have
    AddDaily("Three", 3, 0, dayBefore); // the first minute after the gap
    // 01:59:48 CET; 02:00 is 03:00 summer time.
    Start("Europe/Berlin", Utc(2024, 3, 31, 0, 59, 48));
    Wait(20);
    EXPECT_EQ(Arisings(), (Names{"Gap", "Three"}));
}

TEST_F(ClockDesktopTest, AutumnRepeatAndJumpsForwardGiveEachArisingOnce) {
    const TDateTime dayBefore = EncodeDateTime(2024, 10, 26, 12, 0);
    AddDaily("Half past two", 2, 30, dayBefore);
    AddDaily("Three", 3, 0, dayBefore);
    Start("Europe/Berlin", Utc(2024, 10, 27, 0, 29, 50)); // 02:29:50 summer time
    Wait(14);
    EXPECT_EQ(Arisings(), Names{"Half past two"});
    // Forward without a notice to just before the end of summer time, then on into the
    // repeated hour until its 02:30 has passed once more, then to its end.
    SetClock(Utc(2024, 10, 27, 0, 59, 52));
    Wait(12);
    SetClock(Utc(2024, 10, 27, 1, 29, 52)); // 02:29:52 winter time
    Wait(12);
    EXPECT_EQ(Arisings(), Names{"Half past two"});
    SetClock(Utc(2024, 10, 27, 1, 59, 52));
    Wait(12);
    EXPECT_EQ(Arisings(), (Names{"Half past two", "Three"}));
}

TEST_F(ClockDesktopTest, HalfHourShiftSkipsToHalfPastTwoOnce) {
    const TDateTime dayBefore = EncodeDateTime(2024, 10, 5, 12, 0);
    AddDaily("Quarter past two", 2, 15, dayBefore); // in Lord Howe's skipped half hour
    AddDaily("Half past two", 2, 30, dayBefore);
    // 01:59:48, then 02:30 summer time.
    Start("Australia/Lord_Howe", Utc(2024, 10, 5, 15, 29, 48));
    Wait(20);
    EXPECT_EQ(Arisings(), (Names{"Half past two", "Quarter past two"}));
}

} // namespace
} // namespace kelvo
