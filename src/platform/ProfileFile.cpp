#include "platform/ProfileFile.h"

#include <climits>

namespace vexlo::platform {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the start of `s`, or 1 for a byte that starts none.
std::size_t sequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t length = 1;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 1;
    }
    if (s.size() < length) return 1;
    const auto second = static_cast<unsigned char>(s[1]);
    if (second < low || second > high) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(s[i]))) return 1;
    }
    return length;
}

}  // namespace

std::string cutText(std::string_view text, std::size_t maxChars) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < maxChars && pos < text.size(); ++chars) {
        pos += sequenceLength(text.substr(pos));
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
