#pragma once
// Geometry is kept in twips (1/1440 inch), colours as 0x00BBGGRR, as the window rules state them.

#include <cstdint>

namespace vexlo::platform {

using Twips = int;
using Colour = std::uint32_t;  // 0x00BBGGRR: red in the low byte

inline constexpr int TwipsPerInch = 1440;

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue) {
    return (blue & 0xFFu) << 16 | (green & 0xFFu) << 8 | (red & 0xFFu);
}

}  // namespace vexlo::platform
