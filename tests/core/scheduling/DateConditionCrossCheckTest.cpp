// NextDate and NthOccurrenceDate against day-by-day enumeration with a plain admissibility
// test, over many generated conditions, week starts and start moments.

#include "core/scheduling/DateCondition.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace kelvo {
namespace {

using Rng = std::mt19937;

int Pick(Rng& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

std::int64_t Per(const TPeriodicDateCondition& c) {
    return std::max(1, c.Period());
}

std::int64_t Mod(std::int64_t a, std::int64_t p) {
    return ((a % p) + p) % p;
}

// The condition's day in month (y, m), found by listing the month's days.
int DayInMonth(const TInternalDateInMonthDateCondition& c, std::int64_t y, int m) {
    const int length = DaysPerMonth(y, m);
    if (c.DayNumber() > 0)
        return std::min(c.DayNumber(), length);
    if (c.SubjectKind() == msDay)
        return c.SubjectNumber() == wmLast ? length : 1 + static_cast<int>(c.SubjectNumber());
    std::vector<int> days;
    for (int d = 1; d <= length; ++d)
        if (DayOfWeek0(EncodeDate(y, m, d)) == static_cast<int>(c.SubjectKind()) - 1)
            days.push_back(d);
    return c.SubjectNumber() == wmLast ? days.back()
                                       : days[static_cast<std::size_t>(c.SubjectNumber())];
}

TDateTime WeekStartOf(TDateTime d) {
    return d - Mod(DayOfWeek0(d) - FirstDayOfWeek(), 7);
}

// Admissible by the rules of the kind alone, without the end.
bool AdmitsIgnoringEnd(const TPeriodicDateCondition& c, TDateTime d) {
    const TDateTime f = c.FromDate();
    if (d < f)
        return false;
    const std::int64_t p = Per(c);
    const TDateParts dp = DecodeDate(d);
    const TDateParts fp = DecodeDate(f);
    if (dynamic_cast<const TDailyDateCondition*>(&c))
        return Mod(static_cast<std::int64_t>(d - f), p) == 0;
    if (const auto* w = dynamic_cast<const TWeeklyDateCondition*>(&c)) {
        const auto weeks = static_cast<std::int64_t>(WeekStartOf(d) - WeekStartOf(f)) / 7;
        return w->WeekDays().Contains(static_cast<TDayOfWeekName>(DayOfWeek0(d))) &&
               Mod(weeks, p) == 0;
    }
    if (const auto* m = dynamic_cast<const TMonthlyDateCondition*>(&c)) {
        const std::int64_t months = (dp.Year * 12 + dp.Month) - (fp.Year * 12 + fp.Month);
        return Mod(months, p) == 0 && dp.Day == DayInMonth(*m, dp.Year, dp.Month);
    }
    if (const auto* y = dynamic_cast<const TYearlyDateCondition*>(&c)) {
        return Mod(dp.Year - fp.Year, p) == 0 &&
               y->Months().Contains(static_cast<TMonthName>(dp.Month - 1)) &&
               dp.Day == DayInMonth(*y, dp.Year, dp.Month);
    }
    ADD_FAILURE() << "unknown class";
    return false;
}

// The n-th admissible date from FromDate, by walking day by day; NullDate past the horizon.
TDateTime BruteNth(const TPeriodicDateCondition& c, int n, int horizonDays) {
    TDateTime d = c.FromDate();
    for (int i = 0; i < horizonDays; ++i, d += 1)
        if (AdmitsIgnoringEnd(c, d) && --n == 0)
            return d;
    return NullDate;
}

// The first admissible dates from FromDate, by walking day by day.
std::vector<TDateTime> BruteFirst(const TPeriodicDateCondition& c, int n, int horizonDays) {
    std::vector<TDateTime> out;
    TDateTime d = c.FromDate();
    for (int i = 0; i < horizonDays && static_cast<int>(out.size()) < n; ++i, d += 1)
        if (AdmitsIgnoringEnd(c, d))
            out.push_back(d);
    return out;
}

// ToDate of the members of the condition being checked (a counted end is costly to read).
std::vector<std::pair<const TDateCondition*, TDateTime>> g_ends;

TDateTime EndOf(const TPeriodicDateCondition& c) {
    for (const auto& [member, end] : g_ends)
        if (member == &c)
            return end;
    g_ends.emplace_back(&c, c.ToDate());
    return g_ends.back().second;
}

bool Admits(const TDateCondition& c, TDateTime d) {
    if (const auto* o = dynamic_cast<const TOnceDateCondition*>(&c))
        return d == o->Date();
    if (const auto* p = dynamic_cast<const TPeriodicDateCondition*>(&c)) {
        const TDateTime end = EndOf(*p);
        return AdmitsIgnoringEnd(*p, d) && (IsNullDate(end) || d <= end);
    }
    const auto& x = dynamic_cast<const TComplexDateCondition&>(c);
    bool included = false;
    for (int i = 0; i < x.Conditions().Count() && !included; ++i)
        included = Admits(x.Conditions().Items(i), d);
    if (!included)
        return false;
    for (int i = 0; i < x.ExcludeConditions().Count(); ++i)
        if (Admits(x.ExcludeConditions().Items(i), d))
            return false;
    return true;
}

std::unique_ptr<TPeriodicDateCondition> RandomPeriodic(Rng& rng, int kind) {
    std::unique_ptr<TPeriodicDateCondition> c;
    switch (kind) {
    case 0:
        c = std::make_unique<TDailyDateCondition>();
        c->SetPeriod(Pick(rng, 1, 30));
        break;
    case 1: {
        auto w = std::make_unique<TWeeklyDateCondition>();
        w->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(Pick(rng, 0, 127))));
        w->SetPeriod(Pick(rng, 1, 8));
        c = std::move(w);
        break;
    }
    default: {
        std::unique_ptr<TInternalDateInMonthDateCondition> m;
        if (kind == 2) {
            m = std::make_unique<TMonthlyDateCondition>();
            m->SetPeriod(Pick(rng, 1, 12));
        } else {
            auto y = std::make_unique<TYearlyDateCondition>();
            y->SetMonths(TMonths::FromBits(static_cast<std::uint16_t>(Pick(rng, 1, 4095))));
            if (Pick(rng, 0, 5) == 0)
                y->SetMonths(TMonths{static_cast<TMonthName>(Pick(rng, 0, 11))});
            y->SetPeriod(Pick(rng, 1, 4));
            m = std::move(y);
        }
        if (Pick(rng, 0, 2) == 0) {
            m->SetDayNumber(Pick(rng, -1, 0));
            m->SetSubjectNumber(static_cast<TWeekOfMonthName>(Pick(rng, 0, 4)));
            m->SetSubjectKind(static_cast<TMonthSubjectName>(Pick(rng, 0, 7)));
        } else {
            m->SetDayNumber(Pick(rng, 1, 31));
        }
        c = std::move(m);
        break;
    }
    }
    c->SetFromDate(EncodeDate(2020, 1, 1) + Pick(rng, 0, 3650));
    switch (Pick(rng, 0, 2)) {
    case 1:
        c->SetUntilType(utDate);
        c->SetToDate(c->FromDate() + Pick(rng, -5, 900));
        break;
    case 2:
        c->SetUntilType(utTimes);
        c->SetTimes(Pick(rng, 1, kind == 3 ? 4 : 12));
        break;
    default:
        break;
    }
    return c;
}

constexpr int Horizon = 3000;   // days enumerated after FromDate
constexpr int AskedUpTo = 1400; // x lies at most this far after FromDate

TEST(DateConditionCrossCheck, PeriodicNextDateMatchesEnumeration) {
    Rng rng(424242);
    int asked = 0;
    for (int n = 0; n < 800; ++n) {
        SetFirstDayOfWeek(Pick(rng, 0, 6));
        const auto c = RandomPeriodic(rng, n % 4);
        const TDateTime f = c->FromDate();
        if (c->UntilType() == utTimes && c->OccurrencesPerPeriod() > 0) {
            ASSERT_EQ(c->ToDate(), BruteNth(*c, c->Times(), 20000)) << c->Description();
        }
        const TDateTime end = c->ToDate();
        g_ends.clear();

        std::vector<TDateTime> admitted;
        for (TDateTime d = f - 40; d < f + Horizon; d += 1)
            if (Admits(*c, d))
                admitted.push_back(d);

        for (int i = 0; i < 120; ++i) {
            TDateTime x = f + Pick(rng, -60, AskedUpTo);
            if (i % 3 == 0)
                x += Pick(rng, 1, 1439) / 1440.0;
            TDateTime expected = NullDate;
            if (IsNullDate(end) || end >= x) {
                const auto it = std::lower_bound(admitted.begin(), admitted.end(), DateOf(x));
                if (it != admitted.end())
                    expected = *it;
            }
            ASSERT_EQ(c->NextDate(x), expected)
                << c->Description() << " (week from " << FirstDayOfWeek() << ") asked "
                << ShortDateText(x) << " expected "
                << (IsNullDate(expected) ? "none" : ShortDateText(expected));
            ++asked;
        }
    }
    SetFirstDayOfWeek(0);
    EXPECT_EQ(asked, 800 * 120);
}

// Conditions started anywhere in the calendar, asked centuries later and up to its last day.
TEST(DateConditionCrossCheck, PeriodicNextDateFarFromStartMatchesWalking) {
    Rng rng(2718);
    for (int n = 0; n < 400; ++n) {
        SetFirstDayOfWeek(Pick(rng, 0, 6));
        const auto c = RandomPeriodic(rng, n % 4);
        c->SetUntilType(utForever);
        c->SetFromDate(MinDate + Pick(rng, 0, static_cast<int>(MaxDate - MinDate)));
        const TDateTime f = c->FromDate();
        for (int i = 0; i < 20; ++i) {
            const TDateTime x = i % 4 == 0 ? MaxDate - Pick(rng, 0, 1500)
                                           : f + Pick(rng, -400, static_cast<int>(MaxDate - f));
            TDateTime expected = std::max(DateOf(x), f);
            while (expected <= MaxDate && !AdmitsIgnoringEnd(*c, expected))
                expected += 1;
            if (expected > MaxDate)
                expected = NullDate;
            ASSERT_EQ(c->NextDate(x), expected)
                << c->Description() << " (week from " << FirstDayOfWeek() << ") asked "
                << ShortDateText(x);
        }
    }
    SetFirstDayOfWeek(0);
}

TEST(DateConditionCrossCheck, NthOccurrenceMatchesCounting) {
    Rng rng(99);
    for (int n = 0; n < 600; ++n) {
        SetFirstDayOfWeek(Pick(rng, 0, 6));
        const auto c = RandomPeriodic(rng, n % 4);
        if (c->OccurrencesPerPeriod() == 0)
            continue;
        const std::vector<TDateTime> first = BruteFirst(*c, 14, 30000);
        for (int k = 1; k <= static_cast<int>(first.size()); ++k)
            ASSERT_EQ(c->NthOccurrenceDate(k, c->FromDate()), first[k - 1])
                << c->Description() << " k=" << k << " (week from " << FirstDayOfWeek() << ")";
    }
    SetFirstDayOfWeek(0);
}

TEST(DateConditionCrossCheck, ComplexNextDateMatchesEnumeration) {
    Rng rng(31337);
    for (int n = 0; n < 300; ++n) {
        SetFirstDayOfWeek(Pick(rng, 0, 6));
        TComplexDateCondition c;
        const int members = Pick(rng, 1, 3);
        TDateTime base = NullDate;
        for (int i = 0; i < members; ++i) {
            if (Pick(rng, 0, 3) == 0) {
                auto o = std::make_unique<TOnceDateCondition>();
                o->SetDate(EncodeDate(2020, 1, 1) + Pick(rng, 0, 3650));
                c.Conditions().Add(std::move(o));
            } else {
                auto p = RandomPeriodic(rng, Pick(rng, 0, 3));
                base = p->FromDate();
                c.Conditions().Add(std::move(p));
            }
        }
        if (IsNullDate(base))
            base = EncodeDate(2024, 1, 1);
        for (int i = Pick(rng, 0, 6); i > 0; --i) {
            auto o = std::make_unique<TOnceDateCondition>();
            o->SetDate(base + Pick(rng, 0, 400));
            c.ExcludeConditions().Add(std::move(o));
        }
        if (Pick(rng, 0, 3) == 0) {
            // A complex exclusion: some weekdays taken out (all of them is tested elsewhere).
            auto nested = std::make_unique<TComplexDateCondition>();
            auto weekly = std::make_unique<TWeeklyDateCondition>();
            weekly->SetFromDate(base);
            weekly->SetWeekDays(
                TDaysOfWeek::FromBits(static_cast<std::uint8_t>(Pick(rng, 0, 126))));
            nested->Conditions().Add(std::move(weekly));
            c.ExcludeConditions().Add(std::move(nested));
        }
        g_ends.clear();
        const TDateTime first = base - 100;
        const TDateTime last = base + 1000 + Horizon;
        std::vector<TDateTime> admitted;
        for (TDateTime d = first; d < last; d += 1)
            if (Admits(c, d))
                admitted.push_back(d);
        for (int i = 0; i < 60; ++i) {
            const TDateTime x = base + Pick(rng, -100, 1000);
            const auto it = std::lower_bound(admitted.begin(), admitted.end(), x);
            const TDateTime expected = it == admitted.end() ? NullDate : *it;
            const TDateTime r = c.NextDate(x);
            if (IsNullDate(expected)) {
                ASSERT_TRUE(IsNullDate(r) || r >= last) << c.Description();
            } else {
                ASSERT_EQ(r, expected) << c.Description() << " asked " << ShortDateText(x);
            }
        }
    }
    SetFirstDayOfWeek(0);
}

} // namespace
} // namespace kelvo
