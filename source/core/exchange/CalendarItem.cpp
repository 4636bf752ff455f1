#include "core/exchange/CalendarItem.h"

#include "core/entities/Reminder.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/util/paText.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace kelvo {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

// ---------------------------------------------------------------------------------------------
// Event to item.

// The times of day a time condition admits, in milliseconds; none for an all-day one.
std::vector<std::int64_t> TimesOfDay(const TTimeCondition& c, bool& allDay) {
    std::vector<std::int64_t> times;
    if (dynamic_cast<const TAllTimeCondition*>(&c)) {
        allDay = true;
    } else if (const auto* once = dynamic_cast<const TOnceTimeCondition*>(&c)) {
        times.push_back(TimeOfDayMs(once->Time()));
    } else if (const auto* periodic = dynamic_cast<const TPeriodicTimeCondition*>(&c)) {
        TDateTime t = periodic->NextTime(0);
        while (!IsNoTime(t) && times.size() < 1440) {
            const std::int64_t ms = TimeOfDayMs(t);
            if (!times.empty() && ms <= times.back())
                break;
            times.push_back(ms);
            t = periodic->NextTime(MsToTime(ms + 1));
        }
    } else if (const auto* complex = dynamic_cast<const TComplexTimeCondition*>(&c)) {
        std::set<std::int64_t> all;
        for (int i = 0; i < complex->Conditions().Count(); ++i)
            for (std::int64_t ms : TimesOfDay(complex->Conditions().Items(i), allDay))
                all.insert(ms);
        times.assign(all.begin(), all.end());
    }
    if (!times.empty())
        allDay = false;
    std::sort(times.begin(), times.end());
    return times;
}

// The month-day part of a monthly or yearly condition. A day above 28 is the last day up to it,
// so that short months have it on their last day.
void PutMonthDay(const TInternalDateInMonthDateCondition& c, TCalRule& rule) {
    if (c.DayNumber() > 0) {
        const int n = std::min(c.DayNumber(), 31);
        if (n <= 28) {
            rule.ByMonthDay = {n};
        } else {
            for (int d = 28; d <= n; ++d)
                rule.ByMonthDay.push_back(d);
            rule.BySetPos = {-1};
        }
    } else if (c.SubjectKind() == msDay) {
        rule.ByMonthDay = {c.SubjectNumber() == wmLast ? -1
                                                       : static_cast<int>(c.SubjectNumber()) + 1};
    } else {
        rule.ByDay = {{c.SubjectNumber() == wmLast ? -1 : static_cast<int>(c.SubjectNumber()) + 1,
                       static_cast<int>(c.SubjectKind()) - 1}};
    }
}

bool RuleOf(const TPeriodicDateCondition& c, TCalRule& rule) {
    rule.Interval = std::max(1, c.Period());
    rule.WeekStart = FirstDayOfWeek();
    if (dynamic_cast<const TDailyDateCondition*>(&c)) {
        rule.Frequency = TCalFrequency::Daily;
    } else if (const auto* weekly = dynamic_cast<const TWeeklyDateCondition*>(&c)) {
        rule.Frequency = TCalFrequency::Weekly;
        for (int d = 0; d < 7; ++d)
            if (weekly->WeekDays().Contains(static_cast<TDayOfWeekName>(d)))
                rule.ByDay.push_back({0, d});
    } else if (const auto* monthly = dynamic_cast<const TMonthlyDateCondition*>(&c)) {
        rule.Frequency = TCalFrequency::Monthly;
        PutMonthDay(*monthly, rule);
    } else if (const auto* yearly = dynamic_cast<const TYearlyDateCondition*>(&c)) {
        rule.Frequency = TCalFrequency::Yearly;
        for (int m = 0; m < 12; ++m)
            if (yearly->Months().Contains(static_cast<TMonthName>(m)))
                rule.ByMonth.push_back(m + 1);
        PutMonthDay(*yearly, rule);
    } else {
        return false;
    }
    return true;
}

struct TSchedule {
    bool AllDay = false;
    std::vector<std::int64_t> Times;
};

// The end of a periodic condition as UNTIL or COUNT; a count of dates is a count of arisings
// only with one arising a day.
void PutEnd(const TPeriodicDateCondition& c, const TSchedule& s, TCalRule& rule) {
    if (c.UntilType() == utForever)
        return;
    if (c.UntilType() == utTimes && s.Times.size() <= 1) {
        rule.Count = std::max(1, c.Times());
        return;
    }
    const TDateTime last = DateOf(c.ToDate());
    rule.Until = s.AllDay ? last : last + MsToTime(s.Times.back());
}

TDateTime AtFirstTime(TDateTime date, const TSchedule& s) {
    return s.AllDay ? DateOf(date) : DateOf(date) + MsToTime(s.Times.front());
}

bool PutSchedule(TSimpleInitializeCondition& simple, TCalItem& item) {
    TDateCondition* date = simple.DateCondition();
    TTimeCondition* time = simple.TimeCondition();
    if (!date || !time)
        return false;
    TSchedule s;
    s.Times = TimesOfDay(*time, s.AllDay);
    if (!s.AllDay && s.Times.empty())
        return false;
    item.AllDay = s.AllDay;

    // The times of day as BYHOUR and BYMINUTE grids: one when every pairing is a time, else
    // one a minute of the hour.
    std::vector<std::pair<std::vector<int>, std::vector<int>>> grids;
    if (s.Times.size() > 1) {
        std::set<int> hours, minutes;
        std::map<int, std::vector<int>> byMinute;
        for (std::int64_t ms : s.Times) {
            const int h = static_cast<int>(ms / MSecsPerHour);
            const int m = static_cast<int>(ms % MSecsPerHour / MSecsPerMinute);
            hours.insert(h);
            minutes.insert(m);
            byMinute[m].push_back(h);
        }
        if (hours.size() * minutes.size() == s.Times.size())
            grids.push_back({{hours.begin(), hours.end()}, {minutes.begin(), minutes.end()}});
        else
            for (auto& [m, hs] : byMinute)
                grids.push_back({hs, {m}});
    }
    auto addRule = [&](const TCalRule& rule) {
        if (grids.empty())
            item.Rules.push_back(rule);
        for (const auto& [hours, minutes] : grids) {
            TCalRule r = rule;
            r.ByHour = hours;
            r.ByMinute = minutes;
            item.Rules.push_back(std::move(r));
        }
    };
    auto onceDayRule = [&](TDateTime d) {
        TCalRule rule;
        rule.Frequency = TCalFrequency::Daily;
        rule.Until = DateOf(d) + MsToTime(s.Times.back());
        return rule;
    };

    std::vector<TDateTime> firsts;
    auto addPeriodic = [&](const TPeriodicDateCondition& p) {
        TCalRule rule;
        if (!RuleOf(p, rule))
            return;
        PutEnd(p, s, rule);
        addRule(rule);
        firsts.push_back(p.NextDate(p.FromDate()));
    };
    if (const auto* once = dynamic_cast<const TOnceDateCondition*>(date)) {
        item.Start = AtFirstTime(once->Date(), s);
        if (s.Times.size() > 1)
            addRule(onceDayRule(once->Date()));
        return true;
    }
    if (const auto* periodic = dynamic_cast<const TPeriodicDateCondition*>(date)) {
        addPeriodic(*periodic);
    } else if (const auto* complex = dynamic_cast<const TComplexDateCondition*>(date)) {
        for (int i = 0; i < complex->Conditions().Count(); ++i) {
            const TDateCondition& member = complex->Conditions().Items(i);
            if (const auto* once = dynamic_cast<const TOnceDateCondition*>(&member)) {
                firsts.push_back(once->Date());
                for (std::int64_t ms : s.AllDay ? std::vector<std::int64_t>{0} : s.Times)
                    item.RDates.push_back(DateOf(once->Date()) + MsToTime(ms));
            } else if (const auto* p = dynamic_cast<const TPeriodicDateCondition*>(&member)) {
                addPeriodic(*p);
            }
        }
        for (int i = 0; i < complex->ExcludeConditions().Count(); ++i)
            if (const auto* once =
                    dynamic_cast<const TOnceDateCondition*>(&complex->ExcludeConditions().Items(i)))
                for (std::int64_t ms : s.AllDay ? std::vector<std::int64_t>{0} : s.Times)
                    item.ExDates.push_back(DateOf(once->Date()) + MsToTime(ms));
    }
    firsts.erase(
        std::remove_if(firsts.begin(), firsts.end(), [](TDateTime d) { return IsNullDate(d); }),
        firsts.end());
    if (firsts.empty())
        return false;
    item.Start = AtFirstTime(*std::min_element(firsts.begin(), firsts.end()), s);
    return true;
}

std::int64_t SecondsOf(const TRelativeSubjectRecord& r) {
    static constexpr std::int64_t unit[] = {
        1, 60, 3600, SecondsPerDay, 7 * SecondsPerDay, 30 * SecondsPerDay, 365 * SecondsPerDay};
    const int s = static_cast<int>(r.Subject());
    return r.Number() * (s >= 0 && s < 7 ? unit[s] : SecondsPerDay);
}

void PutAlarms(const TEvent& e, TCalItem& item) {
    if (e.HasOption(eoAlarmWindowOnEvent))
        item.Alarms.push_back({false, 0, 0, 0});
    const TReminder* r = e.Reminder();
    if (!r)
        return;
    const bool display = e.HasOption(eoAlarmWindowOnReminder);
    const TInitializeConditionList& members = r->InitializeCondition().Conditions();
    for (int i = 0; i < members.Count(); ++i) {
        const auto* rc = dynamic_cast<const TReminderInitializeCondition*>(&members.Items(i));
        if (!rc || !rc->RelativeCondition())
            continue;
        const TRelativeCondition& rel = *rc->RelativeCondition();
        TCalAlarm alarm{!display, SecondsOf(rel.FromSubject()), 0, 0};
        if (const auto* p = dynamic_cast<const TPeriodicRelativeCondition*>(&rel);
            p && p->UntilType() == ruUntilTimes && p->UntilTimes() > 1) {
            alarm.Repeat = p->UntilTimes() - 1;
            alarm.RepeatSeconds = SecondsOf(p->PeriodSubject());
        }
        item.Alarms.push_back(alarm);
    }
}

// The lines of the message below its first one that is not blank.
std::string LinesBelowFirst(const std::string& message) {
    std::string text;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '\r') {
            text += '\n';
            if (i + 1 < message.size() && message[i + 1] == '\n')
                ++i;
        } else {
            text += message[i];
        }
    }
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line =
            text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.find_first_not_of(" \t") != std::string::npos)
            break;
    }
    std::string rest = text.substr(at);
    while (!rest.empty() && (rest.back() == '\n' || rest.back() == ' '))
        rest.pop_back();
    return rest;
}

// ---------------------------------------------------------------------------------------------
// Item to event.

bool Only(const std::vector<int>& v) {
    return v.empty();
}

// The month-day part of a rule for a monthly or yearly condition; false when none says it.
bool TakeMonthDay(const TCalRule& rule, TDateTime start, TInternalDateInMonthDateCondition& c) {
    const auto& md = rule.ByMonthDay;
    if (rule.ByDay.empty() && md.empty() && rule.BySetPos.empty()) {
        const int d = DecodeDate(start).Day;
        if (d > 28)
            return false; // iCalendar skips the months that are too short
        c.SetDayNumber(d);
        return true;
    }
    if (rule.ByDay.empty() && md.size() == 1 && rule.BySetPos.empty()) {
        if (md[0] >= 1 && md[0] <= 28) {
            c.SetDayNumber(md[0]);
            return true;
        }
        if (md[0] == -1) {
            c.SetDayNumber(0);
            c.SetSubjectKind(msDay);
            c.SetSubjectNumber(wmLast);
            return true;
        }
        return false;
    }
    if (rule.ByDay.empty() && rule.BySetPos == std::vector<int>{-1} && md.size() >= 2 &&
        md.front() == 28 && md.back() <= 31) {
        for (std::size_t i = 1; i < md.size(); ++i)
            if (md[i] != md[i - 1] + 1)
                return false;
        c.SetDayNumber(md.back());
        return true;
    }
    if (rule.ByDay.size() == 1 && md.empty()) {
        int ordinal = rule.ByDay[0].Ordinal;
        if (ordinal == 0 && rule.BySetPos.size() == 1)
            ordinal = rule.BySetPos[0];
        else if (!rule.BySetPos.empty())
            return false;
        if (!(ordinal >= 1 && ordinal <= 4) && ordinal != -1)
            return false;
        c.SetDayNumber(0);
        c.SetSubjectKind(static_cast<TMonthSubjectName>(msSun + rule.ByDay[0].Day));
        c.SetSubjectNumber(ordinal == -1 ? wmLast : static_cast<TWeekOfMonthName>(ordinal - 1));
        return true;
    }
    return false;
}

std::unique_ptr<TPeriodicDateCondition> DateConditionOfRule(const TCalRule& rule, TDateTime start) {
    if (rule.Frequency < TCalFrequency::Daily || !Only(rule.ByYearDay) || !Only(rule.ByWeekNo))
        return nullptr;
    const TDateTime day = DateOf(start);
    std::unique_ptr<TPeriodicDateCondition> c;
    auto plainDays = [&] {
        for (const TCalWeekDay& d : rule.ByDay)
            if (d.Ordinal != 0)
                return false;
        return rule.ByMonthDay.empty() && rule.ByMonth.empty() && rule.BySetPos.empty();
    };
    auto weekly = [&](bool interval) -> std::unique_ptr<TPeriodicDateCondition> {
        if (!plainDays())
            return nullptr;
        TDaysOfWeek days;
        for (const TCalWeekDay& d : rule.ByDay)
            days.Include(static_cast<TDayOfWeekName>(d.Day));
        if (rule.ByDay.empty())
            days.Include(static_cast<TDayOfWeekName>(DayOfWeek0(day)));
        // Weeks of more than one day are counted from the week start, which must be ours.
        if (interval && rule.Interval > 1 && days.Count() > 1 && rule.WeekStart != FirstDayOfWeek())
            return nullptr;
        auto w = std::make_unique<TWeeklyDateCondition>();
        w->SetFromDate(day);
        w->SetWeekDays(days);
        return w;
    };
    switch (rule.Frequency) {
    case TCalFrequency::Daily:
        if (!rule.ByDay.empty()) {
            if (rule.Interval != 1)
                return nullptr;
            c = weekly(false);
        } else if (plainDays()) {
            c = std::make_unique<TDailyDateCondition>();
            c->SetFromDate(day);
        }
        break;
    case TCalFrequency::Weekly:
        c = weekly(true);
        break;
    case TCalFrequency::Monthly: {
        if (!rule.ByMonth.empty())
            return nullptr;
        auto m = std::make_unique<TMonthlyDateCondition>();
        m->SetFromDate(day);
        if (!TakeMonthDay(rule, start, *m))
            return nullptr;
        c = std::move(m);
        break;
    }
    case TCalFrequency::Yearly: {
        TMonths months;
        for (int m : rule.ByMonth)
            if (m >= 1 && m <= 12)
                months.Include(static_cast<TMonthName>(m - 1));
        if (rule.ByMonth.empty()) {
            if (!rule.ByDay.empty() || !rule.ByMonthDay.empty())
                return nullptr; // those days of every month
            months.Include(static_cast<TMonthName>(DecodeDate(day).Month - 1));
        }
        if (!rule.BySetPos.empty() && rule.ByMonth.size() > 1)
            return nullptr; // a position in the whole year
        auto y = std::make_unique<TYearlyDateCondition>();
        y->SetFromDate(day);
        y->SetMonths(months);
        if (!TakeMonthDay(rule, start, *y))
            return nullptr;
        c = std::move(y);
        break;
    }
    default:
        return nullptr;
    }
    if (!c)
        return nullptr;
    c->SetPeriod(rule.Interval < 1 ? 1 : rule.Interval);
    if (rule.Count > 0) {
        c->SetUntilType(utTimes);
        c->SetTimes(rule.Count);
    } else if (!IsNullDate(rule.Until)) {
        TDateTime last = DateOf(rule.Until);
        if (TimeOfDayMs(rule.Until) < TimeOfDayMs(start))
            last -= 1;
        c->SetUntilType(utDate);
        c->SetToDate(last);
    }
    return c;
}

std::unique_ptr<TTimeCondition> TimeConditionOf(const TCalItem& item, const TCalRule* rule,
                                                std::size_t& count) {
    count = 1;
    if (item.AllDay)
        return std::make_unique<TAllTimeCondition>();
    const TTimeParts t = DecodeTime(item.Start);
    std::vector<int> hours{t.Hour}, minutes{t.Minute};
    if (rule && !rule->ByHour.empty())
        hours = rule->ByHour;
    if (rule && !rule->ByMinute.empty())
        minutes = rule->ByMinute;
    count = hours.size() * minutes.size();
    if (count == 1) {
        auto once = std::make_unique<TOnceTimeCondition>();
        once->SetTime(EncodeTime(hours[0], minutes[0], t.Second));
        return once;
    }
    auto complex = std::make_unique<TComplexTimeCondition>();
    for (int h : hours)
        for (int m : minutes) {
            auto once = std::make_unique<TOnceTimeCondition>();
            once->SetTime(EncodeTime(h, m));
            complex->Conditions().Add(std::move(once));
        }
    return complex;
}

std::unique_ptr<TSimpleInitializeCondition> SimpleOf(std::unique_ptr<TDateCondition> date,
                                                     const TTimeCondition& time) {
    auto simple = std::make_unique<TSimpleInitializeCondition>();
    simple->SetDateCondition(date.get());
    simple->SetTimeCondition(&time);
    return simple;
}

std::unique_ptr<TDateCondition> OnceDate(TDateTime d) {
    auto once = std::make_unique<TOnceDateCondition>();
    once->SetDate(d);
    return once;
}

std::string DateText(TDateTime x) {
    const TDateParts d = DecodeDate(x);
    char text[16];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(d.Year), d.Month,
                  d.Day);
    return text;
}

// The arisings of the item one by one, grouped by time of day.
void PutExpanded(const TCalItem& item, const TCalExpander& expand, TEvent& e,
                 std::vector<std::string>& notes) {
    constexpr std::size_t Limit = 1000;
    const TDateTime until = IncYear(10, Now());
    const std::vector<TDateTime> moments =
        expand ? expand(item, Limit + 1, until) : std::vector<TDateTime>{};
    std::string rules;
    for (const TCalRule& r : item.Rules)
        rules += (rules.empty() ? "" : "; ") + r.Text;
    std::map<std::int64_t, std::vector<TDateTime>> byTime;
    for (std::size_t i = 0; i < moments.size() && i < Limit; ++i)
        byTime[item.AllDay ? -1 : TimeOfDayMs(moments[i])].push_back(DateOf(moments[i]));
    const std::size_t kept = std::min(moments.size(), Limit);
    std::string note = "the repetition \"" + rules + "\" has no condition of its own: kept as " +
                       std::to_string(kept) + " single date(s)";
    if (moments.size() > Limit || (!moments.empty() && kept == Limit))
        note += " up to " + DateText(moments[kept - 1]);
    else if (!moments.empty())
        note +=
            " up to " + DateText(moments.back()) +
            (item.Rules.empty() || item.Rules.front().Count || !IsNullDate(item.Rules.front().Until)
                 ? std::string()
                 : " (ten years from now)");
    notes.push_back(note);
    for (auto& [ms, dates] : byTime) {
        std::unique_ptr<TTimeCondition> time;
        if (ms < 0) {
            time = std::make_unique<TAllTimeCondition>();
        } else {
            auto once = std::make_unique<TOnceTimeCondition>();
            once->SetTime(MsToTime(ms));
            time = std::move(once);
        }
        std::unique_ptr<TDateCondition> date;
        if (dates.size() == 1) {
            date = OnceDate(dates[0]);
        } else {
            auto complex = std::make_unique<TComplexDateCondition>();
            for (TDateTime d : dates)
                complex->Conditions().Add(OnceDate(d));
            date = std::move(complex);
        }
        e.InitializeCondition().Conditions().Add(SimpleOf(std::move(date), *time));
    }
}

void PutSchedule(const TCalItem& item, const TCalExpander& expand, TEvent& e,
                 std::vector<std::string>& notes) {
    if (IsNullDate(item.Start)) {
        notes.push_back("it has no start: it never arises");
        return;
    }
    const TDateTime day = DateOf(item.Start);
    // One member a rule, each with the times of day of its own BYHOUR and BYMINUTE.
    struct TMember {
        std::unique_ptr<TDateCondition> Date;
        std::unique_ptr<TTimeCondition> Time;
    };
    std::vector<TMember> members;
    bool mapped = true, startMet = false, severalTimes = false;
    for (const TCalRule& rule : item.Rules) {
        std::size_t times = 1;
        auto time = TimeConditionOf(item, &rule, times);
        auto c = DateConditionOfRule(rule, item.Start);
        const bool secondsKept =
            rule.BySecond.empty() ||
            (rule.BySecond.size() == 1 && rule.BySecond[0] == DecodeTime(item.Start).Second);
        // The start counts as an arising even where the rule does not meet it; a count then
        // counts one more than the condition would.
        const bool meets = c && !IsNullDate(c->NextDate(day)) && DateOf(c->NextDate(day)) == day &&
                           (item.AllDay || TimeOfDayMs(time->NextTime(TimeOf(item.Start))) ==
                                               TimeOfDayMs(item.Start));
        if (!c || !secondsKept || (rule.Count > 0 && (times > 1 || !meets))) {
            mapped = false;
            break;
        }
        startMet = startMet || meets;
        severalTimes = severalTimes || times > 1;
        members.push_back({std::move(c), std::move(time)});
    }
    for (TDateTime x : item.ExDates)
        if (!item.AllDay && (severalTimes || TimeOfDayMs(x) != TimeOfDayMs(item.Start)))
            mapped = false; // one arising of a day that has others, or at another time
    if (!mapped) {
        PutExpanded(item, expand, e, notes);
        return;
    }
    if (!startMet) {
        std::size_t one = 1;
        members.push_back({OnceDate(day), TimeConditionOf(item, nullptr, one)});
    }
    for (TMember& m : members) {
        std::unique_ptr<TDateCondition> date = std::move(m.Date);
        if (!item.ExDates.empty()) {
            auto complex = std::make_unique<TComplexDateCondition>();
            complex->Conditions().Add(std::move(date));
            for (TDateTime x : item.ExDates)
                complex->ExcludeConditions().Add(OnceDate(x));
            date = std::move(complex);
        }
        e.InitializeCondition().Conditions().Add(SimpleOf(std::move(date), *m.Time));
    }
    for (TDateTime r : item.RDates) {
        std::unique_ptr<TTimeCondition> at;
        if (item.AllDay) {
            at = std::make_unique<TAllTimeCondition>();
        } else {
            auto once = std::make_unique<TOnceTimeCondition>();
            once->SetTime(r);
            at = std::move(once);
        }
        e.InitializeCondition().Conditions().Add(SimpleOf(OnceDate(r), *at));
    }
}

TRelativeSubjectRecord LeadOf(std::int64_t seconds) {
    if (seconds % (7 * SecondsPerDay) == 0)
        return {static_cast<std::int32_t>(seconds / (7 * SecondsPerDay)), ptWeek};
    if (seconds % SecondsPerDay == 0)
        return {static_cast<std::int32_t>(seconds / SecondsPerDay), ptDay};
    if (seconds % 3600 == 0)
        return {static_cast<std::int32_t>(seconds / 3600), ptHour};
    return {static_cast<std::int32_t>((seconds + 30) / 60), ptMinute};
}

void PutAlarms(const TCalItem& item, TEvent& e, std::vector<std::string>& notes) {
    TEventOptions options = e.Options();
    bool early = false;
    for (const TCalAlarm& a : item.Alarms) {
        if (a.SecondsBefore == 0 || (a.SecondsBefore < 0 && a.SecondsBefore > -60)) {
            if (a.Audio) {
                if (e.EventAction().Actions().Count() == 0)
                    e.EventAction().Actions().Add(std::make_unique<TBeepEventAction>());
            } else {
                options.Include(eoAlarmWindowOnEvent);
            }
        } else if (a.SecondsBefore < 0) {
            notes.push_back("an alarm after the start is not kept");
        } else if (early) {
            notes.push_back("only the first early alarm is kept");
        } else {
            early = true;
            if (a.SecondsBefore % 60 != 0)
                notes.push_back("an early alarm is kept to the minute");
            e.SetHasReminder(true);
            TReminder& r = *e.Reminder();
            auto rc = std::make_unique<TReminderInitializeCondition>();
            TOnceRelativeCondition lead;
            lead.SetFromSubject(LeadOf(a.SecondsBefore));
            rc->SetRelativeCondition(&lead);
            rc->SetTimeAsBaseCondition(true);
            r.InitializeCondition().Conditions().Clear();
            r.InitializeCondition().Conditions().Add(std::move(rc));
            r.EventAction().Actions().Clear();
            if (a.Audio)
                r.EventAction().Actions().Add(std::make_unique<TBeepEventAction>());
            else
                options.Include(eoAlarmWindowOnReminder);
            if (a.Repeat > 0)
                notes.push_back("the repetitions of an early alarm are not kept");
        }
    }
    e.SetOptions(options);
}

// Two 64-bit FNV-1a hashes of the record, the second over it backwards.
std::string ContentUid(const std::string& record) {
    std::uint64_t a = 14695981039346656037ull, b = a;
    for (std::size_t i = 0; i < record.size(); ++i) {
        a = (a ^ static_cast<unsigned char>(record[i])) * 1099511628211ull;
        b = (b ^ static_cast<unsigned char>(record[record.size() - 1 - i])) * 1099511628211ull;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%016llx%016llx@kelvo-rem", static_cast<unsigned long long>(a),
                  static_cast<unsigned long long>(b));
    return text;
}

} // namespace

TCalItem CalendarItemOf(TEvent& e) {
    TEventList one;
    one.Add(e);
    if (e.Uid().empty())
        e.SetUid(ContentUid(WriteEvents(one)));
    TCalItem item;
    item.Uid = e.Uid();
    item.Summary = DisplayText(e.Description());
    item.Description = LinesBelowFirst(DisplayText(e.WindowMessage()));
    item.OwnRecord = WriteEvents(one);
    const TInitializeConditionList& members = e.InitializeCondition().Conditions();
    for (int i = 0; i < members.Count(); ++i)
        if (auto* simple = dynamic_cast<TSimpleInitializeCondition*>(&members.Items(i));
            simple && PutSchedule(*simple, item))
            break;
    PutAlarms(e, item);
    return item;
}

TImportedEvent EventOfCalendarItem(const TCalItem& item, const TCalExpander& expand) {
    TImportedEvent out;
    if (!item.OwnRecord.empty()) {
        TAnswerNoHost host;
        try {
            TOwnedEvents events = ReadEvents(item.OwnRecord, host);
            if (events.size() == 1 && host.Errors.empty()) {
                out.Event = std::move(events.front());
                out.Event->SetUid(item.Uid);
                return out;
            }
        } catch (const std::exception&) {
        }
        out.Notes.push_back("its own record is damaged: made from the iCalendar properties");
    }
    out.Notes.insert(out.Notes.end(), item.Unsupported.begin(), item.Unsupported.end());
    auto e = std::make_unique<TEvent>();
    e->EventAction().Actions().Clear();
    TEventOptions options = e->Options();
    options.Exclude(eoAlarmWindowOnEvent);
    options.Exclude(eoAlarmWindowOnReminder);
    e->SetOptions(options);
    std::string message = item.Summary;
    if (!item.Description.empty()) {
        message += "\r\n";
        for (char c : item.Description)
            message += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    e->SetWindowMessage(message);
    e->SetUid(item.Uid);
    PutSchedule(item, expand, *e, out.Notes);
    PutAlarms(item, *e, out.Notes);
    e->SetCreationTime(Now());
    out.Event = std::move(e);
    return out;
}

} // namespace kelvo

namespace kelvo {

std::vector<TCalItem> CalendarItemsOf(const std::vector<TEvent*>& events) {
    std::vector<TCalItem> items;
    std::set<std::string> used;
    for (TEvent* e : events) {
        const bool had = !e->Uid().empty();
        TCalItem item = CalendarItemOf(*e);
        if (!used.insert(item.Uid).second) {
            if (had)
                e->SetUid({}); // a copy of another event: it becomes one of its own
            const std::string base = had ? CalendarItemOf(*e).Uid : item.Uid;
            for (int n = 2; !used.insert(item.Uid).second; ++n)
                item.Uid = base + "-" + std::to_string(n);
            e->SetUid(item.Uid);
            item = CalendarItemOf(*e);
        }
        items.push_back(std::move(item));
    }
    return items;
}

TCalendarImport ImportCalendarItems(const std::vector<TCalItem>& items,
                                    const TCalExpander& expand) {
    TCalendarImport out;
    std::set<std::string> uids;
    std::vector<std::pair<std::string, std::vector<std::string>>> notes;
    auto note = [&notes](const std::string& text, const std::string& summary) {
        auto it = std::find_if(notes.begin(), notes.end(),
                               [&](const auto& n) { return n.first == text; });
        if (it == notes.end())
            notes.push_back({text, {summary}});
        else
            it->second.push_back(summary);
    };
    for (const TCalItem& item : items) {
        if (!item.Uid.empty() && !uids.insert(item.Uid).second) {
            note("a second VEVENT with the same UID is not imported", item.Summary);
            continue;
        }
        TImportedEvent imported = EventOfCalendarItem(item, expand);
        for (const std::string& n : imported.Notes)
            note(n, item.Summary);
        out.Events.push_back(std::move(imported.Event));
    }
    for (const auto& [text, summaries] : notes) {
        std::string line = "\"" + summaries.front() + "\"";
        if (summaries.size() > 1)
            line += " and " + std::to_string(summaries.size() - 1) + " more event(s)";
        out.Notes.push_back(line + ": " + text);
    }
    return out;
}

} // namespace kelvo
