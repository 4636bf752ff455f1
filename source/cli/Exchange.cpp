#include "cli/Exchange.h"

#include "core/exchange/Arrival.h"
#include "core/exchange/CalendarItem.h"
#include "core/exchange/Csv.h"
#include "core/exchange/HolidayFile.h"
#include "core/persistence/SafeSave.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <set>

#ifdef KELVO_HAVE_PLATFORM
#include "platform/ical/ICalendar.h"
#endif

namespace kelvo::cli {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The extension of the file's own name, without the dot, in small letters.
std::string Extension(const std::string& fileName) {
    const std::string ext = std::filesystem::path(fileName).extension().string();
    return Lower(ext.empty() ? ext : ext.substr(1));
}

std::string ExportFormat(const TArguments& args) {
    std::string format;
    if (const auto f = args.Value("--format"))
        format = Lower(*f);
    else if (const auto o = args.Value("--output"))
        format = Extension(*o);
    else
        format = "ics";
    if (format != "ics" && format != "csv" && format != "evn")
        throw EUsage(args.Has("--format")
                         ? "unknown format \"" + *args.Value("--format") + "\" (ics, csv or evn)"
                         : "cannot tell the format from \"" + *args.Value("--output") +
                               "\": give --format");
    if (format == "evn" && !args.Has("--output"))
        throw EUsage("an events file needs --output FILE");
    return format;
}

std::string Canonical(const std::string& fileName) {
    std::error_code error;
    const auto path = std::filesystem::weakly_canonical(std::filesystem::absolute(fileName), error);
    return error ? fileName : path.string();
}

void Save(const std::string& fileName, const std::string& bytes) {
    SafeSave(fileName, bytes, Now(), DateOrderOf(CurrentLocale().ShortDateFormat()));
}

#ifdef KELVO_HAVE_PLATFORM
std::vector<TDateTime> Expand(const TCalItem& item, std::size_t limit, TDateTime until) {
    return ExpandCalendarItem(item, limit, until);
}
#endif

} // namespace

void CheckExchangeArguments(const TArguments& args) {
    if (args.Command == "export") {
        ExportFormat(args);
        return;
    }
    if (args.Positional.empty())
        throw EUsage("import needs the file to import");
    if (!args.Has("--save"))
        throw EUsage("import needs --save OUT.evn");
    const std::string out = Canonical(*args.Value("--save"));
    if (out == Canonical(args.Positional.front()))
        throw EUsage("--save must name another file than the one imported");
    if (out == Canonical(DefaultEventsFile()) ||
        (args.Has("--events") && out == Canonical(*args.Value("--events"))))
        throw EUsage("--save must not name the desktop program's events file");
}

int Export(const TArguments& args, const TOwnedEvents& events, std::ostream& out) {
    const std::string format = ExportFormat(args);
    std::vector<TEvent*> chosen;
    if (args.Has("--from") || args.Has("--days")) {
        const TDateTime from = args.Has("--from") ? ParseDateTime(*args.Value("--from")) : Now();
        const long long days = args.Has("--days") ? ParseCount(*args.Value("--days"), "--days") : 7;
        std::vector<TEvent*> all;
        for (const auto& e : events)
            all.push_back(e.get());
        std::set<int> arising;
        for (const TAgendaArising& a : AgendaArisings(all, from, days))
            arising.insert(a.EventIndex);
        for (int i : arising)
            chosen.push_back(all[static_cast<std::size_t>(i)]);
    } else {
        for (const auto& e : events)
            chosen.push_back(e.get());
    }

    std::string bytes;
    if (format == "csv") {
        const auto captions = EventListCaptions();
        std::vector<TCsvRow> rows;
        const TDateTime now = Now();
        for (TEvent* e : chosen) {
            const auto cells = EventListCells(*e, now, now);
            rows.emplace_back(cells.begin(), cells.end());
        }
        bytes = CsvText(TCsvRow(captions.begin(), captions.end()), rows);
    } else if (format == "evn") {
        bytes = WriteEvents(TEventList(chosen));
    } else {
#ifdef KELVO_HAVE_PLATFORM
        bytes = WriteICalendar(CalendarItemsOf(chosen));
#else
        throw std::runtime_error("this kelvo-cli was built without iCalendar files");
#endif
    }
    if (const auto file = args.Value("--output"))
        Save(*file, bytes);
    else
        out << bytes;
    return ExitOk;
}

int Import(const TArguments& args, std::ostream& err) {
    const std::string& file = args.Positional.front();
    std::string bytes;
    try {
        bytes = ReadFileBytes(file);
    } catch (const std::exception& e) {
        throw EUnreadable(file + ": " + e.what());
    }
    TOwnedEvents events;
    std::vector<std::string> notes;
    std::size_t skipped = 0;
#ifdef KELVO_HAVE_PLATFORM
    const bool calendar = LooksLikeICalendar(bytes);
#else
    const bool calendar = false;
#endif
    if (calendar) {
#ifdef KELVO_HAVE_PLATFORM
        TCalFile parsed;
        try {
            parsed = ParseICalendar(bytes);
        } catch (const std::exception& e) {
            throw EUnreadable(file + ": " + e.what());
        }
        TCalendarImport imported = ImportCalendarItems(parsed.Items, Expand);
        events = std::move(imported.Events);
        notes = parsed.Unsupported;
        notes.insert(notes.end(), imported.Notes.begin(), imported.Notes.end());
#endif
    } else if (Extension(file) == "hld") {
        THolidayFile holidays = ParseHolidays(bytes);
        events = NewHolidayEvents(holidays.Holidays, {});
        notes = std::move(holidays.Problems);
    } else {
        events = ReadEventsFile(file, skipped);
    }
    for (const std::string& n : notes)
        err << "kelvo-cli: " << file << ": " << n << '\n';
    // They join whichever notebook opens OUT counting from now: nothing of before is missed.
    for (auto& e : events)
        CountFromNow(*e);
    std::vector<TEvent*> list;
    for (const auto& e : events)
        list.push_back(e.get());
    const std::string out = *args.Value("--save");
    RemoveIncompleteEventSaves(out);
    SafeSaveEventsFile(out, TEventList(list), Now(),
                       DateOrderOf(CurrentLocale().ShortDateFormat()));
    return notes.empty() && skipped == 0 ? ExitOk : ExitDamaged;
}

} // namespace kelvo::cli
