#pragma once

#include "core/util/BuildVersion.h"
#include "core/util/paIError.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

// Section bits of a report.
enum : unsigned {
    rsException = 1,
    rsStack = 2,
    rsSystem = 4,
    rsProgram = 8,
};

// The program's version information; the versions are the build's (BuildVersion).
struct TVersionInfo {
    std::string productName = "Tavrelon MP3";
    std::string productVersion = BuildVersion();
    std::string fileVersion = std::string(BuildVersion()) + ".0";
};
const TVersionInfo& VersionInfo();
void SetVersionInfo(TVersionInfo info);
// The file version without its first two dot-separated parts ("2.27.0.0" gives "0.0").
std::string BuildFromFileVersion(const std::string& fileVersion);

// What the report needs to know about the machine and the program file; the platform
// supplies it. Any of these may throw: the section then shows the error's message.
struct TSystemInfo {
    std::string versionName; // distribution
    std::string productType; // distribution version
    std::string architecture;
    int majorVersion = 0; // kernel
    int minorVersion = 0;
    unsigned build = 0;
    std::string servicePack; // kernel release
    std::string processorVendor;
    std::string processorName;
    int processorMHz = 0;
    std::string processorMarks; // " MMX SSE ..." as they apply
    std::uint64_t memoryTotal = 0;
    std::uint64_t memoryFree = 0;
    int displayWidth = 0;
    int displayHeight = 0;
    int displayDepth = 0;
    bool themesInUse = false;
    bool composition = false;
    std::string themeName;
};

class IReportEnvironment {
public:
    virtual ~IReportEnvironment() = default;
    virtual TSystemInfo SystemInfo() const = 0;
    virtual std::string ProgramPath() const = 0;
};
// The environment in use; by default one that knows nothing about the machine.
const IReportEnvironment& ReportEnvironment();
void SetReportEnvironment(std::unique_ptr<IReportEnvironment> environment);

// A report on an error (or on nothing), complete once Make has built it.
class TpaErrorReport {
public:
    TpaErrorReport() = default;
    virtual ~TpaErrorReport() = default;
    TpaErrorReport(const TpaErrorReport&) = delete;
    TpaErrorReport& operator=(const TpaErrorReport&) = delete;

    virtual void ChooseSections() = 0;
    virtual void Generate() = 0;

    // The constructors of the report classes: store, choose the sections, generate.
    template <class R> static std::unique_ptr<R> Make() {
        auto report = std::make_unique<R>();
        report->ChooseSections();
        report->Generate();
        return report;
    }
    template <class R>
    static std::unique_ptr<R> Make(const std::exception* exception, std::uintptr_t address) {
        auto report = std::make_unique<R>();
        report->hasException_ = true;
        report->exception_ = exception;
        report->exceptionAddress_ = address;
        report->ChooseSections();
        report->Generate();
        return report;
    }

    const std::vector<std::string>& ReportLines() const { return reportLines_; }
    bool HasException() const { return hasException_; }
    const std::exception* Exception() const { return exception_; }
    std::uintptr_t ExceptionAddress() const { return exceptionAddress_; }
    unsigned Sections() const { return sections_; }

protected:
    std::vector<std::string> reportLines_;
    bool hasException_ = false;
    const std::exception* exception_ = nullptr;
    std::uintptr_t exceptionAddress_ = 0;
    unsigned sections_ = 0;
};

class TpaErrorReportStd : public TpaErrorReport {
public:
    void ChooseSections() override;
    void Generate() override;
    virtual void BeginReport() {}
    virtual void EndReport() {}
    virtual void AddProgramInfo(std::vector<std::string>& lines);
    virtual void AddProgramInfoExtra(std::vector<std::string>&) {}

protected:
    void AddExceptionSection(std::vector<std::string>& lines);
    void AddStackSection(std::vector<std::string>& lines);
    void AddSystemSection(std::vector<std::string>& lines);
};

// The class of report ShowErrorReport builds.
using TErrorReportFactory = std::function<std::unique_ptr<TpaErrorReport>(
    const std::exception* exception, std::uintptr_t address)>;
void SetErrorReportClass(TErrorReportFactory factory);
std::unique_ptr<TpaErrorReport> MakeErrorReport(const std::exception* exception,
                                                std::uintptr_t address);

// Presents a finished report; the report window does so modally.
class IErrorReportPresenter {
public:
    virtual ~IErrorReportPresenter() = default;
    virtual void ShowReport(const TpaErrorReport& report) = 0;
};
// Null puts back the fallback, which writes the report to stderr.
void SetErrorReportPresenter(IErrorReportPresenter* presenter);

// Builds and presents the report, unless one is already being presented (the error has
// been logged when it was thrown, so nothing is lost). Never throws.
void ShowErrorReport(const std::exception* exception, std::uintptr_t address) noexcept;
bool IsPresentingErrorReport();

// The program's error handler: every error reaching the top becomes a report.
class TErrorHanderAsReport : public IpaErrorHandler {
public:
    void HandleError(const void* sender, const std::exception* exception) override;
};

} // namespace kelvo
