// libFuzzer target: arbitrary bytes as a settings file, a key, a value and a colour text.
// Checks that reading never fails, that a write reads back exactly, and that a write changes no
// other key.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/IniDocument.h"
#include "platform/ProfileFile.h"
#include "shell/settings/ColourText.h"

using vexlo::platform::IniDocument;

namespace {

// Splits the input at the first two 0xFF bytes: file text, key, value.
void split(std::string_view data, std::string_view& text, std::string_view& key,
           std::string_view& value) {
    const std::size_t first = data.find('\xFF');
    text = data.substr(0, first);
    if (first == std::string_view::npos) return;
    const std::string_view rest = data.substr(first + 1);
    const std::size_t second = rest.find('\xFF');
    key = rest.substr(0, second);
    if (second != std::string_view::npos) value = rest.substr(second + 1);
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    std::string_view text;
    std::string_view key = "FontDef";
    std::string_view value = "Arial";
    split(data, text, key, value);

    (void)vexlo::shell::readColourText(data);
    (void)vexlo::platform::leadingInteger(data);
    check(vexlo::platform::cutText(data, 49).size() <= data.size());

    IniDocument document{std::string(text)};
    (void)document.value("VEXLO", key);
    const std::string before = document.text();
    const auto otherKey = document.value("VEXLO", "Other");
    const auto otherSection = document.value("OTHER", key);
    if (document.setValue("VEXLO", key, value)) {
        // Line breaks in a value are written as blanks.
        std::string expected(value);
        for (char& c : expected) {
            if (c == '\r' || c == '\n') c = ' ';
        }
        check(document.value("VEXLO", key) == expected);
        if (document.value("VEXLO", "Other") != otherKey) {
            std::string lower(key);
            for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            check(lower == "other");
        }
        check(document.value("OTHER", key) == otherSection);
        // Writing the same value again changes nothing.
        const std::string once = document.text();
        check(document.setValue("VEXLO", key, value));
        check(document.text() == once);
    } else {
        check(document.text() == before);
    }
    return 0;
}
