#pragma once

// Replacing a data file without ever leaving its name without a complete file, keeping the
// previous generation beside it as the backup.

#include "core/util/paError.h"

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

// Writes bytes to a fresh temporary file (mode 0600) and syncs it, makes the backup a hard
// link to the current target, renames the temporary file over the target and syncs the
// folder. A failure before the rename leaves the target untouched.
void SafeSave(const std::string& target, std::string_view bytes, double now, TDateOrder order);

// The whole file, as large as it really is.
std::string ReadFileBytes(const std::string& path);

} // namespace kelvo
