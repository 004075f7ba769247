#pragma once
// The settings file's one section and nineteen keys, in the order start-up reads them, with
// their kinds and defaults, and the start-up read of all of them into holding places; and the
// tape window's four keys, read when that window first opens.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ProfileFile.h"

namespace vexlo::shell {

inline constexpr std::string_view SettingsSection = "VEXLO";

// Text values arrive through a 50-character buffer: at most 49 characters.
inline constexpr std::size_t SettingTextChars = 49;

// The values start-up reads, each into its holding place; colours stay texts until applied
// (see ColourText.h). A key missing from the file takes the default written here, the one
// place of the defaults.
struct StoredSettings {
    std::string displayFont = "System";
    int windowTop = 0;
    int windowLeft = 0;
    int fontWindowTop = 1830;
    int fontWindowLeft = 3555;
    std::string displayText = "0.";
    int resumeMode = 0;
    int windowHeight = 855;
    int windowWidth = 5295;
    int onTop = 0;
    int language = 0;
    int warningMode = 0;
    std::string mainColour = "&HFFFF";
    std::string displayTextColour = "&H404040";
    std::string memoryTextColour = "&HFF&";
    std::string operatorTextColour = "&H400000";
    std::string resumeColour = "&HFFF";

    bool operator==(const StoredSettings&) const = default;
};

enum class SettingKind { Text, Integer, Colour };

struct SettingKey {
    std::string_view name;
    SettingKind kind;
    std::string StoredSettings::*text;  // holding place of a Text or Colour key
    int StoredSettings::*integer;       // holding place of an Integer key
    // Form3Top and Form3Left are written beside Form2Top and Form2Left but never read.
    bool isRead() const { return text != nullptr || integer != nullptr; }
};

// clang-format off
inline constexpr std::array<SettingKey, 19> SettingKeys{{
    {"FontDef",   SettingKind::Text,     &StoredSettings::displayFont, nullptr},
    {"FormTop",   SettingKind::Integer,  nullptr, &StoredSettings::windowTop},
    {"FormLeft",  SettingKind::Integer,  nullptr, &StoredSettings::windowLeft},
    {"Form2Top",  SettingKind::Integer,  nullptr, &StoredSettings::fontWindowTop},
    {"Form2Left", SettingKind::Integer,  nullptr, &StoredSettings::fontWindowLeft},
    {"Dumy",      SettingKind::Text,     &StoredSettings::displayText, nullptr},
    {"EndMem",    SettingKind::Integer,  nullptr, &StoredSettings::resumeMode},
    {"SizeH",     SettingKind::Integer,  nullptr, &StoredSettings::windowHeight},
    {"SizeW",     SettingKind::Integer,  nullptr, &StoredSettings::windowWidth},
    {"AllFcs",    SettingKind::Integer,  nullptr, &StoredSettings::onTop},
    {"JpFont",    SettingKind::Integer,  nullptr, &StoredSettings::language},
    {"AtsNoA",    SettingKind::Integer,  nullptr, &StoredSettings::warningMode},
    {"MColor",    SettingKind::Colour,   &StoredSettings::mainColour, nullptr},
    {"LColor",    SettingKind::Colour,   &StoredSettings::displayTextColour, nullptr},
    {"RColor",    SettingKind::Colour,   &StoredSettings::memoryTextColour, nullptr},
    {"EColor",    SettingKind::Colour,   &StoredSettings::operatorTextColour, nullptr},
    {"XColor",    SettingKind::Colour,   &StoredSettings::resumeColour, nullptr},
    {"Form3Top",  SettingKind::Integer,  nullptr, nullptr},
    {"Form3Left", SettingKind::Integer,  nullptr, nullptr},
}};
// clang-format on

// The row of the key named `name`; a name that is not in the table does not compile.
consteval const SettingKey& settingKey(std::string_view name) {
    for (const SettingKey& key : SettingKeys) {
        if (key.name == name) return key;
    }
    throw "no such settings key";
}

// Key names for the writers, each checked against the table.
namespace keys {
inline constexpr std::string_view FontDef = settingKey("FontDef").name;
inline constexpr std::string_view FormTop = settingKey("FormTop").name;
inline constexpr std::string_view FormLeft = settingKey("FormLeft").name;
inline constexpr std::string_view Form2Top = settingKey("Form2Top").name;
inline constexpr std::string_view Form2Left = settingKey("Form2Left").name;
inline constexpr std::string_view Dumy = settingKey("Dumy").name;
inline constexpr std::string_view EndMem = settingKey("EndMem").name;
inline constexpr std::string_view SizeH = settingKey("SizeH").name;
inline constexpr std::string_view SizeW = settingKey("SizeW").name;
inline constexpr std::string_view AllFcs = settingKey("AllFcs").name;
inline constexpr std::string_view JpFont = settingKey("JpFont").name;
inline constexpr std::string_view AtsNoA = settingKey("AtsNoA").name;
inline constexpr std::string_view MColor = settingKey("MColor").name;
inline constexpr std::string_view LColor = settingKey("LColor").name;
inline constexpr std::string_view RColor = settingKey("RColor").name;
inline constexpr std::string_view EColor = settingKey("EColor").name;
inline constexpr std::string_view XColor = settingKey("XColor").name;
inline constexpr std::string_view Form3Top = settingKey("Form3Top").name;
inline constexpr std::string_view Form3Left = settingKey("Form3Left").name;
// The tape window's place and size, outside the start-up read.
inline constexpr std::string_view TapeTop = "TapeTop";
inline constexpr std::string_view TapeLeft = "TapeLeft";
inline constexpr std::string_view TapeHeight = "TapeHeight";
inline constexpr std::string_view TapeWidth = "TapeWidth";
}  // namespace keys

// Reads every key start-up reads, in the table's order: text and colour keys with the string
// read (49 characters), integer keys with the integer read; a missing key takes its default.
StoredSettings readStoredSettings(const platform::ProfileFile& profile);

// What the font window reads when it opens: displayFont, then fontWindowTop and fontWindowLeft.
struct FontWindowSettings {
    std::string displayFont;
    int fontWindowTop = 0;
    int fontWindowLeft = 0;
};
FontWindowSettings readFontWindowSettings(const platform::ProfileFile& profile);

// The tape window's place and size; a key missing from the file reads as `unset`.
struct TapeWindowSettings {
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};
TapeWindowSettings readTapeWindowSettings(const platform::ProfileFile& profile, int unset);

// Writes one key in the settings section; a failed write is silent (the result is for tests).
bool writeSetting(platform::ProfileFile& profile, std::string_view key, std::string_view value);
bool writeSetting(platform::ProfileFile& profile, std::string_view key, long long value);

}  // namespace vexlo::shell
