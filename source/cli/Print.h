#pragma once

// kelvo-cli print: the month calendar or the event list as the desktop program prints them,
// written to a PDF file without a display.

#include "cli/CliCommon.h"

namespace kelvo::cli {

// Checks print's own arguments (exit 64) before any file is read.
void CheckPrintArguments(const TArguments& args);
int Print(const TArguments& args, const TOwnedEvents& events);

} // namespace kelvo::cli
