#pragma once
// Which Qt platform the window runs on. Under a Wayland session the calculator runs through
// XWayland when it can: it places its windows at stored positions, opens its popup at the
// window's corner and keeps itself on top, none of which Wayland lets a client do.

namespace vexlo::qtview {

// Sets QT_QPA_PLATFORM to "xcb" for this process when the session is Wayland, an X server is
// reachable through XWayland, and the user chose no platform of their own.
void preferXWaylandUnderWayland();

}  // namespace vexlo::qtview
