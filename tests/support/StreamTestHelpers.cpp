#include "support/StreamTestHelpers.h"

namespace kelvo::test {

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::vector<std::string> StreamTest::PropertyNames(std::string_view bytes) {
    TStreamView stream{bytes};
    TClassReader r(stream, true, Registry);
    std::vector<std::string> names;
    EXPECT_EQ(r.ReadTag(), TIdentType::itObjectBegin);
    r.ReadRawString();
    while (r.PeekTag() == TIdentType::itPropName) {
        r.ReadTag();
        names.push_back(r.ReadRawString());
        r.SkipValue();
    }
    r.ReadObjectEnd();
    EXPECT_TRUE(r.AtEnd());
    return names;
}

} // namespace kelvo::test
