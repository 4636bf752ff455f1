// Writing and reading an events file of 100 000 varied events (reminders, several actions),
// and saving it safely to disk.

#include "core/persistence/EventFile.h"

#include "../tests/support/EntitySamples.h"
#include "support/RecordingDataFileHost.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace kelvo;

namespace {

constexpr int EventCount = 100000;

struct TNotebook {
    TOwnedEvents Events = samples::VariedEvents(EventCount);
    TEventList List;
    std::string Bytes;

    TNotebook() {
        for (const auto& e : Events)
            List.Add(*e);
        Bytes = WriteEvents(List);
    }
};

const TNotebook& Notebook() {
    static const TNotebook notebook;
    return notebook;
}

void Report(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * EventCount);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_WriteEvents(benchmark::State& state) {
    const TNotebook& n = Notebook();
    std::string out;
    for (auto _ : state) {
        out.clear();
        WriteEvents(n.List, out);
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, n.Bytes.size());
}
BENCHMARK(BM_WriteEvents)->Unit(benchmark::kMillisecond);

void BM_ReadEvents(benchmark::State& state) {
    const TNotebook& n = Notebook();
    test::RecordingDataFileHost host;
    for (auto _ : state) {
        TOwnedEvents events = ReadEvents(n.Bytes, host);
        if (events.size() != EventCount || !host.Errors.empty())
            std::abort();
        benchmark::DoNotOptimize(events.data());
    }
    Report(state, n.Bytes.size());
}
BENCHMARK(BM_ReadEvents)->Unit(benchmark::kMillisecond);

// Writing the file and replacing the one on disk, fsync included.
void BM_SafeSaveEvents(benchmark::State& state) {
    const TNotebook& n = Notebook();
    std::string folder = (std::filesystem::temp_directory_path() / "kelvo-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr)
        std::abort();
    const std::string target = folder + "/kelvo-rem.evn";
    TDateTime now = EncodeDateTime(2024, 1, 1, 12, 0);
    for (auto _ : state) {
        SafeSaveEventsFile(target, n.List, now, TDateOrder::DayFirst);
        now = IncSecond(1, now);
    }
    Report(state, n.Bytes.size());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SafeSaveEvents)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
