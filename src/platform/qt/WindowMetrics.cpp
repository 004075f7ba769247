#include "platform/qt/WindowMetrics.h"

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

ClientSize clientSizeFor(OuterSize outer, int menuBarPixels, PixelScale scale) {
    const int contentWidth = toPixels(outer.width - NominalNonClientWidth, scale.x);
    const int contentHeight = toPixels(outer.height - NominalNonClientHeight, scale.y);
    return {std::max(1, contentWidth), std::max(1, contentHeight) + menuBarPixels};
}

OuterSize outerSizeFor(ClientSize client, int menuBarPixels, PixelScale scale) {
    const int contentHeight = std::max(0, client.height - menuBarPixels);
    return {toTwips(client.width, scale.x) + NominalNonClientWidth,
            toTwips(contentHeight, scale.y) + NominalNonClientHeight};
}

}  // namespace vexlo::qtview
