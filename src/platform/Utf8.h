#pragma once
// UTF-8, the one text encoding inside the program: well-formed sequences (no overlong forms,
// surrogates or values beyond U+10FFFF), counting characters, and mending broken text.

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlo::platform::utf8 {

// Byte length of the well-formed sequence starting at text[pos]; 0 when none starts there.
std::size_t sequenceLength(std::string_view text, std::size_t pos);

// Byte length of the character at text[pos]: a byte that starts no well-formed sequence is a
// character of its own, so counting and cutting never split a real character.
inline std::size_t characterSize(std::string_view text, std::size_t pos) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) return 1;
    const std::size_t length = sequenceLength(text, pos);
    return length == 0 ? 1 : length;
}

// The code point of the well-formed sequence of `length` bytes at text[pos].
char32_t decode(std::string_view text, std::size_t pos, std::size_t length);

bool isValid(std::string_view text);
std::size_t characterCount(std::string_view text);

// Each byte that starts no well-formed sequence becomes U+FFFD.
std::string replaceInvalid(std::string_view text);

// Text fit for the display: as replaceInvalid, and each control character (C0, DEL, C1) and
// each bidirectional formatting character or mark becomes U+FFFD as well, so no text from
// outside can reorder or hide what the display shows.
std::string mendForDisplay(std::string_view text);

void append(std::string& out, char32_t character);

}  // namespace vexlo::platform::utf8
