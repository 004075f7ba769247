#pragma once
// The conversion rules: for each category one row per source slot (Option1 upward) with the
// source unit and, for each target box, the target unit, its factor and the kept length. The
// panel's source captions, the target boxes it shows and every conversion come from these rows.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "units/Catalogue.h"

namespace vexlo::units {

// The target boxes in the order of a row's cells.
inline constexpr std::array<int, 5> TargetBoxes = {1, 2, 3, 8, 9};
inline constexpr int UnusedTargetBox = 10;  // Check10: never captioned, never shown

// Which of its unit's captions a target box shows.
enum class Shown { TargetCaption, SourceCaption };

struct Target {
    Unit unit = Unit::None;  // None: the box is hidden for this source
    double factor = 0;
    int keeps = 15;  // characters of the formatted number that remain
    Shown caption = Shown::TargetCaption;
};

struct SourceRow {
    int slot;  // 1 for Option1
    Unit unit;
    std::array<Target, 5> targets;  // Check1, Check2, Check3, Check8, Check9
};

// clang-format off
inline constexpr std::array<SourceRow, 10> LengthSources{{
    {1,  Unit::Centimetre, {{{Unit::Sun, 0.33},         {Unit::Inch, 0.3937}}}},
    {2,  Unit::Metre,      {{{Unit::Shaku, 3.3},        {Unit::Foot, 3.2808},   {Unit::Yard, 1.0936}}}},
    {3,  Unit::Kilometre,  {{{Unit::Ri, 0.25463},       {Unit::Mile, 0.62137}}}},
    {4,  Unit::Sun,        {{{Unit::Centimetre, 3.0303}, {Unit::Inch, 1.193}}}},
    {5,  Unit::Shaku,      {{{Unit::Metre, 0.30303},    {Unit::Foot, 0.99419},  {Unit::Yard, 0.3314}}}},
    {6,  Unit::Ri,         {{{Unit::Kilometre, 3.9273}, {Unit::Mile, 2.4403}}}},
    {7,  Unit::Inch,       {{{Unit::Centimetre, 2.54},  {Unit::Sun, 0.8382}}}},
    {8,  Unit::Foot,       {{{Unit::Metre, 0.3048},     {Unit::Shaku, 1.0058},  {Unit::Yard, 0.33333}}}},
    {9,  Unit::Yard,       {{{Unit::Metre, 0.9144},     {Unit::Shaku, 3.0175},  {Unit::Foot, 3}}}},
    {10, Unit::Mile,       {{{Unit::Kilometre, 1.6093}, {Unit::Ri, 0.40979}}}},
}};

inline constexpr std::array<SourceRow, 9> WeightSources{{
    {1, Unit::Gram,     {{{Unit::Monme, 0.26667},  {Unit::Ounce, 0.035274}}}},
    {2, Unit::Kilogram, {{{Unit::Kin, 1.6667},     {Unit::Kan, 0.26667}}}},
    {3, Unit::Tonne,    {{{Unit::Kan, 266.67},     {Unit::LongTon, 0.98421}, {Unit::ShortTon, 1.1023}}}},
    {4, Unit::Monme,    {{{Unit::Gram, 3.75},      {Unit::Ounce, 0.13228}}}},
    {5, Unit::Kin,      {{{Unit::Kilogram, 0.6},   {Unit::Kan, 0.16}}}},
    // Check9: 3.75 kg in short tons, with the suffix and length of the other short-ton rules.
    {6, Unit::Kan,      {{{Unit::Kilogram, 3.75},  {Unit::Kin, 6.25},        {Unit::Tonne, 0.00375},
                          {Unit::LongTon, 0.0036908}, {Unit::ShortTon, 0.0041337}}}},
    {7, Unit::Ounce,    {{{Unit::Gram, 28.35},     {Unit::Monme, 7.5599}}}},
    {8, Unit::LongTon,  {{{Unit::Tonne, 1.016},    {Unit::Kan, 270.95},      {Unit::ShortTon, 1.12}}}},
    {9, Unit::ShortTon, {{{Unit::Tonne, 0.90718},  {Unit::Kan, 241.92},      {Unit::LongTon, 0.89286}}}},
}};

inline constexpr std::array<SourceRow, 11> AreaSources{{
    {1,  Unit::SquareCentimetre, {{{Unit::SquareSun, 0.1089},          {Unit::SquareInch, 0.155}}}},
    {2,  Unit::SquareMetre,      {{{Unit::Tsubo, 0.3025},              {Unit::SquareFoot, 10.764},     {Unit::SquareYard, 1.196}}}},
    {3,  Unit::SquareKilometre,  {{{Unit::SquareRi, 0.064836},         {Unit::Acre, 247.11},           {Unit::SquareMile, 0.3861}}}},
    {4,  Unit::SquareSun,        {{{Unit::SquareCentimetre, 9.1827},   {Unit::SquareInch, 1.4233}}}},
    {5,  Unit::Tsubo,            {{{Unit::SquareMetre, 3.3058},        {Unit::SquareFoot, 35.5832},    {Unit::SquareYard, 3.9537}}}},
    // Check1: the reciprocal of the reverse rule, as the other two rules of this row imply.
    {6,  Unit::SquareRi,         {{{Unit::SquareKilometre, 15.4235},   {Unit::Acre, 3811.2},           {Unit::SquareMile, 5.95504}}}},
    {7,  Unit::SquareInch,       {{{Unit::SquareCentimetre, 6.4516},   {Unit::SquareSun, 0.70258}}}},
    {8,  Unit::SquareFoot,       {{{Unit::SquareMetre, 0.092903},      {Unit::Tsubo, 0.028103},        {Unit::SquareYard, 0.11111}}}},
    {9,  Unit::Acre,             {{{Unit::SquareKilometre, 0.0040469}, {Unit::SquareRi, 0.00026238},   {Unit::SquareMile, 0.0015625}}}},
    {10, Unit::SquareYard,       {{{Unit::SquareMetre, 0.83613},       {Unit::Tsubo, 0.25293},         {Unit::SquareFoot, 9}}}},
    {11, Unit::SquareMile,       {{{Unit::SquareKilometre, 2.59},      {Unit::SquareRi, 0.16793},      {Unit::Acre, 640}}}},
}};

inline constexpr std::array<SourceRow, 8> VolumeSources{{
    {1, Unit::CubicMetre,     {{{Unit::CubicTsubo, 0.16638},     {Unit::CubicFoot, 35.315},      {Unit::CubicYard, 1.308}}}},
    {2, Unit::Litre,          {{{Unit::Sho, 0.55437},            {Unit::UsGallon, 0.26418},      {Unit::ImperialGallon, 0.21998}}}},
    {3, Unit::CubicTsubo,     {{{Unit::CubicMetre, 6.0105, 15, Shown::SourceCaption},
                                                                 {Unit::CubicFoot, 212.26},      {Unit::CubicYard, 7.8615}}}},
    {4, Unit::Sho,            {{{Unit::Litre, 1.8039},           {Unit::UsGallon, 0.47654},      {Unit::ImperialGallon, 0.3968}}}},
    {5, Unit::CubicFoot,      {{{Unit::CubicMetre, 0.028317},    {Unit::CubicTsubo, 0.0047112},  {Unit::CubicYard, 0.037037}}}},
    {6, Unit::UsGallon,       {{{Unit::Litre, 3.7853},           {Unit::Sho, 2.0985},            {Unit::ImperialGallon, 0.832701}}}},
    {7, Unit::CubicYard,      {{{Unit::CubicMetre, 0.76455, 20}, {Unit::CubicTsubo, 0.1272, 20}, {Unit::CubicFoot, 27, 20}}}},
    {8, Unit::ImperialGallon, {{{Unit::Litre, 4.546, 20},        {Unit::Sho, 2.5201, 20},        {Unit::UsGallon, 1.2009, 20}}}},
}};
// clang-format on

constexpr std::span<const SourceRow> sourcesOf(Category category) {
    switch (category) {
        case Category::Length:
            return LengthSources;
        case Category::Weight:
            return WeightSources;
        case Category::Area:
            return AreaSources;
        case Category::Volume:
            return VolumeSources;
    }
    return {};
}

constexpr const SourceRow* sourceRow(Category category, int slot) {
    const auto rows = sourcesOf(category);
    if (slot < 1 || slot > static_cast<int>(rows.size())) return nullptr;
    return &rows[static_cast<std::size_t>(slot - 1)];
}

// The cell of a target box in a row, or nothing for a box that is no target box.
constexpr std::optional<std::size_t> targetCell(int box) {
    for (std::size_t i = 0; i < TargetBoxes.size(); ++i) {
        if (TargetBoxes[i] == box) return i;
    }
    return std::nullopt;
}

// The rule of (category, source slot, target box), or nullptr where there is none.
constexpr const Target* rule(Category category, int slot, int box) {
    const SourceRow* row = sourceRow(category, slot);
    const auto cell = targetCell(box);
    if (row == nullptr || !cell) return nullptr;
    const Target& target = row->targets[*cell];
    return target.unit == Unit::None ? nullptr : &target;
}

constexpr std::string_view captionOf(const Target& target) {
    const UnitRow& unit = unitRow(target.unit);
    if (target.caption == Shown::SourceCaption || unit.targetCaption.empty()) return unit.caption;
    return unit.targetCaption;
}

constexpr std::string_view suffixOf(const Target& target) {
    return unitRow(target.unit).suffix;
}

}  // namespace vexlo::units
