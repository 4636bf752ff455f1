// Feeds arbitrary bytes to the events file reader. Whatever reads must write and read back;
// after one more generation (an empty message or template name reads back as the default)
// the bytes no longer change.

#include "core/persistence/EventFile.h"

#include "support/RecordingDataFileHost.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kelvo;

namespace {

std::string WriteAll(const TOwnedEvents& events) {
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    return WriteEvents(list);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Newer versions are read too, so that the version question never hides the records.
    test::RecordingDataFileHost host(true);
    TOwnedEvents events;
    try {
        events = ReadEvents(bytes, host);
    } catch (const EpaError&) {
        return 0;
    }
    const std::string once = WriteAll(events);
    try {
        const std::string twice = WriteAll(ReadEvents(once, host));
        const std::string thrice = WriteAll(ReadEvents(twice, host));
        if (thrice != twice)
            __builtin_trap();
    } catch (const EpaError&) {
        __builtin_trap();
    }
    return 0;
}
