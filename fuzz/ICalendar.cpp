// Feeds arbitrary bytes to the iCalendar reader and imports what it reads; the events written
// back as iCalendar read again as many items.

#include "platform/ical/ICalendar.h"

#include "core/exchange/CalendarItem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TCalFile file;
    try {
        file = ParseICalendar(text);
    } catch (const EICalendarError&) {
        return 0;
    }
    TCalendarImport imported = ImportCalendarItems(file.Items, ExpandCalendarItem);
    std::vector<TEvent*> events;
    for (const auto& e : imported.Events)
        events.push_back(e.get());
    const TCalFile again = ParseICalendar(WriteICalendar(CalendarItemsOf(events)));
    if (again.Items.size() != events.size())
        std::abort();
    return 0;
}
