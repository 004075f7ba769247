#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

StoredSettings readStoredSettings(const platform::ProfileFile& profile) {
    StoredSettings settings;
    for (const SettingKey& key : SettingKeys) {
        if (key.text != nullptr) {
            settings.*key.text =
                profile.getString(SettingsSection, key.name, settings.*key.text, SettingTextChars);
        } else if (key.integer != nullptr) {
            settings.*key.integer =
                profile.getInt(SettingsSection, key.name, settings.*key.integer);
        }
    }
    return settings;
}

FontWindowSettings readFontWindowSettings(const platform::ProfileFile& profile) {
    const StoredSettings defaults;
    FontWindowSettings settings;
    settings.displayFont =
        profile.getString(SettingsSection, keys::FontDef, defaults.displayFont, SettingTextChars);
    settings.fontWindowTop =
        profile.getInt(SettingsSection, keys::Form2Top, defaults.fontWindowTop);
    settings.fontWindowLeft =
        profile.getInt(SettingsSection, keys::Form2Left, defaults.fontWindowLeft);
    return settings;
}

TapeWindowSettings readTapeWindowSettings(const platform::ProfileFile& profile, int unset) {
    return {profile.getInt(SettingsSection, keys::TapeTop, unset),
            profile.getInt(SettingsSection, keys::TapeLeft, unset),
            profile.getInt(SettingsSection, keys::TapeHeight, unset),
            profile.getInt(SettingsSection, keys::TapeWidth, unset)};
}

bool writeSetting(platform::ProfileFile& profile, std::string_view key, std::string_view value) {
    return profile.write(SettingsSection, key, value);
}

bool writeSetting(platform::ProfileFile& profile, std::string_view key, long long value) {
    return profile.write(SettingsSection, key, std::to_string(value));
}

}  // namespace vexlo::shell
