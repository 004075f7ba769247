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
// (see ColourText.h).
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

// Key names for the writers.
namespace keys {
inline constexpr std::string_view FontDef = "FontDef";
inline constexpr std::string_view FormTop = "FormTop";
inline constexpr std::string_view FormLeft = "FormLeft";
inline constexpr std::string_view Form2Top = "Form2Top";
inline constexpr std::string_view Form2Left = "Form2Left";
inline constexpr std::string_view Dumy = "Dumy";
inline constexpr std::string_view EndMem = "EndMem";
inline constexpr std::string_view SizeH = "SizeH";
inline constexpr std::string_view SizeW = "SizeW";
inline constexpr std::string_view AllFcs = "AllFcs";
inline constexpr std::string_view JpFont = "JpFont";
inline constexpr std::string_view AtsNoA = "AtsNoA";
inline constexpr std::string_view MColor = "MColor";
inline constexpr std::string_view LColor = "LColor";
inline constexpr std::string_view RColor = "RColor";
inline constexpr std::string_view EColor = "EColor";
inline constexpr std::string_view XColor = "XColor";
inline constexpr std::string_view Form3Top = "Form3Top";
inline constexpr std::string_view Form3Left = "Form3Left";
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
