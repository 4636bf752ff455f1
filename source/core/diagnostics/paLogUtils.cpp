#include "core/diagnostics/paLogUtils.h"

#include "core/diagnostics/paExceptionTrace.h"
#include "core/os/paPosixFile.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

namespace kelvo {

namespace {

TDateTimeFormatter& FormatterSlot() {
    static TDateTimeFormatter formatter;
    return formatter;
}

std::unique_ptr<TLogFile>& LogSlot() {
    static std::unique_ptr<TLogFile> log;
    return log;
}

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

int OpenPrivate(const std::string& path, unsigned flags) {
    int fd;
    do
        fd = os::Open(path, flags | os::ofCreate | os::ofNoFollow, 0600);
    while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

std::string DateTimeText(std::chrono::system_clock::time_point when) {
    if (FormatterSlot()) {
        try {
            return FormatterSlot()(when);
        } catch (...) {
        }
    }
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[64];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

void SetDateTimeFormatter(TDateTimeFormatter formatter) {
    FormatterSlot() = std::move(formatter);
}

TLogFile* ProgramLog() {
    return LogSlot().get();
}
void SetProgramLog(std::unique_ptr<TLogFile> log) {
    LogSlot() = std::move(log);
}

std::string StandardExceptionText(const std::string& className, const std::string& module,
                                  std::uintptr_t moduleOffset, const std::string& message) {
    char address[32];
    std::snprintf(address, sizeof address, "%08llX", static_cast<unsigned long long>(moduleOffset));
    const bool needsStop = !message.empty() && message.back() != '.';
    std::string text = "Exception " + className + " in module " + module + " at " + address +
                       ".\r\n" + message + (needsStop ? "." : "") + "\r\n";
    if (text.size() > 4095)
        text.resize(4095);
    return text;
}

TLogFile::TLogFile(std::string fileName, std::string programPath, TLogClock clock)
    : fileName_(std::move(fileName)), programPath_(std::move(programPath)),
      clock_(std::move(clock)) {}

TLogFile::~TLogFile() {
    std::lock_guard lock(mutex_);
    try {
        if (repeats_ > 0 && Open()) {
            FlushRepeats();
            Close();
        }
    } catch (...) {
    }
    if (fd_ >= 0)
        os::Close(fd_);
}

std::chrono::system_clock::time_point TLogFile::Now() const {
    return clock_ ? clock_() : std::chrono::system_clock::now();
}

bool TLogFile::Open() {
    if (fileName_.empty())
        return false;
    if (openCount_ == 0) {
        os::TFileInfo st;
        if (os::Stat(fileName_, st) == 0 && static_cast<std::uintmax_t>(st.Size) >= RotateSize) {
            // The older generation goes; the new file starts with this run's header again.
            if (os::Rename(fileName_, fileName_ + ".1") == 0 && headerWritten_)
                headerWritten_ = false;
        }
        fd_ = OpenPrivate(fileName_, os::ofWrite | os::ofAppend);
        if (fd_ < 0)
            return false;
    }
    ++openCount_;
    if (!headerWritten_) {
        headerWritten_ = true;
        if (header_.empty())
            header_ = "*** Log for " + programPath_ + " started " + DateTimeText(Now());
        WriteRaw(header_ + "\r\n");
    }
    return true;
}

void TLogFile::Close() {
    if (openCount_ > 0 && --openCount_ == 0 && fd_ >= 0) {
        os::Close(fd_);
        fd_ = -1;
    }
}

void TLogFile::WriteRaw(const std::string& text) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const auto written = os::Write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

void TLogFile::FlushRepeats() {
    if (repeats_ == 0)
        return;
    WriteRaw("[=] The previous record repeated " + std::to_string(repeats_) + " more time" +
             (repeats_ == 1 ? "" : "s") + "\r\n");
    repeats_ = 0;
}

void TLogFile::Write(const std::string& text, const std::string& key) noexcept {
    try {
        std::lock_guard lock(mutex_);
        if (fileName_.empty())
            return;
        const auto now = Now();
        if (headerWritten_ && key == lastKey_ && now >= lastWritten_ &&
            now - lastWritten_ < RepeatWindow) {
            ++repeats_;
            return;
        }
        if (!Open())
            return;
        try {
            FlushRepeats();
            WriteRaw(text + "\r\n");
            lastKey_ = key;
            lastWritten_ = now;
        } catch (...) {
        }
        Close();
    } catch (...) {
    }
}

void TLogFile::AddLine(const std::string& text) noexcept {
    try {
        Write(text, text);
    } catch (...) {
    }
}

void TLogFile::AddFormat(const char* format, ...) noexcept {
    try {
        va_list args;
        va_start(args, format);
        std::string text = FormatV(format, args);
        va_end(args);
        Write(text, text);
    } catch (...) {
    }
}

void TLogFile::AddException(const std::exception& exception) noexcept {
    try {
        const TRaiseRecord* raise = LastRaiseInThisThread();
        const std::string text = StandardExceptionText(
            ExceptionClassName(exception), raise ? raise->module : std::string(),
            raise ? raise->moduleOffset : 0, exception.what());
        Write("[!] Exception occured " + DateTimeText(Now()) + "\r" + text, text);
    } catch (...) {
    }
}

void TLogFile::AddException(const std::exception& exception, const TRaiseRecord& raise,
                            const std::string& stackLines) noexcept {
    try {
        const std::string text = StandardExceptionText(ExceptionClassName(exception), raise.module,
                                                       raise.moduleOffset, exception.what()) +
                                 stackLines;
        Write("[!] Exception occured " + DateTimeText(Now()) + "\r" + text, text);
    } catch (...) {
    }
}

namespace {

std::string Join(const std::string& left, const std::string& right) {
    if (left.empty() || left.back() == '/')
        return left + right;
    return left + "/" + right;
}

// Creates every missing folder of path with mode 0700.
bool MakePrivateFolders(const std::string& path) {
    std::string partial;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        partial = path.substr(0, pos);
        if (partial.empty())
            continue;
        if (os::MakeFolder(partial, 0700) != 0 && errno != EEXIST)
            return false;
    }
    os::TFileInfo st;
    return os::Stat(path, st) == 0 && st.Folder;
}

// A folder in a shared place is only used when it is ours alone.
bool IsPrivateFolder(const std::string& path) {
    os::TFileInfo st;
    return os::StatLink(path, st) == 0 && st.Folder && st.OwnedByUser && (st.Mode & 077) == 0;
}

bool TryCreate(const std::string& path, std::vector<std::string>& errors) {
    const int fd = OpenPrivate(path, os::ofReadWrite);
    if (fd < 0) {
        char message[256];
        std::snprintf(message, sizeof message, "Error while trying create \"%s\": %s", path.c_str(),
                      std::strerror(errno));
        errors.emplace_back(message);
        return false;
    }
    // A log kept from an older run may have been readable by others.
    os::SetMode(fd, 0600);
    os::Close(fd);
    return true;
}

} // namespace

std::string ChooseLogFile(const std::string& subfolder, const std::string& fileName,
                          std::string& errors, const std::string& programPath) {
    errors.clear();
    std::vector<std::string> problems;
    std::string result;

    std::string stateHome;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && xdg[0] == '/')
        stateHome = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        stateHome = Join(home, ".local/state");

    if (stateHome.empty()) {
        problems.emplace_back("Can't get path of Application Data folder");
    } else {
        const std::string folder = Join(stateHome, subfolder);
        MakePrivateFolders(folder);
        if (TryCreate(Join(folder, fileName), problems))
            result = Join(folder, fileName);
    }

    if (result.empty() && !programPath.empty()) {
        const std::string beside =
            std::filesystem::path(programPath).replace_extension(".LOG").string();
        if (TryCreate(beside, problems))
            result = beside;
    }

    if (result.empty()) {
        std::error_code ec;
        std::string temp = std::filesystem::temp_directory_path(ec).string();
        if (temp.empty())
            temp = "/tmp";
        const std::string folder = Join(temp, "kelvo-rem-" + std::to_string(os::UserId()));
        os::MakeFolder(folder, 0700);
        if (!IsPrivateFolder(folder))
            problems.emplace_back("Error while trying create \"" + folder +
                                  "\": not a private folder");
        else if (TryCreate(Join(folder, fileName), problems))
            result = Join(folder, fileName);
    }

    for (const auto& problem : problems) {
        if (!errors.empty())
            errors += "\n\r";
        errors += problem;
    }
    return result;
}

} // namespace kelvo
