#include "keyscript/Utf8.h"

#include "platform/Utf8.h"

namespace vexlo::keyscript {

std::optional<DecodedText> decodeUtf8(std::string_view text, Utf8Error* error) {
    DecodedText decoded;
    decoded.characters.reserve(text.size());
    decoded.byteOffsets.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = platform::utf8::sequenceLength(text, i);
        if (length == 0) {
            if (error) *error = {i, decoded.characters.size()};
            return std::nullopt;
        }
        decoded.characters.push_back(platform::utf8::decode(text, i, length));
        decoded.byteOffsets.push_back(i);
        i += length;
    }
    return decoded;
}

void appendUtf8(std::string& out, char32_t c) {
    platform::utf8::append(out, c);
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) appendUtf8(out, c);
    return out;
}

}  // namespace vexlo::keyscript
