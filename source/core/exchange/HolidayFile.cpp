#include "core/exchange/HolidayFile.h"

#include "core/scheduling/SimpleInitializeCondition.h"

#include <cctype>

namespace kelvo {

namespace {

// A yearly holiday counts from a leap year, so that 02-29 is a valid day of it.
constexpr std::int64_t YearlyFrom = 2000;

bool Digits(std::string_view s, std::size_t at, std::size_t n) {
    if (at + n > s.size())
        return false;
    for (std::size_t i = at; i < at + n; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    return true;
}

int Number(std::string_view s, std::size_t at, std::size_t n) {
    int v = 0;
    for (std::size_t i = at; i < at + n; ++i)
        v = v * 10 + (s[i] - '0');
    return v;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

THolidayFile ParseHolidays(std::string_view text) {
    THolidayFile file;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        THoliday h;
        std::size_t at = 0;
        if (Digits(line, 0, 4) && line.size() > 4 && line[4] == '-') {
            h.Year = Number(line, 0, 4);
            at = 5;
        }
        const bool shaped = Digits(line, at, 2) && line.size() > at + 2 && line[at + 2] == '-' &&
                            Digits(line, at + 3, 2) &&
                            (line.size() == at + 5 || line[at + 5] == ' ' || line[at + 5] == '\t');
        if (shaped) {
            h.Month = Number(line, at, 2);
            h.Day = Number(line, at + 3, 2);
            h.Name = std::string(Trimmed(line.substr(at + 5)));
        }
        const std::int64_t checkYear = h.Year ? h.Year : YearlyFrom;
        if (!shaped || (h.Year == 0 && at == 5) || !IsValidDate(checkYear, h.Month, h.Day)) {
            file.Problems.push_back("line " + std::to_string(number) +
                                    ": not \"YYYY-MM-DD name\" or \"MM-DD name\"");
            continue;
        }
        if (h.Name.empty()) {
            file.Problems.push_back("line " + std::to_string(number) + ": the holiday has no name");
            continue;
        }
        file.Holidays.push_back(std::move(h));
    }
    return file;
}

std::unique_ptr<TEvent> HolidayEvent(const THoliday& holiday, const std::string& templateName) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(holiday.Name);
    e->SetTemplate(templateName);
    e->EventAction().Actions().Clear();
    TEventOptions options = e->Options();
    options.Exclude(eoAlarmWindowOnEvent);
    options.Exclude(eoAlarmWindowOnReminder);
    options.Exclude(eoMessageAboutComingLate);
    e->SetOptions(options);
    auto condition = std::make_unique<TSimpleInitializeCondition>();
    TAllTimeCondition allDay;
    condition->SetTimeCondition(&allDay);
    if (holiday.Year) {
        TOnceDateCondition once;
        once.SetDate(EncodeDate(holiday.Year, holiday.Month, holiday.Day));
        condition->SetDateCondition(&once);
    } else {
        TYearlyDateCondition yearly;
        yearly.SetFromDate(EncodeDate(YearlyFrom, 1, 1));
        TMonths months;
        months.Include(static_cast<TMonthName>(holiday.Month - 1));
        yearly.SetMonths(months);
        yearly.SetSubjectKind(msDay);
        yearly.SetDayNumber(holiday.Day);
        condition->SetDateCondition(&yearly);
    }
    e->InitializeCondition().Conditions().Add(std::move(condition));
    e->SetCreationTime(Now());
    return e;
}

bool IsSameHoliday(const TEvent& a, const TEvent& b) {
    return a.Description() == b.Description() &&
           a.InitializeCondition().Description() == b.InitializeCondition().Description();
}

TOwnedEvents NewHolidayEvents(const std::vector<THoliday>& holidays,
                              const std::vector<const TEvent*>& existing,
                              const std::string& templateName) {
    TOwnedEvents added;
    for (const THoliday& h : holidays) {
        auto e = HolidayEvent(h, templateName);
        bool known = false;
        for (const TEvent* old : existing)
            known = known || IsSameHoliday(*old, *e);
        for (const auto& earlier : added)
            known = known || IsSameHoliday(*earlier, *e);
        if (!known)
            added.push_back(std::move(e));
    }
    return added;
}

} // namespace kelvo
