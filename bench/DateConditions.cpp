// NextDate and NextTime per kind, asked near the condition's start and twenty years on.

#include "core/scheduling/DateCondition.h"
#include "core/scheduling/TimeCondition.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace kelvo;

constexpr int Conditions = 1024;
const TDateTime Start = EncodeDate(2024, 1, 1);

using TFactory = std::function<std::unique_ptr<TDateCondition>(std::mt19937&)>;

template <typename C> std::unique_ptr<C> Periodic(std::mt19937& rng, int maxPeriod) {
    auto c = std::make_unique<C>();
    c->SetFromDate(Start + static_cast<double>(rng() % 365));
    c->SetPeriod(1 + static_cast<int>(rng() % maxPeriod));
    return c;
}

std::unique_ptr<TDateCondition> Daily(std::mt19937& rng) {
    return Periodic<TDailyDateCondition>(rng, 10);
}

std::unique_ptr<TDateCondition> Weekly(std::mt19937& rng) {
    auto c = Periodic<TWeeklyDateCondition>(rng, 4);
    c->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(1 + rng() % 127)));
    return c;
}

std::unique_ptr<TDateCondition> MonthlyDay(std::mt19937& rng) {
    auto c = Periodic<TMonthlyDateCondition>(rng, 6);
    c->SetDayNumber(1 + static_cast<int>(rng() % 31));
    return c;
}

std::unique_ptr<TDateCondition> MonthlyWeekday(std::mt19937& rng) {
    auto c = Periodic<TMonthlyDateCondition>(rng, 6);
    c->SetDayNumber(0);
    c->SetSubjectNumber(static_cast<TWeekOfMonthName>(rng() % 5));
    c->SetSubjectKind(static_cast<TMonthSubjectName>(1 + rng() % 7));
    return c;
}

std::unique_ptr<TDateCondition> Yearly(std::mt19937& rng) {
    auto c = Periodic<TYearlyDateCondition>(rng, 4);
    c->SetDayNumber(1 + static_cast<int>(rng() % 31));
    c->SetMonths(TMonths::FromBits(static_cast<std::uint16_t>(1 + rng() % 4095)));
    return c;
}

std::unique_ptr<TDateCondition> MonthlyCounted(std::mt19937& rng) {
    auto c = Periodic<TMonthlyDateCondition>(rng, 3);
    c->SetDayNumber(1 + static_cast<int>(rng() % 31));
    c->SetUntilType(utTimes);
    c->SetTimes(400);
    return c;
}

std::unique_ptr<TDateCondition> ComplexWithExclusions(std::mt19937& rng) {
    auto c = std::make_unique<TComplexDateCondition>();
    c->Conditions().Add(Weekly(rng));
    c->Conditions().Add(MonthlyDay(rng));
    for (int i = 0; i < 20; ++i) {
        auto once = std::make_unique<TOnceDateCondition>();
        once->SetDate(Start + static_cast<double>(rng() % 9000));
        c->ExcludeConditions().Add(std::move(once));
    }
    return c;
}

std::unique_ptr<TDateCondition> Once(std::mt19937& rng) {
    auto c = std::make_unique<TOnceDateCondition>();
    c->SetDate(Start + static_cast<double>(rng() % 9000));
    return c;
}

void NextDateBench(benchmark::State& state, const TFactory& make) {
    std::mt19937 rng(12345);
    std::vector<std::unique_ptr<TDateCondition>> conditions;
    std::vector<TDateTime> asked;
    const double years = static_cast<double>(state.range(0));
    for (int i = 0; i < Conditions; ++i) {
        conditions.push_back(make(rng));
        asked.push_back(Start + 365.25 * years + static_cast<double>(rng() % 400));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(conditions[i]->NextDate(asked[i]));
        i = (i + 1) % Conditions;
    }
}

#define DATE_BENCH(name)                                                                           \
    void BM_NextDate_##name(benchmark::State& state) {                                             \
        NextDateBench(state, name);                                                                \
    }                                                                                              \
    BENCHMARK(BM_NextDate_##name)->Arg(0)->Arg(20)

DATE_BENCH(Once);
DATE_BENCH(Daily);
DATE_BENCH(Weekly);
DATE_BENCH(MonthlyDay);
DATE_BENCH(MonthlyWeekday);
DATE_BENCH(Yearly);
DATE_BENCH(MonthlyCounted);
DATE_BENCH(ComplexWithExclusions);

using TTimeFactory = std::function<std::unique_ptr<TTimeCondition>(std::mt19937&)>;

std::unique_ptr<TTimeCondition> OnceTime(std::mt19937& rng) {
    auto c = std::make_unique<TOnceTimeCondition>();
    c->SetTime(static_cast<double>(rng() % 1440) / 1440);
    return c;
}

std::unique_ptr<TTimeCondition> ByMinute(std::mt19937& rng) {
    auto c = std::make_unique<TByMinuteTimeCondition>();
    c->SetFromTime(static_cast<double>(rng() % 600) / 1440);
    c->SetToTime(static_cast<double>(600 + rng() % 839) / 1440);
    c->SetCountPeriod(1 + static_cast<int>(rng() % 30));
    return c;
}

std::unique_ptr<TTimeCondition> Hourly(std::mt19937& rng) {
    auto c = std::make_unique<THourlyTimeCondition>();
    c->SetFromTime(static_cast<double>(rng() % 600) / 1440);
    c->SetToTime(static_cast<double>(600 + rng() % 839) / 1440);
    c->SetCountPeriod(1 + static_cast<int>(rng() % 4));
    return c;
}

std::unique_ptr<TTimeCondition> ComplexTime(std::mt19937& rng) {
    auto c = std::make_unique<TComplexTimeCondition>();
    c->Conditions().Add(OnceTime(rng));
    c->Conditions().Add(ByMinute(rng));
    c->Conditions().Add(Hourly(rng));
    return c;
}

void NextTimeBench(benchmark::State& state, const TTimeFactory& make) {
    std::mt19937 rng(777);
    std::vector<std::unique_ptr<TTimeCondition>> conditions;
    std::vector<TDateTime> asked;
    for (int i = 0; i < Conditions; ++i) {
        conditions.push_back(make(rng));
        asked.push_back(static_cast<double>(rng() % 86400) / 86400);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(conditions[i]->NextTime(asked[i]));
        i = (i + 1) % Conditions;
    }
}

#define TIME_BENCH(name)                                                                           \
    void BM_NextTime_##name(benchmark::State& state) {                                             \
        NextTimeBench(state, name);                                                                \
    }                                                                                              \
    BENCHMARK(BM_NextTime_##name)

TIME_BENCH(OnceTime);
TIME_BENCH(ByMinute);
TIME_BENCH(Hourly);
TIME_BENCH(ComplexTime);

} // namespace
