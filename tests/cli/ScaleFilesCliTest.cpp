// kelvo-cli over a big events file: what it reads and writes again keeps every byte, and the
// file's bytes are not held in memory next to all the events read from them.

#include "cli/CliProcess.h"
#include "core/persistence/EventFile.h"
#include "support/EmptyRecords.h"
#include "support/EntitySamples.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvo {
namespace {

using test::RunCli;

// Made in a child: a spawned program starts with the peak memory of its parent, so the test
// itself stays small.
std::string SaveVaried(const test::TempDir& dir, int count, const std::string& name) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const auto owned = samples::VariedEvents(count);
        std::vector<TEvent*> events;
        for (const auto& e : owned)
            events.push_back(e.get());
        test::SaveEvents(dir, events, name);
        std::_Exit(0);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return dir.File(name);
}

// The peak resident memory of one kelvo-cli run, in bytes; the run must succeed. Its output
// goes to output, or nowhere.
double PeakBytes(const test::TempDir& dir, std::vector<std::string> args,
                 const std::string& output = "/dev/null") {
    std::string program = KELVO_CLI_PATH;
    const std::string home = "HOME=" + dir.Path().string();
    std::vector<char*> argv{program.data()};
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string lang = "LC_ALL=C";
    std::string homeVar = home;
    std::vector<char*> env{homeVar.data(), lang.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0);
    int status = 0;
    rusage usage{};
    EXPECT_EQ(::wait4(pid, &status, 0, &usage), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return static_cast<double>(usage.ru_maxrss) * 1024;
}

TEST(ScaleFilesCli, ABigFileReadAndWrittenAgainKeepsItsBytesAndIsNotHeldBesideItsEvents) {
    test::TempDir dir;
    const std::string big = SaveVaried(dir, 20000, "big.evn");
    const std::string small = SaveVaried(dir, 1, "small.evn");
    const std::vector<std::string> agenda = {"agenda", "--from", "2024-01-01",
                                             "--days", "1",      "--events"};
    auto with = [&](const std::string& file) {
        auto args = agenda;
        args.push_back(file);
        return args;
    };
    // First: this test reading the files would raise the peak its children start with.
    const double base = PeakBytes(dir, with(small));
    const double peak = PeakBytes(dir, with(big));
    // The events take about as much memory as their file (1.1 times here); the file's bytes
    // held beside them made it twice.
    const double file = static_cast<double>(std::filesystem::file_size(big));
    EXPECT_LT(peak - base, 1.5 * file) << "peak " << peak / 1e6 << " MB, base " << base / 1e6
                                       << " MB, file " << file / 1e6 << " MB";

    const std::string out = dir.File("again.evn");
    const auto run = RunCli(dir, {"export", "--format", "evn", "--events", big, "--output", out});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    const std::string bytes = test::ReadWholeFile(big);
    EXPECT_TRUE(test::ReadWholeFile(out) == bytes);
}

TEST(ScaleFilesCli, AMillionEmptyRecordsAreReadInUnder600MB) {
    test::TempDir dir;
    const std::string file = dir.File("empty.evn");
    test::WriteEmptyRecordsFile(file);
    const std::string out = dir.File("agenda.txt");
    const double peak =
        PeakBytes(dir, {"agenda", "--from", "2024-01-01", "--days", "1", "--events", file}, out);
    EXPECT_NE(test::ReadWholeFile(out).find(test::LastOfAMillion), std::string::npos);
#ifndef __SANITIZE_ADDRESS__
    // Each event held all its default parts (its beep, its snooze): about 1 GB. The sanitizer's
    // red zones and shadow memory make any bound meaningless there.
    EXPECT_LT(peak, 600e6) << "peak " << peak / 1e6 << " MB";
#else
    (void)peak;
#endif
}

} // namespace
} // namespace kelvo
