#pragma once

// The subcommands of kelvo-cli. Each writes its lines to out and answers the exit code.

#include "cli/CliCommon.h"

#include <ostream>

namespace kelvo::cli {

int Agenda(const TArguments& args, const TOwnedEvents& events, std::ostream& out);
int Next(const TArguments& args, const TOwnedEvents& events, std::ostream& out);
int Simulate(const TArguments& args, TOwnedEvents events, std::ostream& out);
int Describe(const TOwnedEvents& events, std::ostream& out);

} // namespace kelvo::cli
