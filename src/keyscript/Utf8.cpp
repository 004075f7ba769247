#include "keyscript/Utf8.h"

namespace vexlo::keyscript {

namespace {

// Length of the sequence at `i` and its code point; 0 when it is not well formed.
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& character) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    character = cp;
    return length;
}

}  // namespace

std::optional<DecodedText> decodeUtf8(std::string_view text, Utf8Error* error) {
    DecodedText decoded;
    decoded.characters.reserve(text.size());
    decoded.byteOffsets.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t character = 0;
        const std::size_t length = sequenceAt(text, i, character);
        if (length == 0) {
            if (error) *error = {i, decoded.characters.size()};
            return std::nullopt;
        }
        decoded.characters.push_back(character);
        decoded.byteOffsets.push_back(i);
        i += length;
    }
    return decoded;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    char32_t character = 0;
    while (i < text.size()) {
        const std::size_t length = sequenceAt(text, i, character);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c) {
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

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) appendUtf8(out, c);
    return out;
}

}  // namespace vexlo::keyscript
