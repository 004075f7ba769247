#pragma once
// Strict UTF-8 for script text: overlong forms, surrogates, values beyond U+10FFFF and cut
// sequences are errors, reported by where they start.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::keyscript {

struct DecodedText {
    std::u32string characters;
    std::vector<std::size_t> byteOffsets;  // where each character starts in the input
};

struct Utf8Error {
    std::size_t byteOffset;      // 0-based offset of the first bad byte
    std::size_t characterIndex;  // 0-based index of the character that could not be read
};

// The code points of `text`, or where the first invalid sequence starts.
std::optional<DecodedText> decodeUtf8(std::string_view text, Utf8Error* error = nullptr);

void appendUtf8(std::string& out, char32_t character);
std::string toUtf8(std::u32string_view text);

}  // namespace vexlo::keyscript
