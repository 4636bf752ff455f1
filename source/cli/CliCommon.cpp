#include "cli/CliCommon.h"

#include "core/persistence/EventFile.h"
#include "core/persistence/SafeSave.h"
#include "core/util/paText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <regex>

#ifdef KELVO_HAVE_PLATFORM
#include "platform/settings/AppIniReg.h"
#endif

namespace kelvo::cli {

std::optional<std::string> TArguments::Value(const std::string& name) const {
    const auto it = Options.find(name);
    if (it == Options.end())
        return std::nullopt;
    return it->second;
}

TArguments ParseArguments(const std::vector<std::string>& args,
                          const std::vector<std::string>& valueOptions) {
    TArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.starts_with("--")) {
            std::string name = a;
            std::optional<std::string> value;
            if (const auto eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
            }
            const bool takesValue =
                std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end();
            if (takesValue && !value) {
                if (i + 1 >= args.size())
                    throw EUsage("option " + name + " needs a value");
                value = args[++i];
            }
            if (!takesValue && value)
                throw EUsage("option " + name + " takes no value");
            parsed.Options[name] = value.value_or("");
        } else if (parsed.Command.empty()) {
            parsed.Command = a;
        } else {
            parsed.Positional.push_back(a);
        }
    }
    return parsed;
}

TDateTime ParseDateTime(const std::string& text) {
    static const std::regex form(R"((\d{4})-(\d{2})-(\d{2})(?: (\d{2}):(\d{2})(?::(\d{2}))?)?)");
    std::smatch m;
    if (!std::regex_match(text, m, form))
        throw EUsage("invalid date-time \"" + text + "\" (YYYY-MM-DD[ HH:MM[:SS]])");
    const int year = std::stoi(m[1]);
    const int month = std::stoi(m[2]);
    const int day = std::stoi(m[3]);
    const int hour = m[4].matched ? std::stoi(m[4]) : 0;
    const int minute = m[5].matched ? std::stoi(m[5]) : 0;
    const int second = m[6].matched ? std::stoi(m[6]) : 0;
    if (year < 1 || !IsValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59)
        throw EUsage("invalid date-time \"" + text + "\"");
    return EncodeDateTime(year, month, day, hour, minute, second);
}

long long ParseCount(const std::string& text, const std::string& option) {
    static const std::regex digits(R"(\d{1,9})");
    if (!std::regex_match(text, digits))
        throw EUsage("option " + option + " needs a whole number of at least 0, not \"" + text +
                     "\"");
    return std::stoll(text);
}

int ParseWeekDay(const std::string& text) {
    const auto day = EnumFromName<TDayOfWeekName>(text);
    if (!day)
        throw EUsage("unknown week day \"" + text + "\" (Sun, Mon, ..., Sat)");
    return static_cast<int>(*day);
}

std::string OutputDateTime(TDateTime x) {
    if (IsNullDate(x))
        return "Never";
    // Half up to the second, on whole milliseconds so that binary noise cannot tip it.
    const std::int64_t ms = DateTimeToMs(x);
    const std::int64_t seconds =
        static_cast<std::int64_t>(std::floor((static_cast<double>(ms) + 500.0) / 1000.0));
    const TDateTime rounded = MsToDateTime(seconds * 1000);
    const TDateParts d = DecodeDate(rounded);
    const TTimeParts t = DecodeTime(rounded);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d %02d:%02d:%02d",
                  static_cast<long long>(d.Year), d.Month, d.Day, t.Hour, t.Minute, t.Second);
    return text;
}

std::string Field(const std::string& text) {
    std::string out;
    const std::string shown = DisplayText(text);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const char c = shown[i];
        if (c == '\r' && i + 1 < shown.size() && shown[i + 1] == '\n')
            ++i; // CRLF is one break
        out += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return out;
}

std::string DefaultEventsFile() {
    std::string dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        dataHome = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        dataHome = std::string(home) + "/.local/share";
    std::string location = dataHome + "/Brennikor/Tavrelon/kelvo-rem";
#ifdef KELVO_HAVE_PLATFORM
    TAppIniReg settings;
    const std::string stored = settings.ReadString("Options", "StartupDataLocation", "");
    if (!stored.empty())
        location = stored;
#endif
    return location + ".evn";
}

namespace {

// Line breaks of a message, in whatever order they come, as one blank.
std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool lineBreak = c == '\r' || c == '\n';
        if (!lineBreak)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

// Damaged records go to standard error; a newer version is always declined.
class TConsoleHost : public IDataFileHost {
public:
    explicit TConsoleHost(const std::string& fileName) : fileName_(fileName) {}
    bool TryReadNewerVersion(const std::string&) override { return false; }
    void ShowRecordError(const std::string& message) override {
        ++Skipped;
        std::cerr << "kelvo-cli: " << fileName_ << ": " << OneLine(message) << '\n';
    }
    std::size_t Skipped = 0;

private:
    const std::string& fileName_;
};

// Every error about the file names it, once.
std::string AboutFile(const std::string& fileName, const std::string& message) {
    const std::string text = OneLine(message);
    return text.find(fileName) == std::string::npos ? fileName + ": " + text : text;
}

} // namespace

TOwnedEvents ReadEventsFile(const std::string& fileName, std::size_t& skipped) {
    TConsoleHost host(fileName);
    std::unique_ptr<TMappedFile> file;
    try {
        file = MapEventsFile(fileName);
    } catch (const EEventFileError& e) {
        throw EUnreadable(fileName + ": " + OneLine(e.what()));
    } catch (const std::exception& e) {
        throw EUnreadable(AboutFile(fileName, e.what()));
    }
    try {
        TDataFileReport report;
        TOwnedEvents events = ReadMappedEvents(*file, host, report);
        skipped = host.Skipped;
        return events;
    } catch (const std::exception& e) {
        throw EUnreadable(AboutFile(fileName, e.what()));
    }
}

TOwnedEvents ReadEventsFile(const std::string& fileName) {
    std::size_t skipped = 0;
    return ReadEventsFile(fileName, skipped);
}

const char* Usage() {
    return "usage: kelvo-cli COMMAND [OPTIONS]\n"
           "\n"
           "Shows what is due in a notebook of Tavrelon MP3 events and replays what the reminders\n"
           "generator reports over a period.\n"
           "\n"
           "Commands:\n"
           "  agenda [--from DATE] [--days N]\n"
           "      the events and reminders arising on each of N days (default 7) from DATE\n"
           "      (default today)\n"
           "  next [--from T] [--count N]\n"
           "      the next N arisings (default 1) of every event and reminder from T\n"
           "      (default now)\n"
           "  simulate --start T0 --until T1 [--save FILE]\n"
           "      runs the reminders generator on a simulated clock from T0 to T1 and prints\n"
           "      every report; --save writes the events file afterwards\n"
           "  describe\n"
           "      one line per event: index, state, description, condition, reminder, actions\n"
           "  execute INDEX [--timeout SECONDS]\n"
           "      runs the actions of event INDEX with the desktop program's settings, waits\n"
           "      for their sounds and mails (default 120 seconds) and prints each action's\n"
           "      description and ok or its error; exit 1 when one failed\n"
           "  export [--format ics|csv|evn] [--output FILE] [--from DATE] [--days N]\n"
           "      writes the events as iCalendar, as CSV with the event list's eight columns or\n"
           "      as an events file; the format defaults to FILE's extension, ics and csv go\n"
           "      to standard output without --output; with --from or --days only the events\n"
           "      arising in those days\n"
           "  import FILE.ics|FILE.evn|FILE.hld --save OUT.evn\n"
           "      converts FILE's events into a new events file OUT; what cannot be carried\n"
           "      over is reported on standard error with exit 3\n"
           "  print calendar|list --output FILE.pdf [--from DATE] [--days N]\n"
           "        [--paper A4|Letter] [--orientation portrait|landscape] [--margin MM]\n"
           "      the pages the desktop program prints, as PDF: calendar the five weeks from\n"
           "      DATE's week (default: this month's first week), landscape; list the Event\n"
           "      Filter rows whose next event falls in DATE .. DATE+N-1 (default: all\n"
           "      events), portrait; A4 with 7 mm margins by default\n"
           "  sync [--url URL --user NAME] [--template NAME] [--keep-actions]\n"
           "      asks the running desktop program to sync with its CalDAV account; with\n"
           "      --events FILE syncs that file itself with the calendar at URL (password in\n"
           "      KELVO_CALDAV_PASSWORD), the events of template NAME (default CalDAV); one\n"
           "      line per resource: up|down, added|changed|deleted|conflict, index,\n"
           "      description; exit 1 when a resource or the connection failed; programs\n"
           "      and mails that arrive are held until a sync with --keep-actions keeps them\n"
           "\n"
           "Options for every command:\n"
           "  --events FILE      the events file (default: the desktop program's)\n"
           "  --week-start DAY   first day of the week: Sun, Mon, ..., Sat\n"
           "  --help, --version\n"
           "\n"
           "Date-times: YYYY-MM-DD, YYYY-MM-DD HH:MM or YYYY-MM-DD HH:MM:SS, local time.\n"
           "Output fields are separated by TAB; date-times print as YYYY-MM-DD HH:MM:SS, or\n"
           "Never; texts print as UTF-8 (stored bytes that are not UTF-8 are read as "
           "Windows-1252),\n"
           "with TABs and line breaks as blanks.\n"
           "\n"
           "Exit status:\n"
           "  0   ok\n"
           "  1   an action failed (execute), or another error\n"
           "  2   the events file cannot be read\n"
           "  3   the events file was read but damaged records were skipped: the output is\n"
           "      of the rest, each skipped record is reported on standard error; for\n"
           "      import also content that cannot be carried over\n"
           "  64  bad arguments\n"
           "An exit status of 1 wins over 3.\n";
}

} // namespace kelvo::cli
