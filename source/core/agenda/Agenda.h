#pragma once

// What every view of the notebook shows alike: the arisings of events and their reminders day
// by day, and the date and state texts of the event lists.

#include "core/entities/Event.h"
#include "core/util/paDateUtils.h"

#include <string>
#include <vector>

namespace kelvo {

struct TAgendaArising {
    TDateTime Moment;
    int EventIndex; // in the list the arisings were asked of
    bool Reminder;  // the event's reminder, not the event itself
    TEvent* Event;
};

// The first arising of each day, from the day of from (at from itself) for days days, of every
// event's condition and its reminder's. Ordered by moment, then by event, an event before its
// reminder.
std::vector<TAgendaArising> AgendaArisings(const std::vector<TEvent*>& events, TDateTime from,
                                           long long days);

// "Never" for NullDate, else the short weekday, the short date and the short time.
std::string ListDateText(TDateTime x);

// The state as the lists show it; the snoozed states name the snooze moment.
std::string EventStateListText(TEventState state, TDateTime snooze);

// "%d day(s)" from today to the date of next, never below 0; empty for NullDate.
std::string UntilEventText(TDateTime next, TDateTime today);

} // namespace kelvo
