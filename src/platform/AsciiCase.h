#pragma once
// Names the program compares as the platform it comes from did: ASCII letters without regard to
// case, every other byte as it is.

#include <string_view>

namespace vexlo::platform {

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

}  // namespace vexlo::platform
