#include "cli/Sync.h"

#include <ostream>

#ifdef KELVO_HAVE_PLATFORM

#include "core/persistence/SafeSave.h"
#include "core/sync/CalDavSync.h"
#include "platform/caldav/CalDavClient.h"
#include "platform/session/paSingleInstance.h"

#include <cstdlib>
#include <filesystem>

namespace kelvo::cli {

namespace {

std::vector<TEvent*> Pointers(const TOwnedEvents& events) {
    std::vector<TEvent*> list;
    for (const auto& e : events)
        list.push_back(e.get());
    return list;
}

void PrintResult(const TSyncResult& result, const TSyncState& state, std::ostream& out,
                 std::ostream& err) {
    for (const TSyncLine& l : result.Lines) {
        if (!l.Error.empty()) {
            err << "kelvo-cli: " << Field(l.Error) << '\n';
            continue;
        }
        out << (l.Up ? "up" : "down") << '\t' << SyncKindName(l.Kind) << '\t';
        if (l.Index >= 0)
            out << l.Index;
        else
            out << '-';
        out << '\t' << Field(l.Description) << '\n';
    }
    // Every one still waiting, so that none is forgotten before it is confirmed.
    const std::vector<std::string> held = HeldActionTexts(state);
    for (const std::string& h : held)
        err << "kelvo-cli: held until confirmed: " << Field(h) << '\n';
    if (!held.empty())
        err << "kelvo-cli: sync again with --keep-actions to keep them\n";
    if (result.ConflictCopies)
        err << "kelvo-cli: events changed on both sides were kept as copies beside the "
               "server's version\n";
    if (!result.ConnectionError.empty())
        err << "kelvo-cli: " << Field(result.ConnectionError) << '\n';
}

int SyncFile(const TArguments& args, std::ostream& out, std::ostream& err) {
    const std::string file = *args.Value("--events");
    if (!args.Has("--url"))
        throw EUsage("sync --events FILE needs --url URL");
    std::size_t skipped = 0;
    TOwnedEvents events = ReadEventsFile(file, skipped);
    if (skipped > 0)
        throw EUnreadable(file + ": damaged records would be lost by the sync; open the file in "
                                 "the program first");
    const std::string stateFile = SyncStateFileName(file);
    TSyncState state;
    std::string savedState;
    if (std::filesystem::exists(stateFile)) {
        try {
            savedState = ReadFileBytes(stateFile);
            state = ParseSyncState(savedState);
        } catch (const std::exception& e) {
            throw EUnreadable(stateFile + ": " + e.what());
        }
    }
    std::string savedEvents = WriteEvents(TEventList(Pointers(events)));

    const std::string templateName = args.Value("--template").value_or("CalDAV");
    // Only what an earlier sync reported is confirmed, never what arrives now.
    if (args.Has("--keep-actions"))
        for (const std::string& kept : KeepHeldActions(Pointers(events), templateName, state))
            err << "kelvo-cli: kept: " << Field(kept) << '\n';

    const char* password = std::getenv("KELVO_CALDAV_PASSWORD");
    TCalDavClient client(
        {*args.Value("--url"), args.Value("--user").value_or(""), password ? password : ""});
    const TCalCodec codec = PlatformCalCodec();
    const TDateOrder order = DateOrderOf(CurrentLocale().ShortDateFormat());
    // The events first: a state that knows of an event the file lacks would delete it.
    const auto save = [&] {
        std::string bytes = WriteEvents(TEventList(Pointers(events)));
        if (bytes != savedEvents) {
            SafeSave(file, bytes, Now(), order);
            savedEvents = std::move(bytes);
        }
        std::string stateBytes = WriteSyncState(state);
        if (stateBytes != savedState) {
            SafeSave(stateFile, stateBytes, Now(), order);
            savedState = std::move(stateBytes);
        }
    };
    const TSyncResult result = SyncEvents(events, templateName, state, client, codec, save);
    PrintResult(result, state, out, err);
    return result.Failed() ? ExitFailed : ExitOk;
}

std::string CanonicalPath(const std::string& file) {
    std::error_code error;
    const auto path = std::filesystem::weakly_canonical(std::filesystem::absolute(file), error);
    return error ? file : path.string();
}

// The running program's answer: its lines as kelvo-cli prints them, and its exit status.
int PrintAnswer(const std::string& answer, std::ostream& out, std::ostream& err) {
    int exit = ExitFailed;
    std::size_t start = 0;
    while (start < answer.size()) {
        const std::size_t end = answer.find('\n', start);
        const std::string line = answer.substr(start, end - start);
        start = end == std::string::npos ? answer.size() : end + 1;
        if (line.rfind("exit ", 0) == 0)
            exit = std::stoi(line.substr(5)) == 0 ? ExitOk : ExitFailed;
        else if (line.rfind("error\t", 0) == 0)
            err << "kelvo-cli: " << line.substr(6) << '\n';
        else if (!line.empty())
            out << line << '\n';
    }
    return exit;
}

} // namespace

int Sync(const TArguments& args, std::ostream& out, std::ostream& err) {
    if (args.Has("--events")) {
        // Two writers of one file would lose one's changes.
        if (const auto open = TSingleInstance::Ask("events-file", 5000)) {
            const std::string file = open->substr(0, open->find('\n'));
            if (!file.empty() && CanonicalPath(file) == CanonicalPath(*args.Value("--events")))
                throw EUsage("the running program has " + file +
                             " open: run kelvo-cli sync without --events");
        }
        try {
            return SyncFile(args, out, err);
        } catch (const ECalDavError& e) {
            err << "kelvo-cli: " << e.what() << '\n';
            return ExitFailed;
        }
    }
    if (args.Has("--url") || args.Has("--user") || args.Has("--template") ||
        args.Has("--keep-actions"))
        throw EUsage("--url, --user, --template and --keep-actions go with --events; the "
                     "running program syncs its own account and asks itself");
    // A first sync of a big calendar takes a while; the program answers when it is done.
    const auto answer = TSingleInstance::Ask("sync", 600000);
    if (!answer) {
        err << "kelvo-cli: no running program to sync; give --events FILE --url URL\n";
        return ExitFailed;
    }
    return PrintAnswer(*answer, out, err);
}

} // namespace kelvo::cli

#else

namespace kelvo::cli {

int Sync(const TArguments&, std::ostream&, std::ostream& err) {
    err << "kelvo-cli: this kelvo-cli was built without CalDAV\n";
    return ExitFailed;
}

} // namespace kelvo::cli

#endif
