#pragma once
// Between the model's outer window size in twips and the real window's client size in pixels.
//
// The model's outer size holds a title bar, borders and a menu bar of the size its layout rules
// were written for. The real window manager draws a frame of its own and Qt's menu bar has its
// own height, so the view keeps the area below the menu bar exactly as the model has it and lets
// the real frame and menu bar take whatever room they take:
//
//   model outer height = content height + NominalNonClientHeight
//   real client height = content height + real menu bar height   (the frame lies outside)
//   model outer width  = content width  + NominalNonClientWidth
//   real client width  = content width
//
// So the display sits where the rules put it in every size class, and neither frame is counted
// twice.

#include "platform/Twips.h"

namespace vexlo::qtview {

// The nominal non-client parts, in twips (pixels at 96 DPI in brackets): a title bar of 285
// (19), a sizing border of 60 (4) on every side, and a one-line menu bar of 285 (19).
inline constexpr platform::Twips NominalTitleBar = 285;
inline constexpr platform::Twips NominalBorder = 60;
inline constexpr platform::Twips NominalMenuBar = 285;
inline constexpr platform::Twips NominalNonClientHeight =
    NominalTitleBar + NominalMenuBar + 2 * NominalBorder;                    // 690
inline constexpr platform::Twips NominalNonClientWidth = 2 * NominalBorder;  // 120

// Twips per pixel in each direction: 1440 / logical DPI (15 at 96 DPI, 7.5 at 192).
struct PixelScale {
    double x = 15;
    double y = 15;
    static PixelScale fromDpi(double dpiX, double dpiY);
};

int toPixels(platform::Twips twips, double twipsPerPixel);
platform::Twips toTwips(int pixels, double twipsPerPixel);

struct ClientSize {
    int width = 0;
    int height = 0;
    bool operator==(const ClientSize&) const = default;
};

struct OuterSize {
    platform::Twips width = 0;
    platform::Twips height = 0;
    bool operator==(const OuterSize&) const = default;
};

// The real client size (menu bar included) for the model's outer size.
ClientSize clientSizeFor(OuterSize outer, int menuBarPixels, PixelScale scale);

// The model's outer size for a real client size (menu bar included).
OuterSize outerSizeFor(ClientSize client, int menuBarPixels, PixelScale scale);

}  // namespace vexlo::qtview
