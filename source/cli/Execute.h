#pragma once

// kelvo-cli execute: runs one event's actions on the real sound and mail engines with the
// user's settings and reports how each went.

#include "cli/CliCommon.h"

#include <ostream>

namespace kelvo::cli {

// The event's position among those read; a number, else bad arguments.
std::size_t ParseEventIndex(const std::string& text);

// Needs a running Qt application object; waits in its event loop for sounds and mails.
int Execute(const TArguments& args, const TOwnedEvents& events, std::ostream& out);

} // namespace kelvo::cli
