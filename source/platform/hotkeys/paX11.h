#pragma once

struct xcb_connection_t;

namespace kelvo {

// The X11 connection of the running Qt application; null on other platforms (Wayland,
// offscreen) or before the application exists.
xcb_connection_t* X11Connection();
// The root window of the default screen, 0 without X11.
unsigned X11RootWindow();
// True when a compositing manager owns the selection of the default screen.
bool X11CompositingManagerRunning();

} // namespace kelvo
