#include "core/persistence/SafeSave.h"

#include "core/os/paPosixFile.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace kelvo {

namespace {

constexpr int MaxSavingNumber = 9999;

std::string SystemError(int error) {
    return std::strerror(error);
}

[[noreturn]] void Fail(const std::string& what, int error) {
    throw EFileError(what, SystemError(error), error);
}

// errno is taken before the message is built.
[[noreturn]] void FailNow(const std::string& what, const std::string& name) {
    const int error = errno;
    Fail(what + name, error);
}

struct TParts {
    std::string Folder; // with its trailing slash, or empty
    std::string Stem;
    std::string Extension; // with its dot, or empty
};

TParts Split(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    return {path.substr(0, nameStart), path.substr(nameStart, dot - nameStart), path.substr(dot)};
}

std::string TwoDigits(long long v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02lld", v);
    return buf;
}

// Civil date of a day count since 30 December 1899.
void DecodeDate(long long serial, long long& year, long long& month, long long& day) {
    long long z = serial - 25569 + 719468; // days since 0000-03-01
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = yoe + era * 400 + (month <= 2 ? 1 : 0);
}

void WriteAll(int fd, std::string_view bytes, const std::string& name) {
    while (!bytes.empty()) {
        const auto n = os::Write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            FailNow(KELVO_TR("SafeSave", "Cannot write "), name);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void WriteDurably(int fd, std::string_view bytes, const std::string& name) {
    try {
        WriteAll(fd, bytes, name);
        if (os::Sync(fd) != 0)
            FailNow(KELVO_TR("SafeSave", "Cannot write "), name);
    } catch (...) {
        os::Close(fd);
        throw;
    }
    if (os::Close(fd) != 0)
        FailNow(KELVO_TR("SafeSave", "Cannot write "), name);
}

void SyncFolder(const std::string& folder) {
    const int fd = os::Open(folder.empty() ? "." : folder, os::ofRead | os::ofFolder);
    if (fd < 0)
        return;
    os::Sync(fd);
    os::Close(fd);
}

// Without hard links (some removable file systems) the backup is a copy.
void CopyFile(const std::string& from, const std::string& to) {
    const std::string bytes = ReadFileBytes(from);
    const int fd = os::Open(to, os::ofWrite | os::ofCreate | os::ofTruncate, 0600);
    if (fd < 0)
        FailNow(KELVO_TR("SafeSave", "Cannot write "), to);
    try {
        WriteDurably(fd, bytes, to);
    } catch (...) {
        os::Unlink(to);
        throw;
    }
}

// The backup is replaced by one rename: a kill at any moment leaves the old backup or the
// new one. A link left by a killed save is taken over.
void ReplaceBackup(const std::string& target) {
    const std::string backup = BackupName(target);
    const std::string fresh = backup + ".new";
    if (os::Unlink(fresh) != 0 && errno != ENOENT)
        FailNow(KELVO_TR("SafeSave", "Cannot replace "), backup);
    if (os::Link(target, fresh) != 0) {
        if (errno == EPERM || errno == EXDEV || errno == EMLINK || errno == ENOTSUP ||
            errno == ENOSYS)
            CopyFile(target, fresh);
        else
            FailNow(KELVO_TR("SafeSave", "Cannot replace "), backup);
    }
    if (os::Rename(fresh, backup) != 0) {
        const int error = errno;
        os::Unlink(fresh);
        Fail(KELVO_TR("SafeSave", "Cannot replace ") + backup, error);
    }
    // A backup that already is the target (a save killed just before its last rename) makes
    // the rename do nothing and leaves the link behind.
    os::Unlink(fresh);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Reads an open file of at most MaxReadFileSize bytes from its current position.
void ReadOpenFile(int fd, const std::string& path, std::string& bytes, std::size_t upTo) {
    char buffer[65536];
    while (bytes.size() < upTo) {
        // Straight into the room reserved for the file, so that its bytes are not copied a
        // second time; past that room (at the end, or a file that grew) through the buffer.
        const std::size_t had = bytes.size();
        const std::size_t room = std::min(bytes.capacity() - had, upTo - had);
        char* into = buffer;
        std::size_t want = std::min(sizeof buffer, upTo - had);
        if (room > 0) {
            bytes.resize(had + room);
            into = bytes.data() + had;
            want = room;
        }
        const auto n = os::Read(fd, into, want);
        const int error = errno;
        if (room > 0)
            bytes.resize(had + static_cast<std::size_t>(n > 0 ? n : 0));
        if (n < 0) {
            if (error == EINTR)
                continue;
            Fail(KELVO_TR("SafeSave", "Cannot read ") + path, error);
        }
        if (n == 0)
            break;
        if (room == 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

struct TFd {
    int Fd = -1;
    ~TFd() {
        if (Fd >= 0)
            os::Close(Fd);
    }
};

// Opens without waiting (a FIFO's open would wait for a writer) and refuses anything but a
// regular file of a size this program can have written.
int OpenForReading(const std::string& path) {
    const int fd = os::Open(path, os::ofRead | os::ofNonBlock | os::ofNoTerminal);
    if (fd < 0)
        FailNow(KELVO_TR("SafeSave", "Cannot read "), path);
    os::TFileInfo info;
    if (os::StatOpen(fd, info) != 0) {
        const int error = errno;
        os::Close(fd);
        Fail(KELVO_TR("SafeSave", "Cannot read ") + path, error);
    }
    if (!info.Regular) {
        os::Close(fd);
        throw EFileError(KELVO_TR("SafeSave", "Cannot read ") + path,
                         KELVO_TR("SafeSave", "It is not a regular file"), EINVAL);
    }
    if (static_cast<unsigned long long>(info.Size) > MaxReadFileSize) {
        os::Close(fd);
        throw EFileError(KELVO_TR("SafeSave", "Cannot read ") + path,
                         KELVO_TR("SafeSave", "The file is larger than 1 GiB"), EFBIG);
    }
    return fd;
}

} // namespace

std::string BackupName(const std::string& fileName) {
    const TParts parts = Split(fileName);
    std::string letters = parts.Extension.size() > 1
                              ? parts.Extension.substr(1, parts.Extension.size() - 2)
                              : std::string();
    return parts.Folder + parts.Stem + ".~" + letters;
}

TDateOrder DateOrderOf(std::string_view format) {
    for (char c : format) {
        switch (c) {
        case 'd':
        case 'D':
            return TDateOrder::DayFirst;
        case 'y':
        case 'Y':
        case 'e':
        case 'E':
            return TDateOrder::YearFirst;
        case 'm':
        case 'M':
            return TDateOrder::MonthFirst;
        default:
            break;
        }
    }
    return TDateOrder::MonthFirst;
}

std::string SavingName(const std::string& target, double now, TDateOrder order, int number) {
    if (!std::isfinite(now) || now < -693594.0 || now >= 2958466.0)
        now = 0;
    long long serial = static_cast<long long>(std::floor(now));
    long long ms = std::llround((now - static_cast<double>(serial)) * 86400000.0);
    if (ms >= 86400000) {
        ++serial;
        ms -= 86400000;
    }
    long long year = 0, month = 0, day = 0;
    DecodeDate(serial, year, month, day);
    const long long seconds = ms / 1000;
    const std::string yyyy = std::to_string(year);
    std::string date;
    switch (order) {
    case TDateOrder::DayFirst:
        date = TwoDigits(day) + "." + TwoDigits(month) + "." + yyyy;
        break;
    case TDateOrder::YearFirst:
        date = yyyy + "." + TwoDigits(month) + "." + TwoDigits(day);
        break;
    case TDateOrder::MonthFirst:
        date = TwoDigits(month) + "." + TwoDigits(day) + "." + yyyy;
        break;
    }
    const std::string time = TwoDigits(seconds / 3600) + "." + TwoDigits(seconds / 60 % 60) + "." +
                             TwoDigits(seconds % 60);
    const TParts parts = Split(target);
    std::string name =
        parts.Folder + "Saving of " + parts.Stem + " made on " + date + " at " + time;
    if (number > 1)
        name += " (" + std::to_string(number) + ")";
    return name + parts.Extension;
}

void SafeSave(const std::string& target, std::string_view bytes, double now, TDateOrder order) {
    SafeSave(
        target, [bytes](const TBytesWriter& write) { write(bytes); }, now, order);
}

void SafeSave(const std::string& target, const std::function<void(const TBytesWriter&)>& produce,
              double now, TDateOrder order) {
    std::string temporary;
    int fd = -1;
    for (int number = 1; number <= MaxSavingNumber && fd < 0; ++number) {
        temporary = SavingName(target, now, order, number);
        fd = os::Open(temporary, os::ofWrite | os::ofCreate | os::ofExclusive, 0600);
        if (fd < 0 && errno != EEXIST)
            FailNow(KELVO_TR("SafeSave", "Cannot create "), temporary);
    }
    if (fd < 0)
        throw EFileError(KELVO_TR("SafeSave", "Can't figure out filename"));
    // Held until the file has its final name: a clean-up in another process leaves it alone.
    os::TryLock(fd);
    try {
        std::int64_t written = 0;
        produce([&](std::string_view bytes) {
            WriteAll(fd, bytes, temporary);
            // The disk works on this piece while the next one is made.
            os::StartWriteback(fd, written, static_cast<std::int64_t>(bytes.size()));
            written += static_cast<std::int64_t>(bytes.size());
        });
        if (os::Sync(fd) != 0)
            FailNow(KELVO_TR("SafeSave", "Cannot write "), temporary);
        os::TFileInfo info;
        if (os::Stat(target, info) == 0)
            ReplaceBackup(target);
        if (os::Rename(temporary, target) != 0)
            FailNow(KELVO_TR("SafeSave", "Cannot rename "),
                    temporary + KELVO_TR("SafeSave", " to ") + target);
    } catch (...) {
        // A partial file would only hold the space a full disk needs for the next save.
        os::Unlink(temporary);
        os::Close(fd);
        throw;
    }
    os::Close(fd);
    SyncFolder(Split(target).Folder);
}

int RemoveIncompleteSaves(const std::string& target,
                          const std::function<bool(std::string_view bytes)>& complete) {
    const TParts parts = Split(target);
    const std::string prefix = "Saving of " + parts.Stem + " made on ";
    std::vector<std::string> names;
    if (!os::FolderNames(parts.Folder.empty() ? "." : parts.Folder, names))
        return 0;
    std::vector<std::string> candidates;
    for (const std::string& name : names) {
        if (StartsWith(name, prefix) && EndsWith(name, parts.Extension))
            candidates.emplace_back(parts.Folder + name);
    }
    int removed = 0;
    for (const std::string& path : candidates) {
        try {
            TFd file{OpenForReading(path)};
            if (os::TryLock(file.Fd) != 0)
                continue; // being written
            std::string bytes;
            ReadOpenFile(file.Fd, path, bytes, MaxReadFileSize);
            if (complete(bytes))
                continue;
            if (os::Unlink(path) == 0)
                ++removed;
        } catch (const EFileError&) {
            // Not ours to judge (a folder, a FIFO, unreadable): left as it is.
        }
    }
    return removed;
}

TMappedFile::TMappedFile(const std::string& path) {
    TFd file{OpenForReading(path)};
    os::TFileInfo info;
    if (os::StatOpen(file.Fd, info) != 0)
        FailNow(KELVO_TR("SafeSave", "Cannot read "), path);
    if (info.Size == 0)
        return;
    const auto size = static_cast<std::size_t>(info.Size);
    data_ = os::MapReadOnly(file.Fd, size);
    if (data_ == nullptr)
        FailNow(KELVO_TR("SafeSave", "Cannot read "), path);
    size_ = size;
}

TMappedFile::~TMappedFile() {
    if (data_ != nullptr)
        os::Unmap(data_, size_);
}

void TMappedFile::Release(std::size_t from, std::size_t to) {
    to = std::min(to, size_);
    if (data_ != nullptr && from < to)
        os::ReleasePages(data_ + from, to - from);
}

std::optional<std::string> ReadFileBytesIf(const std::string& path, std::size_t headSize,
                                           const std::function<bool(std::string_view)>& accept) {
    TFd file{OpenForReading(path)};
    std::string bytes;
    os::TFileInfo info;
    if (os::StatOpen(file.Fd, info) == 0 && info.Size > 0)
        bytes.reserve(static_cast<std::size_t>(info.Size));
    if (accept) {
        ReadOpenFile(file.Fd, path, bytes, headSize);
        if (!accept(bytes))
            return std::nullopt;
    }
    // One byte more than allowed tells a file that grew since it was looked at.
    ReadOpenFile(file.Fd, path, bytes, MaxReadFileSize + 1);
    if (bytes.size() > MaxReadFileSize)
        throw EFileError(KELVO_TR("SafeSave", "Cannot read ") + path,
                         KELVO_TR("SafeSave", "The file is larger than 1 GiB"), EFBIG);
    return bytes;
}

std::string ReadFileBytes(const std::string& path) {
    return *ReadFileBytesIf(path, 0, {});
}

} // namespace kelvo
