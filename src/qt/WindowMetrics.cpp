#include "qt/WindowMetrics.h"

#include <algorithm>
#include <cmath>

namespace vexlo::qtview {

namespace {
constexpr double FallbackTwipsPerPixel = 15;  // 96 DPI
}

PixelScale PixelScale::fromDpi(double dpiX, double dpiY) {
    auto perPixel = [](double dpi) {
        return dpi > 0 ? platform::TwipsPerInch / dpi : FallbackTwipsPerPixel;
    };
    return {perPixel(dpiX), perPixel(dpiY)};
}

int toPixels(platform::Twips twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

platform::Twips toTwips(int pixels, double twipsPerPixel) {
    return static_cast<platform::Twips>(std::lround(pixels * twipsPerPixel));
}

ClientSize clientSizeFor(OuterSize outer, FrameSize frame, PixelScale scale) {
    // The outer size is rounded once, so the window manager's window is the class height to
    // the pixel; the frame takes what it takes.
    const auto width = std::lround(outer.width / scale.x - frame.left - frame.right);
    const auto height = std::lround(outer.height / scale.y - frame.top - frame.bottom);
    return {static_cast<int>(std::max(1L, width)), static_cast<int>(std::max(1L, height))};
}

OuterSize outerSizeFor(ClientSize client, FrameSize frame, PixelScale scale) {
    return {static_cast<platform::Twips>(
                std::lround((client.width + frame.left + frame.right) * scale.x)),
            static_cast<platform::Twips>(
                std::lround((client.height + frame.top + frame.bottom) * scale.y))};
}

}  // namespace vexlo::qtview
