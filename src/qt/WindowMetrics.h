#pragma once
// Between the model's outer window size in twips and the real window's client size in pixels.
//
// The model's outer size is the whole window: frame, title bar, menu bar and client area. The
// real window manager draws a frame of its own, whose size it tells (FrameExtents.h); the menu
// bar is part of the client area. So
//
//   real outer size = model outer size in pixels = client size + the real frame
//
// and the window is exactly as tall as its size class on the screen. With no window manager (or
// none that tells its frame) the frame is empty and the outer size is the client size.

#include "platform/Twips.h"

namespace vexlo::qtview {

// The non-client parts the design's windows had, in twips (pixels at 96 DPI in brackets): a title
// bar of 285 (19), a sizing border of 60 (4) on every side, and a one-line menu bar of 285 (19).
// A fixed-size dialog takes them off its model size; the main window uses the real frame.
inline constexpr platform::Twips NominalTitleBar = 285;
inline constexpr platform::Twips NominalBorder = 60;
inline constexpr platform::Twips NominalMenuBar = 285;
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

// The frame the window manager draws around the client area, in pixels on each side; a
// fraction where the screen has more device pixels than pixels (5 device pixels at a ratio of 2
// are 2.5), so that the outer size comes out exact in device pixels.
struct FrameSize {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    bool operator==(const FrameSize&) const = default;
};

// The outer sizes a window may take, for the window manager's size hints.
struct SizeRange {
    OuterSize minimum;
    OuterSize maximum;
};

// The real client size (menu bar included) for the model's outer size; at least 1 x 1.
ClientSize clientSizeFor(OuterSize outer, FrameSize frame, PixelScale scale);

// The model's outer size for a real client size (menu bar included).
OuterSize outerSizeFor(ClientSize client, FrameSize frame, PixelScale scale);

}  // namespace vexlo::qtview
