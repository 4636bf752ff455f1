// kelvo-cli as a process over big files: CPU time and peak memory of reading 100 000 varied
// events and 1 000 000 empty ones, and of a month of simulate over 1 000 events. With
// KELVO_CLI_BEFORE naming another kelvo-cli (an older build), each run is made with both and
// the older one's numbers are reported beside: before_cpu_ms, before_peak_MB.

#include "../tests/support/EntitySamples.h"
#include "core/persistence/EventFile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace kelvo;

namespace {

std::string Folder() {
    static const std::string folder = [] {
        std::string f =
            (std::filesystem::temp_directory_path() / "kelvo-bench-cli-XXXXXX").string();
        if (::mkdtemp(f.data()) == nullptr)
            std::abort();
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return f;
    }();
    return folder;
}

// Made in a child: a spawned program inherits the peak memory of its parent, so the
// benchmark itself stays small.
template <class F> std::string Make(const std::string& name, F write) {
    const std::string file = Folder() + "/" + name;
    const pid_t pid = ::fork();
    if (pid == 0) {
        write(file);
        std::_Exit(0);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        std::abort();
    return file;
}

void Save(const std::string& file, const TOwnedEvents& events) {
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    SaveEventsFile(file, list);
}

struct TUsage {
    double CpuMs;
    double PeakMB;
};

// Runs kelvo-cli with its output thrown away; the usage is the child's own.
TUsage Run(const std::vector<std::string>& args, std::string program = KELVO_CLI) {
    std::vector<char*> argv;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort();
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(usage.ru_utime) + ms(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024};
}

void Measure(benchmark::State& state, const std::string& file, std::vector<std::string> args) {
    args.push_back("--events");
    args.push_back(file);
    TUsage usage{};
    TUsage before{};
    const char* older = std::getenv("KELVO_CLI_BEFORE");
    for (auto _ : state) {
        usage = Run(args);
        if (older != nullptr)
            before = Run(args, older);
    }
    state.counters["cpu_ms"] = usage.CpuMs;
    state.counters["peak_MB"] = usage.PeakMB;
    if (older != nullptr) {
        state.counters["before_cpu_ms"] = before.CpuMs;
        state.counters["before_peak_MB"] = before.PeakMB;
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}

const std::vector<std::string> ReadOnly = {"agenda", "--from", "2024-01-01", "--days", "1"};

void BM_CliRead100000Events(benchmark::State& state) {
    static const std::string file =
        Make("varied.evn", [](const std::string& f) { Save(f, samples::VariedEvents(100000)); });
    Measure(state, file, ReadOnly);
}
BENCHMARK(BM_CliRead100000Events)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliRead1000000EmptyEvents(benchmark::State& state) {
    // Each record only names its class: every property keeps its default.
    static const std::string file = Make("empty.evn", [](const std::string& f) {
        std::string bytes;
        TClassWriter writer(bytes);
        WriteDataFileHeader(writer, EventsFileFormat);
        const TEvent event;
        for (int i = 0; i < 1000000; ++i) {
            WriteRecordMarker(writer, EventsFileFormat);
            writer.WriteObjectBegin(event);
            writer.WriteObjectEnd(event);
        }
        WriteDataFileBytes(f, bytes);
    });
    Measure(state, file, ReadOnly);
}
BENCHMARK(BM_CliRead1000000EmptyEvents)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A month of simulate over 1 000 events that arise every day or a few times a day.
void BM_CliSimulateMonth1000Events(benchmark::State& state) {
    static const std::string file = Make("month.evn", [](const std::string& f) {
        TOwnedEvents events;
        for (int i = 0; i < 1000; ++i) {
            auto e = samples::SilentEventOnceAt(NullDate, "Event " + std::to_string(i));
            auto& c = e->InitializeCondition();
            c.Conditions().Clear();
            auto s = std::make_unique<TSimpleInitializeCondition>();
            TDailyDateCondition daily;
            daily.SetFromDate(EncodeDate(2024, 1, 1 + i % 28));
            daily.SetPeriod(1 + i % 3);
            TOnceTimeCondition at;
            at.SetTime(EncodeTime(i % 24, (i * 7) % 60));
            s->SetDateCondition(&daily);
            s->SetTimeCondition(&at);
            c.Conditions().Add(std::move(s));
            e->SetCreationTime(EncodeDateTime(2024, 1, 1, 0, 0));
            events.push_back(std::move(e));
        }
        Save(f, events);
    });
    Measure(state, file, {"simulate", "--start", "2024-02-01", "--until", "2024-03-01"});
}
BENCHMARK(BM_CliSimulateMonth1000Events)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
