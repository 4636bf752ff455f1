#include "core/util/paText.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(DisplayText, Utf8StaysAndWindowsBytesAreDecoded) {
    EXPECT_EQ(DisplayText("Dr. M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x94\x94"),
              "Dr. M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x94\x94");
    EXPECT_EQ(DisplayText("Dr. M\xFCller"), "Dr. M\xC3\xBCller");
    // The 0x80 row: the euro sign, quotes, and the five unassigned bytes as themselves.
    EXPECT_EQ(DisplayText("\x80\x81\x8D\x8F\x90\x9D\x93\x94\x9F\xFF"),
              "\xE2\x82\xAC\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xE2\x80\x9C\xE2\x80\x9D"
              "\xC5\xB8\xC3\xBF");
}

TEST(DisplayText, MalformedUtf8IsReadAsTheWindowsCodePage) {
    // Overlong "/", a surrogate, a code point above U+10FFFF, a cut sequence.
    for (const char* text :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ab\xE2\x82"}) {
        EXPECT_FALSE(IsValidUtf8(text)) << text;
        EXPECT_TRUE(IsValidUtf8(DisplayText(text))) << text;
    }
    EXPECT_EQ(DisplayText("ab\xE2\x82"), "ab\xC3\xA2\xE2\x80\x9A");
    EXPECT_TRUE(IsValidUtf8("\xED\x9F\xBF\xF4\x8F\xBF\xBF"));
}

} // namespace
} // namespace kelvo
