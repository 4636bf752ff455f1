#include "core/diagnostics/paErrorReport.h"
#include "core/diagnostics/paExceptionTrace.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/util/paError.h"
#include "platform/diagnostics/paExceptionTracking.h"
#include "platform/diagnostics/paSetupErrorHandlers.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace kelvo::diagnostics_test {

// Named so that their frames can be found in the stack traces.
[[gnu::noinline]] void ThrowFromDeepInside(const std::string& text) {
    throw EpaCritical(text);
}
[[gnu::noinline]] void ThrowAUserError() {
    throw EpaUser("the user typed a bad date");
}

class EUserDescendant : public EpaUser {
public:
    using EpaUser::EpaUser;
};

class TFileReportPresenter : public IErrorReportPresenter {
public:
    void ShowReport(const TpaErrorReport& report) override {
        ++shown;
        lines = report.ReportLines();
        warning = dynamic_cast<const EpaWarning*>(report.Exception()) != nullptr;
        if (const char* path = std::getenv("KELVO_REPORT_FILE")) {
            std::ofstream out(path);
            for (const auto& line : lines)
                out << line << '\n';
        }
    }
    int shown = 0;
    bool warning = false;
    std::vector<std::string> lines;
};

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

class Diagnostics : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_STATE_HOME", (dir_.Path() / "state").c_str(), 1);
        SetupErrorHandlers();
        SetErrorReportPresenter(&presenter_);
        ASSERT_TRUE(IsExceptionTrackingActive());
        ASSERT_NE(ProgramLog(), nullptr);
        logPath_ = ProgramLog()->FileName();
        ASSERT_EQ(logPath_, (dir_.Path() / "state/Brennikor/Tavrelon/kelvo-rem.LOG").string());
    }
    void TearDown() override {
        SetErrorReportPresenter(nullptr);
        TeardownErrorHandlers();
    }
    std::string Log() const { return test::ReadWholeFile(logPath_); }

    test::TempDir dir_;
    TFileReportPresenter presenter_;
    std::string logPath_;
};

TEST_F(Diagnostics, AHandledExceptionIsLoggedWithTheStackWhereItWasThrown) {
    try {
        ThrowFromDeepInside("handled quietly");
    } catch (const EpaError&) {
    }
    const std::string log = Log();
    EXPECT_EQ(log.rfind("*** Log for ", 0), 0u);
    const auto record = log.find("[!] Exception occured ");
    ASSERT_NE(record, std::string::npos);
    EXPECT_NE(log.find("\rException EpaCritical in module test_platform_diagnostics at ", record),
              std::string::npos);
    EXPECT_NE(log.find(".\r\nhandled quietly.\r\n(", record), std::string::npos);
    EXPECT_NE(log.find("ThrowFromDeepInside", record), std::string::npos);
    EXPECT_NE(LastExceptionAddress(), 0u);
    const TRaiseRecord* raise = LastRaiseInThisThread();
    ASSERT_NE(raise, nullptr);
    ASSERT_FALSE(raise->frames.empty());
    EXPECT_NE(raise->frames[0].procedure.find("ThrowFromDeepInside"), std::string::npos);
}

TEST_F(Diagnostics, UserErrorsAreNeverLoggedNorTraced) {
    try {
        ThrowFromDeepInside("marker");
    } catch (...) {
    }
    const auto address = LastExceptionAddress();
    const auto sizeBefore = Log().size();
    try {
        ThrowAUserError();
    } catch (...) {
    }
    try {
        throw EUserDescendant("descendant");
    } catch (...) {
    }
    EXPECT_EQ(LastExceptionAddress(), address);
    EXPECT_EQ(Log().size(), sizeBefore);
    EXPECT_EQ(Log().find("bad date"), std::string::npos);
}

TEST_F(Diagnostics, ThrowsOfTheStandardLibraryAndOtherObjectsAreLoggedToo) {
    try {
        std::vector<int> none;
        (void)none.at(3);
    } catch (const std::out_of_range&) {
    }
    try {
        throw 42;
    } catch (int) {
    }
    const std::string log = Log();
    EXPECT_NE(log.find("Exception out_of_range in module "), std::string::npos);
    // A thrown object that is not an exception leaves its stack only.
    EXPECT_EQ(std::count(log.begin(), log.end(), '!'), 1);
    EXPECT_NE(log.find("Diagnostics_ThrowsOfTheStandardLibrary"), std::string::npos);
}

TEST_F(Diagnostics, CheckWarningPresentsAWarningAndExecutionGoesOn) {
    int after = 0;
    CheckWarning(false);
    after = 1;
    EXPECT_EQ(after, 1);
    ASSERT_EQ(presenter_.shown, 1);
    EXPECT_TRUE(presenter_.warning);
    EXPECT_TRUE(Contains(presenter_.lines, "Exception class: EpaWarning"));
    EXPECT_TRUE(Contains(presenter_.lines, "Exception message: "));
    EXPECT_TRUE(Contains(presenter_.lines, "Stack list, generated "));
    EXPECT_TRUE(Contains(presenter_.lines, "Options info. Generated on "));
    EXPECT_NE(Log().find("Exception EpaWarning in module"), std::string::npos);
}

TEST_F(Diagnostics, CheckHintPresentsNothingButIsLogged) {
    CheckHint(false, "tray hint window missing");
    EXPECT_EQ(presenter_.shown, 0);
    EXPECT_NE(Log().find("Exception EpaHint in module"), std::string::npos);
    EXPECT_NE(Log().find("tray hint window missing."), std::string::npos);
}

TEST_F(Diagnostics, ReportsDescribeThisMachine) {
    auto report = MakeErrorReport(nullptr, 0);
    const auto& lines = report->ReportLines();
    EXPECT_TRUE(Contains(lines, "System: "));
    EXPECT_TRUE(Contains(lines, ", Version: "));
    EXPECT_TRUE(Contains(lines, "Processor: "));
    EXPECT_TRUE(Contains(lines, "Memory: "));
    EXPECT_TRUE(Contains(lines, "File name: /"));
    EXPECT_TRUE(Contains(lines, logPath_ + " size: "));
}

int RunChild(const std::string& filter, const std::vector<std::string>& extraEnv) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const bool overridden = std::any_of(extraEnv.begin(), extraEnv.end(), [&](const auto& x) {
            return entry.compare(0, x.find('=') + 1, x, 0, x.find('=') + 1) == 0;
        });
        if (!overridden)
            env.push_back(entry);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = "/proc/self/exe";
    std::string arg = "--gtest_filter=" + filter;
    std::string uncaught = "--gtest_catch_exceptions=0";
    char* argv[] = {self.data(), arg.data(), uncaught.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(UncaughtException, ShowsItsReportAndEndsWithExitCodeOne) {
    test::TempDir dir;
    const std::string report = dir.File("report.txt");
    const int code =
        RunChild("UncaughtExceptionChild.*", {"KELVO_CHILD=uncaught", "KELVO_REPORT_FILE=" + report,
                                              "XDG_STATE_HOME=" + dir.File("state")});
    EXPECT_EQ(code, 1);
    const std::string text = test::ReadWholeFile(report);
    EXPECT_NE(text.find("Exception class: EpaCritical\n"), std::string::npos);
    EXPECT_NE(text.find("Exception message: nobody catches this\n"), std::string::npos);
    EXPECT_NE(text.find("ThrowFromDeepInside"), std::string::npos);
    const std::string log = test::ReadWholeFile(dir.File("state/Brennikor/Tavrelon/kelvo-rem.LOG"));
    EXPECT_NE(log.find("nobody catches this."), std::string::npos);
}

TEST(UncaughtExceptionChild, Throws) {
    if (!std::getenv("KELVO_CHILD"))
        GTEST_SKIP() << "runs only as the child of UncaughtException";
    SetupErrorHandlers();
    static TFileReportPresenter presenter;
    SetErrorReportPresenter(&presenter);
    ThrowFromDeepInside("nobody catches this");
}

TEST(FatalSignal, LeavesARecordInTheLog) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reports crashes itself";
#endif
    test::TempDir dir;
    const int code = RunChild("FatalSignalChild.*",
                              {"KELVO_CHILD=crash", "XDG_STATE_HOME=" + dir.File("state")});
    EXPECT_EQ(code, 128 + SIGSEGV);
    const std::string log = test::ReadWholeFile(dir.File("state/Brennikor/Tavrelon/kelvo-rem.LOG"));
    EXPECT_NE(log.find("[!] Fatal signal 11 (SEGV) in process "), std::string::npos) << log;
    EXPECT_NE(log.find("CrashHere"), std::string::npos) << log;
}

[[gnu::noinline]] void CrashHere(volatile int* where) {
    *where = 1;
}

TEST(FatalSignalChild, Crashes) {
    if (!std::getenv("KELVO_CHILD"))
        GTEST_SKIP() << "runs only as the child of FatalSignal";
    SetupErrorHandlers();
    CrashHere(nullptr);
}

} // namespace kelvo::diagnostics_test
