#pragma once

// kelvo-cli's export and import: events as iCalendar, CSV or an events file, and iCalendar,
// events and holiday files converted into a new events file.

#include "cli/CliCommon.h"

#include <ostream>

namespace kelvo::cli {

// Checks export's and import's own arguments (exit 64) before any file is read.
void CheckExchangeArguments(const TArguments& args);
int Export(const TArguments& args, const TOwnedEvents& events, std::ostream& out);
// Notes about what could not be carried over go to err; they make the exit 3.
int Import(const TArguments& args, std::ostream& err);

} // namespace kelvo::cli
