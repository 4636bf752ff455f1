#include "core/util/paError.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(ErrorMessage, JoinsTextAndReasonOnlyWhenBothAreGiven) {
    EXPECT_EQ(std::string(EpaError("Can not create a window", "Access denied").what()),
              "Can not create a window\r\nAccess denied");
    EXPECT_EQ(std::string(EpaError("", "Access denied").what()), "Access denied");
    EXPECT_EQ(std::string(EpaError("Text only").what()), "Text only");
    EXPECT_EQ(EpaWarning("w", "", 7).Code(), 7);
}

TEST(ErrorMessage, SeveritiesAreCaughtAsTheBase) {
    try {
        throw EpaHint("hint");
    } catch (const EpaError& e) {
        EXPECT_STREQ(e.what(), "hint");
    }
}

} // namespace
} // namespace kelvo
