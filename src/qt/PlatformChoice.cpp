#include "qt/PlatformChoice.h"

#include <cstdlib>

namespace vexlo::qtview {

void preferNativeWayland() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    // Without WAYLAND_DISPLAY a "wayland" session type alone has no compositor to reach.
    if (set("QT_QPA_PLATFORM") || !set("WAYLAND_DISPLAY")) return;
    ::setenv("QT_QPA_PLATFORM", "wayland;xcb", 1);
}

}  // namespace vexlo::qtview
