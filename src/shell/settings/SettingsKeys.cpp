#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

StoredSettings readStoredSettings(const platform::ProfileFile& profile) {
    StoredSettings settings;
    for (const SettingKey& key : SettingKeys) {
        if (key.text != nullptr) {
            settings.*key.text =
                profile.getString(SettingsSection, key.name, key.textDefault, SettingTextChars);
        } else if (key.integer != nullptr) {
            settings.*key.integer = profile.getInt(SettingsSection, key.name, key.integerDefault);
        }
    }
    return settings;
}

FontWindowSettings readFontWindowSettings(const platform::ProfileFile& profile) {
    FontWindowSettings settings;
    constexpr const SettingKey& font = settingKey("FontDef");
    constexpr const SettingKey& top = settingKey("Form2Top");
    constexpr const SettingKey& left = settingKey("Form2Left");
    settings.displayFont =
        profile.getString(SettingsSection, font.name, font.textDefault, SettingTextChars);
    settings.fontWindowTop = profile.getInt(SettingsSection, top.name, top.integerDefault);
    settings.fontWindowLeft = profile.getInt(SettingsSection, left.name, left.integerDefault);
    return settings;
}

bool writeSetting(platform::ProfileFile& profile, std::string_view key, std::string_view value) {
    return profile.write(SettingsSection, key, value);
}

bool writeSetting(platform::ProfileFile& profile, std::string_view key, long long value) {
    return profile.write(SettingsSection, key, std::to_string(value));
}

}  // namespace vexlo::shell
