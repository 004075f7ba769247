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
    virtual std::optional<std::string> read(std::string_view section, std::string_view key) const = 0;

    // Replaces the key's line, or adds it (creating the file and the section when missing),
    // keeping every other line. Returns false when the write failed; the file is then untouched.
    virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;

    // The string read: the value, cut to `maxChars` characters, or `fallback` when missing.
    std::string getString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t maxChars = 49) const;

    // The integer read: the whole number spelled by the value's leading digits (an optional
    // leading "-" included), 0 when it does not begin with a number, `fallback` when missing.
    int getInt(std::string_view section, std::string_view key, int fallback) const;
};

}  // namespace vexlo::platform
