#pragma once
// The settings file's encodings: UTF-8, or Shift-JIS (CP932) in a file carried over from a
// Japanese Windows system.

#include <optional>
#include <string>
#include <string_view>

namespace vexlo::shell {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. NUL is allowed.
bool isValidUtf8(std::string_view bytes);

// CP932 text converted to UTF-8, or nullopt when any byte of it is not CP932.
std::optional<std::string> cp932ToUtf8(std::string_view bytes);

}  // namespace vexlo::shell
