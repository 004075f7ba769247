#pragma once
// Colour texts of the settings file ("&HFFFF", "&H404040", "&HFF&", "16777215") read as numbers
// with the numeric-text conversion rules, and the range a colour must be in to be applied.

#include <string_view>

namespace vexlo::shell {

// Leading blanks are skipped. "&H" hex or "&O" octal digits: one to four digits without a
// trailing "&" give a signed 16-bit value ("&HFFFF" -> -1), five or more digits or a trailing
// "&" a signed 32-bit value ("&HFFFF&" -> 65535, "&HFFFFFFFF" -> -1); a number too large for 32
// bits is returned unreduced (capped at 2^40), so it is refused. Otherwise a decimal number with
// optional sign, fraction and exponent ("E" or "D") is read up to the first character that cannot
// continue it and rounded to a whole number, ties to even. Text that begins with no number reads as
// 0.
long long readColourText(std::string_view text);

// A colour 0x00BBGGRR can be applied when it lies in 0 to 16777215; otherwise it is refused and
// the element keeps its colour.
constexpr bool isApplicableColour(long long value) {
    return value >= 0 && value <= 0xFFFFFF;
}

}  // namespace vexlo::shell
