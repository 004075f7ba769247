// Number texts: plain text, the format patterns, the entry rule and the cut to N characters.

#include "engine/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/Utf8.h"

namespace vexlo::engine {

namespace {

// A non-negative decimal 0.d[0]d[1]...d[count-1] x 10^point, without trailing zeros.
// count == 0 is zero.
struct Decimal {
    char d[20];
    int count = 0;
    int point = 0;
};

constexpr int MaxSignificant = 15;
constexpr int SingleSignificant = 7;
constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

void trimZeros(Decimal& x) {
    while (x.count > 0 && x.d[x.count - 1] == '0') --x.count;
}

// Adds one unit in the last kept place; 999 becomes 1000 (one digit, point moved).
void incrementLast(Decimal& x) {
    for (int i = x.count - 1; i >= 0; --i) {
        if (x.d[i] != '9') {
            ++x.d[i];
            return;
        }
        x.d[i] = '0';
    }
    x.d[0] = '1';
    x.count = 1;
    ++x.point;
}

// Keeps the first `keep` digits, rounding half away from zero (the digits are exact here).
void roundToDigits(Decimal& x, int keep) {
    if (keep >= x.count) return;
    if (keep < 0) {
        x = Decimal{};
        return;
    }
    const bool up = x.d[keep] >= '5';
    x.count = keep;
    if (up) {
        if (keep == 0) {
            x.d[0] = '1';
            x.count = 1;
            ++x.point;
            return;
        }
        incrementLast(x);
    }
    trimZeros(x);
    if (x.count == 0) x.point = 0;
}

// The first dropped digit of the exact decimal expansion of `magnitude`; only needed when the
// 17-digit rounding shows an apparent tie. 767 significant digits write any double exactly.
char exactDigitAt(double magnitude, int position) {
    char buffer[800];
    std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 766);
    return buffer[position == 0 ? 0 : position + 1];
}

// The first 17 significant digits of `magnitude`, correctly rounded.
Decimal seventeenDigits(double magnitude) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 16)
            .ptr;
    // "d.dddddddddddddddde+XX"
    Decimal x;
    x.d[0] = buffer[0];
    std::copy(buffer + 2, buffer + 18, x.d + 1);
    x.count = 17;
    int exponent = 0;
    std::from_chars(buffer[19] == '+' ? buffer + 20 : buffer + 19, end, exponent);
    x.point = exponent + 1;
    return x;
}

// The digits from place `from` to the 17th, as a number.
long long droppedPart(const Decimal& x, int from) {
    long long part = 0;
    for (int i = from; i < 17; ++i) part = part * 10 + (x.d[i] - '0');
    return part;
}

// |value| with at most `significant` (1..15) digits, rounded half away from zero from the exact
// binary value, so 2.675 (stored as 2.67499999999999982...) keeps its 15-digit form 2.675.
Decimal roundSignificant(double magnitude, int significant) {
    if (magnitude == 0) return Decimal{};
    // Whole numbers with no more digits than kept, the common case of typed entries.
    if (magnitude < PowersOfTen[significant] && magnitude == std::floor(magnitude)) {
        char buffer[20];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer,
                                       static_cast<unsigned long long>(magnitude))
                             .ptr;
        Decimal x;
        x.count = x.point = static_cast<int>(end - buffer);
        std::copy(buffer, end, x.d);
        trimZeros(x);
        return x;
    }
    // 17 correctly rounded digits decide, unless they show an apparent tie "5000...".
    long long half = 5;
    for (int i = significant + 1; i < 17; ++i) half *= 10;
    Decimal x = seventeenDigits(magnitude);
    const long long dropped = droppedPart(x, significant);
    const bool up = dropped == half ? exactDigitAt(magnitude, significant) >= '5' : dropped > half;
    x.count = significant;
    if (up) incrementLast(x);
    trimZeros(x);
    return x;
}

const char* nonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

// The plain text of a rounded magnitude: fixed notation, or d.dddE+XX outside the range.
std::string plainDigits(const Decimal& x, bool negative, int exponentLimit) {
    std::string out;
    if (x.count == 0) return "0";
    out.reserve(24);
    if (negative) out += '-';
    const int exponent = x.point - 1;
    if (exponent >= exponentLimit || exponent < -4) {
        out += x.d[0];
        if (x.count > 1) {
            out += '.';
            out.append(x.d + 1, x.count - 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int size = exponent < 0 ? -exponent : exponent;
        if (size < 10) out += '0';
        char digits[8];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, size).ptr);
    } else if (x.point <= 0) {
        out += "0.";
        out.append(-x.point, '0');
        out.append(x.d, x.count);
    } else if (x.point >= x.count) {
        out.append(x.d, x.count);
        out.append(x.point - x.count, '0');
    } else {
        out.append(x.d, x.point);
        out += '.';
        out.append(x.d + x.point, x.count - x.point);
    }
    return out;
}

// Length of the pattern's text for the rounded magnitude `x`.
std::size_t formattedSize(const Decimal& x, bool negative, const Pattern& pattern) {
    std::size_t integerDigits = x.point > 0 && x.count > 0 ? x.point : 0;
    if (integerDigits == 0 && pattern.zeroInteger) integerDigits = 1;
    std::size_t size = negative + integerDigits;
    if (pattern.grouping && integerDigits > 3) size += (integerDigits - 1) / 3;
    if (pattern.point) {
        const int decimals = x.count > x.point ? x.count - x.point : 0;
        size += 1 + std::max(decimals, pattern.minDecimals);
    }
    return size;
}

// Writes exactly formattedSize() characters at `out`.
void writeFormatted(const Decimal& x, bool negative, const Pattern& pattern, char* out) {
    if (negative) *out++ = '-';
    const int integerDigits = x.point > 0 && x.count > 0 ? x.point : 0;
    if (integerDigits == 0 && pattern.zeroInteger) *out++ = '0';
    int groupLeft = integerDigits % 3 == 0 ? 3 : integerDigits % 3;
    for (int i = 0; i < integerDigits; ++i, --groupLeft) {
        if (groupLeft == 0) {
            if (pattern.grouping) *out++ = ',';
            groupLeft = 3;
        }
        *out++ = i < x.count ? x.d[i] : '0';
    }
    if (!pattern.point) return;
    *out++ = '.';
    int written = 0;
    for (int position = x.point; position < x.count; ++position, ++written)
        *out++ = position < 0 ? '0' : x.d[position];
    for (; written < pattern.minDecimals; ++written) *out++ = '0';
}

// The value of steps 1 and 2: 15 significant digits, then the pattern's decimals.
Decimal roundForPattern(double value, const Pattern& pattern) {
    Decimal x = roundSignificant(std::fabs(value), MaxSignificant);
    if (x.count > 0) roundToDigits(x, x.point + pattern.maxDecimals);
    return x;
}

}  // namespace

std::string plainText(double value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    return plainDigits(roundSignificant(std::fabs(value), MaxSignificant), value < 0, 15);
}

std::string plainTextSingle(float value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    const double exact = value;
    return plainDigits(roundSignificant(std::fabs(exact), SingleSignificant), exact < 0, 7);
}

std::string format(double value, const Pattern& pattern) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    const Decimal x = roundForPattern(value, pattern);
    // A negative value keeps its sign even when it rounds to zero ("-0.", "-"); -0 has none.
    const bool negative = value < 0;
    std::string out(formattedSize(x, negative, pattern), '\0');
    writeFormatted(x, negative, pattern, out.data());
    return out;
}

std::string formatText(std::string_view text, const Pattern& pattern) {
    const auto value = readNumber(text);
    return value ? format(*value, pattern) : std::string(text);
}

std::size_t textLength(std::string_view text) {
    return platform::utf8::characterCount(text);
}

std::string rightmost(std::string_view text, std::size_t count) {
    // An ASCII byte starts a character whatever precedes it, so a long text is counted from the
    // last ASCII byte that lies far enough before its end (4 bytes a character at most).
    const std::size_t window = 4 * count + 4;
    if (text.size() > window) {
        for (std::size_t p = text.size() - window; p-- > 0;) {
            if (static_cast<unsigned char>(text[p]) < 0x80) {
                text.remove_prefix(p);
                break;
            }
        }
    }
    const std::size_t length = textLength(text);
    if (length <= count) return std::string(text);
    std::size_t i = 0;
    for (std::size_t skip = length - count; skip > 0; --skip)
        i += platform::utf8::characterSize(text, i);
    return std::string(text.substr(i));
}

std::string entryRule(double value, const Pattern& pattern, std::size_t width) {
    if (!std::isfinite(value)) return rightmost(nonFiniteText(value), width);
    const Decimal x = roundForPattern(value, pattern);
    const bool negative = value < 0;
    const std::size_t size = formattedSize(x, negative, pattern);
    char small[128];
    std::string large;
    char* out = small;
    if (size > sizeof small) {
        large.resize(size);
        out = large.data();
    }
    writeFormatted(x, negative, pattern, out);
    // The formatted text is ASCII: one byte per character.
    const std::size_t kept = std::min(size, width);
    return std::string(out + size - kept, kept);
}

std::string entryRule(std::string_view text, const Pattern& pattern, std::size_t width) {
    const auto value = readNumber(text);
    return value ? entryRule(*value, pattern, width) : rightmost(text, width);
}

}  // namespace vexlo::engine
