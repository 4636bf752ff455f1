#pragma once

// What every subcommand of kelvo-cli shares: the arguments, date-times on the command line
// and in the output, and reading the events file.

#include "core/agenda/Agenda.h"
#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvo::cli {

// Exit codes scripts rely on.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUnreadable = 2;
// The file was read, but damaged records were skipped: the output is of the rest.
inline constexpr int ExitDamaged = 3;
inline constexpr int ExitUsage = 64;

// Bad arguments: the message and where help is, exit 64.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A file that cannot be read at all: one line, exit 2.
class EUnreadable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TArguments {
    std::string Command;
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Options; // "--days" -> "30"

    bool Has(const std::string& name) const { return Options.contains(name); }
    std::optional<std::string> Value(const std::string& name) const;
};

// Options may stand before or after the subcommand and its own arguments. valueOptions
// take the next argument as their value.
TArguments ParseArguments(const std::vector<std::string>& args,
                          const std::vector<std::string>& valueOptions);

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS", checked against the calendar.
TDateTime ParseDateTime(const std::string& text);
// A whole number of at least 0.
long long ParseCount(const std::string& text, const std::string& option);
// Sun, Mon, ..., Sat: 0 .. 6.
int ParseWeekDay(const std::string& text);

// "YYYY-MM-DD HH:MM:SS" rounded half up to the second, "Never" for NullDate.
std::string OutputDateTime(TDateTime x);
// A stored text as UTF-8, with TABs and line breaks as blanks so that fields and lines stay
// apart.
std::string Field(const std::string& text);

// The events file the desktop program uses, from the user's settings.
std::string DefaultEventsFile();

// Reads the events; damaged records are reported on standard error, skipped and counted.
TOwnedEvents ReadEventsFile(const std::string& fileName, std::size_t& skipped);
TOwnedEvents ReadEventsFile(const std::string& fileName);

const char* Usage();

} // namespace kelvo::cli
