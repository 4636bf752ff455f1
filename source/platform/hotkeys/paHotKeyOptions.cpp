#include "platform/hotkeys/paHotKeyOptions.h"

#include "core/options/ProgramOptions.h"
#include "platform/hotkeys/paHotKeys.h"

namespace kelvo {

namespace {

THotKey Compose(bool alt, bool ctrl, bool shift, bool win, int key) {
    THotKey hotKey;
    hotKey.modifiers = (alt ? TGlobalHotKeys::hkAlt : 0u) | (ctrl ? TGlobalHotKeys::hkCtrl : 0u) |
                       (shift ? TGlobalHotKeys::hkShift : 0u) | (win ? TGlobalHotKeys::hkWin : 0u);
    hotKey.key = key;
    return hotKey;
}

} // namespace

THotKey HotKeyOfOptions(const TProgramOptions& o, int id) {
    switch (id) {
    case 1:
        return Compose(o.KeyboardActivateAlt.Value(), o.KeyboardActivateCtrl.Value(),
                       o.KeyboardActivateShift.Value(), o.KeyboardActivateWin.Value(),
                       o.KeyboardActivateKey.Value());
    case 2:
        return Compose(o.KeyboardQuickEventAlt.Value(), o.KeyboardQuickEventCtrl.Value(),
                       o.KeyboardQuickEventShift.Value(), o.KeyboardQuickEventWin.Value(),
                       o.KeyboardQuickEventKey.Value());
    case 3:
        return Compose(o.KeyboardEventByTemplateAlt.Value(), o.KeyboardEventByTemplateCtrl.Value(),
                       o.KeyboardEventByTemplateShift.Value(), o.KeyboardEventByTemplateWin.Value(),
                       o.KeyboardEventByTemplateKey.Value());
    default:
        return {};
    }
}

bool RegisterHotKeyFromOptions(TGlobalHotKeys& keys, const TProgramOptions& options, int id) {
    const THotKey hotKey = HotKeyOfOptions(options, id);
    return keys.Register(id, hotKey.modifiers, hotKey.key);
}

} // namespace kelvo
