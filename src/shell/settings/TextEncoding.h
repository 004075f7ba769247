#pragma once
// The settings file's encodings: UTF-8 (with or without a byte order mark), Shift-JIS (CP932) in
// a file carried over from a Japanese Windows system, or UTF-16 with a byte order mark (what
// Notepad saves as "Unicode").

#include <optional>
#include <string>
#include <string_view>

namespace vexlo::shell {

enum class FileEncoding { Utf8, Cp932, Utf16Le, Utf16Be };

// CP932 text converted to UTF-8, or nullopt when any byte of it is not CP932.
std::optional<std::string> cp932ToUtf8(std::string_view bytes);

// The UTF-16 encoding that `bytes` announce with their byte order mark, if any.
std::optional<FileEncoding> utf16ByOrderMark(std::string_view bytes);

// UTF-16 text (its byte order mark included, as U+FEFF) in UTF-8. `exact` tells whether it was
// well formed, so that encoding the result again gives back the same bytes; if not, an odd
// last byte and each unpaired surrogate read as U+FFFD.
struct Utf16Text {
    std::string text;
    bool exact = true;
};
Utf16Text utf16ToUtf8(std::string_view bytes, FileEncoding encoding);

// UTF-8 text in UTF-16, or nullopt when it is not well-formed UTF-8.
std::optional<std::string> utf8ToUtf16(std::string_view text, FileEncoding encoding);

}  // namespace vexlo::shell
