#include "core/util/Slot.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace kelvo {
namespace {

TEST(Slot, CallsWhatItHoldsInPlaceOrOnTheHeapAndCopiesAndMovesIt) {
    int calls = 0;
    TSlot<int(int)> small = [&calls](int x) { return x + ++calls; };
    EXPECT_EQ(small(10), 11);
    // Bigger than a pointer and not trivially copied: on the heap, copied with its state.
    auto shared = std::make_shared<std::string>("abc");
    TSlot<std::size_t(int)> big = [shared, text = std::string(40, 'x')](int x) {
        return shared->size() + text.size() + static_cast<std::size_t>(x);
    };
    TSlot<std::size_t(int)> copy = big;
    EXPECT_EQ(shared.use_count(), 3);
    EXPECT_EQ(copy(1), 44u);
    TSlot<std::size_t(int)> moved = std::move(big);
    EXPECT_FALSE(big);
    EXPECT_EQ(moved(0), 43u);
    moved = nullptr;
    copy = nullptr;
    EXPECT_EQ(shared.use_count(), 1);
    EXPECT_THROW(moved(0), std::bad_function_call);
}

TEST(Slot, AnEmptyFunctionOrPointerLeavesItEmpty) {
    TSlot<void()> slot = std::function<void()>();
    EXPECT_FALSE(slot);
    void (*none)() = nullptr;
    slot = none;
    EXPECT_FALSE(slot);
    static int hits = 0;
    slot = std::function<void()>([] { ++hits; });
    ASSERT_TRUE(slot);
    slot();
    EXPECT_EQ(hits, 1);
    static_assert(sizeof(TSlot<void(int)>) == 2 * sizeof(void*));
}

} // namespace
} // namespace kelvo
