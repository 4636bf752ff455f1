#pragma once

// iCalendar (RFC 5545) files through libical: VEVENTs read into calendar items with every
// moment in local time, and calendar items written back. Anything an item cannot hold is
// named in its Unsupported list, or in the file's, never dropped without a word.

#include "core/exchange/CalendarItem.h"
#include "core/util/paError.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

class EICalendarError : public EpaError {
public:
    using EpaError::EpaError;
};

struct TCalFile {
    std::vector<TCalItem> Items;
    // What the file holds beside its events that is not imported ("VTODO is not imported").
    std::vector<std::string> Unsupported;
};

// Whether text is an iCalendar object (it begins with BEGIN:VCALENDAR, blanks aside).
bool LooksLikeICalendar(std::string_view text);
// EICalendarError when text is no iCalendar object at all.
TCalFile ParseICalendar(std::string_view text);
std::string WriteICalendar(const std::vector<TCalItem>& items);
// The moments of item from its start, as TCalExpander says.
std::vector<TDateTime> ExpandCalendarItem(const TCalItem& item, std::size_t limit, TDateTime until);

} // namespace kelvo
