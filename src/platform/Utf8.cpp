#include "platform/Utf8.h"

namespace vexlo::platform::utf8 {

std::size_t sequenceLength(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    // The second byte's range excludes overlong forms, surrogates and values past U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
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
        return 0;
    }
    if (text.size() - pos < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

char32_t decode(std::string_view text, std::size_t pos, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (length == 1) return lead;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<unsigned char>(text[pos + k]) & 0x3F);
    }
    return code;
}

bool isValid(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = sequenceLength(text, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += characterSize(text, pos)) ++count;
    return count;
}

std::string replaceInvalid(std::string_view text) {
    // Each bad byte grows to three: room for the worst case, then trimmed.
    std::string out(3 * text.size(), '\0');
    char* write = out.data();
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const std::size_t length = byte < 0x80 ? 1 : sequenceLength(text, pos);
        if (length == 0) {
            *write++ = '\xEF';
            *write++ = '\xBF';
            *write++ = '\xBD';
            ++pos;
        } else {
            for (std::size_t k = 0; k < length; ++k) *write++ = text[pos++];
        }
    }
    out.resize(static_cast<std::size_t>(write - out.data()));
    return out;
}

namespace {

bool isHiddenFormatting(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string mendForDisplay(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = sequenceLength(text, pos);
        if (length == 0 || isHiddenFormatting(decode(text, pos, length))) {
            out += "\xEF\xBF\xBD";
            pos += length == 0 ? 1 : length;
        } else {
            out.append(text, pos, length);
            pos += length;
        }
    }
    return out;
}

void append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace vexlo::platform::utf8
