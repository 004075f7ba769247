#pragma once
// What the X server and its window manager tell, where the window runs on X11.

#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace vexlo::qtview {

// The application's connection to the X server; null off X11.
xcb_connection_t* x11Connection();

// The atom named `name`; with `onlyIfExists`, 0 when no client has named it yet.
std::uint32_t x11Atom(xcb_connection_t* xcb, const char* name, bool onlyIfExists = false);

// Whether a mouse button is held now anywhere on the screen, as the X server sees it (a window
// manager's interactive resize holds the pointer, so the window sees no button itself). False
// off X11.
bool x11PointerButtonHeld();

// Whether the window manager lists the hint (an atom name such as "_NET_WM_STATE_ABOVE") in its
// _NET_SUPPORTED; nothing off X11.
std::optional<bool> x11ManagerSupports(const char* hint);

}  // namespace vexlo::qtview
