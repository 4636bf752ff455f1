#include "platform/diagnostics/paCrashLog.h"

#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace kelvo {

namespace {

constexpr int FatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
char crashLogPath[4096] = {};
bool installed = false;
struct sigaction previous[sizeof FatalSignals / sizeof FatalSignals[0]];

void WriteText(int fd, const char* text) {
    [[maybe_unused]] const ssize_t ignored = ::write(fd, text, std::strlen(text));
}

void WriteNumber(int fd, long value) {
    char digits[24];
    int at = sizeof digits;
    const bool negative = value < 0;
    unsigned long rest =
        negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        digits[--at] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest && at > 1);
    if (negative)
        digits[--at] = '-';
    [[maybe_unused]] const ssize_t ignored = ::write(fd, digits + at, sizeof digits - at);
}

[[maybe_unused]] void OnFatalSignal(int number) {
    const int fd =
        ::open(crashLogPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) {
        WriteText(fd, "[!] Fatal signal ");
        WriteNumber(fd, number);
        WriteText(fd, " (");
        WriteText(fd, sigabbrev_np(number) ? sigabbrev_np(number) : "?");
        WriteText(fd, ") in process ");
        WriteNumber(fd, ::getpid());
        WriteText(fd, "\r\n");
        void* frames[64];
        const int depth = ::backtrace(frames, 64);
        ::backtrace_symbols_fd(frames, depth, fd);
        ::close(fd);
    }
    // Die of the same signal, as without this handler.
    ::signal(number, SIG_DFL);
    ::raise(number);
}

} // namespace

void InstallCrashLog(const std::string& logPath) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's own report of a crash is the better one.
    (void)logPath;
    return;
#else
    if (logPath.empty() || logPath.size() >= sizeof crashLogPath || installed)
        return;
    std::memcpy(crashLogPath, logPath.c_str(), logPath.size() + 1);
    // The first backtrace loads the unwinder, which must not happen inside the handler.
    void* warmUp[1];
    ::backtrace(warmUp, 1);
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (std::size_t i = 0; i < sizeof FatalSignals / sizeof FatalSignals[0]; ++i)
        ::sigaction(FatalSignals[i], &action, &previous[i]);
    installed = true;
#endif
}

void RemoveCrashLog() {
    if (!installed)
        return;
    for (std::size_t i = 0; i < sizeof FatalSignals / sizeof FatalSignals[0]; ++i)
        ::sigaction(FatalSignals[i], &previous[i], nullptr);
    installed = false;
}

} // namespace kelvo
