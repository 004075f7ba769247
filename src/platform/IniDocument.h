#pragma once
// The text of an INI file, read and edited with the profile-file rules: section and key names
// compared without regard to case, the first occurrence of a key wins, and an edit replaces one
// key's line while keeping every other line, comment, unknown key and section in order.

#include <optional>
#include <string>
#include <string_view>

namespace vexlo::platform {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string text);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the key's line (or appends the key to its section, or appends the section).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace vexlo::platform
