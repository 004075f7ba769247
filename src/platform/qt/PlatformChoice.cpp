#include "platform/qt/PlatformChoice.h"

#include <cstdlib>
#include <string_view>

namespace vexlo::qtview {

void preferXWaylandUnderWayland() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (set("QT_QPA_PLATFORM") || !set("DISPLAY")) return;
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool wayland =
        set("WAYLAND_DISPLAY") || (session && std::string_view(session) == "wayland");
    if (wayland) ::setenv("QT_QPA_PLATFORM", "xcb", 0);
}

}  // namespace vexlo::qtview
