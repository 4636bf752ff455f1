// Throughput of the object stream (records of every property kind, with nested objects and
// lists, in the data file layout) and of a safe save of a file of about 20 MB.

#include "../tests/support/StreamTestClasses.h"
#include "core/persistence/DataFile.h"
#include "core/persistence/SafeSave.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace kelvo;
using namespace kelvo::test;

namespace {

const TClassRegistry& Registry() {
    static TClassRegistry* registry = [] {
        auto* r = new TClassRegistry;
        RegisterStreamTestClasses(*r);
        return r;
    }();
    return *registry;
}

std::vector<std::unique_ptr<TEvent>> MakeRecords(int count) {
    std::vector<std::unique_ptr<TEvent>> records;
    for (int i = 0; i < count; ++i) {
        auto e = std::make_unique<TEvent>();
        e->SetCount(i);
        e->SetSnooze(1 + i % 9);
        e->SetColor(i % 3 ? clRed : 0x102030 + i);
        e->SetDays(TWeekdays(static_cast<unsigned long>(i % 128)));
        e->SetMessage("Meeting number " + std::to_string(i) + " with the usual people");
        e->SetWhen(46000.0 + i / 24.0);
        e->SetHasUntil(i % 2 == 0);
        e->SetUntil(47000.5);
        TSampleSubject subject;
        subject.SetNumber(i % 5 + 1);
        e->SetSubject(subject);
        auto complex = std::make_unique<TComplexTimeCondition>();
        for (int k = 0; k < 1 + i % 3; ++k) {
            auto once = std::make_unique<TOnceTimeCondition>();
            once->SetTime((k + 1) / 8.0);
            complex->Conditions().Add(std::move(once));
        }
        e->SetCondition(std::move(complex));
        records.push_back(std::move(e));
    }
    return records;
}

void WriteFile(const std::vector<std::unique_ptr<TEvent>>& records, std::string& out) {
    out.clear();
    TClassWriter w(out);
    WriteDataFileHeader(w, EventsFileFormat);
    for (const auto& e : records) {
        WriteRecordMarker(w, EventsFileFormat);
        w.WriteObject(*e);
    }
}

constexpr int Records = 100000;

void BM_WriteStream(benchmark::State& state) {
    const auto records = MakeRecords(Records);
    std::size_t bytes = 0;
    std::string out; // a saver keeps its buffer from one save to the next
    for (auto _ : state) {
        WriteFile(records, out);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    state.counters["records/s"] = benchmark::Counter(
        static_cast<double>(Records * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteStream)->Unit(benchmark::kMillisecond);

void BM_ReadStream(benchmark::State& state) {
    std::string file;
    WriteFile(MakeRecords(Records), file);
    for (auto _ : state) {
        TStreamView stream{file};
        TClassReader reader(stream, true, Registry());
        TAnswerNoHost host;
        std::vector<std::unique_ptr<TEvent>> read;
        ReadDataFile<EpaError>(stream, reader, EventsFileFormat, host,
                               [&](TClassReader& r) { read.push_back(r.RequireObject<TEvent>()); });
        if (read.size() != Records)
            state.SkipWithError("records lost");
        benchmark::DoNotOptimize(read.data());
        state.PauseTiming(); // the notebook keeps what it loads
        read.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(file.size() * state.iterations()));
    state.counters["records/s"] = benchmark::Counter(
        static_cast<double>(Records * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadStream)->Unit(benchmark::kMillisecond);

void BM_SafeSave20MB(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string target = pattern + "/kelvo-rem.evn";
    std::string bytes(20 * 1000 * 1000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 131 % 251);
    double now = 46000.0;
    for (auto _ : state) {
        now += 1.0 / 86400; // a new temporary name each time, as a real clock gives
        SafeSave(target, bytes, now, TDateOrder::DayFirst);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size() * state.iterations()));
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_SafeSave20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
