// Feeds arbitrary bytes to the holiday file reader: it never throws, and every holiday it
// accepts becomes an event that answers for its next arising.

#include "core/exchange/HolidayFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const THolidayFile file = ParseHolidays(text);
    for (const TOwnedEvents& events : {NewHolidayEvents(file.Holidays, {})})
        for (const auto& e : events)
            e->InitializeCondition().NextArise(EncodeDate(2027, 1, 1));
    return 0;
}
