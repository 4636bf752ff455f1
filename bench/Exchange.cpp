// Export and import of 10 000 events: as iCalendar (with the events' own records, and a
// foreign file of plain RRULEs), and as CSV.

#include "../tests/support/ConditionKinds.h"
#include "core/exchange/CalendarItem.h"
#include "core/exchange/Csv.h"
#include "platform/ical/ICalendar.h"

#include <benchmark/benchmark.h>
#include <regex>

using namespace kelvo;

namespace {

constexpr int EventCount = 10000;

struct TNotebook {
    std::vector<std::unique_ptr<TEvent>> Owned;
    std::vector<TEvent*> Events;
    std::string Ics;
    std::string ForeignIcs; // the same without the own records

    TNotebook() {
        while (Owned.size() < EventCount)
            for (auto& s : samples::EveryConditionKind())
                if (Owned.size() < EventCount)
                    Owned.push_back(std::move(s.Event));
        for (auto& e : Owned)
            Events.push_back(e.get());
        Ics = WriteICalendar(CalendarItemsOf(Events));
        ForeignIcs = std::regex_replace(Ics, std::regex("X-KELVO-EVENT:[^\n]*\n( [^\n]*\n)*"), "");
    }
};

TNotebook& Notebook() {
    static TNotebook notebook;
    return notebook;
}

void Items(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * EventCount);
}

void BM_ExportICalendar(benchmark::State& state) {
    TNotebook& n = Notebook();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteICalendar(CalendarItemsOf(n.Events)));
    state.counters["file_MB"] = static_cast<double>(n.Ics.size()) / 1e6;
    Items(state);
}

void BM_ImportICalendar(benchmark::State& state) {
    TNotebook& n = Notebook();
    for (auto _ : state) {
        TCalendarImport imported =
            ImportCalendarItems(ParseICalendar(n.Ics).Items, ExpandCalendarItem);
        benchmark::DoNotOptimize(imported.Events.data());
    }
    Items(state);
}

void BM_ImportForeignICalendar(benchmark::State& state) {
    TNotebook& n = Notebook();
    for (auto _ : state) {
        TCalendarImport imported =
            ImportCalendarItems(ParseICalendar(n.ForeignIcs).Items, ExpandCalendarItem);
        benchmark::DoNotOptimize(imported.Events.data());
    }
    state.counters["file_MB"] = static_cast<double>(n.ForeignIcs.size()) / 1e6;
    Items(state);
}

void BM_ExportCsv(benchmark::State& state) {
    TNotebook& n = Notebook();
    const TDateTime now = EncodeDateTime(2027, 1, 1, 12, 0);
    for (auto _ : state) {
        std::vector<TCsvRow> rows;
        for (TEvent* e : n.Events) {
            const auto cells = EventListCells(*e, now, now);
            rows.emplace_back(cells.begin(), cells.end());
        }
        const auto captions = EventListCaptions();
        benchmark::DoNotOptimize(CsvText(TCsvRow(captions.begin(), captions.end()), rows));
    }
    Items(state);
}

} // namespace

BENCHMARK(BM_ExportICalendar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportICalendar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportForeignICalendar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);
