#include "core/util/paDateUtils.h"

#include "core/util/paTranslate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace kelvo {

namespace {

// Day numbers of 30 December 1899 and of 1 January 1970 relative to each other.
constexpr std::int64_t UnixEpochDay = 25569;

// Keeps day and year numbers far inside 64 bits whatever a caller adds.
constexpr std::int64_t YearLimit = 100'000'000;
constexpr double DayLimit = 4.0e10;
// Day numbers that DecodeDate handles in 32 bits (about 270 000 years either way).
constexpr std::int64_t FastDayLimit = 100'000'000;
constexpr std::int64_t FastEras = 2800;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// Days since 1 January 1970 of a proleptic Gregorian date (month 1..12, day 1..31).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = m > 2 ? m - 3 : m + 9;
    const std::int64_t doy = (153 * mp + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

TDateParts CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

std::int64_t DayNumber(TDateTime x) {
    if (!(x == x))
        return 0;
    return static_cast<std::int64_t>(std::clamp(std::trunc(x), -DayLimit, DayLimit));
}

std::int64_t ClampYear(std::int64_t y) {
    return std::clamp(y, -YearLimit, YearLimit);
}

TSystemClock& SystemClock() {
    static TSystemClock clock;
    return clock;
}

IClock* g_clock = nullptr;

const TEnglishLocale& EnglishLocale() {
    static const TEnglishLocale locale;
    return locale;
}

ILocale* g_locale = nullptr;
int g_firstDayOfWeek = 0;

constexpr std::array<const char*, 7> EnglishLongDays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> EnglishShortDays = {"Sun", "Mon", "Tue", "Wed",
                                                         "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> EnglishLongMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 12> EnglishShortMonths = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

template <std::size_t N>
std::string PickName(const std::array<const char*, N>& names, std::size_t i) {
    return i < N ? names[i] : std::string{};
}

} // namespace

// ---------------------------------------------------------------------------------------------

TDateTime TSystemClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto secs = time_point_cast<seconds>(now);
    auto ms = duration_cast<milliseconds>(now - secs).count();
    if (ms < 0)
        ms = 0;
    const std::time_t tt = system_clock::to_time_t(secs);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &tt);
#else
    // localtime() looks at the zone file on every call, which dominated loading a large
    // notebook; the zone is looked at again once a minute so a change of zone still shows.
    static std::time_t zoneCheckedMinute = -1;
    if (tt / 60 != zoneCheckedMinute) {
        zoneCheckedMinute = tt / 60;
        tzset();
    }
    localtime_r(&tt, &local);
#endif
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           MsToTime(local.tm_hour * MSecsPerHour + local.tm_min * MSecsPerMinute +
                    std::min(local.tm_sec, 59) * MSecsPerSec + ms);
}

IClock* InstallClock(IClock* clock) {
    IClock* previous = g_clock;
    g_clock = clock;
    return previous;
}

IClock& CurrentClock() {
    return g_clock ? *g_clock : SystemClock();
}

std::string TEnglishLocale::LongDayName(TDayOfWeekName day) const {
    return PickName(EnglishLongDays, static_cast<std::size_t>(day));
}
std::string TEnglishLocale::ShortDayName(TDayOfWeekName day) const {
    return PickName(EnglishShortDays, static_cast<std::size_t>(day));
}
std::string TEnglishLocale::LongMonthName(TMonthName month) const {
    return PickName(EnglishLongMonths, static_cast<std::size_t>(month));
}
std::string TEnglishLocale::ShortMonthName(TMonthName month) const {
    return PickName(EnglishShortMonths, static_cast<std::size_t>(month));
}

ILocale* InstallLocale(ILocale* locale) {
    ILocale* previous = g_locale;
    g_locale = locale;
    return previous;
}

const ILocale& CurrentLocale() {
    return g_locale ? *g_locale : static_cast<const ILocale&>(EnglishLocale());
}

int FirstDayOfWeek() {
    return g_firstDayOfWeek;
}

void SetFirstDayOfWeek(int day) {
    g_firstDayOfWeek = static_cast<int>(FloorMod(day, 7));
}

// ---------------------------------------------------------------------------------------------

bool IsLeapYear(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysPerMonth(std::int64_t year, int month) {
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

bool IsValidDate(std::int64_t year, int month, int day) {
    return year >= -YearLimit && year <= YearLimit && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysPerMonth(year, month);
}

TDateTime EncodeDate(std::int64_t year, int month, int day) {
    if (!IsValidDate(year, month, day))
        throw EDateUtilsError("Invalid date: " + std::to_string(year) + "-" +
                              std::to_string(month) + "-" + std::to_string(day));
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) + UnixEpochDay);
}

TDateTime EncodeDateClamped(std::int64_t year, int month, int day) {
    year = ClampYear(year);
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, DaysPerMonth(year, month));
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) + UnixEpochDay);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    return MsToTime(hour * MSecsPerHour + minute * MSecsPerMinute + second * MSecsPerSec + msec);
}

TDateTime EncodeDateTime(std::int64_t year, int month, int day, int hour, int minute, int second,
                         int msec) {
    return MsToDateTime(DateTimeToMs(EncodeDate(year, month, day)) + hour * MSecsPerHour +
                        minute * MSecsPerMinute + second * MSecsPerSec + msec);
}

TDateParts DecodeDate(TDateTime x) {
    const std::int64_t day = DayNumber(x);
    if (day <= -FastDayLimit || day >= FastDayLimit)
        return CivilFromDays(day - UnixEpochDay);
    // The same calendar arithmetic in unsigned 32 bits, shifted by whole 400-year eras so
    // that everything is positive: every condition decodes dates all the time.
    const auto z = static_cast<std::uint32_t>(day - UnixEpochDay + 719468 + 146097 * FastEras);
    const std::uint32_t era = z / 146097;
    const std::uint32_t doe = z - era * 146097;
    const std::uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::uint32_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t y = static_cast<std::int64_t>(yoe) +
                           (static_cast<std::int64_t>(era) - FastEras) * 400 + (m <= 2 ? 1 : 0);
    return {y, m, d};
}

std::int64_t YearOf(TDateTime x) {
    return DecodeDate(x).Year;
}
int MonthOf(TDateTime x) {
    return DecodeDate(x).Month;
}
int DayOfMonthOf(TDateTime x) {
    return DecodeDate(x).Day;
}

TTimeParts DecodeTime(TDateTime x) {
    std::int64_t ms = std::clamp<std::int64_t>(TimeOfDayMs(x), -(MSecsPerDay - 1), MSecsPerDay - 1);
    if (ms < 0)
        ms = -ms;
    return {static_cast<int>(ms / MSecsPerHour), static_cast<int>(ms / MSecsPerMinute % 60),
            static_cast<int>(ms / MSecsPerSec % 60), static_cast<int>(ms % MSecsPerSec)};
}

TDateTime Now() {
    return CurrentClock().Now();
}
TDateTime Today() {
    return DateOf(Now());
}
TDateTime CurrentTime() {
    return TimeOf(Now());
}

// ---------------------------------------------------------------------------------------------

TDateTime IncTime(std::int64_t hours, std::int64_t minutes, std::int64_t seconds,
                  std::int64_t msecs, TDateTime x) {
    // Whole days and the rest in milliseconds separately, so no product leaves 64 bits.
    const double days = static_cast<double>(hours / 24) + static_cast<double>(minutes / 1440) +
                        static_cast<double>(seconds / 86400) +
                        static_cast<double>(msecs / MSecsPerDay);
    const std::int64_t rest = hours % 24 * MSecsPerHour + minutes % 1440 * MSecsPerMinute +
                              seconds % 86400 * MSecsPerSec + msecs % MSecsPerDay;
    if (std::fabs(days) < DayLimit)
        return MsToDateTime(DateTimeToMs(x) + static_cast<std::int64_t>(days) * MSecsPerDay + rest);
    return MsToDateTime(DateTimeToMs(x) + rest) + days;
}

TDateTime IncHour(std::int64_t n, TDateTime x) {
    return IncTime(n, 0, 0, 0, x);
}
TDateTime IncMinute(std::int64_t n, TDateTime x) {
    return IncTime(0, n, 0, 0, x);
}
TDateTime IncSecond(std::int64_t n, TDateTime x) {
    return IncTime(0, 0, n, 0, x);
}
TDateTime IncMilliSecond(std::int64_t n, TDateTime x) {
    return IncTime(0, 0, 0, n, x);
}

TDateTime IncDateParts(std::int64_t days, std::int64_t months, std::int64_t years, TDateTime x) {
    const TDateParts p = DecodeDate(x);
    std::int64_t year = ClampYear(p.Year + ClampYear(years) + months / 12);
    std::int64_t month = p.Month + months % 12;
    if (month <= 0) {
        month += 12;
        --year;
    } else if (month > 12) {
        month -= 12;
        ++year;
    }
    const int m = static_cast<int>(month);
    const int day = std::min(p.Day, DaysPerMonth(year, m));
    return static_cast<double>(DaysFromCivil(year, m, day) + UnixEpochDay) +
           static_cast<double>(days) + TimeOf(x);
}

TDateTime IncMonth(std::int64_t n, TDateTime x) {
    return IncDateParts(0, n, 0, x);
}
TDateTime IncYear(std::int64_t n, TDateTime x) {
    return IncDateParts(0, 0, n, x);
}

TDateTime IncPeriod(TPeriodType unit, std::int64_t n, TDateTime x) {
    switch (unit) {
    case ptSec:
        return IncSecond(n, x);
    case ptMinute:
        return IncMinute(n, x);
    case ptHour:
        return IncHour(n, x);
    case ptDay:
        return IncDay(n, x);
    case ptWeek:
        return IncWeek(n, x);
    case ptMonth:
        return IncMonth(n, x);
    case ptYear:
        return IncYear(n, x);
    }
    throw EDateUtilsError("IncPeriod: unexpected case value");
}

// ---------------------------------------------------------------------------------------------

namespace {
std::int64_t MsBetween(TDateTime a, TDateTime b) {
    return DateTimeToMs(b - a);
}
} // namespace

std::int64_t SecondsBetween(TDateTime a, TDateTime b) {
    return MsBetween(a, b) / MSecsPerSec;
}
std::int64_t MinutesBetween(TDateTime a, TDateTime b) {
    return MsBetween(a, b) / MSecsPerMinute;
}
std::int64_t HoursBetween(TDateTime a, TDateTime b) {
    return MsBetween(a, b) / MSecsPerHour;
}

std::int64_t DaysBetween(TDateTime a, TDateTime b) {
    return std::max<std::int64_t>(0, DayNumber(b) - DayNumber(a));
}

std::int64_t WeeksBetween(TDateTime a, TDateTime b) {
    return DaysBetween(a, b) / 7;
}

std::int64_t MonthsBetween(TDateTime a, TDateTime b) {
    if (a > b)
        return 0;
    const TCalendarDifference d = CalendarDifference(a, b);
    return d.Years * 12 + d.Months;
}

std::int64_t YearsBetween(TDateTime a, TDateTime b) {
    if (a > b)
        return 0;
    return CalendarDifference(a, b).Years;
}

std::int64_t PeriodBetween(TPeriodType unit, TDateTime a, TDateTime b) {
    switch (unit) {
    case ptSec:
        return SecondsBetween(a, b);
    case ptMinute:
        return MinutesBetween(a, b);
    case ptHour:
        return HoursBetween(a, b);
    case ptDay:
        return DaysBetween(a, b);
    case ptWeek:
        return WeeksBetween(a, b);
    case ptMonth:
        return MonthsBetween(a, b);
    case ptYear:
        return YearsBetween(a, b);
    }
    throw EDateUtilsError("PeriodBetween: unexpected case value");
}

TCalendarDifference CalendarDifference(TDateTime a, TDateTime b) {
    if (a > b)
        std::swap(a, b);
    const TDateParts pa = DecodeDate(a);
    const TDateParts pb = DecodeDate(b);
    TCalendarDifference r{pb.Year - pa.Year, 0, 0};
    if (pb.Month < pa.Month) {
        r.Months += 12;
        --r.Years;
    }
    r.Months += pb.Month - pa.Month;
    if (pb.Day < pa.Day) {
        r.Days += DaysPerMonth(pa.Year, pa.Month);
        if (r.Months == 0) {
            --r.Years;
            r.Months = 11;
        } else {
            --r.Months;
        }
    }
    r.Days += pb.Day - pa.Day;
    return r;
}

// ---------------------------------------------------------------------------------------------

int DayOfWeek0(TDateTime x) {
    // Day 0, 30 December 1899, was a Saturday.
    return static_cast<int>(FloorMod(DayNumber(x) + 6, 7));
}

TDateTime StartOfWeek(TDateTime x) {
    const int f = FirstDayOfWeek();
    const int w = DayOfWeek0(x);
    const int back = w >= f ? w - f : 7 - f + w;
    return DateOf(x) - back;
}

TDateTime EndOfWeek(TDateTime x) {
    return StartOfWeek(x) + 6;
}

int LastDayOfWeek() {
    return (FirstDayOfWeek() + 6) % 7;
}

TDateTime StartOfMonth(TDateTime x) {
    const TDateParts p = DecodeDate(x);
    return EncodeDateClamped(p.Year, p.Month, 1);
}

TDateTime EndOfMonth(TDateTime x) {
    const TDateParts p = DecodeDate(x);
    return EncodeDateClamped(p.Year, p.Month, DaysPerMonth(p.Year, p.Month));
}

TDateTime StartOfYear(TDateTime x) {
    return EncodeDateClamped(DecodeDate(x).Year, 1, 1);
}

TDateTime NthWeekdayInMonth(TWeekOfMonthName which, TMonthSubjectName kind, TDateTime x) {
    const TDateParts p = DecodeDate(x);
    const int last = DaysPerMonth(p.Year, p.Month);
    if (kind == msDay) {
        switch (which) {
        case wmFirst:
        case wmSecond:
        case wmThird:
        case wmFourth:
            return EncodeDateClamped(p.Year, p.Month, 1 + static_cast<int>(which));
        case wmLast:
            return EncodeDateClamped(p.Year, p.Month, last);
        }
        return NullDate;
    }
    if (kind < msSun || kind > msSat)
        return NullDate;
    const int k = static_cast<int>(kind) - 1;
    if (which == wmLast) {
        const TDateTime end = EncodeDateClamped(p.Year, p.Month, last);
        return end - FloorMod(DayOfWeek0(end) - k, 7);
    }
    if (which > wmLast)
        return NullDate;
    const TDateTime first = EncodeDateClamped(p.Year, p.Month, 1);
    return first + FloorMod(k - DayOfWeek0(first), 7) + 7 * static_cast<int>(which);
}

// ---------------------------------------------------------------------------------------------

namespace {

std::string Padded(std::int64_t v, int width) {
    std::string s = std::to_string(v < 0 ? -v : v);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width - static_cast<int>(s.size())), '0');
    return v < 0 ? "-" + s : s;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view what) {
    if (s.size() - at < what.size())
        return false;
    for (std::size_t i = 0; i < what.size(); ++i)
        if (Lower(s[at + i]) != what[i])
            return false;
    return true;
}

bool HasHalfDayMarker(std::string_view f) {
    bool quoted = false;
    char quote = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (quoted) {
            quoted = f[i] != quote;
            continue;
        }
        if (f[i] == '"' || f[i] == '\'') {
            quoted = true;
            quote = f[i];
        } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
                   StartsWithNoCase(f, i, "ampm")) {
            return true;
        }
    }
    return false;
}

void AppendFormatted(std::string& out, std::string_view f, TDateTime x, int depth) {
    const ILocale& loc = CurrentLocale();
    const TDateParts dp = DecodeDate(x);
    const TTimeParts tp = DecodeTime(x);
    const bool twelve = HasHalfDayMarker(f);
    bool afterHour = false;
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = Lower(f[i]);
        if (f[i] == '"' || f[i] == '\'') {
            const char q = f[i];
            std::size_t j = i + 1;
            while (j < f.size() && f[j] != q)
                out += f[j++];
            i = j < f.size() ? j + 1 : j;
            continue;
        }
        if (StartsWithNoCase(f, i, "am/pm")) {
            const bool pm = tp.Hour >= 12;
            const std::string_view src = f.substr(pm ? i + 3 : i, 2);
            out += src;
            i += 5;
            afterHour = false;
            continue;
        }
        if (StartsWithNoCase(f, i, "a/p")) {
            out += tp.Hour >= 12 ? f[i + 2] : f[i];
            i += 3;
            afterHour = false;
            continue;
        }
        if (StartsWithNoCase(f, i, "ampm")) {
            out += tp.Hour >= 12 ? loc.TimePMString() : loc.TimeAMString();
            i += 4;
            afterHour = false;
            continue;
        }
        std::size_t run = 1;
        while (i + run < f.size() && Lower(f[i + run]) == c)
            ++run;
        const int hour12 = tp.Hour % 12 == 0 ? 12 : tp.Hour % 12;
        switch (c) {
        case 'd':
            if (run == 1)
                out += std::to_string(dp.Day);
            else if (run == 2)
                out += Padded(dp.Day, 2);
            else if (run == 3)
                out += loc.ShortDayName(static_cast<TDayOfWeekName>(DayOfWeek0(x)));
            else if (run == 4)
                out += loc.LongDayName(static_cast<TDayOfWeekName>(DayOfWeek0(x)));
            else if (depth == 0)
                AppendFormatted(out, loc.ShortDateFormat(), x, depth + 1);
            afterHour = false;
            break;
        case 'm':
            if (afterHour && run <= 2) {
                out += run == 1 ? std::to_string(tp.Minute) : Padded(tp.Minute, 2);
            } else if (run == 1) {
                out += std::to_string(dp.Month);
            } else if (run == 2) {
                out += Padded(dp.Month, 2);
            } else if (run == 3) {
                out += loc.ShortMonthName(static_cast<TMonthName>(dp.Month - 1));
            } else {
                out += loc.LongMonthName(static_cast<TMonthName>(dp.Month - 1));
            }
            afterHour = false;
            break;
        case 'y':
            out += run <= 2 ? Padded(FloorMod(dp.Year, 100), 2) : Padded(dp.Year, 4);
            afterHour = false;
            break;
        case 'h': {
            const int h = twelve ? hour12 : tp.Hour;
            out += run == 1 ? std::to_string(h) : Padded(h, 2);
            afterHour = true;
            break;
        }
        case 'n':
            out += run == 1 ? std::to_string(tp.Minute) : Padded(tp.Minute, 2);
            afterHour = false;
            break;
        case 's':
            out += run == 1 ? std::to_string(tp.Second) : Padded(tp.Second, 2);
            afterHour = false;
            break;
        case 'z':
            out += run == 1 ? std::to_string(tp.MSec) : Padded(tp.MSec, 3);
            afterHour = false;
            break;
        case 't':
            if (depth == 0)
                AppendFormatted(out, loc.ShortTimeFormat(), x, depth + 1);
            afterHour = false;
            break;
        case 'c':
            if (depth == 0) {
                AppendFormatted(out, loc.ShortDateFormat(), x, depth + 1);
                out += ' ';
                AppendFormatted(out, loc.ShortTimeFormat(), x, depth + 1);
            }
            afterHour = false;
            break;
        default:
            out.append(f.substr(i, run));
            break;
        }
        i += run;
    }
}

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime x) {
    std::string out;
    AppendFormatted(out, format, x, 0);
    return out;
}

std::string ShortTimeText(TDateTime t) {
    return FormatDateTime(CurrentLocale().ShortTimeFormat(), t);
}

std::string ShortDateText(TDateTime d) {
    return FormatDateTime(CurrentLocale().ShortDateFormat(), d);
}

std::string WeekDaysText(TDaysOfWeek days) {
    std::string out;
    for (std::size_t i = 0; i < TDaysOfWeek::Size; ++i) {
        const auto day = static_cast<TDayOfWeekName>(i);
        if (!days.Contains(day))
            continue;
        if (!out.empty())
            out += ", ";
        out += CurrentLocale().LongDayName(day);
    }
    return out;
}

std::string MonthsText(TMonths months) {
    std::string out;
    for (std::size_t i = 0; i < TMonths::Size; ++i) {
        const auto month = static_cast<TMonthName>(i);
        if (!months.Contains(month))
            continue;
        if (!out.empty())
            out += ", ";
        out += CurrentLocale().LongMonthName(month);
    }
    return out;
}

std::string SubjectKindName(TMonthSubjectName kind) {
    if (kind == msDay)
        return KELVO_TR("paDateUtils", "day");
    if (kind > msSat)
        return {};
    return CurrentLocale().LongDayName(static_cast<TDayOfWeekName>(static_cast<int>(kind) - 1));
}

std::string WeekOfMonthText(TWeekOfMonthName which) {
    const auto i = static_cast<std::size_t>(which);
    return i < WeekOfMonthNames.size() ? Translate("paDateUtils", WeekOfMonthNames[i].data())
                                       : std::string{};
}

} // namespace kelvo
