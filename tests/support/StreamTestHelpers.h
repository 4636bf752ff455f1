#pragma once

#include "core/stream/paClasses.h"
#include "support/StreamTestClasses.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::test {

std::string Hex(std::string_view bytes);

// Builds streams by hand, for damaged and crafted input.
struct TBytes {
    std::string Data;
    TClassWriter W{Data};

    TBytes& Tag(TIdentType t) { return W.WriteTag(t), *this; }
    TBytes& Int(std::int32_t v) { return W.WriteRawInteger(v), *this; }
    TBytes& Str(std::string_view s) { return W.WriteRawString(s), *this; }
    TBytes& Raw(std::string_view s) { return Data.append(s), *this; }
    TBytes& Begin(std::string_view cls) { return Tag(TIdentType::itObjectBegin).Str(cls); }
    TBytes& End(std::string_view cls) { return Tag(TIdentType::itObjectEnd).Str(cls); }
    TBytes& Prop(std::string_view name) { return Tag(TIdentType::itPropName).Str(name); }
    TBytes& IntValue(std::int32_t v) { return Tag(TIdentType::itInt32).Int(v); }
    TBytes& StrValue(std::string_view s) { return Tag(TIdentType::itString).Str(s); }
    TBytes& EnumValue(std::string_view s) { return Tag(TIdentType::itEnum).Str(s); }
    TBytes& FloatValue(double v) { return W.WriteFloat(v), *this; }
};

class StreamTest : public ::testing::Test {
protected:
    StreamTest() { RegisterStreamTestClasses(Registry); }

    static std::string Write(const TPersistent& obj) {
        std::string out;
        TClassWriter w(out);
        w.WriteObject(obj);
        return out;
    }

    // Reads one object that must fill the whole stream.
    template <class T> std::unique_ptr<T> Read(std::string_view bytes, bool ignoreUnknown = false) {
        TStreamView stream{bytes};
        TClassReader reader(stream, ignoreUnknown, Registry);
        std::unique_ptr<T> obj;
        EXPECT_TRUE(reader.ReadObjectAs(obj, false)) << reader.LastError();
        EXPECT_TRUE(reader.AtEnd());
        return obj;
    }

    // Answers the reader's error, or "" when the object was read.
    template <class T = TPersistent>
    std::string ReadError(std::string_view bytes, bool ignoreUnknown = false) {
        TStreamView stream{bytes};
        TClassReader reader(stream, ignoreUnknown, Registry);
        std::unique_ptr<T> obj;
        if (reader.ReadObjectAs(obj, false))
            return "";
        EXPECT_EQ(stream.Position, 0u) << "a failed read goes back to the value";
        return reader.LastError();
    }

    // The names of the properties written at the top level of one object.
    std::vector<std::string> PropertyNames(std::string_view bytes);

    TClassRegistry Registry;
};

} // namespace kelvo::test
