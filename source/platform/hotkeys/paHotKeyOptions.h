#pragma once

namespace kelvo {

class TProgramOptions;
class TGlobalHotKeys;

// The three hot keys of the keyboard options: 1 shows the main window, 2 adds a quick
// event, 3 adds an event by the selected template.
struct THotKey {
    unsigned modifiers = 0; // TGlobalHotKeys::hkAlt, hkCtrl, hkShift, hkWin
    int key = 0;            // virtual key; 0 for none
};
THotKey HotKeyOfOptions(const TProgramOptions& options, int id);

// Registers (or re-registers) hot key id from the options; false when it cannot be had.
bool RegisterHotKeyFromOptions(TGlobalHotKeys& keys, const TProgramOptions& options, int id);

} // namespace kelvo
