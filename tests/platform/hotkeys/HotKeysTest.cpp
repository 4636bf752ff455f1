#include "platform/hotkeys/paHotKeys.h"
#include "platform/hotkeys/paX11.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace kelvo {
namespace {

QGuiApplication& Application() {
    static int argc = 1;
    static char name[] = "test_platform_hotkeys";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

bool IsChild() {
    return qEnvironmentVariableIsSet("KELVO_CHILD");
}

TEST(HotKeys, VirtualKeysMapToKeySymbols) {
    EXPECT_EQ(TGlobalHotKeys::KeySymOfVirtualKey('R'), unsigned('r'));
    EXPECT_EQ(TGlobalHotKeys::KeySymOfVirtualKey('7'), unsigned('7'));
    EXPECT_EQ(TGlobalHotKeys::KeySymOfVirtualKey(0x70), 0xFFBEu); // F1
    EXPECT_EQ(TGlobalHotKeys::KeySymOfVirtualKey(0x7B), 0xFFC9u); // F12
    EXPECT_EQ(TGlobalHotKeys::KeySymOfVirtualKey(0x2E), 0xFFFFu); // Delete
    EXPECT_EQ(TGlobalHotKeys::KeySymOfVirtualKey(0), 0u);
    EXPECT_EQ(TGlobalHotKeys::X11Modifiers(TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkAlt),
              XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
    EXPECT_EQ(TGlobalHotKeys::X11Modifiers(TGlobalHotKeys::hkShift | TGlobalHotKeys::hkWin),
              XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_4);
}

TEST(HotKeys, AreUnavailableWithoutX11) {
    if (IsChild())
        GTEST_SKIP();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application();
    TGlobalHotKeys keys;
    EXPECT_FALSE(keys.Available());
    EXPECT_FALSE(keys.Register(1, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkAlt, 'R'));
}

TEST(HotKeys, GrabKeysOnARealXServer) {
    if (IsChild())
        GTEST_SKIP();
    QProcess xvfb;
    xvfb.start("Xvfb",
               {"-displayfd", "1", "-nolisten", "tcp", "-noreset", "-screen", "0", "640x480x24"});
    if (!xvfb.waitForStarted(5000))
        GTEST_SKIP() << "Xvfb is not installed";
    QByteArray display;
    while (!display.contains('\n') && xvfb.waitForReadyRead(10000))
        display += xvfb.readAllStandardOutput();
    ASSERT_FALSE(display.trimmed().isEmpty());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KELVO_CHILD", "1");
    env.insert("QT_QPA_PLATFORM", "xcb");
    // libxkbcommon-x11 hands strndup strings that are not terminated, which the strict
    // string checks of a sanitizer build take for an overflow.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
    env.insert("DISPLAY", ":" + QString::fromLatin1(display.trimmed()));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("/proc/self/exe"), {"--gtest_filter=HotKeysChild.*"});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
}

// Runs inside the X session that GrabKeysOnARealXServer started.
TEST(HotKeysChild, GrabsDetectsConflictsAndReportsPresses) {
    if (!IsChild())
        GTEST_SKIP() << "runs only as a child process";
    Application();
    TGlobalHotKeys keys;
    ASSERT_TRUE(keys.Available());
    EXPECT_TRUE(keys.Register(1, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkAlt, 'R'));
    EXPECT_FALSE(keys.Register(2, TGlobalHotKeys::hkCtrl, 0));

    // Another program already holds Ctrl+Shift+T.
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(other), 0);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(other)).data;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(other);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 't');
    ASSERT_NE(codes, nullptr);
    const xcb_keycode_t t = codes[0];
    std::free(codes);
    xcb_grab_key(other, 1, screen->root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT, t,
                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
    EXPECT_FALSE(keys.Register(3, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkShift, 'T'));
    xcb_ungrab_key(other, t, screen->root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT);
    free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
    xcb_key_symbols_free(symbols);
    xcb_disconnect(other);
    // Once that program lets go, the key is ours.
    EXPECT_TRUE(keys.Register(3, TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkShift, 'T'));

    // A press of Ctrl+Alt+R (Num Lock on) as the X server delivers it for the grab.
    int pressed = 0;
    QObject::connect(&keys, &TGlobalHotKeys::hotKeyPressed, [&](int id) { pressed = id; });
    xcb_key_symbols_t* ours = xcb_key_symbols_alloc(X11Connection());
    xcb_keycode_t* r = xcb_key_symbols_get_keycode(ours, 'r');
    xcb_key_press_event_t press{};
    press.response_type = XCB_KEY_PRESS;
    press.detail = r[0];
    press.root = X11RootWindow();
    press.state = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_2;
    std::free(r);
    xcb_key_symbols_free(ours);
    EXPECT_TRUE(keys.nativeEventFilter("xcb_generic_event_t", &press, nullptr));
    EXPECT_EQ(pressed, 1);
    press.state = XCB_MOD_MASK_CONTROL; // Alt missing: not the hot key
    pressed = 0;
    EXPECT_FALSE(keys.nativeEventFilter("xcb_generic_event_t", &press, nullptr));
    EXPECT_EQ(pressed, 0);
    keys.Unregister(1);
    press.state = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    EXPECT_FALSE(keys.nativeEventFilter("xcb_generic_event_t", &press, nullptr));
}

} // namespace
} // namespace kelvo
