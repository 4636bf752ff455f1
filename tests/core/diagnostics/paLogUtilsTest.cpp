#include "core/diagnostics/paLogUtils.h"

#include "core/diagnostics/paExceptionTrace.h"
#include "core/util/paError.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kelvo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::system_clock;

struct TFakeClock {
    Clock::time_point now = Clock::time_point{} + 1'000'000h;
    TLogClock Function() {
        return [this] { return now; };
    }
};

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++count;
    return count;
}

TEST(LogFile, EachRunStartsWithItsOwnHeaderLine) {
    test::TempDir dir;
    const std::string path = dir.File("kelvo-rem.LOG");
    {
        TLogFile log(path, "/opt/kelvo-rem");
        log.AddLine("first run");
    }
    EXPECT_EQ(test::ReadWholeFile(path).rfind("*** Log for /opt/kelvo-rem started ", 0), 0u);
    {
        TLogFile log(path, "/opt/kelvo-rem");
        log.AddFormat("second %s %d", "run", 2);
    }
    const std::string text = test::ReadWholeFile(path);
    EXPECT_EQ(CountOf(text, "*** Log for /opt/kelvo-rem started "), 2);
    const auto secondHeader = text.find("*** Log for", 1);
    EXPECT_LT(text.find("first run\r\n"), secondHeader);
    EXPECT_GT(text.find("second run 2\r\n"), secondHeader);
}

TEST(LogFile, NothingReachesAFileWithoutAName) {
    TLogFile log("");
    log.AddLine("lost");
    EXPECT_EQ(log.FileName(), "");
}

TEST(LogFile, IsPrivateToTheUser) {
    test::TempDir dir;
    const std::string path = dir.File("private.LOG");
    TLogFile log(path);
    log.AddLine("x");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(LogFile, CountsARecordRepeatedWithinAMinute) {
    test::TempDir dir;
    const std::string path = dir.File("r.LOG");
    TFakeClock clock;
    {
        TLogFile log(path, "p", clock.Function());
        log.AddLine("timer failed");
        clock.now += 10s;
        log.AddLine("timer failed");
        clock.now += 10s;
        log.AddLine("timer failed");
        log.AddLine("something else");
        // Same record again, but the minute since it was last written has passed.
        clock.now += 61s;
        log.AddLine("something else");
        clock.now += 1s;
        log.AddLine("something else");
    }
    const std::string text = test::ReadWholeFile(path);
    EXPECT_EQ(CountOf(text, "timer failed\r\n"), 1);
    EXPECT_NE(text.find("timer failed\r\n[=] The previous record repeated 2 more times\r\n"
                        "something else\r\n"),
              std::string::npos);
    EXPECT_EQ(CountOf(text, "something else\r\n"), 2);
    // The count still pending when the log closes is not lost.
    EXPECT_TRUE(text.ends_with("\r\n[=] The previous record repeated 1 more time\r\n"));
}

TEST(LogFile, RepeatedExceptionsCountDespiteTheirTimeStamps) {
    test::TempDir dir;
    const std::string path = dir.File("e.LOG");
    TFakeClock clock;
    TLogFile log(path, "p", clock.Function());
    TRaiseRecord raise;
    raise.module = "kelvo-rem";
    raise.moduleOffset = 0x1234;
    for (int i = 0; i < 5; ++i) {
        clock.now += 1s;
        log.AddException(EpaCritical("disk gone"), raise, "(00000001) [0000000000000002] f");
    }
    const std::string text = test::ReadWholeFile(path);
    EXPECT_EQ(CountOf(text, "[!] Exception occured "), 1);
    EXPECT_NE(text.find("\rException "), std::string::npos);
    EXPECT_NE(text.find(" in module kelvo-rem at 00001234.\r\ndisk gone.\r\n(00000001) "
                        "[0000000000000002] f\r\n"),
              std::string::npos);
}

TEST(LogFile, RotatesAtOneMebibyteKeepingOneOlderGeneration) {
    test::TempDir dir;
    const std::string path = dir.File("big.LOG");
    test::WriteWholeFile(path + ".1", "oldest");
    test::WriteWholeFile(path, std::string(TLogFile::RotateSize, 'x'));
    {
        TLogFile log(path, "prog");
        log.AddLine("after rotation");
    }
    EXPECT_EQ(std::filesystem::file_size(path + ".1"), TLogFile::RotateSize);
    const std::string fresh = test::ReadWholeFile(path);
    EXPECT_EQ(fresh.rfind("*** Log for prog started ", 0), 0u);
    EXPECT_NE(fresh.find("after rotation\r\n"), std::string::npos);
    EXPECT_LT(fresh.size(), 200u);

    // A file just under the limit is not rotated; the next write after it has grown is.
    test::WriteWholeFile(path, std::string(TLogFile::RotateSize - 5, 'y'));
    TLogFile log(path, "prog");
    log.AddLine("grows it past the limit");
    EXPECT_GT(std::filesystem::file_size(path), TLogFile::RotateSize);
    log.AddLine("lands in a new file");
    EXPECT_EQ(test::ReadWholeFile(path + ".1").substr(0, 1), "y");
    const std::string second = test::ReadWholeFile(path);
    EXPECT_EQ(second.rfind("*** Log for prog started ", 0), 0u);
    EXPECT_NE(second.find("lands in a new file"), std::string::npos);
}

TEST(StandardExceptionText, AddsAFullStopAndIsCut) {
    EXPECT_EQ(StandardExceptionText("EpaCritical", "kelvo-rem", 0xABC, "Broken"),
              "Exception EpaCritical in module kelvo-rem at 00000ABC.\r\nBroken.\r\n");
    EXPECT_EQ(StandardExceptionText("E", "m", 0, "Done."),
              "Exception E in module m at 00000000.\r\nDone.\r\n");
    EXPECT_EQ(StandardExceptionText("E", "m", 0, ""),
              "Exception E in module m at 00000000.\r\n\r\n");
    EXPECT_EQ(StandardExceptionText("E", "m", 0, std::string(5000, 'a')).size(), 4095u);
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(ChooseLogFile, CreatesAPrivateFolderInTheStateFolder) {
    test::TempDir dir;
    ScopedEnv state("XDG_STATE_HOME", (dir.Path() / "state").string());
    std::string errors;
    const std::string path =
        ChooseLogFile("Brennikor/Tavrelon", "kelvo-rem.LOG", errors, "/nowhere/kelvo-rem");
    EXPECT_EQ(path, (dir.Path() / "state/Brennikor/Tavrelon/kelvo-rem.LOG").string());
    EXPECT_EQ(errors, "");
    struct stat st {};
    ASSERT_EQ(::stat((dir.Path() / "state/Brennikor/Tavrelon").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A log that others could read is made private again.
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(ChooseLogFile("Brennikor/Tavrelon", "kelvo-rem.LOG", errors, ""), path);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(ChooseLogFile, FallsBackBesideTheProgramThenToAPrivateTemporaryFolder) {
    test::TempDir dir;
    test::WriteWholeFile(dir.Path() / "a-file", "");
    // A state folder below a plain file can never be created.
    ScopedEnv state("XDG_STATE_HOME", (dir.Path() / "a-file/state").string());
    std::filesystem::create_directory(dir.Path() / "bin");
    std::string errors;
    EXPECT_EQ(ChooseLogFile("Brennikor/Tavrelon", "kelvo-rem.LOG", errors,
                            (dir.Path() / "bin/kelvo-rem").string()),
              (dir.Path() / "bin/kelvo-rem.LOG").string());
    EXPECT_NE(errors.find("Error while trying create \""), std::string::npos);

    ScopedEnv temp("TMPDIR", (dir.Path() / "tmp").string());
    std::filesystem::create_directory(dir.Path() / "tmp");
    const std::string path = ChooseLogFile("Brennikor/Tavrelon", "kelvo-rem.LOG", errors,
                                           (dir.Path() / "a-file/kelvo-rem").string());
    EXPECT_EQ(
        path,
        (dir.Path() / ("tmp/kelvo-rem-" + std::to_string(::getuid())) / "kelvo-rem.LOG").string());
    EXPECT_NE(errors.find("\n\r"), std::string::npos);
}

TEST(ChooseLogFile, RefusesATemporaryFolderOthersCanReach) {
    test::TempDir dir;
    test::WriteWholeFile(dir.Path() / "a-file", "");
    ScopedEnv state("XDG_STATE_HOME", (dir.Path() / "a-file/state").string());
    ScopedEnv temp("TMPDIR", dir.Path().string());
    const auto shared = dir.Path() / ("kelvo-rem-" + std::to_string(::getuid()));
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 0777);
    std::string errors;
    EXPECT_EQ(ChooseLogFile("B/T", "kelvo-rem.LOG", errors, ""), "");
    EXPECT_NE(errors.find("not a private folder"), std::string::npos);
}

} // namespace
} // namespace kelvo
