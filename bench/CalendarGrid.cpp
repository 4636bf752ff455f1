// The calendar grid filling its five weeks of day cells from 10 000 events (every refresh of
// the Calendar page, on the user-interface thread), and the one new week of a scroll.

#include "core/entities/Reminder.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/calendar/DrawCalendar.h"
#include "gui/session/ProgramSession.h"
#include "support/EntitySamples.h"
#include "support/TestClock.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <random>

using namespace kelvo;

namespace {

const TDateTime Start = EncodeDateTime(2030, 6, 1, 8, 0);

// A year of once-only events, with every fifth daily, every tenth weekly and every seventh
// with a reminder a day before.
std::unique_ptr<TEvent> MixedEvent(std::mt19937& rng, int i) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TDateTime at = IncDay(pick(-30, 365), Start) + EncodeTime(pick(0, 23), pick(0, 59));
    auto e = samples::SilentEventOnceAt(at, "Event " + std::to_string(i));
    auto& simple =
        static_cast<TSimpleInitializeCondition&>(e->InitializeCondition().Conditions().Items(0));
    if (i % 5 == 0) {
        TDailyDateCondition daily;
        daily.SetFromDate(DateOf(at) - 60);
        daily.SetPeriod(pick(1, 3));
        simple.SetDateCondition(&daily);
    } else if (i % 10 == 1) {
        TWeeklyDateCondition weekly;
        weekly.SetFromDate(DateOf(at) - 60);
        weekly.SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(pick(1, 127))));
        simple.SetDateCondition(&weekly);
    }
    if (i % 7 == 0) {
        e->SetHasReminder(true);
        e->Reminder()->InitializeCondition().Conditions().Add(
            std::make_unique<TReminderInitializeCondition>());
    }
    return e;
}

struct TFixture {
    TFixture(bool reminders) : session(ini, timers) {
        static int argc = 1;
        static char name[] = "bench_CalendarGrid";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            new QApplication(argc, argv); // for the whole run
        }
        std::mt19937 rng(14);
        TOwnedEvents events;
        for (int i = 0; i < 10000; ++i)
            events.push_back(MixedEvent(rng, i));
        session.Notebook().AddEvents(std::move(events));
        session.Settings().Options().BehaviourShowReminderInCalendar.SetValue(reminders);
        calendar = std::make_unique<TDrawCalendar>(session);
        calendar->resize(900, 600);
        calendar->SetDate(Start);
    }
    test::TestClock clock{Start};
    TMemAppIni ini;
    test::ManualTimerFactory timers;
    TProgramSession session;
    std::unique_ptr<TDrawCalendar> calendar;
};

void FiveWeeksFrom10000Events(benchmark::State& state) {
    TFixture f(state.range(0) != 0);
    std::size_t lines = 0;
    for (auto _ : state) {
        f.calendar->RefreshLines();
        lines = 0;
        for (int d = 0; d < TDrawCalendar::DayCells; ++d)
            lines += f.calendar->LinesOf(IncDay(d, f.calendar->FirstShownDate())).size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(FiveWeeksFrom10000Events)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("reminders")
    ->Unit(benchmark::kMillisecond);

void OneWeekScrolled(benchmark::State& state) {
    TFixture f(false);
    int direction = 1;
    for (auto _ : state) {
        f.calendar->ScrollWeeks(direction);
        direction = -direction;
    }
}
BENCHMARK(OneWeekScrolled)->Unit(benchmark::kMillisecond);

} // namespace
