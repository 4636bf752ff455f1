#pragma once

// Date and time helpers shared by every condition, entity and view.
//
// A TDateTime counts days since 30 December 1899: the whole part is the date, the fraction
// the time of day. All helpers are pure functions of their arguments except Now (the
// installed clock), FirstDayOfWeek (a setting) and the texts (the installed locale).

#include "core/util/paError.h"
#include "core/util/paTranslate.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvo {

using TDateTime = double;

// No date: a condition without further occurrence, an unset date. Orders before every date.
inline constexpr TDateTime NullDate = -693594.0;
// No time of day: a time condition with nothing left on the day asked about.
inline constexpr TDateTime NoTime = -0.99999;
// 1 January 0001: where searches from the very beginning start.
inline constexpr TDateTime MinDate = -693593.0;
// 31 December 9999, the last date the program works with; later answers count as none.
inline constexpr TDateTime MaxDate = 2958465.0;

inline constexpr std::int64_t MSecsPerSec = 1000;
inline constexpr std::int64_t MSecsPerMinute = 60 * MSecsPerSec;
inline constexpr std::int64_t MSecsPerHour = 60 * MSecsPerMinute;
inline constexpr std::int64_t MSecsPerDay = 24 * MSecsPerHour;

namespace detail {
// Nearest integer, halves away from zero.
inline std::int64_t RoundHalfAway(double v) {
    return static_cast<std::int64_t>(v < 0 ? v - 0.5 : v + 0.5);
}
} // namespace detail

class EDateUtilsError : public EpaError {
public:
    using EpaError::EpaError;
};

// ---------------------------------------------------------------------------------------------
// Enumerations. Their element names are persisted, so they never change.

enum TPeriodType : std::uint8_t { ptSec, ptMinute, ptHour, ptDay, ptWeek, ptMonth, ptYear };

enum class TDayOfWeekName : std::uint8_t { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

enum class TMonthName : std::uint8_t { Jan, Feb, Mar, Apr, May, Jun, Jul, Aug, Sep, Oct, Nov, Dec };

enum TWeekOfMonthName : std::uint8_t { wmFirst, wmSecond, wmThird, wmFourth, wmLast };

// What is counted inside a month: plain days, or one weekday (msMun is Monday).
enum TMonthSubjectName : std::uint8_t { msDay, msSun, msMun, msTue, msWed, msThu, msFri, msSat };

// Element names in ordinal order, for the object stream and for tests.
template <typename E> struct TEnumNames;

template <> struct TEnumNames<TPeriodType> {
    static constexpr std::array<std::string_view, 7> Names = {
        "ptSec", "ptMinute", "ptHour", "ptDay", "ptWeek", "ptMonth", "ptYear"};
};
template <> struct TEnumNames<TDayOfWeekName> {
    static constexpr std::array<std::string_view, 7> Names = {"Sun", "Mon", "Tue", "Wed",
                                                              "Thu", "Fri", "Sat"};
};
template <> struct TEnumNames<TMonthName> {
    static constexpr std::array<std::string_view, 12> Names = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};
template <> struct TEnumNames<TWeekOfMonthName> {
    static constexpr std::array<std::string_view, 5> Names = {"wmFirst", "wmSecond", "wmThird",
                                                              "wmFourth", "wmLast"};
};
template <> struct TEnumNames<TMonthSubjectName> {
    static constexpr std::array<std::string_view, 8> Names = {"msDay", "msSun", "msMun", "msTue",
                                                              "msWed", "msThu", "msFri", "msSat"};
};

template <typename E> constexpr std::span<const std::string_view> EnumNames() {
    return TEnumNames<E>::Names;
}

// The element name of a value; empty for a value outside the enumeration.
template <typename E> constexpr std::string_view EnumName(E value) {
    const auto i = static_cast<std::size_t>(value);
    return i < TEnumNames<E>::Names.size() ? TEnumNames<E>::Names[i] : std::string_view{};
}

// The value of an element name (exact, case-sensitive match); nothing for an unknown name.
template <typename E> constexpr std::optional<E> EnumFromName(std::string_view name) {
    for (std::size_t i = 0; i < TEnumNames<E>::Names.size(); ++i)
        if (TEnumNames<E>::Names[i] == name)
            return static_cast<E>(i);
    return std::nullopt;
}

// A set of enumeration elements, bit i = element of ordinal i.
template <typename E, typename Bits> class TEnumSet {
public:
    using Element = E;
    using BitsType = Bits;
    static constexpr std::size_t Size = TEnumNames<E>::Names.size();

    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> elements) {
        for (E e : elements)
            Include(e);
    }
    static constexpr TEnumSet FromBits(Bits bits) {
        TEnumSet s;
        s.bits_ = static_cast<Bits>(bits & AllBits());
        return s;
    }
    static constexpr TEnumSet All() { return FromBits(AllBits()); }

    constexpr Bits ToBits() const { return bits_; }
    constexpr bool Contains(E e) const {
        const auto i = static_cast<std::size_t>(e);
        return i < Size && ((bits_ >> i) & 1u) != 0;
    }
    constexpr void Include(E e) {
        const auto i = static_cast<std::size_t>(e);
        if (i < Size)
            bits_ = static_cast<Bits>(bits_ | (Bits{1} << i));
    }
    constexpr void Exclude(E e) {
        const auto i = static_cast<std::size_t>(e);
        if (i < Size)
            bits_ = static_cast<Bits>(bits_ & ~(Bits{1} << i));
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr int Count() const {
        int n = 0;
        for (std::size_t i = 0; i < Size; ++i)
            n += (bits_ >> i) & 1u;
        return n;
    }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    static constexpr Bits AllBits() { return static_cast<Bits>((1u << Size) - 1u); }
    Bits bits_ = 0;
};

// One byte, bit i = weekday i (0 = Sunday).
using TDaysOfWeek = TEnumSet<TDayOfWeekName, std::uint8_t>;
// 16 bits, bits 0 to 11 used (0 = January).
using TMonths = TEnumSet<TMonthName, std::uint16_t>;

// ---------------------------------------------------------------------------------------------
// The clock. Tests install a clock of their own; the platform may install one too.

class IClock {
public:
    virtual ~IClock() = default;
    // The current local date and time.
    virtual TDateTime Now() const = 0;
};

// Local time of the system clock, on whole milliseconds.
class TSystemClock : public IClock {
public:
    TDateTime Now() const override;
};

// Installs clock as the one Now reads (an observer: the caller keeps it alive); nullptr
// restores the system clock. Answers the clock that was installed before.
IClock* InstallClock(IClock* clock);
IClock& CurrentClock();

// ---------------------------------------------------------------------------------------------
// The locale: names and short formats. The default is fixed English, short date
// "yyyy-mm-dd" and short time "hh:nn", so texts are the same on every machine.
//
// Format letters (case-insensitive, as the formats of FormatDateTime): d dd ddd dddd,
// m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz,
// am/pm a/p ampm, text in "..." or '...' as it is; every other character as it is.

class ILocale {
public:
    virtual ~ILocale() = default;
    virtual std::string LongDayName(TDayOfWeekName day) const = 0;
    virtual std::string ShortDayName(TDayOfWeekName day) const = 0;
    virtual std::string LongMonthName(TMonthName month) const = 0;
    virtual std::string ShortMonthName(TMonthName month) const = 0;
    virtual std::string ShortDateFormat() const = 0;
    virtual std::string ShortTimeFormat() const = 0;
    virtual std::string TimeAMString() const { return "AM"; }
    virtual std::string TimePMString() const { return "PM"; }
    // The first day of the week of the user's settings, 0 = Sunday ... 6 = Saturday.
    virtual int FirstDayOfWeek() const { return 0; }
};

class TEnglishLocale : public ILocale {
public:
    std::string LongDayName(TDayOfWeekName day) const override;
    std::string ShortDayName(TDayOfWeekName day) const override;
    std::string LongMonthName(TMonthName month) const override;
    std::string ShortMonthName(TMonthName month) const override;
    std::string ShortDateFormat() const override { return "yyyy-mm-dd"; }
    std::string ShortTimeFormat() const override { return "hh:nn"; }
};

// Installs locale (an observer); nullptr restores the English default. Answers the
// previous one. FirstDayOfWeek is not changed by this: it has its own setting.
ILocale* InstallLocale(ILocale* locale);
const ILocale& CurrentLocale();

// The first day of the week, 0 = Sunday ... 6 = Saturday; Sunday until set.
int FirstDayOfWeek();
// Values outside 0..6 are taken modulo 7.
void SetFirstDayOfWeek(int day);

// ---------------------------------------------------------------------------------------------
// Encoding and parts of a value.

bool IsLeapYear(std::int64_t year);
int DaysPerMonth(std::int64_t year, int month); // month 1..12

bool IsValidDate(std::int64_t year, int month, int day);
// Proleptic Gregorian; raises EDateUtilsError for an invalid date.
TDateTime EncodeDate(std::int64_t year, int month, int day);
// No check: day may exceed the month (clamped to it) or be below 1 (clamped to 1).
TDateTime EncodeDateClamped(std::int64_t year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second = 0, int msec = 0);
TDateTime EncodeDateTime(std::int64_t year, int month, int day, int hour, int minute,
                         int second = 0, int msec = 0);

struct TDateParts {
    std::int64_t Year;
    int Month; // 1..12
    int Day;   // 1..31
};
TDateParts DecodeDate(TDateTime x);
std::int64_t YearOf(TDateTime x);
int MonthOf(TDateTime x);      // 1..12
int DayOfMonthOf(TDateTime x); // 1..31

struct TTimeParts {
    int Hour, Minute, Second, MSec;
};
// Of the time of day rounded to the millisecond (23:59:59.9996 gives 23:59:59.999).
TTimeParts DecodeTime(TDateTime x);

TDateTime Now();
TDateTime Today();
TDateTime CurrentTime();
// The whole-day part, truncated toward zero.
inline TDateTime DateOf(TDateTime x) {
    return std::trunc(x);
}
// The fractional part with the sign of x (TimeOf(NoTime) is negative).
inline TDateTime TimeOf(TDateTime x) {
    return x - std::trunc(x);
}
// The date of a at the time of day of b.
inline TDateTime CombineDateTime(TDateTime a, TDateTime b) {
    return DateOf(a) + TimeOf(b);
}

// Whole milliseconds: where rounding could move an answer, compare and step on these.
// The time of day as milliseconds since midnight, rounded to the nearest (0 .. 86400000).
inline std::int64_t TimeOfDayMs(TDateTime x) {
    const double t = TimeOf(x);
    return t == t ? detail::RoundHalfAway(t * static_cast<double>(MSecsPerDay)) : 0;
}
// A time of day from milliseconds since midnight.
inline TDateTime MsToTime(std::int64_t ms) {
    return static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
}
// A date-time as milliseconds since 30 December 1899, rounded, and back.
inline std::int64_t DateTimeToMs(TDateTime x) {
    constexpr double limit = 4.0e18;
    if (!(x == x))
        return 0;
    const double ms = x * static_cast<double>(MSecsPerDay);
    return detail::RoundHalfAway(ms > limit ? limit : (ms < -limit ? -limit : ms));
}
inline TDateTime MsToDateTime(std::int64_t ms) {
    return static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
}

// ---------------------------------------------------------------------------------------------
// Comparison. NullDate orders before everything.

inline int CompareDateTime(TDateTime a, TDateTime b) {
    return a > b ? 1 : (a < b ? -1 : 0);
}
inline int CompareDate(TDateTime a, TDateTime b) {
    return CompareDateTime(DateOf(a), DateOf(b));
}
inline bool SameDate(TDateTime a, TDateTime b) {
    return CompareDate(a, b) == 0;
}
inline bool IsNullDate(TDateTime x) {
    return x == NullDate;
}
inline bool IsNoTime(TDateTime t) {
    return TimeOf(t) < 0;
}

// ---------------------------------------------------------------------------------------------
// Adding time. All keep the time of day unless they add a part of it; the sub-day helpers
// answer whole milliseconds.

TDateTime IncTime(std::int64_t hours, std::int64_t minutes, std::int64_t seconds,
                  std::int64_t msecs, TDateTime x);
TDateTime IncHour(std::int64_t n, TDateTime x);
TDateTime IncMinute(std::int64_t n, TDateTime x);
TDateTime IncSecond(std::int64_t n, TDateTime x);
TDateTime IncMilliSecond(std::int64_t n, TDateTime x);
inline TDateTime IncDay(std::int64_t n, TDateTime x) {
    return x + static_cast<double>(n);
}
inline TDateTime IncWeek(std::int64_t n, TDateTime x) {
    return x + 7.0 * static_cast<double>(n);
}
// Calendar arithmetic: the day is clamped to the target month (31 January + 1 month is the
// last day of February; 29 February + 1 year is 28 February).
TDateTime IncMonth(std::int64_t n, TDateTime x);
TDateTime IncYear(std::int64_t n, TDateTime x);
// Adds days, months and years in one step (the day clamped to the target month).
TDateTime IncDateParts(std::int64_t days, std::int64_t months, std::int64_t years, TDateTime x);
// Raises EDateUtilsError for a unit outside TPeriodType.
TDateTime IncPeriod(TPeriodType unit, std::int64_t n, TDateTime x);

// ---------------------------------------------------------------------------------------------
// Counting between a (earlier) and b (later).

// (b - a) rounded to the millisecond, then divided by the unit and truncated toward zero;
// may be negative.
std::int64_t SecondsBetween(TDateTime a, TDateTime b);
std::int64_t MinutesBetween(TDateTime a, TDateTime b);
std::int64_t HoursBetween(TDateTime a, TDateTime b);
// Whole calendar days / weeks between the dates of a and b, 0 when b is earlier.
std::int64_t DaysBetween(TDateTime a, TDateTime b);
std::int64_t WeeksBetween(TDateTime a, TDateTime b);
// 0 when a > b.
std::int64_t MonthsBetween(TDateTime a, TDateTime b);
std::int64_t YearsBetween(TDateTime a, TDateTime b);
// Raises EDateUtilsError "PeriodBetween: unexpected case value" for a unit outside the type.
std::int64_t PeriodBetween(TPeriodType unit, TDateTime a, TDateTime b);

struct TCalendarDifference {
    std::int64_t Years, Months, Days;
    friend bool operator==(const TCalendarDifference&, const TCalendarDifference&) = default;
};
// From a to b (swapped when a > b).
TCalendarDifference CalendarDifference(TDateTime a, TDateTime b);

// ---------------------------------------------------------------------------------------------
// Calendar positions.

// Weekday ordinal of x, 0 = Sunday.
int DayOfWeek0(TDateTime x);
// The latest date on or before x whose weekday is FirstDayOfWeek.
TDateTime StartOfWeek(TDateTime x);
TDateTime EndOfWeek(TDateTime x);
// The weekday just before FirstDayOfWeek.
int LastDayOfWeek();
TDateTime StartOfMonth(TDateTime x);
TDateTime EndOfMonth(TDateTime x);
TDateTime StartOfYear(TDateTime x);
// The day of x's month named by which and kind (wmLast + msFri = the last Friday,
// wmSecond + msDay = day 2); NullDate for a kind outside TMonthSubjectName.
TDateTime NthWeekdayInMonth(TWeekOfMonthName which, TMonthSubjectName kind, TDateTime x);

// ---------------------------------------------------------------------------------------------
// Texts.

// Translated by WeekOfMonthText.
inline constexpr std::array<std::string_view, 5> WeekOfMonthNames = {
    KELVO_TR_NOOP("paDateUtils", "first"), KELVO_TR_NOOP("paDateUtils", "second"),
    KELVO_TR_NOOP("paDateUtils", "third"), KELVO_TR_NOOP("paDateUtils", "fourth"),
    KELVO_TR_NOOP("paDateUtils", "last")};

// x formatted by the format letters described at ILocale, with the current locale's names.
std::string FormatDateTime(std::string_view format, TDateTime x);
std::string ShortTimeText(TDateTime t);
std::string ShortDateText(TDateTime d);
// Long weekday names of the members, Sunday first, joined by ", ".
std::string WeekDaysText(TDaysOfWeek days);
// Long month names of the members, January first, joined by ", ".
std::string MonthsText(TMonths months);
// "day" for msDay, otherwise the long name of weekday kind - 1.
std::string SubjectKindName(TMonthSubjectName kind);
// "first" ... "last"; empty outside the enumeration.
std::string WeekOfMonthText(TWeekOfMonthName which);

} // namespace kelvo
