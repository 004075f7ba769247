#pragma once
// The categories and units of the conversion panel, by name. The facts of each are the rows of
// Catalogue.h; code that only names a unit includes this header alone, so an edit of the tables
// rebuilds only what reads them.

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

}  // namespace vexlo::units
