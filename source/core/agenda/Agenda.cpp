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
                                           long long days) {
    std::vector<TAgendaArising> out;
    for (std::size_t i = 0; i < events.size(); ++i) {
        TEvent& e = *events[i];
        const int index = static_cast<int>(i);
        AddDays(out, e, index, false, e.InitializeCondition(), from, days);
        if (TReminder* r = e.Reminder())
            AddDays(out, e, index, true, r->InitializeCondition(), from, days);
    }
    std::stable_sort(out.begin(), out.end(), [](const TAgendaArising& a, const TAgendaArising& b) {
        return std::make_tuple(DateTimeToMs(a.Moment), a.EventIndex, a.Reminder) <
               std::make_tuple(DateTimeToMs(b.Moment), b.EventIndex, b.Reminder);
    });
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
