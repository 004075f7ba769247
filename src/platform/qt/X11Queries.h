#pragma once
// What the X server and its window manager tell, where the window runs on X11.

#include <optional>

namespace vexlo::qtview {

// Whether a mouse button is held now anywhere on the screen, as the X server sees it (a window
// manager's interactive resize holds the pointer, so the window sees no button itself). False
// off X11.
bool x11PointerButtonHeld();

// Whether the window manager lists the hint (an atom name such as "_NET_WM_STATE_ABOVE") in its
// _NET_SUPPORTED; nothing off X11.
std::optional<bool> x11ManagerSupports(const char* hint);

}  // namespace vexlo::qtview
