#include "core/options/ProgramOptions.h"
#include "platform/hotkeys/paHotKeyOptions.h"
#include "platform/hotkeys/paHotKeys.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(HotKeyOptions, TheDefaultsAreCtrlAltRCtrlAltQAndCtrlShiftT) {
    TProgramOptions options;
    const THotKey show = HotKeyOfOptions(options, 1);
    EXPECT_EQ(show.modifiers, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkAlt);
    EXPECT_EQ(show.key, 'R');
    const THotKey quick = HotKeyOfOptions(options, 2);
    EXPECT_EQ(quick.modifiers, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkAlt);
    EXPECT_EQ(quick.key, 'Q');
    const THotKey byTemplate = HotKeyOfOptions(options, 3);
    EXPECT_EQ(byTemplate.modifiers, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkShift);
    EXPECT_EQ(byTemplate.key, 'T');

    options.KeyboardActivateWin.SetValue(true);
    options.KeyboardActivateAlt.SetValue(false);
    options.KeyboardActivateKey.SetValue(0x70);
    EXPECT_EQ(HotKeyOfOptions(options, 1).modifiers,
              TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkWin);
    EXPECT_EQ(HotKeyOfOptions(options, 1).key, 0x70);
    EXPECT_EQ(HotKeyOfOptions(options, 4).key, 0);
}

} // namespace
} // namespace kelvo
