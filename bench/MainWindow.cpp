// The main window over 10 000 events: refreshing the All Events page after a change, from the
// start of the window to its first showing with the data files read, and on to the start-up's
// save.

#include "../tests/support/EntitySamples.h"
#include "core/persistence/EventFile.h"
#include "core/persistence/EventList.h"
#include "core/timers/ProgramFolders.h"
#include "gui/events/EventListView.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventListModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

constexpr int EventCount = 10000;

// One application for the whole run, on a private home.
fs::path Home() {
    static const fs::path home = [] {
        const fs::path dir =
            fs::temp_directory_path() / ("kelvo-bench-window-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "bench_MainWindow";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
        InstallProgramFolders(std::make_unique<TQtFolderProvider>());
        return dir;
    }();
    return home;
}

void WriteEventsFile() {
    const fs::path folder = Home() / "data" / "Brennikor" / "Tavrelon";
    fs::create_directories(folder);
    auto events = samples::VariedEvents(EventCount);
    TEventList list;
    for (auto& e : events)
        list.Add(*e);
    SaveEventsFile((folder / "kelvo-rem.evn").string(), list);
}

struct TWindow {
    TWindow() : session(ini, timers), form(session) {
        form.ShowMessage = [](TMessageKind, const QString&) {};
        form.Confirm = [](const QString&) { return false; };
    }
    TAppIniReg ini;
    test::ManualTimerFactory timers;
    TProgramSession session;
    TMainForm form;
};

void BM_RefreshAllEventsPage(benchmark::State& state) {
    Home();
    test::TestClock clock(EncodeDateTime(2024, 6, 1, 9, 0));
    WriteEventsFile();
    TWindow window;
    window.form.Startup({});
    window.form.ShowPage(3);
    window.form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        // What every change of the notebook does: the rows again, sorted, and the page.
        window.session.EventModel().Refresh();
        window.form.RefreshActivePage();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = window.form.List(3).EventRowCount();
}
BENCHMARK(BM_RefreshAllEventsPage)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartToVisibleWindow(benchmark::State& state) {
    Home();
    test::TestClock clock(EncodeDateTime(2024, 6, 1, 9, 0));
    WriteEventsFile();
    for (auto _ : state) {
        auto window = std::make_unique<TWindow>();
        window->form.Startup({});
        window->form.ShowAtStart();
        QCoreApplication::processEvents();
        // The window saves on its way out; that is the end of a run, not its start.
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToVisibleWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same, on until the start-up's save of both data files is on the disk.
void BM_StartToStartupSaved(benchmark::State& state) {
    Home();
    test::TestClock clock(EncodeDateTime(2024, 6, 1, 9, 0));
    WriteEventsFile();
    for (auto _ : state) {
        auto window = std::make_unique<TWindow>();
        window->form.Startup({});
        window->form.ShowAtStart();
        while (window->form.StartupPending())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToStartupSaved)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
