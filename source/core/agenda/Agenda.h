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
// reminder. Without reminders, only the events' own arisings.
std::vector<TAgendaArising> AgendaArisings(const std::vector<TEvent*>& events, TDateTime from,
                                           long long days, bool reminders = true);

// One line of a calendar day: the event, or its reminder (drawn faded).
struct TCalendarEntry {
    TEvent* Event;
    bool Reminder;
    bool operator==(const TCalendarEntry&) const = default;
};

// The lines of days consecutive days from the day of first: per day the events whose first
// arising from the start of the day falls on it, in the order of that arising; then, with
// reminders, the events whose reminder does so and that the day does not show yet. Events
// with ecNotShowOnCalendar are left out.
std::vector<std::vector<TCalendarEntry>> CalendarDays(const std::vector<TEvent*>& events,
                                                      TDateTime first, int days, bool reminders);

// "Never" for NullDate, else the short weekday, the short date and the short time.
std::string ListDateText(TDateTime x);

// The state as the lists show it; the snoozed states name the snooze moment.
std::string EventStateListText(TEventState state, TDateTime snooze);

// "%d day(s)" from today to the date of next, never below 0; empty for NullDate.
std::string UntilEventText(TDateTime next, TDateTime today);

} // namespace kelvo
