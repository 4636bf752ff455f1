// CalDAV sync of 1 000 events with Radicale on the loopback address: the first sync that
// sends them all, the first sync of another computer that fetches them all, and a sync with
// nothing changed. Saves go to real files, as kelvo-cli's do.

#include "core/sync/CalDavSync.h"

#include "../tests/support/EntitySamples.h"
#include "core/persistence/SafeSave.h"
#include "platform/caldav/CalDavClient.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace kelvo;

namespace {

constexpr int Events = 1000;

struct TServer {
    std::string Folder;
    QProcess Process;
    std::string Url;

    TServer() {
        Folder = (std::filesystem::temp_directory_path() / "kelvo-bench-caldav-XXXXXX").string();
        if (::mkdtemp(Folder.data()) == nullptr)
            std::abort();
        Process.start("/usr/bin/python3",
                      {"-W", "ignore", KELVO_TESTS_DIR "/support/caldav_server.py", "--dir",
                       QString::fromStdString(Folder)});
        while (!Process.canReadLine())
            if (!Process.waitForReadyRead(20000))
                std::abort();
        Url = "http://127.0.0.1:" + Process.readLine().trimmed().toStdString() + "/reminder/work/";
    }
    ~TServer() {
        Process.closeWriteChannel();
        Process.waitForFinished(8000);
        std::filesystem::remove_all(Folder);
    }
};

TServer& Server() {
    static TServer server;
    return server;
}

// The CPU time Radicale (the fixture's child process) has used so far, in seconds: what of the
// wall time is the server's.
double ServerCpuSeconds() {
    const std::string pid = std::to_string(Server().Process.processId());
    std::ifstream children("/proc/" + pid + "/task/" + pid + "/children");
    std::string radicale;
    children >> radicale;
    std::ifstream stat("/proc/" + radicale + "/stat");
    std::string line;
    std::getline(stat, line);
    // Past the command's closing parenthesis: state is field 3, utime and stime 14 and 15.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int n = 3; n <= 15 && fields >> field; ++n)
        if (n >= 14)
            ticks += std::stod(field);
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// Reports the server's share of a benchmark's time.
struct TServerShare {
    benchmark::State& State;
    double Start = ServerCpuSeconds();
    ~TServerShare() {
        State.counters["server_cpu_ms"] = benchmark::Counter((ServerCpuSeconds() - Start) * 1000,
                                                             benchmark::Counter::kAvgIterations);
    }
};

struct TSide {
    std::string File;
    TOwnedEvents Events;
    TSyncState State;
    std::string SavedEvents, SavedState;

    TSyncResult Sync() {
        TCalDavClient client({Server().Url, "reminder", "secret"});
        const TCalCodec codec = PlatformCalCodec();
        const auto save = [this] {
            std::vector<TEvent*> list;
            for (const auto& e : Events)
                list.push_back(e.get());
            // As kelvo-cli: a file whose bytes did not change is not written again.
            std::string events = WriteEvents(TEventList(list));
            if (events != SavedEvents)
                SafeSave(File, SavedEvents = std::move(events), 46000, TDateOrder::YearFirst);
            std::string state = WriteSyncState(State);
            if (state != SavedState)
                SafeSave(SyncStateFileName(File), SavedState = std::move(state), 46000,
                         TDateOrder::YearFirst);
        };
        return SyncEvents(Events, "CalDAV", State, client, codec, save);
    }
};

TSide& Here() {
    static TSide side = [] {
        TSide s;
        s.File = Server().Folder + "/here.evn";
        for (int i = 0; i < Events; ++i) {
            auto e = samples::SilentEventOnceAt(EncodeDateTime(2030, 1 + i % 12, 1 + i % 28, 9, 0),
                                                "Event " + std::to_string(i));
            e->SetTemplate("CalDAV");
            s.Events.push_back(std::move(e));
        }
        return s;
    }();
    return side;
}

void FirstSyncSendsAll(benchmark::State& state) {
    const TServerShare share{state};
    for (auto _ : state) {
        const TSyncResult r = Here().Sync();
        if (r.Failed() || r.Lines.size() != Events)
            state.SkipWithError("the first sync did not send every event");
    }
}
BENCHMARK(FirstSyncSendsAll)->Iterations(1)->Unit(benchmark::kMillisecond);

void FirstSyncOfAnotherComputerFetchesAll(benchmark::State& state) {
    const TServerShare share{state};
    for (auto _ : state) {
        TSide there;
        there.File = Server().Folder + "/there.evn";
        const TSyncResult r = there.Sync();
        if (r.Failed() || there.Events.size() != Events)
            state.SkipWithError("the first sync did not fetch every event");
    }
}
BENCHMARK(FirstSyncOfAnotherComputerFetchesAll)->Iterations(1)->Unit(benchmark::kMillisecond);

void SyncWithNothingChanged(benchmark::State& state) {
    // The first sync after an upload finds the uploads in the server's changes: nothing moves,
    // but the collection changed. Only the syncs after it have nothing changed at all.
    if (Here().Sync().Failed())
        state.SkipWithError("the sync after the upload failed");
    const TServerShare share{state};
    for (auto _ : state) {
        const TSyncResult r = Here().Sync();
        if (r.Failed() || !r.Lines.empty())
            state.SkipWithError("something moved");
    }
}
BENCHMARK(SyncWithNothingChanged)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
