#include "platform/hotkeys/paX11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

namespace kelvo {

xcb_connection_t* X11Connection() {
    if (!qGuiApp)
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

namespace {

int DefaultScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const int colon = display.lastIndexOf(':');
    return dot > colon ? display.mid(dot + 1).toInt() : 0;
}

xcb_screen_t* DefaultScreen(xcb_connection_t* connection) {
    int number = DefaultScreenNumber();
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it), --number)
        if (number == 0)
            return it.data;
    return nullptr;
}

} // namespace

unsigned X11RootWindow() {
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return 0;
    xcb_screen_t* screen = DefaultScreen(connection);
    return screen ? screen->root : 0;
}

bool X11CompositingManagerRunning() {
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return false;
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreenNumber());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
    if (!atom)
        return false;
    bool owned = false;
    if (atom->atom != XCB_ATOM_NONE) {
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
        owned = owner && owner->owner != XCB_WINDOW_NONE;
        std::free(owner);
    }
    std::free(atom);
    return owned;
}

} // namespace kelvo
