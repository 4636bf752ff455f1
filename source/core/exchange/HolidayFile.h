#pragma once

// Holiday files (".hld"): one holiday a line, "YYYY-MM-DD name" for a holiday on one date or
// "MM-DD name" for one every year. Blank lines and lines starting with "#" or ";" are
// comments. A holiday becomes an all-day event that runs nothing and opens no alarm window.

#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct THoliday {
    std::int64_t Year = 0; // 0: every year
    int Month = 1;
    int Day = 1;
    std::string Name; // UTF-8
};

struct THolidayFile {
    std::vector<THoliday> Holidays;
    // "line 3: ..." for each line that is neither a holiday nor a comment.
    std::vector<std::string> Problems;
};

// Never throws; a byte-order mark and CR LF line ends are accepted.
THolidayFile ParseHolidays(std::string_view text);

std::unique_ptr<TEvent>
HolidayEvent(const THoliday& holiday,
             const std::string& templateName = std::string(DefaultTemplateName));

// Two events are the same holiday when they have the same message and the same condition.
bool IsSameHoliday(const TEvent& a, const TEvent& b);

// The holidays' events that none of existing (nor an earlier one of the file) already is.
TOwnedEvents NewHolidayEvents(const std::vector<THoliday>& holidays,
                              const std::vector<const TEvent*>& existing,
                              const std::string& templateName = std::string(DefaultTemplateName));

} // namespace kelvo
