#include "platform/diagnostics/paSetupErrorHandlers.h"

#include "core/diagnostics/SetupErrorReport.h"
#include "core/diagnostics/paErrorReport.h"
#include "core/diagnostics/paExceptionTrace.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/util/paError.h"
#include "platform/diagnostics/SetupLog.h"
#include "platform/diagnostics/paCrashLog.h"
#include "platform/diagnostics/paExceptionTracking.h"
#include "platform/diagnostics/paSystemInfo.h"

#include <atomic>
#include <cstdlib>
#include <exception>

namespace kelvo {

namespace {

std::terminate_handler previousTerminate = nullptr;
std::unique_ptr<IpaErrorHandler> previousHandler;

[[noreturn]] void OnUncaughtException() {
    static std::atomic<bool> ending{false};
    if (ending.exchange(true))
        std::_Exit(1);
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            ShowErrorReport(&e, LastExceptionAddress());
        } catch (...) {
            ShowErrorReport(nullptr, LastExceptionAddress());
        }
    }
    std::exit(1);
}

} // namespace

void SetupErrorHandlers() {
    SetupProgramLog();
    SetReportEnvironment(std::make_unique<TLinuxReportEnvironment>());
    SetWarningRaiser(std::make_unique<TpaRaiserAndHandler>());
    SetHintRaiser(std::make_unique<TpaRaiserAndSilent>());
    previousTerminate = std::set_terminate(OnUncaughtException);
    previousHandler = SetErrorHandler(std::make_unique<TErrorHanderAsReport>());
    if (!StartExceptionTracking())
        RaiseHint({}, "!!! CANNOT START TRACKING !!!");
    SetupErrorReport();
    if (ProgramLog())
        InstallCrashLog(ProgramLog()->FileName());
}

void TeardownErrorHandlers() {
    RemoveCrashLog();
    StopExceptionTracking();
    SetErrorHandler(std::move(previousHandler));
    std::set_terminate(previousTerminate);
    SetHintRaiser(nullptr);
    SetWarningRaiser(nullptr);
    SetReportEnvironment(nullptr);
    TeardownProgramLog();
}

} // namespace kelvo
