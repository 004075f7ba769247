#pragma once
// The units of the conversion panel: one row per unit with its captions and result suffix, and
// one row per category with its category box. Everything the panel shows and every suffix a
// result carries is read from here.

#include <array>
#include <cstddef>
#include <string_view>

namespace vexlo::units {

enum class Category { Length, Weight, Area, Volume };

enum class Unit {
    None,  // an empty target cell
    // Length
    Centimetre,
    Metre,
    Kilometre,
    Sun,
    Shaku,
    Ri,
    Inch,
    Foot,
    Yard,
    Mile,
    // Weight
    Gram,
    Kilogram,
    Tonne,
    Monme,
    Kin,
    Kan,
    Ounce,
    LongTon,
    ShortTon,
    // Area
    SquareCentimetre,
    SquareMetre,
    SquareKilometre,
    SquareSun,
    Tsubo,
    SquareRi,
    SquareInch,
    SquareFoot,
    Acre,
    SquareYard,
    SquareMile,
    // Volume
    CubicMetre,
    Litre,
    CubicTsubo,
    Sho,
    CubicFoot,
    UsGallon,
    CubicYard,
    ImperialGallon,
};

struct UnitRow {
    Unit unit;
    std::string_view caption;        // as a source unit, and as a target unless given below
    std::string_view targetCaption;  // empty: the same as the source caption
    std::string_view suffix;         // appended to a converted number
};

// clang-format off
inline constexpr std::array<UnitRow, 39> Units{{
    {Unit::None,             "",             "",       ""},
    {Unit::Centimetre,       "ｃｍ",         "",       "ｃｍ"},
    {Unit::Metre,            "ｍ",           "",       "ｍ"},
    {Unit::Kilometre,        "ｋｍ",         "",       "ｋｍ"},
    {Unit::Sun,              "寸",           "",       "寸"},
    {Unit::Shaku,            "尺",           "",       "尺"},
    {Unit::Ri,               "里",           "",       "里"},
    {Unit::Inch,             "インチ",       "",       "in"},
    {Unit::Foot,             "フィート",     "",       "ft"},
    {Unit::Yard,             "ヤード",       "",       "yd"},
    {Unit::Mile,             "マイル",       "",       "mile"},
    {Unit::Gram,             "ｇ",           "",       "g"},
    {Unit::Kilogram,         "ｋｇ",         "",       "kg"},
    {Unit::Tonne,            "トン",         "",       "ｔ"},
    {Unit::Monme,            "匁",           "",       "匁"},
    {Unit::Kin,              "斤",           "",       "斤"},
    {Unit::Kan,              "貫",           "",       "貫"},
    {Unit::Ounce,            "オンス",       "",       "ｵﾝｽ"},
    {Unit::LongTon,          "トン(英)",     "英トン", "英ｔ"},
    {Unit::ShortTon,         "トン(米)",     "米トン", "米ｔ"},
    {Unit::SquareCentimetre, "平方ｃｍ",     "",       "平方cm"},
    {Unit::SquareMetre,      "平方ｍ",       "",       "㎡"},
    {Unit::SquareKilometre,  "平方ｋｍ",     "",       "平方km"},
    {Unit::SquareSun,        "平方寸",       "",       "平方寸"},
    {Unit::Tsubo,            "坪",           "",       "坪"},
    {Unit::SquareRi,         "平方里",       "",       "平方里"},
    {Unit::SquareInch,       "平方インチ",   "",       "平方in"},
    {Unit::SquareFoot,       "平方フィート", "",       "平方ft"},
    {Unit::Acre,             "エーカー",     "",       "ｴｰｶｰ"},
    {Unit::SquareYard,       "平方ヤード",   "",       "平方yd"},
    {Unit::SquareMile,       "平方マイル",   "",       "平方mile"},
    {Unit::CubicMetre,       "立方メートル", "立方ｍ", "立方m"},
    {Unit::Litre,            "リットル",     "",       "l"},
    {Unit::CubicTsubo,       "立方坪",       "",       "立方坪"},
    {Unit::Sho,              "升",           "",       "升"},
    {Unit::CubicFoot,        "立方フィート", "",       "立方ft"},
    {Unit::UsGallon,         "米ガロン",     "",       "米ｶﾞﾛﾝ"},
    {Unit::CubicYard,        "立方ヤード",   "",       "立方yd"},
    {Unit::ImperialGallon,   "英ガロン",     "",       "英ｶﾞﾛﾝ"},
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
