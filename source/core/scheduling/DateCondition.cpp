#include "core/scheduling/DateCondition.h"

#include "core/stream/PropertyTable.h"
#include "core/util/paAssign.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace kelvo {

namespace {

// Beyond the last date the program works with: such an answer counts as none.
TDateTime WithinRange(TDateTime d) {
    return d <= MaxDate ? d : NullDate;
}

// The date part of a stored value; a value that is no number at all counts as no date, and
// one beyond a hundred million years is held there, where the calendar arithmetic is exact.
TDateTime StoredDate(TDateTime value) {
    constexpr TDateTime limit = 3.65e10;
    value = DateOf(value);
    if (!(value == value))
        return NullDate;
    return value < -limit ? -limit : (value > limit ? limit : value);
}

std::int64_t Mod(std::int64_t a, std::int64_t p) {
    return ((a % p) + p) % p;
}

// Months since January of the year 0. Between the first of a month and any later day the
// calendar difference in months is the difference of these, so one decoding does.
std::int64_t MonthIndex(const TDateParts& p) {
    return p.Year * 12 + (p.Month - 1);
}

std::int64_t MonthIndex(TDateTime d) {
    return MonthIndex(DecodeDate(d));
}

TDateParts MonthStartParts(std::int64_t index) {
    const std::int64_t year = index >= 0 ? index / 12 : -((11 - index) / 12);
    return {year, static_cast<int>(index - year * 12) + 1, 1};
}

TDateTime MonthStart(std::int64_t index) {
    const TDateParts p = MonthStartParts(index);
    return EncodeDateClamped(p.Year, p.Month, 1);
}

// The direct answers of the kinds keep to days and periods this far inside the calendar
// arithmetic's limits (about 27 000 years either way); the search takes everything else.
constexpr TDateTime DirectDayLimit = 1e7;
constexpr std::int64_t DirectPeriodLimit = 1'000'000;

} // namespace

// ---- TDateCondition -----------------------------------------------------------------------

std::unique_ptr<TDateCondition> TDateCondition::Clone() const {
    auto copy = NewInstance();
    copy->Assign(*this);
    return copy;
}

void TDateCondition::Assign(const TDateCondition& source) {
    RaiseAssignError(source.ClassName(), ClassName());
}

std::string TDateCondition::Description() const {
    std::string text;
    GetDescription(text);
    return text;
}

void TDateCondition::SetDefault(TDateTime) {}

bool TDateCondition::IsReached(TDateTime a, TDateTime b) const {
    const TDateTime r = NextDate(a);
    return !IsNullDate(r) && b >= r;
}

void TDateCondition::SetStartDate(TDateTime) {}

void TDateCondition::EndUpdate() {
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0)
        Changed();
}

void TDateCondition::Changed() {
    PropertiesChanged();
    if (updateCount_ == 0 && OnChange)
        OnChange(*this);
}

// ---- TOnceDateCondition -------------------------------------------------------------------

TOnceDateCondition::TOnceDateCondition() : date_(Today()) {}

void TOnceDateCondition::Assign(const TDateCondition& source) {
    if (const auto* s = dynamic_cast<const TOnceDateCondition*>(&source))
        SetDate(s->Date());
    else
        TDateCondition::Assign(source);
}

void TOnceDateCondition::GetDescription(std::string& text) const {
    text = Format(KELVO_TR("DateCondition", "On %s"), {ShortDateText(date_)});
}

TDateTime TOnceDateCondition::NextDate(TDateTime x) const {
    if (!(x == x) || DateOf(x) > date_)
        return NullDate;
    return WithinRange(date_);
}

void TOnceDateCondition::SetDate(TDateTime value) {
    value = StoredDate(value);
    if (value == date_)
        return;
    date_ = value;
    Changed();
}

std::unique_ptr<TDateCondition> TOnceDateCondition::NewInstance() const {
    return std::make_unique<TOnceDateCondition>();
}

// ---- TPeriodicDateCondition ---------------------------------------------------------------

TPeriodicDateCondition::TPeriodicDateCondition() : fromDate_(Today()) {}

void TPeriodicDateCondition::Assign(const TDateCondition& source) {
    const auto* s = dynamic_cast<const TPeriodicDateCondition*>(&source);
    if (!s) {
        TDateCondition::Assign(source);
        return;
    }
    SetFromDate(s->FromDate());
    SetPeriod(s->Period());
    SetUntilType(s->UntilType());
    if (s->UntilType() == utDate)
        SetToDate(s->StoredToDate());
    else if (s->UntilType() == utTimes)
        SetTimes(s->StoredTimes());
}

void TPeriodicDateCondition::SetDefault(TDateTime d) {
    SetUntilType(utForever);
    SetFromDate(d);
    SetPeriod(1);
}

void TPeriodicDateCondition::SetFromDate(TDateTime value) {
    value = StoredDate(value);
    if (value == fromDate_)
        return;
    fromDate_ = value;
    Changed();
}

void TPeriodicDateCondition::SetUntilType(TUntilType value) {
    if (value == untilType_)
        return;
    untilType_ = value;
    Changed();
}

TDateTime TPeriodicDateCondition::ToDate() const {
    switch (untilType_) {
    case utDate:
        return toDate_;
    case utTimes:
        if (!endCached_ || endWeekStart_ != FirstDayOfWeek()) {
            endCache_ = NthOccurrenceDate(times_, fromDate_);
            endWeekStart_ = FirstDayOfWeek();
            endCached_ = true;
        }
        return endCache_;
    default:
        return NullDate;
    }
}

void TPeriodicDateCondition::SetToDate(TDateTime value) {
    value = StoredDate(value);
    if (value == toDate_)
        return;
    toDate_ = value;
    Changed();
}

std::int32_t TPeriodicDateCondition::Times() const {
    return untilType_ == utForever ? 0 : times_;
}

void TPeriodicDateCondition::SetTimes(std::int32_t value) {
    if (value == times_)
        return;
    times_ = value;
    Changed();
}

void TPeriodicDateCondition::SetPeriod(std::int32_t value) {
    if (value == period_)
        return;
    period_ = value;
    Changed();
}

bool TPeriodicDateCondition::IsAfterEnd(TDateTime x) const {
    const TDateTime end = ToDate();
    return !IsNullDate(end) && end < x;
}

TDateTime TPeriodicDateCondition::NextOccurrence(TDateTime x) const {
    const TDateTime f = fromDate_;
    const std::int64_t p = P();
    TDateTime d;
    TDateTime r;
    if (f >= x) {
        d = f;
        r = NextInPeriod(f);
    } else {
        const TDateTime s = AlignedPeriodStart(f);
        const std::int64_t k = Mod(UnitsBetween(s, x), p);
        if (k == 0) {
            d = x;
            r = NextInPeriod(x);
        } else {
            d = AlignedPeriodStart(AddUnits(p - k, x));
            r = NextInPeriod(d);
        }
    }
    // d inside its period: only the rest of it was searched, so look at the next one. A d
    // that starts its period was searched whole: the condition admits no day at all.
    if (IsNullDate(r) && AlignedPeriodStart(d) != d)
        r = NextInPeriod(AlignedPeriodStart(AddUnits(p, d)));
    return r;
}

bool TPeriodicDateCondition::DirectlyComputable(TDateTime x) const {
    // The search takes a day that happens to equal NullDate for none found and looks on;
    // from later days on nothing can meet it.
    return x > NullDate && x <= DirectDayLimit && x == std::trunc(x) && fromDate_ > NullDate &&
           fromDate_ <= DirectDayLimit && P() <= DirectPeriodLimit;
}

TDateTime TPeriodicDateCondition::NextDate(TDateTime x) const {
    if (!(x == x))
        return NullDate;
    const TDateTime end = ToDate();
    if (!IsNullDate(end) && end < x)
        return NullDate;
    const TDateTime day = DateOf(x);
    if (day > MaxDate)
        return NullDate;
    const TDateTime r = WithinRange(NextOccurrence(std::max(day, MinDate - 1)));
    if (IsNullDate(r) || (!IsNullDate(end) && end < r))
        return NullDate;
    return r;
}

TDateTime TPeriodicDateCondition::NthOccurrenceDate(std::int64_t n, TDateTime start) const {
    start = DateOf(start);
    if (n < 1)
        return start - 1;
    const std::int64_t a = OccurrencesPerPeriod();
    if (a <= 0)
        return start;
    // Nothing occurs before FromDate, so counting from there is the same.
    TDateTime x = std::max(start, fromDate_);
    // Far outside the calendar a day later is no later value: nothing to count there.
    if (!(x > -1e15))
        return NullDate;
    const std::int64_t p = P();
    const TDateTime first = AlignedPeriodStart(x);
    // The first aligned period that begins after x.
    const TDateTime next = first > x ? first : AlignedPeriodStart(AddUnits(p, first));

    // The rest of x's own period, one occurrence at a time.
    for (;;) {
        const TDateTime r = NextOccurrence(x);
        if (IsNullDate(r))
            return NullDate;
        if (r > MaxDate)
            return MaxDate + 1;
        if (r >= next)
            break;
        if (--n == 0)
            return r;
        x = r + 1;
    }
    // Every later period holds exactly a occurrences: skip the whole ones.
    const std::int64_t k = (n + a - 1) / a;
    std::int64_t m = n - (k - 1) * a;
    x = AlignedPeriodStart(AddUnits((k - 1) * p, next));
    if (x > MaxDate)
        return MaxDate + 1;
    for (;;) {
        const TDateTime r = NextOccurrence(x);
        if (IsNullDate(r))
            return NullDate;
        if (r > MaxDate)
            return MaxDate + 1;
        if (--m == 0)
            return r;
        x = r + 1;
    }
}

std::string TPeriodicDateCondition::UntilText() const {
    switch (untilType_) {
    case utDate:
        return Format(KELVO_TR("DateCondition", "until %s"), {ShortDateText(ToDate())});
    case utTimes:
        return Format("%d times", {std::to_string(Times())});
    default:
        return KELVO_TR("DateCondition", "forever");
    }
}

std::string TPeriodicDateCondition::StartText() const {
    std::string text =
        Format(KELVO_TR("DateCondition", "starting from %s"), {ShortDateText(fromDate_)});
    const TDateTime end = ToDate();
    if (!IsNullDate(end))
        text.append(" ").append(Format(KELVO_TR("DateCondition", "to %s"), {ShortDateText(end)}));
    return text;
}

// ---- TDailyDateCondition ------------------------------------------------------------------

void TDailyDateCondition::GetDescription(std::string& text) const {
    if (Period() == 1)
        text = Format(KELVO_TR("DateCondition", "Every day %s"), {StartText()});
    else
        text = Format(KELVO_TR("DateCondition", "Every %d day(s) %s"),
                      {std::to_string(Period()), StartText()});
}

std::int64_t TDailyDateCondition::UnitsBetween(TDateTime a, TDateTime b) const {
    return DaysBetween(a, b);
}

TDateTime TDailyDateCondition::AddUnits(std::int64_t n, TDateTime d) const {
    return IncDay(n, d);
}

TDateTime TDailyDateCondition::AlignedPeriodStart(TDateTime d) const {
    return d - static_cast<double>(Mod(DaysBetween(FromDate(), d), P()));
}

TDateTime TDailyDateCondition::NextInPeriod(TDateTime d) const {
    if (d < FromDate())
        return NullDate;
    return Mod(DaysBetween(FromDate(), d), P()) == 0 ? d : NullDate;
}

TDateTime TDailyDateCondition::NextOccurrence(TDateTime x) const {
    if (!DirectlyComputable(x))
        return TPeriodicDateCondition::NextOccurrence(x);
    const TDateTime f = FromDate();
    if (f >= x)
        return f;
    const std::int64_t k = Mod(static_cast<std::int64_t>(x - f), P());
    return k == 0 ? x : x + static_cast<double>(P() - k);
}

std::unique_ptr<TDateCondition> TDailyDateCondition::NewInstance() const {
    return std::make_unique<TDailyDateCondition>();
}

// ---- TWeeklyDateCondition -----------------------------------------------------------------

TWeeklyDateCondition::TWeeklyDateCondition()
    : weekDays_{static_cast<TDayOfWeekName>(DayOfWeek0(FromDate()))} {}

void TWeeklyDateCondition::Assign(const TDateCondition& source) {
    TPeriodicDateCondition::Assign(source);
    if (const auto* s = dynamic_cast<const TWeeklyDateCondition*>(&source))
        SetWeekDays(s->WeekDays());
}

void TWeeklyDateCondition::GetDescription(std::string& text) const {
    if (weekDays_.Empty())
        text = KELVO_TR("DateCondition", "No day of week selected");
    else if (Period() == 1)
        text = Format(KELVO_TR("DateCondition", "Every week on %s %s"),
                      {WeekDaysText(weekDays_), StartText()});
    else
        text = Format(KELVO_TR("DateCondition", "Every %d week(s) on %s %s"),
                      {std::to_string(Period()), WeekDaysText(weekDays_), StartText()});
}

void TWeeklyDateCondition::SetDefault(TDateTime d) {
    TPeriodicDateCondition::SetDefault(d);
    SetWeekDays({static_cast<TDayOfWeekName>(DayOfWeek0(FromDate()))});
}

void TWeeklyDateCondition::SetStartDate(TDateTime d) {
    TPeriodicDateCondition::SetStartDate(d);
    SetWeekDays({static_cast<TDayOfWeekName>(DayOfWeek0(d))});
}

std::int64_t TWeeklyDateCondition::UnitsBetween(TDateTime a, TDateTime b) const {
    return WeeksBetween(a, b);
}

TDateTime TWeeklyDateCondition::AddUnits(std::int64_t n, TDateTime d) const {
    return IncWeek(n, d);
}

TDateTime TWeeklyDateCondition::AlignedPeriodStart(TDateTime d) const {
    const TDateTime w = StartOfWeek(d);
    const std::int64_t k = Mod(WeeksBetween(StartOfWeek(FromDate()), w), P());
    return k == 0 ? w : IncWeek(P() - k, w);
}

TDateTime TWeeklyDateCondition::NextInPeriod(TDateTime d) const {
    if (d < FromDate() || Mod(WeeksBetween(StartOfWeek(FromDate()), d), P()) != 0)
        return NullDate;
    const int last = LastDayOfWeek();
    for (int i = 0; i < 7; ++i, d += 1) {
        const int w = DayOfWeek0(d);
        if (weekDays_.Contains(static_cast<TDayOfWeekName>(w)))
            return d;
        if (w == last)
            break;
    }
    return NullDate;
}

void TWeeklyDateCondition::SetWeekDays(TDaysOfWeek value) {
    if (value == weekDays_)
        return;
    weekDays_ = value;
    Changed();
}

TDateTime TWeeklyDateCondition::NextOccurrence(TDateTime x) const {
    if (!DirectlyComputable(x))
        return TPeriodicDateCondition::NextOccurrence(x);
    const unsigned days = weekDays_.ToBits();
    if (days == 0)
        return NullDate;
    // Bit i: the i-th day of the week counted from its first day.
    const int first = FirstDayOfWeek();
    const unsigned ordered = ((days >> first) | (days << (7 - first))) & 0x7fu;
    const TDateTime f = FromDate();
    const TDateTime from = std::max(f, x);
    const TDateTime week = StartOfWeek(from);
    const std::int64_t p = P();
    if (f < x) {
        const std::int64_t k = Mod(static_cast<std::int64_t>(week - StartOfWeek(f)) / 7, p);
        if (k != 0)
            return week + 7.0 * static_cast<double>(p - k) + std::countr_zero(ordered);
    }
    // The rest of an aligned week, else the first day of the next aligned one. Counted
    // from the day itself, as the search does (from may be -0).
    const int at = static_cast<int>(from - week);
    const unsigned rest = ordered & (0x7fu << at);
    if (rest != 0) {
        const int ahead = std::countr_zero(rest) - at;
        return ahead == 0 ? from : from + ahead;
    }
    return week + 7.0 * static_cast<double>(p) + std::countr_zero(ordered);
}

std::unique_ptr<TDateCondition> TWeeklyDateCondition::NewInstance() const {
    return std::make_unique<TWeeklyDateCondition>();
}

// ---- TInternalDateInMonthDateCondition ----------------------------------------------------

TInternalDateInMonthDateCondition::TInternalDateInMonthDateCondition()
    : dayNumber_(DayOfMonthOf(FromDate())) {}

void TInternalDateInMonthDateCondition::Assign(const TDateCondition& source) {
    TPeriodicDateCondition::Assign(source);
    if (const auto* s = dynamic_cast<const TInternalDateInMonthDateCondition*>(&source)) {
        SetDayNumber(s->DayNumber());
        SetSubjectNumber(s->SubjectNumber());
        SetSubjectKind(s->SubjectKind());
    }
}

void TInternalDateInMonthDateCondition::SetDefault(TDateTime d) {
    TPeriodicDateCondition::SetDefault(d);
    SetDayNumber(DayOfMonthOf(d));
}

void TInternalDateInMonthDateCondition::SetStartDate(TDateTime d) {
    TPeriodicDateCondition::SetStartDate(d);
    SetDayNumber(DayOfMonthOf(d));
}

TDateTime TInternalDateInMonthDateCondition::DateInMonth(TDateTime d) const {
    return DateInMonth(d, DecodeDate(d));
}

TDateTime TInternalDateInMonthDateCondition::DateInMonth(TDateTime d, const TDateParts& p) const {
    TDateTime candidate;
    if (dayNumber_ > 0) {
        candidate = EncodeDateClamped(p.Year, p.Month, std::min(dayNumber_, 31));
    } else {
        candidate = NthWeekdayInMonth(subjectNumber_, subjectKind_, d);
    }
    if (IsNullDate(candidate) || d > candidate)
        return NullDate;
    return candidate;
}

void TInternalDateInMonthDateCondition::SetDayNumber(std::int32_t value) {
    if (value == dayNumber_)
        return;
    dayNumber_ = value;
    Changed();
}

void TInternalDateInMonthDateCondition::SetSubjectNumber(TWeekOfMonthName value) {
    if (value == subjectNumber_)
        return;
    subjectNumber_ = value;
    Changed();
}

void TInternalDateInMonthDateCondition::SetSubjectKind(TMonthSubjectName value) {
    if (value == subjectKind_)
        return;
    subjectKind_ = value;
    Changed();
}

std::string TInternalDateInMonthDateCondition::MonthDayText() const {
    if (dayNumber_ > 0)
        return Format("%s day", {std::to_string(dayNumber_)});
    return Format("%s %s", {WeekOfMonthText(subjectNumber_), SubjectKindName(subjectKind_)});
}

// ---- TMonthlyDateCondition ----------------------------------------------------------------

void TMonthlyDateCondition::GetDescription(std::string& text) const {
    if (Period() == 1)
        text = Format(KELVO_TR("DateCondition", "Every month on %s %s"),
                      {MonthDayText(), StartText()});
    else
        text = Format(KELVO_TR("DateCondition", "Every %d month(s) on %s %s"),
                      {std::to_string(Period()), MonthDayText(), StartText()});
}

std::int64_t TMonthlyDateCondition::UnitsBetween(TDateTime a, TDateTime b) const {
    return MonthsBetween(a, b);
}

TDateTime TMonthlyDateCondition::AddUnits(std::int64_t n, TDateTime d) const {
    return IncMonth(n, d);
}

TDateTime TMonthlyDateCondition::AlignedPeriodStart(TDateTime d) const {
    // MonthsBetween(StartOfMonth(FromDate), StartOfMonth(d)), counted on month numbers.
    const std::int64_t m = MonthIndex(d);
    const std::int64_t k = Mod(std::max<std::int64_t>(0, m - MonthIndex(FromDate())), P());
    return MonthStart(k == 0 ? m : m + P() - k);
}

TDateTime TMonthlyDateCondition::NextInPeriod(TDateTime d) const {
    if (d < FromDate() ||
        Mod(std::max<std::int64_t>(0, MonthIndex(d) - MonthIndex(FromDate())), P()) != 0)
        return NullDate;
    return DateInMonth(d);
}

TDateTime TMonthlyDateCondition::NextOccurrence(TDateTime x) const {
    if (!DirectlyComputable(x))
        return TPeriodicDateCondition::NextOccurrence(x);
    const std::int64_t p = P();
    // The condition's day in the month of that index, from the month's first day.
    auto inMonth = [this](std::int64_t index) {
        const TDateParts m = MonthStartParts(index);
        return DateInMonth(EncodeDateClamped(m.Year, m.Month, 1), m);
    };
    TDateTime from = FromDate();
    TDateParts d = DecodeDate(from);
    if (from < x) {
        const TDateParts dx = DecodeDate(x);
        const std::int64_t k = Mod(MonthIndex(dx) - MonthIndex(d), p);
        if (k != 0)
            return inMonth(MonthIndex(dx) + p - k);
        from = x;
        d = dx;
    }
    const TDateTime r = DateInMonth(from, d);
    if (!IsNullDate(r) || d.Day == 1)
        return r;
    return inMonth(MonthIndex(d) + p);
}

std::unique_ptr<TDateCondition> TMonthlyDateCondition::NewInstance() const {
    return std::make_unique<TMonthlyDateCondition>();
}

// ---- TYearlyDateCondition -----------------------------------------------------------------

TYearlyDateCondition::TYearlyDateCondition()
    : months_{static_cast<TMonthName>(MonthOf(FromDate()) - 1)} {}

void TYearlyDateCondition::Assign(const TDateCondition& source) {
    TInternalDateInMonthDateCondition::Assign(source);
    if (const auto* s = dynamic_cast<const TYearlyDateCondition*>(&source))
        SetMonths(s->Months());
}

void TYearlyDateCondition::GetDescription(std::string& text) const {
    if (months_.Empty())
        text = KELVO_TR("DateCondition", "No months selected");
    else if (Period() == 1)
        text = Format(KELVO_TR("DateCondition", "Every year on %s of %s %s"),
                      {MonthDayText(), MonthsText(months_), StartText()});
    else
        text = Format(KELVO_TR("DateCondition", "Every %d year(s) on %s of %s %s"),
                      {std::to_string(Period()), MonthDayText(), MonthsText(months_), StartText()});
}

void TYearlyDateCondition::SetDefault(TDateTime d) {
    TInternalDateInMonthDateCondition::SetDefault(d);
    SetMonths({static_cast<TMonthName>(MonthOf(d) - 1)});
}

void TYearlyDateCondition::SetStartDate(TDateTime d) {
    TInternalDateInMonthDateCondition::SetStartDate(d);
    SetMonths({static_cast<TMonthName>(MonthOf(d) - 1)});
}

std::int64_t TYearlyDateCondition::UnitsBetween(TDateTime a, TDateTime b) const {
    return YearsBetween(a, b);
}

TDateTime TYearlyDateCondition::AddUnits(std::int64_t n, TDateTime d) const {
    return IncYear(n, d);
}

TDateTime TYearlyDateCondition::AlignedPeriodStart(TDateTime d) const {
    // YearsBetween(StartOfYear(FromDate), StartOfYear(d)), counted on year numbers.
    const std::int64_t y = YearOf(d);
    const std::int64_t k = Mod(std::max<std::int64_t>(0, y - YearOf(FromDate())), P());
    return EncodeDateClamped(k == 0 ? y : y + P() - k, 1, 1);
}

TDateTime TYearlyDateCondition::NextInPeriod(TDateTime d) const {
    if (d < FromDate())
        return NullDate;
    const TDateParts p = DecodeDate(d);
    if (Mod(std::max<std::int64_t>(0, p.Year - YearOf(FromDate())), P()) != 0)
        return NullDate;
    return NextInYear(d, p);
}

TDateTime TYearlyDateCondition::NextInYear(TDateTime d, const TDateParts& p) const {
    for (int month = p.Month; month <= 12; ++month) {
        if (!months_.Contains(static_cast<TMonthName>(month - 1)))
            continue;
        if (DayNumber() > 0) {
            // A numbered day is never before the first of its month.
            const TDateTime r = EncodeDateClamped(p.Year, month, std::min(DayNumber(), 31));
            if (month != p.Month || r >= d)
                return r;
            continue;
        }
        const TDateTime e = month == p.Month ? d : EncodeDateClamped(p.Year, month, 1);
        const TDateTime r = DateInMonth(e, {p.Year, month, month == p.Month ? p.Day : 1});
        if (!IsNullDate(r) && r >= d)
            return r;
    }
    return NullDate;
}

TDateTime TYearlyDateCondition::NextOccurrence(TDateTime x) const {
    if (!DirectlyComputable(x))
        return TPeriodicDateCondition::NextOccurrence(x);
    const std::int64_t p = P();
    auto inYear = [this](std::int64_t year) {
        return NextInYear(EncodeDateClamped(year, 1, 1), {year, 1, 1});
    };
    TDateTime from = FromDate();
    TDateParts d = DecodeDate(from);
    if (from < x) {
        const TDateParts dx = DecodeDate(x);
        const std::int64_t k = Mod(dx.Year - d.Year, p);
        if (k != 0)
            return inYear(dx.Year + p - k);
        from = x;
        d = dx;
    }
    const TDateTime r = NextInYear(from, d);
    if (!IsNullDate(r) || (d.Month == 1 && d.Day == 1))
        return r;
    return inYear(d.Year + p);
}

void TYearlyDateCondition::SetMonths(TMonths value) {
    if (value == months_)
        return;
    months_ = value;
    Changed();
}

std::unique_ptr<TDateCondition> TYearlyDateCondition::NewInstance() const {
    return std::make_unique<TYearlyDateCondition>();
}

// ---- TDateConditionList -------------------------------------------------------------------

TDateCondition& TDateConditionList::Items(int i) const {
    if (i < 0 || i >= Count())
        throw EDateConditionError("List index out of bounds (" + std::to_string(i) + ")");
    return *items_[static_cast<std::size_t>(i)];
}

int TDateConditionList::IndexOf(const TDateCondition* condition) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == condition)
            return static_cast<int>(i);
    return -1;
}

void TDateConditionList::Add(std::unique_ptr<TDateCondition> condition) {
    if (!condition)
        return;
    TDateCondition& added = *condition;
    items_.push_back(std::move(condition));
    if (OnAdd)
        OnAdd(*this, added);
}

void TDateConditionList::Remove(const TDateCondition* condition) {
    const int i = IndexOf(condition);
    if (i >= 0)
        items_.erase(items_.begin() + i);
}

void TDateConditionList::Delete(int i) {
    Items(i);
    items_.erase(items_.begin() + i);
}

void TDateConditionList::Clear() {
    items_.clear();
}

void TDateConditionList::Replace(int i, const TDateCondition& condition) {
    TDateCondition& member = Items(i);
    if (&member == &condition)
        return;
    if (member.ClassName() == condition.ClassName()) {
        member.Assign(condition);
        return;
    }
    items_[static_cast<std::size_t>(i)] = condition.Clone();
}

void TDateConditionList::Assign(const TDateConditionList& other) {
    if (&other == this)
        return;
    std::vector<std::unique_ptr<TDateCondition>> copies;
    copies.reserve(other.items_.size());
    for (const auto& c : other.items_)
        copies.push_back(c->Clone());
    Clear();
    for (auto& c : copies)
        Add(std::move(c));
}

TDateConditionList::TEarliest
TDateConditionList::EarliestNextDate(TDateTime x, std::span<const int> skip) const {
    TEarliest result;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int index = static_cast<int>(i);
        if (std::find(skip.begin(), skip.end(), index) != skip.end())
            continue;
        const TDateTime c = items_[i]->NextDate(x);
        if (!IsNullDate(c) && (IsNullDate(result.Date) || c < result.Date)) {
            result.Date = c;
            result.Index = index;
        }
    }
    return result;
}

void TDateConditionList::SetStartDate(TDateTime d) {
    for (auto& c : items_)
        c->SetStartDate(d);
}

std::string TDateConditionList::JoinedDescription() const {
    std::string text;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += items_[i]->Description();
    }
    return text;
}

// ---- TComplexDateCondition ----------------------------------------------------------------

TComplexDateCondition::TComplexDateCondition() {
    excludeConditions_.OnAdd = [](TDateConditionList& list, TDateCondition& added) {
        if (dynamic_cast<TPeriodicDateCondition*>(&added))
            list.Remove(&added);
    };
}

void TComplexDateCondition::Assign(const TDateCondition& source) {
    const auto* s = dynamic_cast<const TComplexDateCondition*>(&source);
    if (!s) {
        TDateCondition::Assign(source);
        return;
    }
    struct TUpdate {
        TDateCondition& c;
        ~TUpdate() { c.EndUpdate(); }
    };
    BeginUpdate();
    TUpdate update{*this};
    conditions_.Assign(s->conditions_);
    excludeConditions_.Assign(s->excludeConditions_);
}

void TComplexDateCondition::GetDescription(std::string& text) const {
    text = conditions_.JoinedDescription();
    const std::string excluded = excludeConditions_.JoinedDescription();
    if (!text.empty() && !excluded.empty())
        text += Format(" exclude %s", {excluded});
}

namespace {

std::int64_t ConditionCount(const TDateConditionList& list) {
    std::int64_t n = list.Count();
    for (int i = 0; i < list.Count(); ++i)
        if (const auto* c = dynamic_cast<const TComplexDateCondition*>(&list.Items(i)))
            n += ConditionCount(c->Conditions()) + ConditionCount(c->ExcludeConditions());
    return n;
}

} // namespace

TDateTime TComplexDateCondition::NextDate(TDateTime x) const {
    if (!(x == x))
        return NullDate;
    std::int64_t budget = -1;
    for (std::int64_t skipped = 0;; ++skipped) {
        const TDateTime r = conditions_.EarliestNextDate(x).Date;
        if (IsNullDate(r) || r > MaxDate)
            return NullDate;
        if (excludeConditions_.EarliestNextDate(r).Date != r)
            return r;
        // Bounded: an exclusion that takes every later date must not search forever.
        if (budget < 0)
            budget = ConditionCount(excludeConditions_) + ExtraExcludedSkips;
        if (skipped >= budget)
            return NullDate;
        x = DateOf(r) + 1;
    }
}

void TComplexDateCondition::SetStartDate(TDateTime d) {
    conditions_.SetStartDate(d);
    excludeConditions_.SetStartDate(d);
}

void TComplexDateCondition::SetConditions(const TDateConditionList& list) {
    if (&list == &conditions_)
        return;
    conditions_.Assign(list);
    Changed();
}

void TComplexDateCondition::SetExcludeConditions(const TDateConditionList& list) {
    if (&list == &excludeConditions_)
        return;
    excludeConditions_.Assign(list);
    Changed();
}

std::unique_ptr<TDateCondition> TComplexDateCondition::NewInstance() const {
    return std::make_unique<TComplexDateCondition>();
}

// ---- kinds --------------------------------------------------------------------------------

int DateConditionKind(const TDateCondition& condition) {
    if (dynamic_cast<const TOnceDateCondition*>(&condition))
        return 0;
    if (dynamic_cast<const TDailyDateCondition*>(&condition))
        return 1;
    if (dynamic_cast<const TWeeklyDateCondition*>(&condition))
        return 2;
    if (dynamic_cast<const TMonthlyDateCondition*>(&condition))
        return 3;
    if (dynamic_cast<const TYearlyDateCondition*>(&condition))
        return 4;
    if (dynamic_cast<const TComplexDateCondition*>(&condition))
        return 5;
    return -1;
}

std::unique_ptr<TDateCondition> CreateDateCondition(int kind) {
    switch (kind) {
    case 0:
        return std::make_unique<TOnceDateCondition>();
    case 1:
        return std::make_unique<TDailyDateCondition>();
    case 2:
        return std::make_unique<TWeeklyDateCondition>();
    case 3:
        return std::make_unique<TMonthlyDateCondition>();
    case 4:
        return std::make_unique<TYearlyDateCondition>();
    case 5:
        return std::make_unique<TComplexDateCondition>();
    default:
        return nullptr;
    }
}

// ---- property tables --------------------------------------------------------------------

const TClassInfo& TDateCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDateCondition, TComponent>("TDateCondition").Build();
    return info;
}

const TClassInfo& TOnceDateCondition::StaticClass() {
    using C = TOnceDateCondition;
    static const TClassInfo info = TClassBuilder<C, TDateCondition>("TOnceDateCondition")
                                       .DateTime("Date", &C::Date, &C::SetDate)
                                       .Build();
    return info;
}

const TClassInfo& TPeriodicDateCondition::StaticClass() {
    using C = TPeriodicDateCondition;
    static const TClassInfo info =
        TClassBuilder<C, TDateCondition>("TPeriodicDateCondition")
            .DateTime("FromDate", &C::FromDate, &C::SetFromDate)
            .Enum("UntilType", EnumNames<TUntilType>(), &C::UntilType, &C::SetUntilType)
            .Default(utForever)
            .DateTime("ToDate", &C::StoredToDate, &C::SetToDate)
            .StoredIf([](const C& c) { return c.UntilType() == utDate; })
            .Integer("Times", &C::StoredTimes, &C::SetTimes)
            .Default(1)
            .AtLeast(1)
            .StoredIf([](const C& c) { return c.UntilType() == utTimes; })
            .Integer("Period", &C::Period, &C::SetPeriod)
            .AtLeast(1)
            .Build();
    return info;
}

const TClassInfo& TDailyDateCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDailyDateCondition, TPeriodicDateCondition>("TDailyDateCondition").Build();
    return info;
}

const TClassInfo& TWeeklyDateCondition::StaticClass() {
    using C = TWeeklyDateCondition;
    static const TClassInfo info =
        TClassBuilder<C, TPeriodicDateCondition>("TWeeklyDateCondition")
            .Set("WeekDays", EnumNames<TDayOfWeekName>(), &C::WeekDays, &C::SetWeekDays)
            .Build();
    return info;
}

const TClassInfo& TInternalDateInMonthDateCondition::StaticClass() {
    using C = TInternalDateInMonthDateCondition;
    static const TClassInfo info =
        TClassBuilder<C, TPeriodicDateCondition>("TInternalDateInMonthDateCondition")
            .Integer("DayNumber", &C::DayNumber, &C::SetDayNumber)
            .Enum("SubjectNumber", EnumNames<TWeekOfMonthName>(), &C::SubjectNumber,
                  &C::SetSubjectNumber)
            .Enum("SubjectKind", EnumNames<TMonthSubjectName>(), &C::SubjectKind,
                  &C::SetSubjectKind)
            .Build();
    return info;
}

const TClassInfo& TMonthlyDateCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMonthlyDateCondition, TInternalDateInMonthDateCondition>(
            "TMonthlyDateCondition")
            .Build();
    return info;
}

const TClassInfo& TYearlyDateCondition::StaticClass() {
    using C = TYearlyDateCondition;
    static const TClassInfo info =
        TClassBuilder<C, TInternalDateInMonthDateCondition>("TYearlyDateCondition")
            .Set("Months", EnumNames<TMonthName>(), &C::Months, &C::SetMonths)
            .Build();
    return info;
}

const TClassInfo& TDateConditionList::StaticClass() {
    using C = TDateConditionList;
    static const TClassInfo info =
        TClassBuilder<C, TAdvComponent>("TDateConditionList")
            .Items<TDateCondition>(
                &C::Count, &C::Items,
                [](C& c, std::unique_ptr<TDateCondition> d) { c.Add(std::move(d)); })
            .Build();
    return info;
}

const TClassInfo& TComplexDateCondition::StaticClass() {
    using C = TComplexDateCondition;
    static const TClassInfo info =
        TClassBuilder<C, TDateCondition>("TComplexDateCondition")
            .Object<TDateConditionList>(
                "Conditions",
                [](const C& c) -> const TDateConditionList& { return c.Conditions(); },
                [](C& c, const TDateConditionList& list) { c.SetConditions(list); })
            .Object<TDateConditionList>(
                "ExcludeConditions",
                [](const C& c) -> const TDateConditionList& { return c.ExcludeConditions(); },
                [](C& c, const TDateConditionList& list) { c.SetExcludeConditions(list); })
            .Build();
    return info;
}

} // namespace kelvo
