#include "keyscript/SettingsOverride.h"

#include <algorithm>
#include <cctype>

#include "shell/settings/SettingsKeys.h"

namespace vexlo::keyscript {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::optional<std::string> SettingsOverride::read(std::string_view section,
                                                  std::string_view key) const {
    if (sameName(section, shell::SettingsSection)) {
        if (JpFont_ && sameName(key, shell::keys::JpFont)) return std::to_string(*JpFont_);
        if (AtsNoA_ && sameName(key, shell::keys::AtsNoA)) return std::to_string(*AtsNoA_);
    }
    return file_.read(section, key);
}

}  // namespace vexlo::keyscript
