#include "platform/hotkeys/paHotKeys.h"

#include "platform/hotkeys/paX11.h"

#include <QCoreApplication>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace kelvo {

namespace {

// Caps Lock and Num Lock must not stop a hot key, so each grab is made with every
// combination of them.
constexpr std::uint16_t LockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                       XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t RelevantMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

} // namespace

TGlobalHotKeys::TGlobalHotKeys(QObject* parent) : QObject(parent) {
    connection_ = X11Connection();
    if (!connection_)
        return;
    root_ = X11RootWindow();
    symbols_ = xcb_key_symbols_alloc(connection_);
    if (!root_ || !symbols_) {
        connection_ = nullptr;
        return;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TGlobalHotKeys::~TGlobalHotKeys() {
    if (!connection_)
        return;
    UnregisterAll();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    xcb_key_symbols_free(symbols_);
}

std::uint16_t TGlobalHotKeys::X11Modifiers(unsigned modifiers) {
    std::uint16_t mask = 0;
    if (modifiers & hkAlt)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & hkCtrl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & hkShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & hkWin)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

unsigned TGlobalHotKeys::KeySymOfVirtualKey(int vk) {
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<unsigned>(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9')
        return static_cast<unsigned>(vk);
    if (vk >= 0x70 && vk <= 0x87) // F1 to F24
        return 0xFFBEu + static_cast<unsigned>(vk - 0x70);
    if (vk >= 0x60 && vk <= 0x69) // keypad digits
        return 0xFFB0u + static_cast<unsigned>(vk - 0x60);
    switch (vk) {
    case 0x08:
        return 0xFF08; // Backspace
    case 0x09:
        return 0xFF09; // Tab
    case 0x0D:
        return 0xFF0D; // Return
    case 0x13:
        return 0xFF13; // Pause
    case 0x1B:
        return 0xFF1B; // Escape
    case 0x20:
        return 0x20; // space
    case 0x21:
        return 0xFF55; // Page Up
    case 0x22:
        return 0xFF56; // Page Down
    case 0x23:
        return 0xFF57; // End
    case 0x24:
        return 0xFF50; // Home
    case 0x25:
        return 0xFF51; // Left
    case 0x26:
        return 0xFF52; // Up
    case 0x27:
        return 0xFF53; // Right
    case 0x28:
        return 0xFF54; // Down
    case 0x2C:
        return 0xFF61; // Print
    case 0x2D:
        return 0xFF63; // Insert
    case 0x2E:
        return 0xFFFF; // Delete
    case 0x6A:
        return 0xFFAA; // keypad *
    case 0x6B:
        return 0xFFAB; // keypad +
    case 0x6D:
        return 0xFFAD; // keypad -
    case 0x6E:
        return 0xFFAE; // keypad .
    case 0x6F:
        return 0xFFAF; // keypad /
    case 0xBA:
        return ';';
    case 0xBB:
        return '=';
    case 0xBC:
        return ',';
    case 0xBD:
        return '-';
    case 0xBE:
        return '.';
    case 0xBF:
        return '/';
    case 0xC0:
        return '`';
    case 0xDB:
        return '[';
    case 0xDC:
        return '\\';
    case 0xDD:
        return ']';
    case 0xDE:
        return '\'';
    default:
        return 0;
    }
}

bool TGlobalHotKeys::Register(int id, unsigned modifiers, int virtualKey) {
    Unregister(id);
    if (!connection_)
        return false;
    const unsigned keysym = KeySymOfVirtualKey(virtualKey);
    if (keysym == 0)
        return false;
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keysym);
    if (!codes)
        return false;
    const xcb_keycode_t keycode = codes[0];
    std::free(codes);
    if (keycode == XCB_NO_SYMBOL)
        return false;

    const TGrab grab{id, keycode, X11Modifiers(modifiers)};
    bool taken = false;
    for (const std::uint16_t lock : LockMasks) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection_, 1, root_, grab.modifiers | lock, keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            std::free(error);
            taken = true;
        }
    }
    if (taken) {
        // Another program holds the combination; ours must not linger half-grabbed.
        Ungrab(grab);
        return false;
    }
    grabs_.push_back(grab);
    return true;
}

void TGlobalHotKeys::Ungrab(const TGrab& grab) {
    for (const std::uint16_t lock : LockMasks)
        xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers | lock);
    xcb_flush(connection_);
}

void TGlobalHotKeys::Unregister(int id) {
    for (auto it = grabs_.begin(); it != grabs_.end();) {
        if (it->id == id) {
            Ungrab(*it);
            it = grabs_.erase(it);
        } else {
            ++it;
        }
    }
}

void TGlobalHotKeys::UnregisterAll() {
    for (const auto& grab : grabs_)
        Ungrab(grab);
    grabs_.clear();
}

bool TGlobalHotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    auto* press = static_cast<xcb_key_press_event_t*>(message);
    for (const auto& grab : grabs_) {
        if (press->detail == grab.keycode && (press->state & RelevantMask) == grab.modifiers) {
            emit hotKeyPressed(grab.id);
            return true;
        }
    }
    return false;
}

} // namespace kelvo
