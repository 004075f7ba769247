#pragma once
// The text of an INI file, read and edited with the profile-file rules: section and key names
// compared without regard to case (ASCII) after trimming blanks, the first occurrence of a key
// wins, and an edit replaces one key's line while keeping every other byte, comment, unknown key
// and section in order. Every operation is one linear pass over the text; junk (NUL bytes,
// binary data, huge lines, keys outside any section) is tolerated and kept as it is.

#include <optional>
#include <string>
#include <string_view>

namespace vexlo::platform {

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string text);

    // The value of the first `key=` line in a section named `section` (a section named twice is
    // searched in file order), trimmed, with one pair of matching quotes ("…" or '…') removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the key's first line (keeping its indentation, spelling and line end), or appends
    // the key after the last non-blank line of the section's first occurrence, or appends the
    // section and the key at the end. A value that reading would alter (blanks at either end, or
    // wrapped in matching quotes) is written in double quotes, so it reads back as given; line
    // breaks in it become blanks. Returns false, changing nothing, for names that cannot be
    // written as a line (empty key, "=" in a key, "]" in a section, line breaks, blanks at
    // either end, a key beginning with ";" or "[").
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // Line end for lines this document adds: the file's own (from its first line: "\r\n", "\n"
    // or a lone "\r"), "\n" when it has none. Lines may end in any of the three.
    std::string_view lineEnd() const;

    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace vexlo::platform
