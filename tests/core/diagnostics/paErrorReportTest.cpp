#include "core/diagnostics/paErrorReport.h"

#include "core/diagnostics/SetupErrorReport.h"
#include "core/diagnostics/paExceptionTrace.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/util/paError.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

std::vector<std::string> After(const std::vector<std::string>& lines, const std::string& first) {
    auto it = std::find_if(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(first, 0) == 0; });
    return {it, lines.end()};
}

bool Has(const std::vector<std::string>& lines, const std::string& prefix) {
    return !After(lines, prefix).empty();
}

class TFixedEnvironment : public IReportEnvironment {
public:
    TSystemInfo SystemInfo() const override {
        if (fail)
            throw EpaCritical("no system information");
        TSystemInfo info;
        info.versionName = "Debian GNU/Linux";
        info.productType = "12";
        info.architecture = "x64";
        info.majorVersion = 6;
        info.minorVersion = 1;
        info.build = 0x4c;
        info.servicePack = "6.1.76-1-amd64";
        info.processorVendor = "GenuineIntel";
        info.processorName = "Some CPU";
        info.processorMHz = 2400;
        info.processorMarks = " MMX SSE SSE2 64 bits DEP";
        info.memoryTotal = 8ull * 1048576 * 1024 + 1000;
        info.memoryFree = 1048575;
        info.displayWidth = 1920;
        info.displayHeight = 1080;
        info.displayDepth = 24;
        info.themesInUse = true;
        info.composition = false;
        info.themeName = "Adwaita";
        return info;
    }
    std::string ProgramPath() const override { return program; }
    bool fail = false;
    std::string program;
};

class ErrorReport : public ::testing::Test {
protected:
    void SetUp() override {
        auto env = std::make_unique<TFixedEnvironment>();
        env_ = env.get();
        SetReportEnvironment(std::move(env));
        SetClassNameResolver([](const std::exception& e) {
            if (dynamic_cast<const EpaWarning*>(&e))
                return std::string("EpaWarning");
            return std::string("EpaCritical");
        });
    }
    void TearDown() override {
        SetReportEnvironment(nullptr);
        SetClassNameResolver({});
        SetTrayReportSource(nullptr);
        SetProgramLog(nullptr);
    }
    TFixedEnvironment* env_ = nullptr;
};

TEST_F(ErrorReport, WithAnExceptionHasAllFourSectionsInOrder) {
    EpaWarning warning("");
    auto report = TpaErrorReport::Make<TpaErrorReportStd>(&warning, 0x4A3F2);
    const auto& lines = report->ReportLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "---");
    EXPECT_EQ(lines[1], "Exception class: EpaWarning");
    EXPECT_EQ(lines[2], "Exception message: ");
    EXPECT_EQ(lines[3], "Exception address: 0004A3F2");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "---"), 4);
    const auto system = After(lines, "System: ");
    ASSERT_GE(system.size(), 6u);
    EXPECT_EQ(system[0], "System: Debian GNU/Linux 12 x64, Version: 6.1, Build: 4C, "
                         "\"6.1.76-1-amd64\"");
    EXPECT_EQ(system[1], "Processor: GenuineIntel, Some CPU, 2400 MHz MMX SSE SSE2 64 bits DEP");
    EXPECT_EQ(system[2], "Memory: 8192; free 0");
    EXPECT_EQ(system[3], "Display: 1920x1080 pixels, 24 bpp");
    EXPECT_EQ(system[4], "Using themes: 1; Composition 0");
    EXPECT_EQ(system[5], "Adwaita");
    EXPECT_EQ(system[6], "---");
    EXPECT_EQ(system[7].rfind("Program info. Generated on ", 0), 0u);
    EXPECT_EQ(system[7].back(), '.');
}

TEST_F(ErrorReport, WithoutAnExceptionHasOnlySystemAndProgram) {
    auto report = TpaErrorReport::Make<TpaErrorReportStd>();
    EXPECT_EQ(report->Sections(), unsigned(rsSystem | rsProgram));
    EXPECT_FALSE(Has(report->ReportLines(), "Exception"));
    EXPECT_EQ(report->ReportLines()[0], "---");
    EXPECT_EQ(report->ReportLines()[1].rfind("System: ", 0), 0u);
}

TEST_F(ErrorReport, AFailingSectionShowsItsMessageAndTheRestFollows) {
    env_->fail = true;
    auto report = TpaErrorReport::Make<TpaErrorReportStd>();
    const auto& lines = report->ReportLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "---");
    EXPECT_EQ(lines[1], "no system information");
    EXPECT_EQ(lines[2], "---");
    EXPECT_EQ(lines[3].rfind("Program info. Generated on ", 0), 0u);
}

TEST_F(ErrorReport, ProgramLinesNameTheVersionTheProgramAndTheLog) {
    test::TempDir dir;
    test::WriteWholeFile(dir.Path() / "kelvo-rem", std::string(1234, 'p'));
    env_->program = dir.File("kelvo-rem");
    SetVersionInfo({"Tavrelon MP3", "2.27", "2.27.0.0"});
    SetProgramLog(std::make_unique<TLogFile>(dir.File("kelvo-rem.LOG"), "x"));
    ProgramLog()->AddLine("12345");
    auto report = TpaErrorReport::Make<TpaErrorReportStd>();
    const auto program = After(report->ReportLines(), "Program info.");
    ASSERT_EQ(program.size(), 4u);
    EXPECT_EQ(program[1], "Tavrelon MP3 2.27 build 0.0 size: 1234");
    EXPECT_EQ(program[2], "File name: " + dir.File("kelvo-rem"));
    EXPECT_EQ(program[3],
              dir.File("kelvo-rem.LOG") + " size: " +
                  std::to_string(std::filesystem::file_size(dir.File("kelvo-rem.LOG"))) + " ");
    SetVersionInfo({});
}

TEST(BuildFromFileVersion, DropsTheFirstTwoParts) {
    EXPECT_EQ(BuildFromFileVersion("2.27.0.0"), "0.0");
    EXPECT_EQ(BuildFromFileVersion("2.27.13"), "13");
    EXPECT_EQ(BuildFromFileVersion("2.27"), "");
    EXPECT_EQ(BuildFromFileVersion("227"), "");
}

class TSource : public ITrayReportSource {
public:
    std::string DataLocation() const override { return location; }
    std::vector<std::string> OptionLines() const override { return {"AlarmOption=0", "X=y"}; }
    std::string location;
};

TEST_F(ErrorReport, TrayReportBeforeTheMainWindowHasOnlyTheOptionsHeading) {
    auto report = TpaErrorReport::Make<TTrayErrorReport>();
    const auto& lines = report->ReportLines();
    EXPECT_FALSE(Has(lines, "Data Files: "));
    EXPECT_EQ(lines.back().rfind("Options info. Generated on ", 0), 0u);
}

TEST_F(ErrorReport, TrayReportListsOnlyTheProgramsOwnDataFilesAndTheOptions) {
    test::TempDir dir;
    for (const char* name : {"kelvo-rem.evn", "kelvo-rem.tpl", "kelvo-rem.~ev", "Saving of 1.tmp",
                             "tax return 2025.pdf", ".hidden", "kelvo-rem.evn.bak", "other.evn"})
        test::WriteWholeFile(dir.Path() / name, "");
    std::filesystem::create_directory(dir.Path() / "Private photos");
    TSource source;
    source.location = dir.File("kelvo-rem");
    SetTrayReportSource(&source);
    auto report = TpaErrorReport::Make<TTrayErrorReport>();
    auto lines = After(report->ReportLines(), "Data Files: ");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Data Files: " + dir.File("kelvo-rem"));
    const auto options = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("Options info. Generated on ", 0) == 0;
    });
    ASSERT_NE(options, lines.end());
    std::vector<std::string> names(lines.begin() + 1, options);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Saving of 1.tmp", "kelvo-rem.evn", "kelvo-rem.tpl",
                                               "kelvo-rem.~ev"}));
    EXPECT_EQ(std::vector<std::string>(options + 1, lines.end()),
              (std::vector<std::string>{"AlarmOption=0", "X=y"}));
}

class TRecordingPresenter : public IErrorReportPresenter {
public:
    void ShowReport(const TpaErrorReport& report) override {
        ++shown;
        lastLines = report.ReportLines();
        if (nested) {
            EpaCritical again("while shown");
            ShowErrorReport(&again, 1);
        }
        if (failing)
            throw EpaCritical("window failed");
    }
    int shown = 0;
    bool nested = false;
    bool failing = false;
    std::vector<std::string> lastLines;
};

TEST_F(ErrorReport, ASecondErrorWhileOneIsPresentedIsNotPresented) {
    TRecordingPresenter presenter;
    presenter.nested = true;
    SetErrorReportPresenter(&presenter);
    EpaCritical first("first");
    ShowErrorReport(&first, 2);
    EXPECT_EQ(presenter.shown, 1);
    EXPECT_FALSE(IsPresentingErrorReport());
    presenter.nested = false;
    presenter.failing = true;
    ShowErrorReport(&first, 2);
    EXPECT_FALSE(IsPresentingErrorReport());
    presenter.failing = false;
    ShowErrorReport(&first, 2);
    EXPECT_EQ(presenter.shown, 3);
    SetErrorReportPresenter(nullptr);
}

TEST_F(ErrorReport, TheProgramsHandlerReportsWithTheTrayReport) {
    TRecordingPresenter presenter;
    SetErrorReportPresenter(&presenter);
    SetupErrorReport();
    auto previous = SetErrorHandler(std::make_unique<TErrorHanderAsReport>());
    try {
        throw EpaCritical("reached the top");
    } catch (...) {
        DispatchError(nullptr);
    }
    EXPECT_EQ(presenter.shown, 1);
    EXPECT_TRUE(Has(presenter.lastLines, "Exception message: reached the top"));
    EXPECT_TRUE(Has(presenter.lastLines, "Options info. Generated on "));
    SetErrorHandler(std::move(previous));
    SetErrorReportPresenter(nullptr);
    SetErrorReportClass([](const std::exception* e, std::uintptr_t a) {
        return std::unique_ptr<TpaErrorReport>(TpaErrorReport::Make<TpaErrorReportStd>(e, a));
    });
}

TEST(NotifyRaise, LogsEveryExceptionButUserErrors) {
    test::TempDir dir;
    SetProgramLog(std::make_unique<TLogFile>(dir.File("n.LOG"), "prog"));
    TRaiseRecord record;
    record.address = 0x5000;
    record.module = "kelvo-rem";
    record.moduleOffset = 0x400;
    record.frames.push_back({0x5000, 0x400, "kelvo::Thrower()", 0x10});
    EpaCritical critical("logged");
    NotifyRaise(&critical, false, record);
    EXPECT_EQ(LastExceptionAddress(), 0x5000u);
    ASSERT_NE(LastRaiseInThisThread(), nullptr);
    EXPECT_EQ(LastRaiseInThisThread()->frames.size(), 1u);

    TRaiseRecord userRecord;
    userRecord.address = 0x6000;
    EpaUser user("never logged");
    NotifyRaise(&user, true, userRecord);
    EXPECT_EQ(LastExceptionAddress(), 0x5000u);

    TRaiseRecord other;
    other.address = 0x7000;
    other.frames.push_back({0x7000, 0x10, "", 0});
    NotifyRaise(nullptr, false, other);
    SetProgramLog(nullptr);

    const std::string text = test::ReadWholeFile(dir.File("n.LOG"));
    EXPECT_NE(text.find("logged.\r\n(00000400) [0000000000005000] kelvo::Thrower()\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("never logged"), std::string::npos);
    EXPECT_NE(text.find("\r\n(00000010) [0000000000007000] ?\r\n"), std::string::npos);
    EXPECT_EQ(RenderFrameForReport({0x5000, 0x400, "kelvo::Thrower()", 0x10}),
              "(00000400) [0000000000005000] kelvo::Thrower() + 0x10");
}

TEST(StripNamespaces, KeepsTheClassName) {
    EXPECT_EQ(StripNamespaces("kelvo::EpaWarning"), "EpaWarning");
    EXPECT_EQ(StripNamespaces("std::runtime_error"), "runtime_error");
    EXPECT_EQ(StripNamespaces("kelvo::TBox<std::string>"), "TBox<std::string>");
    EXPECT_EQ(StripNamespaces("Plain"), "Plain");
}

} // namespace
} // namespace kelvo

#include "core/diagnostics/paOptionsReportSource.h"
#include "core/options/ProgramOptions.h"

namespace kelvo {
namespace {

TEST(OptionsReportSource, ReportsTheProgramsOptionsWhileItLives) {
    TProgramOptions options;
    test::TempDir dir;
    options.StartupDataLocation.SetValue(dir.File("kelvo-rem"));
    test::WriteWholeFile(dir.Path() / "kelvo-rem.evn", "");
    {
        TOptionsReportSource source(options);
        auto report = TpaErrorReport::Make<TTrayErrorReport>();
        const auto lines = After(report->ReportLines(), "Data Files: ");
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "Data Files: " + dir.File("kelvo-rem"));
        EXPECT_EQ(lines[1], "kelvo-rem.evn");
        std::vector<std::string> expected;
        options.List.WriteToStrings(expected);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(
            std::vector<std::string>(lines.end() - static_cast<long>(expected.size()), lines.end()),
            expected);
        EXPECT_TRUE(Has(lines, "StartupDataLocation=" + dir.File("kelvo-rem")));
    }
    EXPECT_EQ(TrayReportSource(), nullptr);
}

} // namespace
} // namespace kelvo
