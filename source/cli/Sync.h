#pragma once

#include "cli/CliCommon.h"

#include <iosfwd>

namespace kelvo::cli {

// sync: with --events, syncs that file with the CalDAV collection of --url itself; without,
// asks the running desktop program to sync.
int Sync(const TArguments& args, std::ostream& out, std::ostream& err);

} // namespace kelvo::cli
