#include "shell/settings/ColourText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace vexlo::shell {

namespace {

constexpr unsigned long long Cap = 1ULL << 40;  // far beyond 32 bits, and far from overflow

int digitValue(char c, int base) {
    int digit = 36;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'a' && c <= 'z')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'Z')
        digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

long long readRadix(std::string_view text, int base) {
    unsigned long long value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && digitValue(text[digits], base) >= 0) {
        value = value * base + digitValue(text[digits], base);
        if (value > Cap) value = Cap;
        ++digits;
    }
    const bool longSuffix = digits < text.size() && text[digits] == '&';
    if (digits >= 1 && digits <= 4 && !longSuffix) {
        return value >= 0x8000 ? static_cast<long long>(value) - 0x10000
                               : static_cast<long long>(value);
    }
    if (value > 0xFFFFFFFFULL) return static_cast<long long>(value);
    return value >= 0x80000000ULL ? static_cast<long long>(value) - 0x100000000LL
                                  : static_cast<long long>(value);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

long long readDecimal(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::string number;
    // Decimal magnitude of the mantissa: significant digits before the point, or minus the
    // zeros after it, so that an out-of-range result can be told overflow or underflow.
    long long magnitude = 0;
    bool significant = false;
    std::size_t mantissaDigits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++mantissaDigits) {
        significant = significant || text[pos] != '0';
        if (significant) ++magnitude;
        number += text[pos];
    }
    if (pos < text.size() && text[pos] == '.') {
        number += '.';
        for (++pos; pos < text.size() && isDigit(text[pos]); ++pos, ++mantissaDigits) {
            if (!significant && text[pos] == '0') --magnitude;
            significant = significant || text[pos] != '0';
            number += text[pos];
        }
    }
    if (mantissaDigits == 0) return 0;
    long long exponent = 0;
    if (pos < text.size() && std::string_view("eEdD").find(text[pos]) != std::string_view::npos) {
        std::size_t at = pos + 1;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            negativeExponent = text[at++] == '-';
        if (at < text.size() && isDigit(text[at])) {
            for (; at < text.size() && isDigit(text[at]); ++at) {
                exponent = std::min(exponent * 10 + (text[at] - '0'), 1000000LL);
            }
            if (negativeExponent) exponent = -exponent;
            number += 'e' + std::to_string(exponent);
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too small rounds to 0; too large is far outside any colour.
        return magnitude + exponent > 0 ? (negative ? LLONG_MIN : LLONG_MAX) : 0;
    }
    if (error != std::errc()) return 0;
    value = std::nearbyint(negative ? -value : value);
    if (value >= 9.2e18) return LLONG_MAX;
    if (value <= -9.2e18) return LLONG_MIN;
    return static_cast<long long>(value);
}

}  // namespace

long long readColourText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (text.size() >= 2 && text[0] == '&') {
        if (text[1] == 'H' || text[1] == 'h') return readRadix(text.substr(2), 16);
        if (text[1] == 'O' || text[1] == 'o') return readRadix(text.substr(2), 8);
    }
    return readDecimal(text);
}

}  // namespace vexlo::shell
