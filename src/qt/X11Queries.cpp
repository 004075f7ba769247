#include "qt/X11Queries.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef VEXLO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace vexlo::qtview {

xcb_connection_t* x11Connection() {
#ifdef VEXLO_HAVE_XCB
    const auto* x11 = qGuiApp == nullptr
                          ? nullptr
                          : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 == nullptr ? nullptr : x11->connection();
#else
    return nullptr;
#endif
}

std::uint32_t x11Atom(xcb_connection_t* xcb, const char* name, bool onlyIfExists) {
#ifdef VEXLO_HAVE_XCB
    const auto cookie =
        xcb_intern_atom(xcb, onlyIfExists ? 1 : 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(xcb, cookie, nullptr);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
#else
    (void)xcb;
    (void)name;
    (void)onlyIfExists;
    return 0;
#endif
}

namespace {

#ifdef VEXLO_HAVE_XCB
xcb_window_t rootWindow(xcb_connection_t* xcb) {
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(xcb));
    return screens.rem > 0 ? screens.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

#endif

}  // namespace

bool x11PointerButtonHeld() {
#ifdef VEXLO_HAVE_XCB
    xcb_connection_t* xcb = x11Connection();
    if (xcb == nullptr) return false;
    const xcb_window_t root = rootWindow(xcb);
    if (root == XCB_WINDOW_NONE) return false;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(xcb, xcb_query_pointer(xcb, root), nullptr);
    if (reply == nullptr) return false;
    constexpr std::uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    const bool held = (reply->mask & buttons) != 0;
    std::free(reply);
    return held;
#else
    return false;
#endif
}

std::optional<bool> x11ManagerSupports(const char* hint) {
#ifdef VEXLO_HAVE_XCB
    xcb_connection_t* xcb = x11Connection();
    if (xcb == nullptr) return std::nullopt;
    const xcb_window_t root = rootWindow(xcb);
    const xcb_atom_t supported = x11Atom(xcb, "_NET_SUPPORTED", true);
    const xcb_atom_t wanted = x11Atom(xcb, hint, true);
    // An atom no client has named yet is in no manager's list.
    if (root == XCB_WINDOW_NONE || supported == XCB_ATOM_NONE || wanted == XCB_ATOM_NONE)
        return false;
    bool found = false;
    std::uint32_t offset = 0;
    for (;;) {
        const auto cookie = xcb_get_property(xcb, 0, root, supported, XCB_ATOM_ATOM, offset, 1024);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(xcb, cookie, nullptr);
        if (reply == nullptr) break;
        const int count = reply->format == 32 ? xcb_get_property_value_length(reply) / 4 : 0;
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        for (int i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
        const bool more = reply->bytes_after > 0 && count > 0;
        offset += static_cast<std::uint32_t>(count);
        std::free(reply);
        if (found || !more) break;
    }
    return found;
#else
    (void)hint;
    return std::nullopt;
#endif
}

}  // namespace vexlo::qtview
