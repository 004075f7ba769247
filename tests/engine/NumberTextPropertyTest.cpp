// Checks over many generated values: the 15-digit rounding against the exact decimal expansion
// of the double, and the round trips between the number texts.

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/NumberText.h"

namespace vexlo::engine {
namespace {

// |value| rounded half away from zero to 15 significant digits, from its exact expansion
// (printf writes every digit of a double when asked for enough of them).
double exactlyRounded(double value) {
    std::vector<char> buffer(900);
    std::snprintf(buffer.data(), buffer.size(), "%.780e", std::fabs(value));
    std::string digits{buffer[0]};
    digits.append(buffer.data() + 2, 14);
    const char* e = std::strchr(buffer.data(), 'e');
    int exponent = std::atoi(e + 1);
    if (buffer[16] >= '5') {
        int i = 14;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[i];
        }
    }
    const std::string text = digits + "e" + std::to_string(exponent - 14);
    double rounded = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), rounded);
    // The 15-digit text of the largest double lies beyond it; it reads as the largest double.
    return result.ec == std::errc::result_out_of_range ? DBL_MAX : rounded;
}

// Values spread over the whole range, plus values next to exact and apparent ties at the
// 15th significant digit, where a shortcut through a shorter expansion would go wrong.
std::vector<double> sampleValues() {
    std::mt19937_64 random(20240601);
    std::vector<double> values;
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 300);
    std::uniform_int_distribution<long long> fifteen(100000000000000LL, 999999999999999LL);
    for (int i = 0; i < 10000; ++i) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
        // A 15-digit decimal plus half a unit in its last place, and the doubles beside it.
        const double scale = std::pow(10.0, exponent(random) / 20);
        const double tie = (static_cast<double>(fifteen(random)) + 0.5) * scale;
        double below = tie, above = tie;
        for (int k = 0; k < 3; ++k) {
            values.push_back(below = std::nextafter(below, 0.0));
            values.push_back(above = std::nextafter(above, HUGE_VAL));
        }
        values.push_back(tie);
        values.push_back(-tie);
    }
    for (long long n = 1000000000000000; n < 1000000000000000 + 2000; n += 5)
        values.push_back(static_cast<double>(n));
    values.push_back(std::nextafter(0.0, 1.0));
    values.push_back(DBL_MAX);
    values.push_back(DBL_MIN);
    return values;
}

TEST(NumberTextProperty, PlainTextRoundsTheExactValue) {
    int failures = 0;
    for (double value : sampleValues()) {
        const std::string text = plainText(value);
        const auto back = readNumber(text);
        ASSERT_TRUE(back.has_value()) << text;
        const double expected = std::copysign(exactlyRounded(value), value);
        if (*back != expected && ++failures < 20)
            ADD_FAILURE() << "plainText(" << std::hexfloat << value << std::defaultfloat
                          << ") = " << text;
    }
    EXPECT_EQ(failures, 0);
}

TEST(NumberTextProperty, PlainTextThenFormatEqualsFormat) {
    const Pattern* all[] = {&patterns::Entry,  &patterns::Final,    &patterns::Candidate,
                            &patterns::Scaled, &patterns::TaxAdded, &patterns::TaxRemoved,
                            &patterns::Year5};
    int failures = 0;
    for (double value : sampleValues()) {
        const double reread = *readNumber(plainText(value));
        for (const Pattern* pattern : all) {
            const std::string direct = format(value, *pattern);
            if (format(reread, *pattern) != direct && ++failures < 20)
                ADD_FAILURE() << plainText(value) << " with " << pattern->text;
            if (entryRule(value, *pattern, 20) != rightmost(direct, 20) && ++failures < 20)
                ADD_FAILURE() << "entry rule of " << plainText(value) << " with " << pattern->text;
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(NumberTextProperty, FormattedTextsReadBack) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-3, 20);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const std::string text = format(value, patterns::Entry);
        const auto back = readNumber(text);
        ASSERT_TRUE(back.has_value()) << text;
        // Reading back and formatting again changes nothing.
        EXPECT_EQ(format(*back, patterns::Entry), text);
        EXPECT_EQ(formatText(text, patterns::Entry), text);
    }
}

}  // namespace
}  // namespace vexlo::engine
