#pragma once
// The private-profile (INI) file service: one file, read afresh and written one key at a time.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexlo::platform {

class ProfileFile {
  public:
    virtual ~ProfileFile() = default;

    // The value of `key` in `section` (names compared without regard to case), or nullopt when
    // the file, the section or the key is missing.
    virtual std::optional<std::string> read(std::string_view section,
                                            std::string_view key) const = 0;

    // Replaces the key's line, or adds it (creating the file and the section when missing),
    // keeping every other line. Returns false when the write failed; the file is then untouched.
    virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;

    // The string read: the value (or `fallback` when missing) up to its first NUL, cut to
    // `maxChars` characters of UTF-8 without splitting one.
    std::string getString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t maxChars = 49) const;

    // The integer read: the whole number spelled by the value's leading digits after blanks (an
    // optional leading "-" included), saturated to the int range; 0 when it does not begin with
    // a number ("abc", "+1", "-"); `fallback` when missing.
    int getInt(std::string_view section, std::string_view key, int fallback) const;
};

// The first `maxChars` characters of a UTF-8 text, cut at its first NUL. A byte that is not
// part of a well-formed sequence counts as one character, so junk never leaves half a character.
std::string cutText(std::string_view text, std::size_t maxChars);

// The integer read of one value text (see `ProfileFile::getInt`).
int leadingInteger(std::string_view text);

}  // namespace vexlo::platform
