// Reading numbers from texts: the display-text conversion and the leading-number read.

#include "engine/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/Utf8.h"

namespace vexlo::engine {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal position of the leading digit of a cleaned "digits[.digits][e[sign]digits]" text,
// to tell an overflow from an underflow when the conversion reports a range error.
long long leadingMagnitude(std::string_view clean) {
    long long magnitude = 0;
    std::size_t i = 0;
    for (; i < clean.size() && isDigit(clean[i]); ++i)
        if (magnitude > 0 || clean[i] != '0') ++magnitude;
    if (magnitude == 0 && i < clean.size() && clean[i] == '.')
        for (++i; i < clean.size() && clean[i] == '0'; ++i) --magnitude;
    const std::size_t e = clean.find('e');
    if (e != std::string_view::npos) {
        i = e + 1;
        const bool negative = i < clean.size() && clean[i] == '-';
        if (negative) ++i;
        long long exponent = 0;
        for (; i < clean.size(); ++i)
            exponent = std::min(exponent * 10 + (clean[i] - '0'), 1000000LL);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

// Whether the significant digits of a cleaned text are at most those of `limit`.
bool digitsNotAbove(std::string_view clean, std::string_view limit) {
    std::size_t i = 0, k = 0;
    while (i < clean.size() && (clean[i] == '0' || clean[i] == '.')) ++i;
    for (; i < clean.size() && clean[i] != 'e'; ++i) {
        if (clean[i] == '.') continue;
        const char bound = k < limit.size() ? limit[k] : '0';
        ++k;
        if (clean[i] != bound) return clean[i] < bound;
    }
    return true;
}

// Converts a validated unsigned decimal text; a range error becomes infinity or zero. The
// 15-digit text of the largest double (1.79769313486232E+308) lies just beyond it and reads
// as the largest double, so every plain text reads back.
double convert(std::string_view clean) {
    double value = 0;
    const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const long long magnitude = leadingMagnitude(clean);
        if (magnitude <= 0) return 0.0;
        if (magnitude == 309 && digitsNotAbove(clean, "179769313486232")) return DBL_MAX;
        return HUGE_VAL;
    }
    return value;
}

// A small text buffer that stays on the stack for the texts a display holds.
class Buffer {
  public:
    void push(char c) {
        if (size_ < sizeof small_) {
            small_[size_++] = c;
            return;
        }
        if (large_.empty()) large_.assign(small_, size_);
        large_ += c;
        ++size_;
    }
    std::string_view view() const {
        return large_.empty() ? std::string_view(small_, size_) : std::string_view(large_);
    }

  private:
    char small_[64];
    std::size_t size_ = 0;
    std::string large_;
};

// Collects "digits[.digits][e[sign]digits]" from text[i...] into `out`, ignoring the characters
// that `skipMantissa` / `skipExponent` accept. An "e" without exponent digits is not part of the
// number. Returns the position after the number; `hasDigit` tells whether the mantissa had one.
template <typename SkipMantissa, typename SkipExponent>
std::size_t scanNumber(std::string_view text, std::size_t i, Buffer& out, bool& hasDigit,
                       SkipMantissa skipMantissa, SkipExponent skipExponent) {
    bool seenPoint = false;
    hasDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            out.push(c);
            hasDigit = true;
        } else if (c == '.' && !seenPoint) {
            out.push(c);
            seenPoint = true;
        } else if (!skipMantissa(c)) {
            break;
        }
    }
    if (!hasDigit || i >= text.size() || (text[i] != 'e' && text[i] != 'E')) return i;
    std::size_t j = i + 1;
    while (j < text.size() && skipExponent(text[j])) ++j;
    const bool negative = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t digitsFrom = j;
    bool exponentDigit = false;
    for (; j < text.size(); ++j) {
        if (isDigit(text[j]))
            exponentDigit = true;
        else if (!skipExponent(text[j]))
            break;
    }
    if (!exponentDigit) return i;
    out.push('e');
    if (negative) out.push('-');
    for (std::size_t k = digitsFrom; k < j; ++k)
        if (isDigit(text[k])) out.push(text[k]);
    return j;
}

// Invisible characters that a copy from a web page or a document carries along with a number.
bool isInvisibleFormat(char32_t c) {
    return (c >= U'\u200B' && c <= U'\u200D') || c == U'\u2060' || c == U'\uFEFF';
}

// No-break spaces that some locales write between digit groups ("1 234 567").
bool isGroupSpace(char32_t c) {
    return c == U'\u00A0' || c == U'\u202F';
}

bool isWideOrAsciiDigit(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９');
}

// The next character of text[i...] that is not invisible; 0 at the end or at a broken byte.
char32_t nextVisible(std::string_view text, std::size_t i) {
    while (i < text.size()) {
        const std::size_t length = platform::utf8::sequenceLength(text, i);
        if (length == 0) return 0;
        const char32_t c = platform::utf8::decode(text, i, length);
        if (!isInvisibleFormat(c)) return c;
        i += length;
    }
    return 0;
}

// A pasted number as a Japanese system's own parser takes it: full-width digits, "，", "．",
// "－" and "＋", the ideographic space as a blank, and one yen mark: "¥" or "￥" before the
// digits or the sign, or "円" after the number with only blanks behind it. Invisible format
// characters are dropped and a no-break space between two digits groups like a comma. Folds
// such a text to ASCII in `out`; false for any other character, or a yen mark elsewhere.
bool foldWideNumber(std::string_view text, std::string& out) {
    bool yen = false;
    bool yenAfter = false;  // only blanks may follow "円"
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = platform::utf8::sequenceLength(text, i);
        if (length == 0) return false;
        const char32_t c = platform::utf8::decode(text, i, length);
        i += length;
        if (isInvisibleFormat(c)) continue;
        const bool blank = c == U'\u3000' || (c < 0x80 && isBlank(static_cast<char>(c)));
        if (yenAfter && !blank) return false;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= U'０' && c <= U'９') {
            out += static_cast<char>('0' + (c - U'０'));
        } else if (c == U'，' || c == U'．' || c == U'－' || c == U'＋') {
            out += static_cast<char>(c - 0xFEE0);  // the full-width block mirrors ASCII
        } else if (c == U'\u3000') {
            out += ' ';
        } else if (isGroupSpace(c)) {
            if (out.empty() || !isDigit(out.back()) || !isWideOrAsciiDigit(nextVisible(text, i)))
                return false;
            out += ',';
        } else if ((c == U'\u00A5' || c == U'\uFFE5') && !yen) {
            // Only blanks and a sign may come before it.
            const auto before = out.find_first_not_of(" \t\r\n");
            if (before != std::string::npos &&
                !(before + 1 == out.size() && (out[before] == '-' || out[before] == '+')))
                return false;
            yen = true;
        } else if (c == U'円' && !yen) {
            yen = true;
            yenAfter = true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<double> readNumber(std::string_view text) {
    std::string folded;
    if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        if (!foldWideNumber(text, folded)) return std::nullopt;
        text = folded;
    }
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    text = text.substr(first, last - first);

    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';

    Buffer clean;
    bool hasDigit = false;
    const std::size_t end = scanNumber(
        text, i, clean, hasDigit, [](char c) { return c == ','; }, [](char) { return false; });
    if (!hasDigit || end != text.size()) return std::nullopt;
    const double magnitude = convert(clean.view());
    if (std::isinf(magnitude)) return std::nullopt;
    return negative ? -magnitude : magnitude;
}

double leadingNumber(std::string_view text) {
    // Blanks are ignored wherever they stand, as the leading-number read of BASIC does.
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    Buffer clean;
    bool hasDigit = false;
    scanNumber(text, i, clean, hasDigit, isBlank, isBlank);
    if (!hasDigit) return 0.0;
    const double magnitude = convert(clean.view());
    return negative ? -magnitude : magnitude;
}

}  // namespace vexlo::engine
