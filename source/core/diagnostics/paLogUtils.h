#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace kelvo {

struct TRaiseRecord;

using TLogClock = std::function<std::chrono::system_clock::time_point()>;

// An append-only text log. The file is opened for each write and closed after it, so every
// line is on disk at once. Writes never throw; a failing write is dropped and the next one
// tries again. The same record repeated within a minute is counted instead of written, and
// the file is rotated once it reaches RotateSize (one older generation is kept as ".1").
class TLogFile {
public:
    static constexpr std::uintmax_t RotateSize = 1024 * 1024;
    static constexpr std::chrono::seconds RepeatWindow{60};

    // An empty fileName keeps no log. programPath goes into the header line.
    explicit TLogFile(std::string fileName, std::string programPath = {}, TLogClock clock = {});
    ~TLogFile();
    TLogFile(const TLogFile&) = delete;
    TLogFile& operator=(const TLogFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    void AddLine(const std::string& text) noexcept;
    void AddFormat(const char* format, ...) noexcept __attribute__((format(printf, 2, 3)));
    // Uses the raise record of this thread for the module and address, when there is one.
    void AddException(const std::exception& exception) noexcept;
    // One record: the exception line of the given raise, followed by its stack lines.
    void AddException(const std::exception& exception, const TRaiseRecord& raise,
                      const std::string& stackLines) noexcept;

private:
    // key identifies the record for repeat counting (the text without its time stamp).
    void Write(const std::string& text, const std::string& key) noexcept;
    bool Open();
    void Close();
    void WriteRaw(const std::string& text);
    void FlushRepeats();
    std::chrono::system_clock::time_point Now() const;

    std::string fileName_;
    std::string programPath_;
    TLogClock clock_;
    std::recursive_mutex mutex_;
    int fd_ = -1;
    int openCount_ = 0;
    bool headerWritten_ = false;
    std::string header_;
    std::string lastKey_;
    std::chrono::system_clock::time_point lastWritten_{};
    int repeats_ = 0;
};

// "Exception %s in module %s at %p.\r\n%s%s\r\n", cut to 4095 characters.
std::string StandardExceptionText(const std::string& className, const std::string& module,
                                  std::uintptr_t moduleOffset, const std::string& message);

// The log's folder: $XDG_STATE_HOME (or ~/.local/state) joined with subfolder, created
// private to the user. Then beside the program (its path with the extension ".LOG"), then
// a private folder of this user inside the temporary folder. The first path that can be
// opened or created wins; failures are listed in errors (lines joined by "\n\r"). Empty
// when none works.
std::string ChooseLogFile(const std::string& subfolder, const std::string& fileName,
                          std::string& errors, const std::string& programPath);

// The one log of the process; null when there is none.
TLogFile* ProgramLog();
void SetProgramLog(std::unique_ptr<TLogFile> log);

// Date and time as the log and the reports show them (the user's short date and long time
// format once the platform installs its formatter).
using TDateTimeFormatter = std::function<std::string(std::chrono::system_clock::time_point)>;
void SetDateTimeFormatter(TDateTimeFormatter formatter);
std::string DateTimeText(std::chrono::system_clock::time_point when);

} // namespace kelvo
