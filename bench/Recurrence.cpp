// The first arising at or after a moment of 100 000 mixed recurring conditions (daily every n
// days, weekly on some days, monthly on a day, yearly in some months, once or several times a
// day), against libical's recurrence iterator over the same rules in one run. The ratio counter
// is libical's time over ours (the aim is 100); differ counts answers on which the two sides
// disagree and fails the run unless it is 0.

#include "core/scheduling/SimpleInitializeCondition.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <libical/ical.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace kelvo;

namespace {

const TDateTime Start = EncodeDateTime(2024, 1, 1, 0, 0);

// Each side walks its own array: libical's rule structure takes kilobytes, and our conditions
// stored between them would pay a page walk per rule for their neighbour's size.
struct TRules {
    std::vector<std::unique_ptr<TSimpleInitializeCondition>> Ours;
    std::vector<icalrecurrencetype> Recurrence;
    std::vector<icaltimetype> First;
    std::size_t Size() const { return Ours.size(); }
};

icaltimetype IcalTime(TDateTime t) {
    const TDateParts d = DecodeDate(t);
    const TTimeParts h = DecodeTime(t);
    icaltimetype r = icaltime_null_time();
    r.year = d.Year;
    r.month = d.Month;
    r.day = d.Day;
    r.hour = h.Hour;
    r.minute = h.Minute;
    r.is_date = 0;
    return r;
}

TDateTime FromIcal(icaltimetype t) {
    if (icaltime_is_null_time(t))
        return NullDate;
    return EncodeDateTime(t.year, t.month, t.day, t.hour, t.minute);
}

TRules Rules(int count) {
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const char* const days[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    TRules rules;
    rules.Ours.reserve(static_cast<std::size_t>(count));
    rules.Recurrence.reserve(static_cast<std::size_t>(count));
    rules.First.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const TDateTime from = Start + pick(0, 60);
        std::string rrule;
        std::unique_ptr<TDateCondition> date;
        switch (pick(0, 3)) {
        case 0: {
            auto d = std::make_unique<TDailyDateCondition>();
            const int n = pick(1, 5);
            d->SetFromDate(from);
            d->SetPeriod(n);
            rrule = "FREQ=DAILY;INTERVAL=" + std::to_string(n);
            date = std::move(d);
            break;
        }
        case 1: {
            auto d = std::make_unique<TWeeklyDateCondition>();
            const int bits = pick(1, 127);
            d->SetFromDate(from);
            d->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(bits)));
            rrule = "FREQ=WEEKLY;BYDAY=";
            for (int b = 0, n = 0; b < 7; ++b)
                if ((bits >> b) & 1)
                    rrule += std::string(n++ ? "," : "") + days[b];
            date = std::move(d);
            break;
        }
        case 2: {
            auto d = std::make_unique<TMonthlyDateCondition>();
            const int day = pick(1, 28);
            d->SetFromDate(from);
            d->SetDayNumber(day);
            rrule = "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(day);
            date = std::move(d);
            break;
        }
        default: {
            auto d = std::make_unique<TYearlyDateCondition>();
            const int day = pick(1, 28);
            const int months = pick(1, 4095);
            d->SetFromDate(from);
            d->SetDayNumber(day);
            d->SetMonths(TMonths::FromBits(static_cast<std::uint16_t>(months)));
            rrule = "FREQ=YEARLY;BYMONTHDAY=" + std::to_string(day) + ";BYMONTH=";
            for (int b = 0, n = 0; b < 12; ++b)
                if ((months >> b) & 1)
                    rrule += std::string(n++ ? "," : "") + std::to_string(b + 1);
            date = std::move(d);
            break;
        }
        }
        std::unique_ptr<TTimeCondition> time;
        TDateTime first = from;
        if (pick(0, 2) == 0) {
            // Every few hours on the hour between two hours.
            auto t = std::make_unique<THourlyTimeCondition>();
            const int a = pick(0, 11), b = pick(12, 23), step = pick(1, 4);
            t->SetFromTime(EncodeTime(a, 0));
            t->SetToTime(EncodeTime(b, 0));
            t->SetCountPeriod(step);
            rrule += ";BYMINUTE=0;BYHOUR=";
            for (int h = a, n = 0; h <= b; h += step)
                rrule += std::string(n++ ? "," : "") + std::to_string(h);
            first = from + EncodeTime(a, 0);
            time = std::move(t);
        } else {
            auto t = std::make_unique<TOnceTimeCondition>();
            const TDateTime at = EncodeTime(pick(0, 23), pick(0, 59));
            t->SetTime(at);
            first = from + at;
            time = std::move(t);
        }
        auto ours = std::make_unique<TSimpleInitializeCondition>();
        ours->SetDateCondition(date.get());
        ours->SetTimeCondition(time.get());
        rules.Ours.push_back(std::move(ours));
        rules.Recurrence.push_back(icalrecurrencetype_from_string(rrule.c_str()));
        rules.First.push_back(IcalTime(first));
    }
    return rules;
}

const TRules& AllRules() {
    static const TRules rules = Rules(100000);
    return rules;
}

// Both sides over the same rules in each iteration; the ratio is libical's time over ours.
void BM_FirstAriseAgainstLibical(benchmark::State& state) {
    const auto& rules = AllRules();
    const TDateTime at = IncYear(static_cast<int>(state.range(0)), Start + 45.4375);
    const icaltimetype icalAt = IcalTime(at);
    // CPU time: other work on the machine should not tilt the ratio.
    auto cpuMs = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    double ours = 0, theirs = 0;
    std::size_t differ = 0;
    for (auto _ : state) {
        std::vector<TDateTime> mine(rules.Size()), other(rules.Size());
        const double t0 = cpuMs();
        for (std::size_t i = 0; i < rules.Size(); ++i)
            mine[i] = rules.Ours[i]->NextArise(at);
        const double t1 = cpuMs();
        for (std::size_t i = 0; i < rules.Size(); ++i) {
            icalrecur_iterator* it = icalrecur_iterator_new(rules.Recurrence[i], rules.First[i]);
            icalrecur_iterator_set_start(it, icalAt);
            other[i] = FromIcal(icalrecur_iterator_next(it));
            icalrecur_iterator_free(it);
        }
        const double t2 = cpuMs();
        ours += t1 - t0;
        theirs += t2 - t1;
        differ = 0;
        for (std::size_t i = 0; i < rules.Size(); ++i)
            differ += IsNullDate(other[i]) || std::abs(mine[i] - other[i]) > 1e-6 ? 1 : 0;
        benchmark::DoNotOptimize(mine.data());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / n;
    state.counters["libical_ms"] = theirs / n;
    state.counters["ratio"] = theirs / ours;
    state.counters["differ"] = static_cast<double>(differ);
    if (differ != 0)
        state.SkipWithError("our answers and libical's differ");
}
BENCHMARK(BM_FirstAriseAgainstLibical)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace
