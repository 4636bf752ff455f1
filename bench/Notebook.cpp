// The notebook's rebuild of every registration (every two minutes on the user-interface
// thread), one event's change and arising, a month of kelvo-cli simulate over 1 000 events
// and kelvo-cli agenda --days 30 over 100 000 events.

#include "../tests/support/EntitySamples.h"
#include "cli/Commands.h"
#include "core/runtime/RemNotebook.h"
#include "support/TestClock.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <sstream>
#include <unistd.h>

using namespace kelvo;

namespace {

const TDateTime Start = EncodeDateTime(2024, 1, 1, 0, 0);

std::unique_ptr<TDateCondition> RandomDate(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TDateTime from = Start + pick(0, 30);
    switch (pick(0, 3)) {
    case 0: {
        auto d = std::make_unique<TDailyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(pick(1, 3));
        return d;
    }
    case 1: {
        auto d = std::make_unique<TWeeklyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(pick(1, 2));
        d->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(pick(1, 127))));
        return d;
    }
    case 2: {
        auto d = std::make_unique<TMonthlyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(1);
        d->SetDayNumber(pick(1, 28));
        return d;
    }
    default: {
        auto d = std::make_unique<TOnceDateCondition>();
        d->SetDate(from + pick(0, 400));
        return d;
    }
    }
}

std::unique_ptr<TTimeCondition> RandomTime(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    if (pick(0, 4) == 0) {
        auto t = std::make_unique<TByMinuteTimeCondition>();
        t->SetFromTime(EncodeTime(pick(6, 11), pick(0, 59)));
        t->SetToTime(EncodeTime(pick(12, 20), pick(0, 59)));
        t->SetCountPeriod(pick(15, 90));
        return t;
    }
    auto t = std::make_unique<TOnceTimeCondition>();
    t->SetTime(EncodeTime(pick(0, 23), pick(0, 59)));
    return t;
}

// Varied events (actions, options, states; every third with a day-before reminder) whose
// conditions are daily, weekly, monthly or one-off dates at one or several times a day.
TOwnedEvents Events(int count) {
    std::mt19937 rng(static_cast<unsigned>(count));
    TOwnedEvents events = samples::VariedEvents(count);
    for (auto& e : events) {
        TComplexInitializeCondition& c = e->InitializeCondition();
        c.Conditions().Clear();
        for (int n = std::uniform_int_distribution<int>(1, 2)(rng); n > 0; --n) {
            auto s = std::make_unique<TSimpleInitializeCondition>();
            s->SetDateCondition(RandomDate(rng).get());
            s->SetTimeCondition(RandomTime(rng).get());
            c.Conditions().Add(std::move(s));
        }
        c.SetDateOfCreate(Start);
        if (TReminder* r = e->Reminder())
            r->InitializeCondition().SetDateOfCreate(Start);
    }
    return events;
}

void BM_RebuildRegistrations(benchmark::State& state) {
    test::TestClock clock(Start + 45.4);
    test::ManualTimerFactory timers;
    {
        TReminderNotebook notebook(timers);
        notebook.AddEvents(Events(static_cast<int>(state.range(0))));
        notebook.RestartGenerator();
        for (auto _ : state) {
            // A rebuild two minutes after the last, as the generator's timer runs them.
            clock.Set(IncMinute(2, clock.Now()));
            notebook.RebuildRegistrations();
        }
        state.SetItemsProcessed(state.iterations() * state.range(0));
    }
}
BENCHMARK(BM_RebuildRegistrations)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The same once the generator has run: what was missed while the program was closed has been
// reported, so the rebuilds see the notebook as it is most of the time. The second argument
// 1 looks at every event in every rebuild, as the notebook did before it kept a queue.
void BM_RebuildRegistrationsRunning(benchmark::State& state) {
    test::TestClock clock(Start + 45.4);
    test::ManualTimerFactory timers;
    {
        TReminderNotebook notebook(timers);
        notebook.SetFullRebuilds(state.range(1) != 0);
        notebook.AddEvents(Events(static_cast<int>(state.range(0))));
        notebook.RestartGenerator();
        for (int i = 0; i < 180; ++i) {
            clock.Set(IncSecond(1, clock.Now()));
            notebook.Generator().Tick();
        }
        for (auto _ : state) {
            clock.Set(IncMinute(2, clock.Now()));
            notebook.RebuildRegistrations();
        }
        state.SetItemsProcessed(state.iterations() * state.range(0));
        state.counters["registered"] = notebook.Generator().ConditionCount();
    }
}
BENCHMARK(BM_RebuildRegistrationsRunning)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// The notebook's part of a change to an event and of its arising, for the event added first
// (the same one at every size), behind n more.
class TFirstEventNotebook {
public:
    explicit TFirstEventNotebook(int n) : clock_(Start + 45.4), notebook_(timers_) {
        notebook_.AddEvents(Events(1));
        notebook_.AddEvents(Events(n));
        notebook_.RestartGenerator();
    }
    TReminderNotebook& Notebook() { return notebook_; }
    TEvent& First() { return notebook_.Event(0); }

private:
    test::TestClock clock_;
    test::ManualTimerFactory timers_;
    TReminderNotebook notebook_;
};

void BM_RegisterEvent(benchmark::State& state) {
    TFirstEventNotebook book(static_cast<int>(state.range(0)));
    TEvent& first = book.First();
    for (auto _ : state)
        book.Notebook().RegisterEvent(first);
}
BENCHMARK(BM_RegisterEvent)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// What the generator's call costs before the event's own actions run: the notebook finds the
// event, registers it again and announces it.
void BM_EventArising(benchmark::State& state) {
    TFirstEventNotebook book(static_cast<int>(state.range(0)));
    TEvent& first = book.First();
    int arisings = 0;
    book.Notebook().OnEventArise = [&arisings](TWaitingAriseEntity&, TDateTime) { ++arisings; };
    for (auto _ : state)
        first.OnArise(first, Now());
    state.counters["arisings"] = arisings;
}
BENCHMARK(BM_EventArising)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

cli::TArguments Arguments(const std::vector<std::string>& args) {
    return cli::ParseArguments(args, {"--events", "--from", "--days", "--start", "--until"});
}

// One month, second by second, with a rebuild every two minutes.
void BM_SimulateMonth(benchmark::State& state) {
    const cli::TArguments args =
        Arguments({"simulate", "--start", "2024-02-01", "--until", "2024-03-01"});
    std::size_t reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TOwnedEvents events = Events(1000);
        std::ostringstream out;
        state.ResumeTiming();
        cli::Simulate(args, std::move(events), out);
        const std::string text = out.str();
        reports = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    state.counters["reports"] = static_cast<double>(reports);
}
BENCHMARK(BM_SimulateMonth)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reading the file as kelvo-cli does, then the agenda of 30 days.
void BM_Agenda30Days(benchmark::State& state) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("kelvo-bench-" + std::to_string(getpid()) + ".evn"))
                                 .string();
    {
        TOwnedEvents events = Events(100000);
        TEventList list;
        for (const auto& e : events)
            list.Add(*e);
        SaveEventsFile(file, list);
    }
    const cli::TArguments args =
        Arguments({"agenda", "--from", "2024-03-01", "--days", "30", "--events", file});
    std::size_t lines = 0;
    const TOwnedEvents events = cli::ReadEventsFile(file);
    for (auto _ : state) {
        std::ostringstream out;
        cli::Agenda(args, events, out);
        const std::string text = out.str();
        lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    state.counters["lines"] = static_cast<double>(lines);
    std::filesystem::remove(file);
}
BENCHMARK(BM_Agenda30Days)->Unit(benchmark::kMillisecond);

void BM_ReadFileAndAgenda30Days(benchmark::State& state) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("kelvo-bench-read-" + std::to_string(getpid()) + ".evn"))
                                 .string();
    {
        TOwnedEvents events = Events(100000);
        TEventList list;
        for (const auto& e : events)
            list.Add(*e);
        SaveEventsFile(file, list);
    }
    const cli::TArguments args =
        Arguments({"agenda", "--from", "2024-03-01", "--days", "30", "--events", file});
    for (auto _ : state) {
        std::ostringstream out;
        cli::Agenda(args, cli::ReadEventsFile(file), out);
        benchmark::DoNotOptimize(out.str().size());
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_ReadFileAndAgenda30Days)->Unit(benchmark::kMillisecond);

} // namespace
