#pragma once
// Which Qt platform the window runs on. Under a Wayland session the calculator runs natively:
// its text is drawn at the screen's scale instead of being blown up from 1× by XWayland, and
// what Wayland forbids a client (placing its window, keeping it on top) it forbids under
// XWayland's managers as well.

namespace vexlo::qtview {

// Sets QT_QPA_PLATFORM to "wayland;xcb" for this process when a Wayland display is there and the
// user chose no platform of their own: native Wayland, X11 where Qt's Wayland plugin is missing.
void preferNativeWayland();

}  // namespace vexlo::qtview
