#include "core/agenda/Agenda.h"

#include "core/entities/Reminder.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace kelvo {

namespace {

void AddDays(std::vector<TAgendaArising>& out, TEvent& event, int index, bool reminder,
             TInitializeCondition& condition, TDateTime from, long long days) {
    const TDateTime first = DateOf(from);
    for (long long n = 0; n < days; ++n) {
        const TDateTime day = IncDay(n, first);
        const TDateTime a = condition.NextArise(n == 0 ? from : day);
        if (IsNullDate(a))
            break; // no later day can have one either
        if (DateOf(a) == day)
            out.push_back({a, index, reminder, &event});
        else // the days before a's own have nothing: they would all answer a
            n = std::max(n, static_cast<long long>(DaysBetween(first, DateOf(a))) - 1);
    }
}

} // namespace

std::vector<TAgendaArising> AgendaArisings(const std::vector<TEvent*>& events, TDateTime from,
                                           long long days, bool reminders) {
    std::vector<TAgendaArising> out;
    for (std::size_t i = 0; i < events.size(); ++i) {
        TEvent& e = *events[i];
        const int index = static_cast<int>(i);
        AddDays(out, e, index, false, e.InitializeCondition(), from, days);
        if (TReminder* r = e.Reminder(); r && reminders)
            AddDays(out, e, index, true, r->InitializeCondition(), from, days);
    }
    std::stable_sort(out.begin(), out.end(), [](const TAgendaArising& a, const TAgendaArising& b) {
        return std::make_tuple(DateTimeToMs(a.Moment), a.EventIndex, a.Reminder) <
               std::make_tuple(DateTimeToMs(b.Moment), b.EventIndex, b.Reminder);
    });
    return out;
}

std::vector<std::vector<TCalendarEntry>> CalendarDays(const std::vector<TEvent*>& events,
                                                      TDateTime first, int days, bool reminders) {
    std::vector<std::vector<TCalendarEntry>> out(static_cast<std::size_t>(std::max(days, 0)));
    if (out.empty())
        return out;
    std::vector<TEvent*> shown;
    shown.reserve(events.size());
    for (TEvent* e : events)
        if (!e->HasOption(ecNotShowOnCalendar))
            shown.push_back(e);
    const TDateTime start = DateOf(first);
    std::vector<std::vector<TEvent*>> faded(out.size());
    for (const TAgendaArising& a : AgendaArisings(shown, start, days, reminders)) {
        const auto day = static_cast<std::size_t>(DaysBetween(start, DateOf(a.Moment)));
        if (day >= out.size())
            continue;
        if (!a.Reminder)
            out[day].push_back({a.Event, false});
        else if (reminders)
            faded[day].push_back(a.Event);
    }
    for (std::size_t day = 0; day < out.size(); ++day) {
        const std::size_t own = out[day].size();
        for (TEvent* e : faded[day]) {
            const auto end = out[day].begin() + static_cast<std::ptrdiff_t>(own);
            if (std::find_if(out[day].begin(), end,
                             [e](const TCalendarEntry& c) { return c.Event == e; }) == end)
                out[day].push_back({e, true});
        }
    }
    return out;
}

std::string ListDateText(TDateTime x) {
    if (IsNullDate(x))
        return KELVO_TR("ListDateText", "Never");
    return CurrentLocale().ShortDayName(static_cast<TDayOfWeekName>(DayOfWeek0(x))) + " " +
           ShortDateText(x) + " " + ShortTimeText(x);
}

std::string EventStateListText(TEventState state, TDateTime snooze) {
    const std::string text(EventStateText(state));
    if (text.find("%s") == std::string::npos)
        return text;
    return Format(text, {ListDateText(snooze)});
}

std::string UntilEventText(TDateTime next, TDateTime today) {
    if (IsNullDate(next))
        return {};
    const auto days =
        static_cast<long long>(std::llround(std::floor(next) - std::floor(DateOf(today))));
    return Format(KELVO_TR("ListDateText", "%s day(s)"), {std::to_string(std::max(0LL, days))});
}

} // namespace kelvo
