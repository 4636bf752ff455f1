#pragma once

// Replacing a data file without ever leaving its name without a complete file, keeping the
// previous generation beside it as the backup.

#include "core/util/paError.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

class EFileError : public EpaError {
public:
    using EpaError::EpaError;
};

// The path with its extension replaced by ".~" and the extension's letters but the last:
// "a/b.evn" gives "a/b.~ev".
std::string BackupName(const std::string& fileName);

// How the user's short date format orders the date: the first of d, m, y or e decides.
enum class TDateOrder { DayFirst, MonthFirst, YearFirst };
TDateOrder DateOrderOf(std::string_view shortDateFormat);

// "Saving of <name> made on <date> at hh.mm.ss[ (number)]<extension>" in the target's
// folder; number 1 leaves the parenthesis out. now counts days since 30 December 1899.
std::string SavingName(const std::string& target, double now, TDateOrder order, int number = 1);

// Writes bytes to a fresh temporary file (mode 0600) and syncs it, replaces the backup by a
// hard link to the current target (through a temporary link, so a backup is there at every
// moment), renames the temporary file over the target and syncs the folder. A failure
// leaves the target and its backup untouched and removes the temporary file.
void SafeSave(const std::string& target, std::string_view bytes, double now, TDateOrder order);
// The same with the bytes handed over in pieces: produce calls write with each piece in turn,
// so that a big file never has to be held whole.
using TBytesWriter = std::function<void(std::string_view bytes)>;
void SafeSave(const std::string& target, const std::function<void(const TBytesWriter&)>& produce,
              double now, TDateOrder order);

// Removes the temporary files of earlier saves of target that a killed or failed program
// left behind, unless complete says their bytes read back completely (a restore can still
// offer those). A file another save is writing right now is left alone. Answers how many
// were removed.
int RemoveIncompleteSaves(const std::string& target,
                          const std::function<bool(std::string_view bytes)>& complete);

// Larger data files are refused: nothing this program writes comes near.
inline constexpr std::size_t MaxReadFileSize = std::size_t{1} << 30;

// The whole file. Only a regular file of at most MaxReadFileSize bytes is read; a FIFO, a
// device or a folder is refused without waiting for it.
std::string ReadFileBytes(const std::string& path);
// The same, showing accept the first headSize bytes (fewer in a shorter file) before the
// rest is read; nothing more is read, and the answer is empty, when accept says no.
// The same files as ReadFileBytes, mapped instead of read: nothing is copied, and the pages
// already looked at can be given back while the rest is read. Another program cutting the
// file short meanwhile is not guarded against.
class TMappedFile {
public:
    explicit TMappedFile(const std::string& path);
    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    std::string_view Bytes() const { return {data_, size_}; }
    // The whole pages within [from, to); looked at again, they are read from the file.
    void Release(std::size_t from, std::size_t to);

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

std::optional<std::string> ReadFileBytesIf(const std::string& path, std::size_t headSize,
                                           const std::function<bool(std::string_view)>& accept);

} // namespace kelvo
