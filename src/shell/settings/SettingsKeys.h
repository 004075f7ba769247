#pragma once
// The settings file's one section and nineteen keys, in the order start-up reads them, with
// their kinds and defaults, and the start-up read of all of them into holding places.

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
// (see ColourText.h). The defaults here are the table's below (a test reads an empty file
// through the table and compares it with a default-made StoredSettings).
struct StoredSettings {
    std::string FontDef = "System";
    int FormTop = 0;
    int FormLeft = 0;
    int Form2Top = 1830;
    int Form2Left = 3555;
    std::string Dumy = "0.";
    int EndMem = 0;
    int SizeH = 855;
    int SizeW = 5295;
    int AllFcs = 0;
    int JpFont = 0;
    int AtsNoA = 0;
    std::string MColor = "&HFFFF";
    std::string LColor = "&H404040";
    std::string RColor = "&HFF&";
    std::string EColor = "&H400000";
    std::string XColor = "&HFFF";

    bool operator==(const StoredSettings&) const = default;
};

enum class SettingKind { Text, Integer, Colour };

struct SettingKey {
    std::string_view name;
    SettingKind kind;
    std::string_view textDefault;       // Text and Colour keys
    int integerDefault;                 // Integer keys
    std::string StoredSettings::*text;  // holding place of a Text or Colour key
    int StoredSettings::*integer;       // holding place of an Integer key
    // Form3Top and Form3Left are written beside Form2Top and Form2Left but never read.
    bool isRead() const { return text != nullptr || integer != nullptr; }
};

// clang-format off
inline constexpr std::array<SettingKey, 19> SettingKeys{{
    {"FontDef",   SettingKind::Text,    "System",    0,    &StoredSettings::FontDef, nullptr},
    {"FormTop",   SettingKind::Integer, "",          0,    nullptr, &StoredSettings::FormTop},
    {"FormLeft",  SettingKind::Integer, "",          0,    nullptr, &StoredSettings::FormLeft},
    {"Form2Top",  SettingKind::Integer, "",          1830, nullptr, &StoredSettings::Form2Top},
    {"Form2Left", SettingKind::Integer, "",          3555, nullptr, &StoredSettings::Form2Left},
    {"Dumy",      SettingKind::Text,    "0.",        0,    &StoredSettings::Dumy, nullptr},
    {"EndMem",    SettingKind::Integer, "",          0,    nullptr, &StoredSettings::EndMem},
    {"SizeH",     SettingKind::Integer, "",          855,  nullptr, &StoredSettings::SizeH},
    {"SizeW",     SettingKind::Integer, "",          5295, nullptr, &StoredSettings::SizeW},
    {"AllFcs",    SettingKind::Integer, "",          0,    nullptr, &StoredSettings::AllFcs},
    {"JpFont",    SettingKind::Integer, "",          0,    nullptr, &StoredSettings::JpFont},
    {"AtsNoA",    SettingKind::Integer, "",          0,    nullptr, &StoredSettings::AtsNoA},
    {"MColor",    SettingKind::Colour,  "&HFFFF",    0,    &StoredSettings::MColor, nullptr},
    {"LColor",    SettingKind::Colour,  "&H404040",  0,    &StoredSettings::LColor, nullptr},
    {"RColor",    SettingKind::Colour,  "&HFF&",     0,    &StoredSettings::RColor, nullptr},
    {"EColor",    SettingKind::Colour,  "&H400000",  0,    &StoredSettings::EColor, nullptr},
    {"XColor",    SettingKind::Colour,  "&HFFF",     0,    &StoredSettings::XColor, nullptr},
    {"Form3Top",  SettingKind::Integer, "",          0,    nullptr, nullptr},
    {"Form3Left", SettingKind::Integer, "",          0,    nullptr, nullptr},
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
}  // namespace keys

// Reads every key start-up reads, in the table's order: text and colour keys with the string
// read (49 characters), integer keys with the integer read; a missing key takes its default.
StoredSettings readStoredSettings(const platform::ProfileFile& profile);

// What the font window reads when it opens: FontDef, then Form2Top and Form2Left.
struct FontWindowSettings {
    std::string FontDef;
    int Form2Top = 0;
    int Form2Left = 0;
};
FontWindowSettings readFontWindowSettings(const platform::ProfileFile& profile);

// Writes one key in the settings section; a failed write is silent (the result is for tests).
bool writeSetting(platform::ProfileFile& profile, std::string_view key, std::string_view value);
bool writeSetting(platform::ProfileFile& profile, std::string_view key, long long value);

}  // namespace vexlo::shell
