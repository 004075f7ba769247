#pragma once
// The units of the conversion panel: one row per unit with its captions and result suffix, and
// one row per category with its category box. Everything the panel shows and every suffix a
// result carries is read from here.

#include <array>
#include <cstddef>
#include <string_view>

#include "units/UnitKinds.h"

namespace vexlo::units {

struct UnitRow {
    Unit unit;
    std::string_view caption;        // as a source unit, and as a target unless given below
    std::string_view targetCaption;  // empty: the same as the source caption
    std::string_view suffix;         // appended to a converted number
    // The unit in GNU units, the independent database the factors are checked against. The
    // litre is the litre of 1901 (1.000028 dm³): every rule from or to Litre agrees with it.
    std::string_view gnuName;
};

// clang-format off
inline constexpr std::array<UnitRow, 39> Units{{
    {Unit::None,              "",              "",        "",          ""},
    {Unit::Centimetre,        "ｃｍ",          "",        "ｃｍ",      "cm"},
    {Unit::Metre,             "ｍ",            "",        "ｍ",        "m"},
    {Unit::Kilometre,         "ｋｍ",          "",        "ｋｍ",      "km"},
    {Unit::Sun,               "寸",            "",        "寸",        "sun"},
    {Unit::Shaku,             "尺",            "",        "尺",        "shaku"},
    {Unit::Ri,                "里",            "",        "里",        "ri"},
    {Unit::Inch,              "インチ",        "",        "in",        "inch"},
    {Unit::Foot,              "フィート",      "",        "ft",        "ft"},
    {Unit::Yard,              "ヤード",        "",        "yd",        "yd"},
    {Unit::Mile,              "マイル",        "",        "mile",      "mile"},
    {Unit::Gram,              "ｇ",            "",        "g",         "g"},
    {Unit::Kilogram,          "ｋｇ",          "",        "kg",        "kg"},
    {Unit::Tonne,             "トン",          "",        "ｔ",        "tonne"},
    {Unit::Monme,             "匁",            "",        "匁",        "monme"},
    {Unit::Kin,               "斤",            "",        "斤",        "kin"},
    {Unit::Kan,               "貫",            "",        "貫",        "kan"},
    {Unit::Ounce,             "オンス",        "",        "ｵﾝｽ",       "oz"},
    {Unit::LongTon,           "トン(英)",      "英トン",  "英ｔ",      "longton"},
    {Unit::ShortTon,          "トン(米)",      "米トン",  "米ｔ",      "shortton"},
    {Unit::SquareCentimetre,  "平方ｃｍ",      "",        "平方cm",    "cm^2"},
    {Unit::SquareMetre,       "平方ｍ",        "",        "㎡",        "m^2"},
    {Unit::SquareKilometre,   "平方ｋｍ",      "",        "平方km",    "km^2"},
    {Unit::SquareSun,         "平方寸",        "",        "平方寸",    "sun^2"},
    {Unit::Tsubo,             "坪",            "",        "坪",        "tsubo"},
    {Unit::SquareRi,          "平方里",        "",        "平方里",    "ri^2"},
    {Unit::SquareInch,        "平方インチ",    "",        "平方in",    "inch^2"},
    {Unit::SquareFoot,        "平方フィート",  "",        "平方ft",    "ft^2"},
    {Unit::Acre,              "エーカー",      "",        "ｴｰｶｰ",      "acre"},
    {Unit::SquareYard,        "平方ヤード",    "",        "平方yd",    "yd^2"},
    {Unit::SquareMile,        "平方マイル",    "",        "平方mile",  "mile^2"},
    {Unit::CubicMetre,        "立方メートル",  "立方ｍ",  "立方m",     "m^3"},
    {Unit::Litre,             "リットル",      "",        "l",         "oldliter"},
    {Unit::CubicTsubo,        "立方坪",        "",        "立方坪",    "ken^3"},
    {Unit::Sho,               "升",            "",        "升",        "shou"},
    {Unit::CubicFoot,         "立方フィート",  "",        "立方ft",    "ft^3"},
    {Unit::UsGallon,          "米ガロン",      "",        "米ｶﾞﾛﾝ",    "usgallon"},
    {Unit::CubicYard,         "立方ヤード",    "",        "立方yd",    "yd^3"},
    {Unit::ImperialGallon,    "英ガロン",      "",        "英ｶﾞﾛﾝ",    "brgallon"},
}};
// clang-format on

constexpr const UnitRow& unitRow(Unit unit) {
    return Units[static_cast<std::size_t>(unit)];
}

consteval bool unitsInEnumOrder() {
    for (std::size_t i = 0; i < Units.size(); ++i) {
        if (static_cast<std::size_t>(Units[i].unit) != i) return false;
    }
    return true;
}
static_assert(unitsInEnumOrder(), "Units must list every unit in the order of the enum");

// The category boxes of the panel's top row, Check4 to Check7.
struct CategoryRow {
    Category category;
    int box;  // 4 for Check4
    std::string_view caption;
};

inline constexpr std::array<CategoryRow, 4> Categories{{
    {Category::Length, 4, "長さ"},
    {Category::Weight, 5, "重量"},
    {Category::Area, 6, "面積"},
    {Category::Volume, 7, "容積"},
}};

constexpr const CategoryRow& categoryRow(Category category) {
    return Categories[static_cast<std::size_t>(category)];
}

}  // namespace vexlo::units
