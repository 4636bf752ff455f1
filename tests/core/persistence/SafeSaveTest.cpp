#include "core/persistence/SafeSave.h"

#include "support/TestSupport.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelvo::test {
namespace {

namespace fs = std::filesystem;

// 9 December 2026, 14:05:09.
const double Now = 46365.0 + (14 * 3600 + 5 * 60 + 9) / 86400.0;

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SafeSave, BackupName) {
    EXPECT_EQ(BackupName("/data/kelvo-rem.evn"), "/data/kelvo-rem.~ev");
    EXPECT_EQ(BackupName("/data/kelvo-rem.tpl"), "/data/kelvo-rem.~tp");
    EXPECT_EQ(BackupName("/a.b/name"), "/a.b/name.~");
    EXPECT_EQ(BackupName("x.e"), "x.~");
}

TEST(SafeSave, SavingNameFollowsTheDateFormat) {
    EXPECT_EQ(DateOrderOf("dd.MM.yyyy"), TDateOrder::DayFirst);
    EXPECT_EQ(DateOrderOf("M/d/yy"), TDateOrder::MonthFirst);
    EXPECT_EQ(DateOrderOf("yyyy-MM-dd"), TDateOrder::YearFirst);
    EXPECT_EQ(DateOrderOf("gg ee/MM/dd"), TDateOrder::YearFirst);
    EXPECT_EQ(DateOrderOf(""), TDateOrder::MonthFirst);
    EXPECT_EQ(SavingName("/d/kelvo-rem.evn", Now, TDateOrder::DayFirst),
              "/d/Saving of kelvo-rem made on 09.12.2026 at 14.05.09.evn");
    EXPECT_EQ(SavingName("/d/kelvo-rem.evn", Now, TDateOrder::YearFirst, 2),
              "/d/Saving of kelvo-rem made on 2026.12.09 at 14.05.09 (2).evn");
    EXPECT_EQ(SavingName("kelvo-rem.tpl", 2.0 - 1e-12, TDateOrder::MonthFirst),
              "Saving of kelvo-rem made on 01.01.1900 at 00.00.00.tpl");
}

TEST(SafeSave, TwoSavesLeaveTargetAndBackupOnly) {
    TempDir dir;
    const std::string target = dir.File("kelvo-rem.evn");
    SafeSave(target, "first", Now, TDateOrder::DayFirst);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"kelvo-rem.evn"}));
    SafeSave(target, "second", Now, TDateOrder::DayFirst);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"kelvo-rem.evn", "kelvo-rem.~ev"}));
    EXPECT_EQ(ReadFileBytes(target), "second");
    EXPECT_EQ(ReadFileBytes(BackupName(target)), "first");
    SafeSave(target, "third", Now, TDateOrder::DayFirst);
    EXPECT_EQ(ReadFileBytes(BackupName(target)), "second");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(SafeSave, TakenTemporaryNameGetsANumber) {
    TempDir dir;
    const std::string target = dir.File("kelvo-rem.evn");
    const std::string taken = SavingName(target, Now, TDateOrder::DayFirst);
    WriteWholeFile(taken, "left from a crash");
    SafeSave(target, "new", Now, TDateOrder::DayFirst);
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(ReadFileBytes(taken), "left from a crash");
    EXPECT_EQ(Names(dir.Path()).size(), 2u);
}

TEST(SafeSave, FailedWriteLeavesTargetAndBackupUntouched) {
    TempDir dir;
    const std::string target = dir.File("kelvo-rem.evn");
    SafeSave(target, "old", Now, TDateOrder::DayFirst);
    SafeSave(target, "current", Now, TDateOrder::DayFirst);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A file size limit makes the write fail half way, as a full disk would.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            SafeSave(target, std::string(100000, 'x'), Now + 1.0 / 86400, TDateOrder::DayFirst);
        } catch (const EFileError&) {
            _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << "the failed write is reported";
    EXPECT_EQ(ReadFileBytes(target), "current");
    EXPECT_EQ(ReadFileBytes(BackupName(target)), "old");
    // The partial temporary file would only hold the space the next save needs.
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"kelvo-rem.evn", "kelvo-rem.~ev"}));
}

// A generation's content names its number and length and can be checked for completeness.
std::string Generation(std::uint32_t g) {
    const std::size_t size = 20000 + (g % 13) * 3001;
    std::string s = "GEN " + std::to_string(g) + " " + std::to_string(size) + "\n";
    std::minstd_rand random(g + 1);
    while (s.size() < size - 4)
        s += static_cast<char>('a' + random() % 26);
    return s + "END\n";
}

// Answers the generation the bytes are, or -1 when they are not a complete one.
long long WhichGeneration(const std::string& bytes) {
    unsigned g = 0;
    if (std::sscanf(bytes.c_str(), "GEN %u", &g) != 1)
        return -1;
    return Generation(g) == bytes ? static_cast<long long>(g) : -1;
}

TEST(SafeSave, KilledWhileSavingTargetIsAlwaysACompleteGeneration) {
    TempDir dir;
    const std::string target = dir.File("kelvo-rem.evn");
    // Kill within the first few dozen saves of each child, whatever this disk's speed.
    const auto started = std::chrono::steady_clock::now();
    for (std::uint32_t g = 0; g < 10; ++g)
        SafeSave(target, Generation(g), Now, TDateOrder::DayFirst);
    const auto tenSaves = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - started)
                              .count();
    const auto window = static_cast<unsigned>(std::max<long long>(tenSaves * 2, 2000));
    std::mt19937 random(11);
    long long last = WhichGeneration(ReadFileBytes(target));
    std::set<long long> seen;
    const int rounds = 80;
    for (int round = 1; round <= rounds; ++round) {
        const std::uint32_t base = static_cast<std::uint32_t>(round) * 100000u;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (std::uint32_t g = base; g < base + 5000; ++g)
                SafeSave(target, Generation(g), Now, TDateOrder::DayFirst);
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % window));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const long long now = WhichGeneration(ReadFileBytes(target));
        ASSERT_GE(now, 0) << "round " << round << ": the target is not a complete file";
        EXPECT_GE(now, last) << "an older generation came back";
        last = now;
        seen.insert(now);
        const std::string backup = BackupName(target);
        if (fs::exists(backup)) {
            EXPECT_GE(WhichGeneration(ReadFileBytes(backup)), 0) << "round " << round;
        }
        // What a kill leaves behind are temporary files only.
        for (const auto& name : Names(dir.Path())) {
            EXPECT_TRUE(name == "kelvo-rem.evn" || name == "kelvo-rem.~ev" ||
                        name == "kelvo-rem.~ev.new" ||
                        name.rfind("Saving of kelvo-rem made on", 0) == 0)
                << name;
        }
    }
    EXPECT_GT(seen.size(), static_cast<std::size_t>(rounds / 3))
        << "the kills should land at many points of many saves";
}

} // namespace
} // namespace kelvo::test
