#pragma once

// The events of iCalendar files as plain values, and how they become events and back. The
// reader and writer of the files themselves are in the platform; here every moment is local
// time already. What an event holds that iCalendar cannot say travels whole in OwnRecord, so
// that an event this program exported comes back exactly.

#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

enum class TCalFrequency : std::uint8_t {
    Secondly,
    Minutely,
    Hourly,
    Daily,
    Weekly,
    Monthly,
    Yearly
};

struct TCalWeekDay {
    int Ordinal = 0; // 0: every such day of the period; 1..53 or -1..-53
    int Day = 0;     // 0 Sunday .. 6 Saturday
    bool operator==(const TCalWeekDay&) const = default;
};

// One RRULE.
struct TCalRule {
    TCalFrequency Frequency = TCalFrequency::Daily;
    int Interval = 1;
    int Count = 0;              // 0: not limited by a count
    TDateTime Until = NullDate; // the last moment allowed, local
    std::vector<TCalWeekDay> ByDay;
    std::vector<int> ByMonthDay, ByMonth, BySetPos, ByHour, ByMinute, BySecond, ByYearDay, ByWeekNo;
    int WeekStart = 1; // 0 Sunday .. 6 Saturday
    std::string Text;  // as written in the file, for the reader to expand
};

struct TCalAlarm {
    bool Audio = false;             // AUDIO, otherwise DISPLAY
    std::int64_t SecondsBefore = 0; // the trigger before the start; negative: after it
    int Repeat = 0;
    std::int64_t RepeatSeconds = 0;
};

struct TCalItem {
    std::string Uid;
    std::string Summary;     // UTF-8
    std::string Description; // UTF-8, lines ended by "\n"
    TDateTime Start = NullDate;
    bool AllDay = false;
    std::vector<TCalRule> Rules;
    std::vector<TDateTime> RDates, ExDates;
    std::vector<TCalAlarm> Alarms;
    // An events file of this one event, when this program wrote the item.
    std::string OwnRecord;
    // What the reader met in the item and could not keep, one short text each.
    std::vector<std::string> Unsupported;
};

// The moments an item arises from its start on (its RRULE, RDATE and EXDATE), local, ascending,
// at most limit of them and none after until.
using TCalExpander =
    std::function<std::vector<TDateTime>(const TCalItem&, std::size_t limit, TDateTime until)>;

// The item that stands for e. An event without a UID is given one first: made from its
// content, so that exporting the same events again gives the same UIDs.
TCalItem CalendarItemOf(TEvent& e);
// The items of events, in their order; events that would get the same UID get different ones.
std::vector<TCalItem> CalendarItemsOf(const std::vector<TEvent*>& events);

struct TImportedEvent {
    std::unique_ptr<TEvent> Event;
    // What could not be carried over: said once each, never dropped silently.
    std::vector<std::string> Notes;
};

// The event an item stands for: the event of OwnRecord when there is one, otherwise one made
// from the item's parts, with repetitions no condition can say expanded through expand (their
// moments up to ten years from now). The event counts from now.
TImportedEvent EventOfCalendarItem(const TCalItem& item, const TCalExpander& expand);

struct TCalendarImport {
    TOwnedEvents Events;
    // Each note once, with the events it concerns.
    std::vector<std::string> Notes;
};
// The events of the items; of items with the same UID only the first.
TCalendarImport ImportCalendarItems(const std::vector<TCalItem>& items, const TCalExpander& expand);

} // namespace kelvo
