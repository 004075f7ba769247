#include "platform/ProfileFile.h"

#include <climits>

#include "platform/Utf8.h"

namespace vexlo::platform {

std::string cutText(std::string_view text, std::size_t maxChars) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < maxChars && pos < text.size(); ++chars) {
        pos += utf8::characterSize(text, pos);
    }
    return std::string(text.substr(0, pos));
}

int leadingInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (negative) ++pos;
    // Accumulated as a negative number, whose range is the larger one.
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 - (text[pos] - '0');
        if (value < INT_MIN) return negative ? INT_MIN : INT_MAX;
    }
    if (negative) return static_cast<int>(value);
    return value < -INT_MAX ? INT_MAX : static_cast<int>(-value);
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t maxChars) const {
    const std::optional<std::string> value = read(section, key);
    return cutText(value ? std::string_view(*value) : fallback, maxChars);
}

int ProfileFile::getInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> value = read(section, key);
    return value ? leadingInteger(*value) : fallback;
}

}  // namespace vexlo::platform
