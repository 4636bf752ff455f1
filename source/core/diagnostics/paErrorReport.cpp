#include "core/diagnostics/paErrorReport.h"

#include "core/diagnostics/paExceptionTrace.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/util/paError.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace kelvo {

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char buffer[2048];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

TVersionInfo& VersionSlot() {
    static TVersionInfo info;
    return info;
}

class TBlankEnvironment : public IReportEnvironment {
public:
    TSystemInfo SystemInfo() const override { return {}; }
    std::string ProgramPath() const override { return {}; }
};

std::unique_ptr<IReportEnvironment>& EnvironmentSlot() {
    static std::unique_ptr<IReportEnvironment> environment = std::make_unique<TBlankEnvironment>();
    return environment;
}

TErrorReportFactory& FactorySlot() {
    static TErrorReportFactory factory = [](const std::exception* e, std::uintptr_t address) {
        return std::unique_ptr<TpaErrorReport>(TpaErrorReport::Make<TpaErrorReportStd>(e, address));
    };
    return factory;
}

class TStderrPresenter : public IErrorReportPresenter {
public:
    void ShowReport(const TpaErrorReport& report) override {
        for (const auto& line : report.ReportLines())
            std::cerr << line << '\n';
        std::cerr.flush();
    }
};

TStderrPresenter stderrPresenter;
IErrorReportPresenter* presenter = &stderrPresenter;
bool presenting = false;

std::uintmax_t FileSizeOrZero(const std::string& path) {
    std::error_code ec;
    if (path.empty())
        return 0;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

} // namespace

const TVersionInfo& VersionInfo() {
    return VersionSlot();
}
void SetVersionInfo(TVersionInfo info) {
    VersionSlot() = std::move(info);
}

std::string BuildFromFileVersion(const std::string& fileVersion) {
    const auto first = fileVersion.find('.');
    if (first == std::string::npos)
        return {};
    const auto second = fileVersion.find('.', first + 1);
    if (second == std::string::npos)
        return {};
    return fileVersion.substr(second + 1);
}

const IReportEnvironment& ReportEnvironment() {
    return *EnvironmentSlot();
}
void SetReportEnvironment(std::unique_ptr<IReportEnvironment> environment) {
    EnvironmentSlot() =
        environment ? std::move(environment) : std::make_unique<TBlankEnvironment>();
}

void TpaErrorReportStd::ChooseSections() {
    sections_ =
        hasException_ ? (rsException | rsStack | rsSystem | rsProgram) : (rsSystem | rsProgram);
}

void TpaErrorReportStd::Generate() {
    BeginReport();
    for (unsigned section : {rsException, rsStack, rsSystem, rsProgram}) {
        if ((sections_ & section) == 0)
            continue;
        reportLines_.emplace_back("---");
        std::vector<std::string> lines;
        try {
            switch (section) {
            case rsException:
                AddExceptionSection(lines);
                break;
            case rsStack:
                AddStackSection(lines);
                break;
            case rsSystem:
                AddSystemSection(lines);
                break;
            default:
                AddProgramInfo(lines);
                break;
            }
        } catch (const std::exception& e) {
            lines.emplace_back(e.what());
        }
        reportLines_.insert(reportLines_.end(), lines.begin(), lines.end());
    }
    EndReport();
}

void TpaErrorReportStd::AddExceptionSection(std::vector<std::string>& lines) {
    if (exception_) {
        lines.push_back("Exception class: " + ExceptionClassName(*exception_));
        lines.push_back(std::string("Exception message: ") + exception_->what());
    }
    lines.push_back(
        Format("Exception address: %08llX", static_cast<unsigned long long>(exceptionAddress_)));
}

void TpaErrorReportStd::AddStackSection(std::vector<std::string>& lines) {
    const TRaiseRecord* raise = LastRaiseInThisThread();
    if (!raise)
        return;
    lines.push_back("Stack list, generated " + DateTimeText(raise->when));
    for (const auto& frame : raise->frames)
        lines.push_back(RenderFrameForReport(frame));
}

void TpaErrorReportStd::AddSystemSection(std::vector<std::string>& lines) {
    const TSystemInfo info = ReportEnvironment().SystemInfo();
    lines.push_back(Format("System: %s %s %s, Version: %d.%d, Build: %X, \"%s\"",
                           info.versionName.c_str(), info.productType.c_str(),
                           info.architecture.c_str(), info.majorVersion, info.minorVersion,
                           info.build, info.servicePack.c_str()));
    lines.push_back(Format("Processor: %s, %s, %d MHz", info.processorVendor.c_str(),
                           info.processorName.c_str(), info.processorMHz) +
                    info.processorMarks);
    lines.push_back(Format("Memory: %llu; free %llu",
                           static_cast<unsigned long long>(info.memoryTotal / 1048576),
                           static_cast<unsigned long long>(info.memoryFree / 1048576)));
    lines.push_back(Format("Display: %dx%d pixels, %d bpp", info.displayWidth, info.displayHeight,
                           info.displayDepth));
    lines.push_back(Format("Using themes: %d; Composition %d", info.themesInUse ? 1 : 0,
                           info.composition ? 1 : 0));
    if (info.themesInUse && !info.themeName.empty())
        lines.push_back(info.themeName);
}

void TpaErrorReportStd::AddProgramInfo(std::vector<std::string>& lines) {
    const TVersionInfo& version = VersionInfo();
    const std::string program = ReportEnvironment().ProgramPath();
    lines.push_back("Program info. Generated on " + DateTimeText(std::chrono::system_clock::now()) +
                    ".");
    lines.push_back(Format("%s build %s size: %llu",
                           (version.productName + " " + version.productVersion).c_str(),
                           BuildFromFileVersion(version.fileVersion).c_str(),
                           static_cast<unsigned long long>(FileSizeOrZero(program))));
    lines.push_back("File name: " + program);
    const std::string logPath = ProgramLog() ? ProgramLog()->FileName() : std::string();
    lines.push_back(Format("%s size: %llu ", logPath.c_str(),
                           static_cast<unsigned long long>(FileSizeOrZero(logPath))));
    AddProgramInfoExtra(lines);
}

void SetErrorReportClass(TErrorReportFactory factory) {
    FactorySlot() = std::move(factory);
}

std::unique_ptr<TpaErrorReport> MakeErrorReport(const std::exception* exception,
                                                std::uintptr_t address) {
    return FactorySlot()(exception, address);
}

void SetErrorReportPresenter(IErrorReportPresenter* newPresenter) {
    presenter = newPresenter ? newPresenter : &stderrPresenter;
}

bool IsPresentingErrorReport() {
    return presenting;
}

void ShowErrorReport(const std::exception* exception, std::uintptr_t address) noexcept {
    if (presenting)
        return;
    presenting = true;
    try {
        auto report = MakeErrorReport(exception, address);
        presenter->ShowReport(*report);
    } catch (...) {
    }
    presenting = false;
}

void TErrorHanderAsReport::HandleError(const void*, const std::exception* exception) {
    ShowErrorReport(exception, LastExceptionAddress());
}

} // namespace kelvo
