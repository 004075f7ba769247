#pragma once
// The era and period tables of both conversions, one row per era, boundary year or period.

#include <array>
#include <limits>
#include <optional>
#include <string_view>

namespace vexlo::era {

// An open interval of era years, lower < Y < upper.
struct OpenRange {
    float lower = -std::numeric_limits<float>::infinity();
    float upper = std::numeric_limits<float>::infinity();
    constexpr bool contains(float y) const { return lower < y && y < upper; }
};

inline constexpr OpenRange Always{};

// Era year to Western year: the mark in MEM2 chooses the row, W = Y + base.
struct EraMark {
    std::string_view kanjiMark;   // chooses the era whatever the year
    std::string_view letterMark;  // chooses it only inside `letterAccepted`
    float baseYear;
    OpenRange letterAccepted;
    std::optional<float> firstRefusedYear;  // limit test: Y not below it is refused
    int limitCode;                          // 1 to 4; 0 for no limit
    std::string_view limitMessage;
};

// Heisei ended in its 31st year; its limit blanks the mark with two spaces before clearing.
inline constexpr int HeiseiLimitCode = 4;
inline constexpr std::string_view HeiseiLimitMark = "  ";

inline constexpr std::array<EraMark, 5> EraMarks{{
    {"明", "M", 1867, {0, 46}, 46, 1, "明治は４５年までです。"},
    {"大", "T", 1911, {0, 16}, 16, 2, "大正は１５年までです。"},
    {"昭", "S", 1925, {0, 65}, 65, 3, "昭和は６４年までです。"},
    {"平", "H", 1988, {0, 65}, 32, 4, "平成は31年４月３０日までです。"},
    {"令", "R", 2018, Always, std::nullopt, 0, ""},
}};

// Western year to era year, for the years inside one era (after < Y < before): n = Y - base.
struct EraYears {
    double after;
    double before;
    double baseYear;
    std::string_view name;   // Japanese display: name + n + "年"
    std::string_view kanji;  // English MEM1
    constexpr bool contains(double y) const { return after < y && y < before; }
};

inline constexpr double NoEnd = std::numeric_limits<double>::infinity();

inline constexpr std::array<EraYears, 5> EraRanges{{
    {1867, 1912, 1867, "明治", "明"},
    {1912, 1926, 1911, "大正", "大"},  // Y <= 1925 for whole years
    {1926, 1989, 1925, "昭和", "昭"},
    {1989, 2019, 1988, "平成", "平"},
    {2019, NoEnd, 2018, "令和", "令"},
}};

// The years in which one era ended and the next began show both readings.
struct BoundaryYear {
    double year;
    std::string_view japanese;
    std::string_view english;
    std::string_view eraInitial;  // letter of the earlier era, left for the reverse conversion
};

inline constexpr std::array<BoundaryYear, 4> BoundaryYears{{
    {1912, "明治 45年:大正 1年", "M 45:T 1", "M"},
    {1926, "大正 15年:昭和 1年", "T 15:S 1", "T"},
    {1989, "昭和 64年:平成 1年", "S 64:H 1", "S"},
    {2019, "平成 31年:令和 1年", "H 31:R 1", "H"},
}};

// The Western year of a boundary year in English mode, by the letter it left behind.
struct InitialYear {
    std::string_view eraInitial;
    std::string_view westernYear;
};

inline constexpr std::array<InitialYear, 4> InitialYears{{
    {"M", "1912"},
    {"T", "1926"},
    {"S", "1989"},
    {"H", "2019"},
}};

inline constexpr std::string_view BeforeCommonEra = "紀元前・未対応";

// Periods before Meiji, first <= Y < below. Every row is tested in order and a later match
// overwrites an earlier one, which is how 1467 and 1867 get their own texts. A text that is no
// number can be cut to a fraction (".31332"), so the first historical row starts just above 0.
struct Period {
    double first;
    double below;
    std::string_view text;
    constexpr bool contains(double y) const { return first <= y && y < below; }
};

inline constexpr double AboveZero = std::numeric_limits<double>::denorm_min();

inline constexpr std::array<Period, 13> Periods{{
    {-NoEnd, AboveZero, BeforeCommonEra},  // Y <= 0
    {AboveZero, 592, "旧石器～古墳時代"},  // 0 < Y
    {592, 710, "飛鳥時代(6C末～)"},
    {710, 794, "奈良時代"},
    {794, 1185, "平安時代"},
    {1185, 1333, "鎌倉時代"},
    {1333, 1336, "建武の新政"},
    {1336, 1338, "南北朝時代～1392年"},  // 1337 too, so no year before Meiji goes unnamed
    {1338, 1573, "室町時代"},
    {1467, 1468, "応仁の乱～1477年"},
    {1573, 1603, "安土桃山時代"},
    {1603, 1868, "江戸時代"},
    {1867, 1868, "大政奉還"},
}};

}  // namespace vexlo::era
