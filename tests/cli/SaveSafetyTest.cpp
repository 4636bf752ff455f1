// kelvo-cli's save and its reading of hostile files, as a process: killed at random moments
// of `simulate --save`, on a full disk (a file size limit), and given a FIFO, a device or a
// huge file as its events file.

#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* Start = "2030-06-01 09:00";
constexpr const char* Until = "2030-06-01 09:00:02";

class SaveSafetyTest : public ::testing::Test {
protected:
    // Starts kelvo-cli with its output thrown away; fsizeLimit > 0 limits the size of every
    // file it writes, as a full disk would (SIGXFSZ ignored, so a write fails with EFBIG).
    pid_t Spawn(const std::vector<std::string>& args, rlim_t fsizeLimit = 0) {
        const std::string home = dir.Path().string();
        const std::string err = dir.File("err");
        std::fflush(nullptr); // or the child writes out this process's buffered output again
        const pid_t child = fork();
        if (child != 0)
            return child;
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        setenv("LC_ALL", "C", 1);
        if (fsizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{fsizeLimit, fsizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::freopen("/dev/null", "r", stdin);
        std::freopen("/dev/null", "w", stdout);
        std::freopen(err.c_str(), "w", stderr);
        std::vector<char*> argv{const_cast<char*>(KELVO_CLI_PATH)};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(KELVO_CLI_PATH, argv.data());
        _exit(127);
    }

    // The exit status, or -1 when killed or still running after the timeout (then killed).
    static int Wait(pid_t child, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto end = Clock::now() + timeout;
        int status = 0;
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (Clock::now() > end) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::vector<std::string> Simulate(const std::string& file) {
        return {"simulate", "--events", file, "--start", Start, "--until", Until, "--save", file};
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::vector<std::string> SavingFiles() const {
        std::vector<std::string> out;
        for (const auto& n : Names())
            if (n.rfind("Saving of ", 0) == 0)
                out.push_back(n);
        return out;
    }

    test::TempDir dir;
};

// count events, each once in July with a message long enough to make the file large. Events
// without a creation time get one from the program, so its save differs from the file read.
std::string EventsBytes(int count, const std::string& tag, bool created = true) {
    TOwnedEvents owned;
    TEventList list;
    for (int i = 0; i < count; ++i) {
        auto e = std::make_unique<TEvent>();
        e->SetWindowMessage(tag + " " + std::to_string(i) + " " + std::string(200, 'x'));
        if (created)
            e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2030, 1, 1, 0, 0));
        e->InitializeCondition().Conditions().Add(
            std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2030, 7, 1, 9, 0)));
        list.Add(*e);
        owned.push_back(std::move(e));
    }
    return WriteEvents(list);
}

bool ReadsBackWhole(const std::string& bytes, std::size_t events) {
    TAnswerNoHost host;
    TDataFileReport report;
    try {
        return ReadEvents(bytes, host, report).size() == events && !report.Damaged();
    } catch (const std::exception&) {
        return false;
    }
}

TEST_F(SaveSafetyTest, KilledWhileSavingTheFileIsTheOldOrTheNewAndABackupIsThere) {
    constexpr int Events = 300; // half a megabyte
    const std::string file = dir.File("events.evn");
    const std::string backup = dir.File("events.~ev");
    const std::string old = EventsBytes(Events, "old", false);
    // The save has begun once the target changes or a new temporary file appears.
    const auto saveStarted = [&](const struct stat& before, const std::vector<std::string>& had) {
        struct stat now {};
        if (::stat(file.c_str(), &now) != 0)
            return true;
        if (now.st_ino != before.st_ino || now.st_size != before.st_size ||
            now.st_mtim.tv_nsec != before.st_mtim.tv_nsec ||
            now.st_mtim.tv_sec != before.st_mtim.tv_sec)
            return true;
        for (const auto& name : SavingFiles())
            if (std::find(had.begin(), had.end(), name) == had.end())
                return true;
        return false;
    };
    // Starts a run and answers once its save has begun; false when it ended before.
    const auto startUntilSave = [&](pid_t& child) {
        struct stat before {};
        ::stat(file.c_str(), &before);
        // Temporary files the kills left: the program removes the unfinished ones itself.
        const std::vector<std::string> had = SavingFiles();
        child = Spawn(Simulate(file));
        const auto begun = Clock::now();
        while (!saveStarted(before, had)) {
            if (waitpid(child, nullptr, WNOHANG) == child)
                return false;
            if (Clock::now() - begun > std::chrono::seconds(5))
                return true;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        return true;
    };

    // What the program writes from the old file, and how long its save lasts on this disk:
    // found by one run that is not killed.
    test::WriteWholeFile(file, old);
    pid_t child = 0;
    ASSERT_TRUE(startUntilSave(child));
    const auto saveBegun = Clock::now();
    ASSERT_EQ(Wait(child), 0) << test::ReadWholeFile(dir.File("err"));
    const auto saveLasts =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - saveBegun).count();
    const auto window = static_cast<unsigned>(std::max<long long>(saveLasts * 3 / 2, 2000));
    const std::string fresh = test::ReadWholeFile(file);
    ASSERT_NE(fresh, old);
    ASSERT_TRUE(ReadsBackWhole(fresh, Events));

    std::mt19937 random(20261209);
    int landedInSave = 0;
    std::set<std::string> outcomes;
    const auto deadline = Clock::now() + std::chrono::seconds(17);
    int trials = 0;
    for (; trials < 150 && Clock::now() < deadline; ++trials) {
        // Each trial starts from the old file with a complete backup beside it.
        SafeSave(file, old, 46000.0 + trials / 86400.0, TDateOrder::DayFirst);
        ASSERT_TRUE(fs::exists(backup));
        // A few kills land before the save; the others at a random moment of it.
        if (random() % 6 == 0) {
            child = Spawn(Simulate(file));
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        } else if (startUntilSave(child)) {
            std::this_thread::sleep_for(std::chrono::microseconds(random() % window));
            ++landedInSave;
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        const std::string now = test::ReadWholeFile(file);
        ASSERT_TRUE(now == old || now == fresh)
            << "trial " << trials << ": the file is neither the old nor the new one (" << now.size()
            << " bytes)";
        ASSERT_TRUE(ReadsBackWhole(now, Events)) << "trial " << trials;
        const std::string kept = test::ReadWholeFile(backup);
        ASSERT_TRUE(ReadsBackWhole(kept, Events)) << "trial " << trials << ": no whole backup";
        outcomes.insert(now == old ? "old" : "new");
    }
    std::printf("%d kills, %d of them during the save\n", trials, landedInSave);
    EXPECT_GE(landedInSave, trials / 2);
    EXPECT_EQ(outcomes.size(), 2u) << "kills should land before and after the rename";

    // The next run removes what the kills left unfinished and leaves a file and its backup.
    ASSERT_EQ(Wait(Spawn(Simulate(file))), 0);
    for (const auto& name : SavingFiles())
        EXPECT_TRUE(ReadsBackWhole(test::ReadWholeFile(dir.File(name)), Events)) << name;
    EXPECT_EQ(test::ReadWholeFile(file), fresh);
    EXPECT_TRUE(fs::exists(backup));
}

TEST_F(SaveSafetyTest, ASaveRemovesUnfinishedTemporaryFilesAndKeepsCompleteOnes) {
    const std::string file = dir.File("events.evn");
    const std::string bytes = EventsBytes(50, "e");
    test::WriteWholeFile(file, bytes);
    const std::string partial = dir.File("Saving of events made on 01.02.2030 at 10.00.00.evn");
    const std::string complete = dir.File("Saving of events made on 01.02.2030 at 10.00.01.evn");
    test::WriteWholeFile(partial, bytes.substr(0, bytes.size() / 2));
    test::WriteWholeFile(complete, bytes);
    ASSERT_EQ(Wait(Spawn(Simulate(file))), 0) << test::ReadWholeFile(dir.File("err"));
    EXPECT_FALSE(fs::exists(partial));
    EXPECT_EQ(test::ReadWholeFile(complete), bytes);
}

TEST_F(SaveSafetyTest, AFullDiskKeepsTheFileAndItsBackupAndLeavesNoTemporaryFile) {
    const std::string file = dir.File("events.evn");
    const std::string backup = dir.File("events.~ev");
    const std::string older = EventsBytes(10, "older");
    const std::string current = EventsBytes(10, "current");
    SafeSave(file, older, 46000.0, TDateOrder::DayFirst);
    SafeSave(file, current, 46000.5, TDateOrder::DayFirst);
    // Half the file fits: the save runs out of space in the middle.
    const auto limit = static_cast<rlim_t>(current.size() / 2);
    const int exit = Wait(Spawn(Simulate(file), limit));
    const std::string err = test::ReadWholeFile(dir.File("err"));
    EXPECT_NE(exit, 0);
    EXPECT_NE(err.find("kelvo-cli: Cannot write"), std::string::npos) << err;
    EXPECT_EQ(test::ReadWholeFile(file), current);
    EXPECT_EQ(test::ReadWholeFile(backup), older);
    EXPECT_TRUE(SavingFiles().empty()) << SavingFiles().front();
}

TEST_F(SaveSafetyTest, AFifoADeviceAndAHugeFileAreRefusedAtOnce) {
    const std::string fifo = dir.File("fifo.evn");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.evn");
    {
        test::WriteWholeFile(huge, "");
        fs::resize_file(huge, std::uintmax_t{4} << 30); // sparse: no disk space is used
    }
    const std::pair<std::string, std::string> cases[] = {
        {fifo, "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {huge, "larger than 1 GiB"},
    };
    for (const auto& [events, why] : cases) {
        const auto started = Clock::now();
        const int exit =
            Wait(Spawn({"describe", "--events", events}), std::chrono::milliseconds(5000));
        const std::string err = test::ReadWholeFile(dir.File("err"));
        EXPECT_EQ(exit, 2) << events << " (-1: blocked or killed)";
        EXPECT_NE(err.find("kelvo-cli: Cannot read " + events), std::string::npos) << err;
        EXPECT_NE(err.find(why), std::string::npos) << err;
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(3)) << events;
    }
}

} // namespace
} // namespace kelvo
