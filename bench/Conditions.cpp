// NextArise of generated conditions near their start and twenty years on, PreviousArise
// after ten years, a reminder a year before an every-minute event, and one pass of the
// reminders generator.

#include "core/runtime/RemindersGenerator.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/scheduling/SnoozeInitializeCondition.h"
#include "support/TestClock.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

using namespace kelvo;

namespace {

const TDateTime Start = EncodeDateTime(2024, 1, 1, 0, 0);

std::unique_ptr<TDateCondition> RandomDate(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TDateTime from = Start + pick(0, 60);
    switch (pick(0, 4)) {
    case 0: {
        auto d = std::make_unique<TOnceDateCondition>();
        d->SetDate(from + pick(0, 365 * 25));
        return d;
    }
    case 1: {
        auto d = std::make_unique<TDailyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(pick(1, 5));
        return d;
    }
    case 2: {
        auto d = std::make_unique<TWeeklyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(pick(1, 3));
        d->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(pick(1, 127))));
        return d;
    }
    case 3: {
        auto d = std::make_unique<TMonthlyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(pick(1, 3));
        d->SetDayNumber(pick(0, 31));
        d->SetSubjectNumber(static_cast<TWeekOfMonthName>(pick(0, 4)));
        d->SetSubjectKind(static_cast<TMonthSubjectName>(pick(0, 7)));
        return d;
    }
    default: {
        auto d = std::make_unique<TYearlyDateCondition>();
        d->SetFromDate(from);
        d->SetDayNumber(pick(1, 31));
        d->SetMonths(TMonths::FromBits(static_cast<std::uint16_t>(pick(1, 4095))));
        return d;
    }
    }
}

std::unique_ptr<TTimeCondition> RandomTime(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    switch (pick(0, 3)) {
    case 0:
        return std::make_unique<TAllTimeCondition>();
    case 1: {
        auto t = std::make_unique<TOnceTimeCondition>();
        t->SetTime(EncodeTime(pick(0, 23), pick(0, 59)));
        return t;
    }
    case 2: {
        auto t = std::make_unique<TByMinuteTimeCondition>();
        t->SetFromTime(EncodeTime(pick(0, 11), pick(0, 59)));
        t->SetToTime(EncodeTime(pick(12, 23), pick(0, 59)));
        t->SetCountPeriod(pick(1, 90));
        return t;
    }
    default: {
        auto t = std::make_unique<THourlyTimeCondition>();
        t->SetFromTime(EncodeTime(pick(0, 11), 0));
        t->SetToTime(EncodeTime(pick(12, 23), 0));
        t->SetCountPeriod(pick(1, 4));
        return t;
    }
    }
}

std::unique_ptr<TSimpleInitializeCondition> RandomSimple(std::mt19937& rng) {
    auto s = std::make_unique<TSimpleInitializeCondition>();
    s->SetDateCondition(RandomDate(rng).get());
    s->SetTimeCondition(RandomTime(rng).get());
    return s;
}

// An event's complex condition with one or two simple members, and maybe a reminder.
struct Generated {
    std::unique_ptr<TComplexInitializeCondition> event;
    std::unique_ptr<TReminderInitializeCondition> reminder;
    std::unique_ptr<TSnoozeInitializeCondition> snooze;
};

std::vector<Generated> Generate(int n, unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<Generated> all(static_cast<std::size_t>(n));
    for (auto& g : all) {
        g.event = std::make_unique<TComplexInitializeCondition>();
        for (int i = pick(1, 2); i > 0; --i)
            g.event->Conditions().Add(RandomSimple(rng));
        g.reminder = std::make_unique<TReminderInitializeCondition>();
        g.reminder->SetBase(g.event.get());
        if (pick(0, 1) == 0) {
            TOnceRelativeCondition r;
            r.SetFromSubject({pick(1, 30), static_cast<TPeriodType>(pick(1, 5))});
            g.reminder->SetRelativeCondition(&r);
        } else {
            TPeriodicRelativeCondition r;
            r.SetFromSubject({pick(1, 5), static_cast<TPeriodType>(pick(2, 4))});
            r.SetPeriodSubject({pick(1, 12), static_cast<TPeriodType>(pick(1, 3))});
            g.reminder->SetRelativeCondition(&r);
        }
        if (pick(0, 1) == 0) {
            TOnceTimeCondition at;
            at.SetTime(EncodeTime(pick(0, 23), 0));
            g.reminder->SetTimeCondition(&at);
        }
        g.snooze = std::make_unique<TSnoozeInitializeCondition>();
        g.snooze->SetSnoozeDateTime(Start + pick(0, 1000));
    }
    return all;
}

const std::vector<Generated>& Conditions() {
    static const std::vector<Generated> all = Generate(100000, 2024);
    return all;
}

TDateTime Moment(int yearsOn) {
    return IncYear(yearsOn, Start + 45.4375);
}

void BM_NextAriseEvent(benchmark::State& state) {
    const auto& all = Conditions();
    const TDateTime x = Moment(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& g : all)
            benchmark::DoNotOptimize(g.event->NextArise(x));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}
BENCHMARK(BM_NextAriseEvent)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_NextAriseForCheckEvent(benchmark::State& state) {
    const auto& all = Conditions();
    const TDateTime x = Moment(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& g : all)
            benchmark::DoNotOptimize(g.event->NextAriseForCheck(x));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}
BENCHMARK(BM_NextAriseForCheckEvent)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_NextAriseReminder(benchmark::State& state) {
    const auto& all = Conditions();
    const TDateTime x = Moment(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& g : all)
            benchmark::DoNotOptimize(g.reminder->NextArise(x));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}
BENCHMARK(BM_NextAriseReminder)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_NextAriseSnooze(benchmark::State& state) {
    const auto& all = Conditions();
    const TDateTime x = Moment(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& g : all)
            benchmark::DoNotOptimize(g.snooze->NextArise(x));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}
BENCHMARK(BM_NextAriseSnooze)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_PreviousAriseEveryFiveMinutesTenYearsOn(benchmark::State& state) {
    TSimpleInitializeCondition c;
    TDailyDateCondition daily;
    daily.SetFromDate(Start);
    TByMinuteTimeCondition every5;
    every5.SetFromTime(0);
    every5.SetToTime(EncodeTime(23, 55));
    every5.SetCountPeriod(5);
    c.SetDateCondition(&daily);
    c.SetTimeCondition(&every5);
    const TDateTime x = IncYear(10, Start) + 0.5123;
    for (auto _ : state)
        benchmark::DoNotOptimize(c.PreviousArise(x));
}
BENCHMARK(BM_PreviousAriseEveryFiveMinutesTenYearsOn)->Unit(benchmark::kMicrosecond);

void BM_ReminderAYearBeforeAnEveryMinuteEvent(benchmark::State& state) {
    TComplexInitializeCondition event;
    auto s = std::make_unique<TSimpleInitializeCondition>();
    TDailyDateCondition daily;
    daily.SetFromDate(Start);
    TByMinuteTimeCondition minutes;
    minutes.SetFromTime(EncodeTime(8, 0));
    minutes.SetToTime(EncodeTime(20, 0));
    minutes.SetCountPeriod(1);
    s->SetDateCondition(&daily);
    s->SetTimeCondition(&minutes);
    event.Conditions().Add(std::move(s));
    TReminderInitializeCondition reminder;
    reminder.SetBase(&event);
    TOnceRelativeCondition year;
    year.SetFromSubject({1, static_cast<TPeriodType>(state.range(0))});
    if (state.range(0) == ptMinute)
        year.SetFromSubject({366 * 1440 + 30, ptMinute});
    reminder.SetRelativeCondition(&year);
    TOnceTimeCondition at;
    at.SetTime(EncodeTime(21, 30));
    reminder.SetTimeCondition(&at);
    const TDateTime x = Start + 100.42;
    for (auto _ : state)
        benchmark::DoNotOptimize(reminder.NextArise(x));
}
BENCHMARK(BM_ReminderAYearBeforeAnEveryMinuteEvent)
    ->Arg(ptYear)
    ->Arg(ptMinute)
    ->Unit(benchmark::kMicrosecond);

void BM_GeneratorPass(benchmark::State& state) {
    test::TestClock clock(Start);
    test::ManualTimerFactory timers;
    const auto& all = Conditions();
    {
        TRemindersGenerator generator(timers);
        for (int i = 0; i < 1000; ++i) {
            auto& c = *all[static_cast<std::size_t>(i)].event;
            c.SetDateOfCreate(Start);
            c.SetLastAppear(Start);
            generator.AddCondition(c);
        }
        generator.Start();
        clock.Set(Start + 30.5);
        generator.SetLastTime(clock.Now());
        for (auto _ : state) {
            clock.Set(IncMinute(1, clock.Now())); // every tick opens a new minute
            timers.Last().OnTimeout();
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_GeneratorPass)->Unit(benchmark::kMicrosecond);

} // namespace
