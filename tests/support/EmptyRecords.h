#pragma once

// An events file of a million records that only name their class (every property at its
// default), then one event arising at 10:00 on 1 January 2024, so that a reader shows it read
// them all. Made in a child: the bytes never raise this process's own peak memory, which the
// programs it starts would otherwise begin with.

#include <string>

namespace kelvo::test {

inline constexpr const char* LastOfAMillion = "Last of a million";

void WriteEmptyRecordsFile(const std::string& file, int count = 1000000);

} // namespace kelvo::test
