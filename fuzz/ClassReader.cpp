// Feeds arbitrary bytes to the object stream reader, as a general stream and as a data file.
// A stream that reads must also write and read back to the same bytes.

#include "../tests/support/StreamTestClasses.h"
#include "core/persistence/DataFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

using namespace kelvo;

namespace {

const TClassRegistry& Registry() {
    static TClassRegistry* registry = [] {
        auto* r = new TClassRegistry;
        test::RegisterStreamTestClasses(*r);
        return r;
    }();
    return *registry;
}

std::string Write(const TPersistent& obj) {
    std::string out;
    TClassWriter w(out);
    w.WriteObject(obj);
    return out;
}

void CheckRoundTrip(const TPersistent& obj) {
    const std::string once = Write(obj);
    TStreamView s{once};
    TClassReader r(s, false, Registry());
    std::unique_ptr<TPersistent> again;
    if (!r.ReadObject(again, false) || !s.AtEnd() || Write(*again) != once)
        __builtin_trap();
}

void ReadAsStream(std::string_view bytes, bool ignoreUnknown) {
    TStreamView s{bytes};
    TClassReader r(s, ignoreUnknown, Registry());
    try {
        while (!s.AtEnd()) {
            const std::size_t before = s.Position;
            std::unique_ptr<TPersistent> obj;
            if (r.ReadObject(obj, true))
                CheckRoundTrip(*obj);
            if (s.Position <= before)
                break;
        }
    } catch (const EClassReadingError&) {
    }
}

void ReadAsDataFile(std::string_view bytes) {
    TStreamView s{bytes};
    TClassReader r(s, true, Registry());
    TAnswerNoHost host;
    try {
        ReadDataFile<EpaError>(s, r, EventsFileFormat, host, [](TClassReader& reader) {
            CheckRoundTrip(*reader.RequireObject<test::TEvent>());
        });
    } catch (const EpaError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadAsStream(bytes, false);
    ReadAsStream(bytes, true);
    ReadAsDataFile(bytes);
    return 0;
}
