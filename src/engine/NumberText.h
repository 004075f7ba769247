#pragma once
// Number text of the display: reading a display text as a number, the plain text form, the
// numeric format patterns and the entry rule. Every handler that writes a number into the
// display goes through these functions; nothing else formats numbers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexlo::engine {

// A numeric format pattern such as "#,##0.###############", parsed at compile time.
struct Pattern {
    std::string_view text;
    bool grouping = false;     // "," in the integer part
    bool zeroInteger = false;  // "0" before the point: at least one integer digit
    bool point = false;        // the "." is always written
    int minDecimals = 0;       // position of the last "0" placeholder after the point
    int maxDecimals = 0;       // number of placeholders after the point

    consteval explicit Pattern(std::string_view pattern) : text(pattern) {
        bool afterPoint = false;
        int places = 0;
        for (char c : pattern) {
            if (c == '.') {
                afterPoint = true;
                point = true;
            } else if (afterPoint) {
                ++places;
                if (c == '0') minDecimals = places;
            } else if (c == ',') {
                grouping = true;
            } else if (c == '0') {
                zeroInteger = true;
            }
        }
        maxDecimals = places;
    }
};

namespace patterns {
inline constexpr Pattern Entry{"#,##0.###############"};     // 0 to 15 decimals
inline constexpr Pattern Final{"#,##0.##############"};      // 0 to 14 decimals
inline constexpr Pattern Candidate{"#,##0.############"};    // 0 to 12 decimals
inline constexpr Pattern Scaled{"#,##0."};                   // no decimals
inline constexpr Pattern TaxAdded{"#,##0.#0#############"};  // 2 to 15 decimals
inline constexpr Pattern TaxRemoved{"#,##0.###########"};    // 0 to 11 decimals
inline constexpr Pattern Year5{"#####"};                     // bare integer, "" for zero
inline constexpr Pattern Year6{"######"};
}  // namespace patterns

// The width of the display in characters, and the test for a full display.
inline constexpr std::size_t DisplayWidth = 20;

// Reads a display text as a number: blanks around it (space, tab, CR, LF) are ignored, grouping
// commas are ignored wherever they stand before an exponent, a trailing "." is allowed, a
// leading sign and an exponent ("1E-05", "1.23456789E+20") are read. Anything else (an era
// text, "", "-", ".", a value beyond the double range) is not a number; a value below the
// smallest double reads as 0. The plain text of the largest double reads back as it. Numbers as
// a Japanese system reads them are numbers too: full-width digits, "，", "．", "－", "＋", one
// yen mark (a "¥" or "￥" before the digits or the sign, or a "円" after the number), and U+3000
// among the blanks around. The invisible characters of a copied text (U+200B-U+200D, U+2060,
// U+FEFF) are ignored, and a no-break space (U+00A0, U+202F) between two digits groups them.
std::optional<double> readNumber(std::string_view text);

// The leading-number read: the number spelled by the text up to the first character that
// cannot continue it ("45." -> 45, "1,234." -> 1, "平成" -> 0). Blanks are skipped wherever
// they stand ("1 2" -> 12); a value beyond the double range gives an infinity.
double leadingNumber(std::string_view text);

// General number text with up to 15 significant digits: "110", "0.3", "-2.5", "1E+15",
// "1.23456789E+20", "1E-05". Exponent form when the decimal exponent is >= 15 or < -4.
std::string plainText(double value);

// The same for a single-precision value, with 7 significant digits ("1989.1").
std::string plainTextSingle(float value);

// Position (1-based) of the first "." in a text, 0 when there is none: how far into a plain text
// its decimal point stands, which decides whether a result or a recalled value fits.
constexpr std::size_t pointPosition(std::string_view plain) {
    const auto point = plain.find('.');
    return point == std::string_view::npos ? 0 : point + 1;
}

// Applies a pattern: at most 15 significant digits, then rounded half away from zero to the
// pattern's decimals, grouped, the point always written, trailing zeros kept down to the last
// "0" placeholder. A negative value that rounds to zero keeps its sign ("-0.", and "-" for
// "#####", which writes "" for zero); -0 has none. Infinities and NaN give "Infinity",
// "-Infinity" and "NaN" (as plainText does); callers keep them off the display.
std::string format(double value, const Pattern& pattern);

// Applies a pattern to a display text: the text is read as a number and formatted; a text that
// cannot be read comes back unchanged.
std::string formatText(std::string_view text, const Pattern& pattern);

// Length of a UTF-8 text in characters (code points), and its rightmost n characters. A byte
// that starts no well-formed character counts as one character.
std::size_t textLength(std::string_view text);
std::string rightmost(std::string_view text, std::size_t count);

// The entry rule: format, then keep the rightmost `width` characters.
std::string entryRule(double value, const Pattern& pattern, std::size_t width = DisplayWidth);
std::string entryRule(std::string_view text, const Pattern& pattern,
                      std::size_t width = DisplayWidth);

// The display is full when its text has 20 or more characters.
inline bool isFull(std::string_view displayText) {
    return textLength(displayText) >= DisplayWidth;
}

}  // namespace vexlo::engine
