#include "keyscript/SettingsOverride.h"

#include "platform/AsciiCase.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::keyscript {

std::optional<std::string> SettingsOverride::read(std::string_view section,
                                                  std::string_view key) const {
    if (platform::sameNameIgnoringCase(section, shell::SettingsSection)) {
        if (language_ && platform::sameNameIgnoringCase(key, shell::keys::JpFont))
            return std::to_string(*language_);
        if (warningMode_ && platform::sameNameIgnoringCase(key, shell::keys::AtsNoA))
            return std::to_string(*warningMode_);
    }
    return file_.read(section, key);
}

}  // namespace vexlo::keyscript
