#pragma once
// The settings file's encodings: UTF-8, or Shift-JIS (CP932) in a file carried over from a
// Japanese Windows system.

#include <string>
#include <string_view>

namespace vexlo::shell {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. NUL is allowed.
bool isValidUtf8(std::string_view bytes);

// CP932 text converted to UTF-8. A byte that starts no CP932 character becomes U+FFFD, so the
// result is always valid UTF-8 (and a rewritten file is never read as CP932 again).
std::string cp932ToUtf8(std::string_view bytes);

}  // namespace vexlo::shell
