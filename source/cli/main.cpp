#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/Exchange.h"
#include "cli/Execute.h"
#include "cli/Print.h"
#include "cli/Sync.h"
#include "core/util/BuildVersion.h"

#include <algorithm>
#include <iostream>
#include <map>

#ifdef KELVO_HAVE_PLATFORM
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <memory>
#endif

using namespace kelvo;
using namespace kelvo::cli;

namespace {

const std::vector<std::string> ValueOptions = {
    "--events",      "--week-start", "--from",    "--days",   "--count",   "--start",
    "--until",       "--save",       "--timeout", "--format", "--output",  "--paper",
    "--orientation", "--margin",     "--url",     "--user",   "--template"};

int Run(const std::vector<std::string>& argv) {
    const TArguments args = ParseArguments(argv, ValueOptions);
    if (args.Has("--help")) {
        std::cout << Usage();
        return ExitOk;
    }
    if (args.Has("--version")) {
        std::cout << "kelvo-cli " << BuildVersion() << '\n';
        return ExitOk;
    }
    static const std::map<std::string, std::vector<std::string>> allowed = {
        {"agenda", {"--from", "--days"}},
        {"next", {"--from", "--count"}},
        {"simulate", {"--start", "--until", "--save"}},
        {"describe", {}},
        {"execute", {"--timeout"}},
        {"export", {"--format", "--output", "--from", "--days"}},
        {"import", {"--save"}},
        {"print", {"--output", "--from", "--days", "--paper", "--orientation", "--margin"}},
        {"sync", {"--url", "--user", "--template", "--keep-actions"}},
    };
    const auto command = allowed.find(args.Command);
    if (command == allowed.end())
        throw EUsage(args.Command.empty() ? "no command given"
                                          : "unknown command \"" + args.Command + "\"");
    for (const auto& [name, value] : args.Options) {
        const auto& own = command->second;
        if (name != "--events" && name != "--week-start" &&
            std::find(own.begin(), own.end(), name) == own.end())
            throw EUsage("unknown option " + name + " for " + args.Command);
    }
    const std::size_t ownArguments =
        args.Command == "execute" || args.Command == "import" || args.Command == "print" ? 1 : 0;
    if (args.Positional.size() > ownArguments)
        throw EUsage("unexpected argument \"" + args.Positional[ownArguments] + "\"");
    if (args.Command == "execute")
        ParseEventIndex(args.Positional.empty() ? "" : args.Positional.front());

    if (const auto day = args.Value("--week-start"))
        SetFirstDayOfWeek(ParseWeekDay(*day));
#ifdef KELVO_HAVE_PLATFORM
    else
        SetFirstDayOfWeek(static_cast<int>(QLocale::system().firstDayOfWeek()) % 7);
#endif
    // Checked before the file is read, so that bad arguments are always exit 64.
    for (const char* name : {"--from", "--start", "--until"})
        if (const auto v = args.Value(name))
            ParseDateTime(*v);
    for (const char* name : {"--days", "--count", "--timeout"})
        if (const auto v = args.Value(name))
            ParseCount(*v, name);
    if (args.Command == "export" || args.Command == "import")
        CheckExchangeArguments(args);
    if (args.Command == "import")
        return Import(args, std::cerr);
    if (args.Command == "print")
        CheckPrintArguments(args);
    if (args.Command == "sync")
        return Sync(args, std::cout, std::cerr);

    const std::string file = args.Value("--events").value_or(DefaultEventsFile());
    std::size_t skipped = 0;
    TOwnedEvents events = ReadEventsFile(file, skipped);
    int exit = ExitOk;
    if (args.Command == "agenda")
        exit = Agenda(args, events, std::cout);
    else if (args.Command == "next")
        exit = Next(args, events, std::cout);
    else if (args.Command == "simulate")
        exit = Simulate(args, std::move(events), std::cout);
    else if (args.Command == "execute")
        exit = Execute(args, events, std::cout);
    else if (args.Command == "export")
        exit = Export(args, events, std::cout);
    else if (args.Command == "print")
        exit = Print(args, events);
    else
        exit = Describe(events, std::cout);
    // The process ends next, and the system takes its memory back at once: giving a big
    // notebook back object by object would cost a good part of what reading it did.
    static const auto* const left = new TOwnedEvents(std::move(events));
    (void)left;
    return exit == ExitOk && skipped > 0 ? ExitDamaged : exit;
}

} // namespace

int main(int argc, char** argv) {
#ifdef KELVO_HAVE_PLATFORM
    std::vector<std::string> args(argv + 1, argv + argc);
    // The settings store needs an application object; no display is ever opened. Only
    // printing needs fonts, and then the offscreen platform gives them without one.
    bool pages = false;
    try {
        pages = ParseArguments(args, ValueOptions).Command == "print";
    } catch (const EUsage&) {
    }
    std::unique_ptr<QCoreApplication> app;
    if (pages) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
#else
    std::vector<std::string> args(argv + 1, argv + argc);
#endif
    try {
        return Run(args);
    } catch (const EUsage& e) {
        std::cerr << "kelvo-cli: " << e.what() << "\nTry 'kelvo-cli --help'.\n";
        return ExitUsage;
    } catch (const EUnreadable& e) {
        std::cerr << "kelvo-cli: " << e.what() << '\n';
        return ExitUnreadable;
    } catch (const std::exception& e) {
        std::cerr << "kelvo-cli: " << e.what() << '\n';
        return ExitFailed;
    }
}
