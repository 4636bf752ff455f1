#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <vector>

struct xcb_connection_t;
struct _XCBKeySymbols;

namespace kelvo {

// The program's system-wide hot keys as key grabs on the X11 root window. Keys are given
// as in the keyboard options: a virtual key code and the modifier bits below. Where the
// session offers no X11 connection (Wayland, offscreen) the hot keys are unavailable.
class TGlobalHotKeys : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    enum : unsigned { hkAlt = 1, hkCtrl = 2, hkShift = 4, hkWin = 8 };

    explicit TGlobalHotKeys(QObject* parent = nullptr);
    ~TGlobalHotKeys() override;

    bool Available() const { return connection_ != nullptr; }

    // Replaces the hot key of id. False when hot keys are unavailable, the key is 0 or has
    // no key on this keyboard, or another program holds the combination.
    bool Register(int id, unsigned modifiers, int virtualKey);
    void Unregister(int id);
    void UnregisterAll();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The X11 key symbol of a virtual key code; 0 for keys without one.
    static unsigned KeySymOfVirtualKey(int virtualKey);
    // The X11 modifier mask of the modifier bits.
    static std::uint16_t X11Modifiers(unsigned modifiers);

signals:
    void hotKeyPressed(int id);

private:
    struct TGrab {
        int id;
        std::uint8_t keycode;
        std::uint16_t modifiers;
    };
    void Ungrab(const TGrab& grab);

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    _XCBKeySymbols* symbols_ = nullptr;
    std::vector<TGrab> grabs_;
};

} // namespace kelvo
