#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "engine/NumberText.h"

namespace vexlo::engine {
namespace {

using namespace std::string_literals;

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(ReadNumber, ReadsDisplayTexts) {
    struct Row {
        std::string text;
        double value;
    };
    const Row rows[] = {
        {"0.", 0},
        {"12.", 12},
        {"1,234.", 1234},
        {"1,2345.", 12345},  // grouping commas are ignored wherever they stand
        {",1", 1},
        {"1,,", 1},
        {"1.2,3", 1.23},
        {"-1,234.5", -1234.5},
        {"+5", 5},
        {"  7.  ", 7},
        {"\t5\r\n", 5},
        {".5", 0.5},
        {"-.5", -0.5},
        {"007", 7},
        {"0.333333333333333", 0.333333333333333},
        {"1E-05", 1e-5},
        {"1e-05", 1e-5},
        {"1.23456789E+20", 1.23456789e20},
        {"1E+15", 1e15},
        {"1E+100", 1e100},
        {"-1.5E3", -1500},
        {"4.94065645841247E-324", 4.94065645841247e-324},
        {"1E-400", 0},  // below the smallest double: zero
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {"1,234,567,890,123,460.", 1234567890123460},
        // The plain text of the largest double reads back as the largest double.
        {"1.79769313486232E+308", DBL_MAX},
        {"-1.79769313486232E+308", -DBL_MAX},
        // As Japanese users paste them: full-width forms, a leading yen sign, U+3000 blanks.
        {"１２３４", 1234},
        {"１，２３４．５", 1234.5},
        {"－１２", -12},
        {"＋１2", 12},
        {"￥1,980", 1980},
        {"¥1,980", 1980},
        {"-¥5", -5},
        {"¥-5", -5},
        {"\u3000１２\u3000", 12},
        {" ￥１，９８０ ", 1980},
        // A price with "円" after it, blanks around that too.
        {"1,980円", 1980},
        {"１，９８０円", 1980},
        {"-1,980円", -1980},
        {"12.5円", 12.5},
        {"1,980 円", 1980},
        {"1,980円\u3000\r\n", 1980},
        // Invisible characters of a copied text, inside or around the digits.
        {"1\u200B234", 1234},
        {"\uFEFF1234", 1234},
        {"1234\u200D", 1234},
        {"1\u200C,\u2060234", 1234},
        {"-\u200B5", -5},
        {"1,980\u200B円", 1980},
        // No-break spaces between digit groups.
        {"1\u00A0234\u00A0567", 1234567},
        {"1\u202F234", 1234},
        {"１\u00A0２３４", 1234},
        {"¥1\u00A0980", 1980},
        {"1\u00A0\u200B234", 1234},
    };
    for (const auto& row : rows) {
        const auto value = readNumber(row.text);
        ASSERT_TRUE(value.has_value()) << row.text;
        EXPECT_EQ(*value, row.value) << row.text;
    }
}

TEST(ReadNumber, KeepsTheSignOfNegativeZero) {
    const auto value = readNumber("-0.");
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(std::signbit(*value));
}

TEST(ReadNumber, RefusesTextsThatAreNoNumber) {
    // clang-format off
    const std::string rows[] = {
        // no digit
        "", " ", "-", "+", ".", ",", "-.", ",.,",
        // era texts and words
        "1989年", "平成2年", "明治", "abc", "inf", "Infinity", "NaN", "nan", "0x10", "5%",
        // malformed
        "1.2.3", "1..", "1e", "1E+", "1e5.", "1E5E5", "e5", ".e5", "1e,5", "(5)", "1-",
        "1 2", "- 5", "--1", "+-1",
        // pasted forms that stay refused: a yen sign elsewhere, other full-width letters
        "5¥", "¥¥5", "1¥2", "-5¥", "5-¥", "¥", "１ｅ５", "\\5", "１\xff",
        // "円" anywhere but after the number, twice, or with a leading yen sign
        "円1,980", "1,9円80", "1,980円円", "1,980円-", "1,980円.", "¥1,980円", "円", "-円",
        "1e円",
        // format characters that are not ignored, and invisible characters alone
        "1\u200A234", "1\u200E234", "1\u2061234", "1\u00AD234", "\u200B", "\uFEFF-",
        // a no-break space that is not between two digits, or another space between them
        "\u00A01234", "1234\u00A0", "1,980\u00A0円", "1\u00A0\u00A0234", "1.\u00A05",
        "1\u00A0,234", "1\u2007234", "1 234",
        // beyond the largest double
        "1E+400", "-1E+400", "1.79769313486233E+308",
        // embedded NUL
        "1\0"s, "\0"s "1", "1\0" "2"s,
    };
    // clang-format on
    for (const auto& text : rows) EXPECT_FALSE(readNumber(text).has_value()) << '"' << text << '"';
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    struct Row {
        std::string text;
        double value;
    };
    const Row rows[] = {
        {"45.", 45},
        {"1,234.", 1},
        {"平成", 0},
        {"", 0},
        {"abc", 0},
        {"12年", 12},
        {"  -12.5abc", -12.5},
        {"1 2 3", 123},
        {"- 5", -5},
        {"1e3x", 1000},
        {"1e", 1},
        {"1e+", 1},
        {"1E-2", 0.01},
        {"1 e 2", 100},
        {".5", 0.5},
        {"-.5", -0.5},
        {".", 0},
        {"-", 0},
        {"+7", 7},
        {"1.2.3", 1.2},
        {"\t42\n", 42},
        {"+-5", 0},
        {"--5", 0},
        {"1989.1", 1989.1},
        {"1\0"
         "5"s,
         1},
        {"0.", 0},
        {"1E-400", 0},
    };
    for (const auto& row : rows) EXPECT_EQ(leadingNumber(row.text), row.value) << row.text;
    EXPECT_EQ(leadingNumber("1E+400"), Inf);
    EXPECT_EQ(leadingNumber("-1E+400"), -Inf);
}

TEST(PlainText, WritesFifteenSignificantDigits) {
    struct Row {
        double value;
        const char* text;
    };
    const Row rows[] = {
        {0, "0"},
        {-0.0, "0"},
        {100 * 1.1, "110"},
        {0.1 + 0.2, "0.3"},
        {-2.5, "-2.5"},
        {0.5, "0.5"},
        {12345.678, "12345.678"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-1.0 / 3, "-0.333333333333333"},
        {1e14, "100000000000000"},
        {123456789012345, "123456789012345"},
        {999999999999999, "999999999999999"},
        {100000000000000.5, "100000000000001"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {1e15, "1E+15"},
        {999999999999999.9, "1E+15"},
        {1000000000000005, "1.00000000000001E+15"},
        {1234567890123456, "1.23456789012346E+15"},
        {1.23456789e20, "1.23456789E+20"},
        {-1.23456789e20, "-1.23456789E+20"},
        {1e100, "1E+100"},
        {DBL_MAX, "1.79769313486232E+308"},
        {1e-5, "1E-05"},
        {0.000012345, "1.2345E-05"},
        {0.99999999999999989, "1"},
        {0.000099999999999999999, "0.0001"},
        {1e-300, "1E-300"},
        {4.9406564584124654e-324, "4.94065645841247E-324"},
        {Inf, "Infinity"},
        {-Inf, "-Infinity"},
        {NaN, "NaN"},
    };
    for (const auto& row : rows) EXPECT_EQ(plainText(row.value), row.text) << row.text;
}

TEST(PlainText, SingleWritesSevenSignificantDigits) {
    struct Row {
        float value;
        const char* text;
    };
    const Row rows[] = {
        {1989.1f, "1989.1"},
        {1988.0f + 1.1f, "1989.1"},
        {0.1f, "0.1"},
        {-2.5f, "-2.5"},
        {0.0f, "0"},
        {1.0f / 3, "0.3333333"},
        {2.0f / 3, "0.6666667"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {16777216.0f, "1.677722E+07"},
        {0.0001f, "0.0001"},
        {1e-5f, "1E-05"},
        {std::numeric_limits<float>::infinity(), "Infinity"},
    };
    for (const auto& row : rows) EXPECT_EQ(plainTextSingle(row.value), row.text) << row.text;
}

constexpr Pattern OneDecimal{"#,##0.#"};
constexpr Pattern TwoFixed{"0.00"};
constexpr Pattern Bare{"#"};

TEST(Format, AppliesThePatternRules) {
    struct Row {
        double value;
        const Pattern* pattern;
        std::string text;
    };
    const Row rows[] = {
        // Ties at the pattern's last place go away from zero.
        {0.5, &patterns::Scaled, "1."},
        {-0.5, &patterns::Scaled, "-1."},
        {0.6, &patterns::Scaled, "1."},
        {0.99999999999999989, &patterns::Scaled, "1."},
        {0.5, &patterns::Year5, "1"},
        {-0.5, &patterns::Year6, "-1"},
        {0.49, &patterns::Year5, ""},
        {1.25, &OneDecimal, "1.3"},
        {-1.25, &OneDecimal, "-1.3"},
        {0.05, &OneDecimal, "0.1"},
        // The 15-digit value is rounded, not the binary one: 1.45 is stored below 1.45.
        {1.45, &OneDecimal, "1.5"},
        {2.675, &TwoFixed, "2.68"},
        {1.005, &TwoFixed, "1.01"},
        {0.0000000000000005, &patterns::Entry, "0.000000000000001"},
        {0.00000000000000049, &patterns::Entry, "0."},
        {0.0000000000000005, &patterns::Final, "0."},
        // A negative value that rounds to zero keeps its sign; -0 has none.
        {-1e-17, &patterns::Entry, "-0."},
        {-1e-17, &patterns::TaxAdded, "-0.00"},
        {-0.4, &patterns::Year6, "-"},
        {-0.0, &patterns::Entry, "0."},
        {-0.0, &patterns::TaxAdded, "0.00"},
        {-0.0, &patterns::Year5, ""},
        {0, &Bare, ""},
        {0.5, &Bare, "1"},
        // The "0" placeholders after the point.
        {0.1 + 0.2, &patterns::TaxAdded, "0.30"},
        {0.005, &patterns::TaxAdded, "0.005"},
        {1e-15, &patterns::TaxAdded, "0.000000000000001"},
        {4e-16, &patterns::TaxAdded, "0.00"},
        {0, &TwoFixed, "0.00"},
        {0.25, &TwoFixed, "0.25"},
        // Fifteen significant digits, then zeros.
        {1234567.89012345, &patterns::Entry, "1,234,567.89012345"},
        {123456789012345.6, &patterns::Entry, "123,456,789,012,346."},
        {1234567890123456, &patterns::Entry, "1,234,567,890,123,460."},
        {1000000000000004.875, &patterns::Entry, "1,000,000,000,000,000."},
        {1000000000000005.125, &patterns::Entry, "1,000,000,000,000,010."},
        {-999999999999999.5, &patterns::Scaled, "-1,000,000,000,000,000."},
        {100 * 1.1, &patterns::TaxAdded, "110.00"},
        {105 / 1.08, &patterns::TaxRemoved, "97.22222222222"},
        {999, &patterns::Entry, "999."},
        {1000, &patterns::Entry, "1,000."},
        {100000, &patterns::Entry, "100,000."},
        {-100000, &patterns::Entry, "-100,000."},
        // Non-finite values are written safely.
        {Inf, &patterns::Entry, "Infinity"},
        {-Inf, &patterns::Year5, "-Infinity"},
        {NaN, &patterns::TaxAdded, "NaN"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(format(row.value, *row.pattern), row.text)
            << plainText(row.value) << " with " << row.pattern->text;
}

TEST(Format, WritesTheLargestDoubleInFull) {
    const std::string digits = "179769313486232" + std::string(294, '0');
    EXPECT_EQ(format(DBL_MAX, patterns::Year5), digits);
    EXPECT_EQ(format(-DBL_MAX, patterns::Year6), "-" + digits);
    const std::string grouped = format(DBL_MAX, patterns::Entry);
    EXPECT_EQ(grouped.substr(0, 8), "179,769,");
    EXPECT_EQ(grouped.size(), 309u + 102u + 1u);
    EXPECT_EQ(grouped.substr(grouped.size() - 5), ",000.");
}

TEST(Format, PatternTextsParseToTheirPlaces) {
    EXPECT_EQ(patterns::Entry.maxDecimals, 15);
    EXPECT_EQ(patterns::Final.maxDecimals, 14);
    EXPECT_EQ(patterns::Candidate.maxDecimals, 12);
    EXPECT_EQ(patterns::TaxAdded.maxDecimals, 15);
    EXPECT_EQ(patterns::TaxAdded.minDecimals, 2);
    EXPECT_EQ(patterns::TaxRemoved.maxDecimals, 11);
    EXPECT_EQ(patterns::Scaled.maxDecimals, 0);
    EXPECT_TRUE(patterns::Scaled.point);
    EXPECT_FALSE(patterns::Year5.point);
    EXPECT_FALSE(patterns::Year5.zeroInteger);
    EXPECT_FALSE(patterns::Year6.grouping);
}

TEST(FormatText, ReadsThenFormats) {
    struct Row {
        std::string text;
        const Pattern* pattern;
        std::string result;
    };
    const Row rows[] = {
        {"1,2345.", &patterns::Entry, "12,345."},
        {" 12 ", &patterns::Entry, "12."},
        {"-0.4", &patterns::Scaled, "-0."},
        {"-0.", &patterns::Entry, "0."},
        {"0.", &patterns::TaxAdded, "0.00"},
        {"1E+15", &patterns::Entry, "1,000,000,000,000,000."},
        {"1.23456789E+20", &patterns::Year5, "123456789000000000000"},
        {"1E-05", &patterns::Entry, "0.00001"},
        {"123,456,789,012,3456.", &patterns::Entry, "1,234,567,890,123,460."},
        {"１，９８０円", &patterns::Entry, "1,980."},
        {"1\u200B234", &patterns::TaxAdded, "1,234.00"},
        // Unreadable texts come back unchanged.
        {"平成2年", &patterns::Entry, "平成2年"},
        {"", &patterns::Entry, ""},
        {"-", &patterns::Entry, "-"},
        {"Infinity", &patterns::Entry, "Infinity"},
        {"1E+400", &patterns::Entry, "1E+400"},
        {"1\0"s, &patterns::Entry, "1\0"s},
        {"1,980円円", &patterns::Entry, "1,980円円"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(formatText(row.text, *row.pattern), row.result)
            << row.text << " with " << row.pattern->text;
}

}  // namespace
}  // namespace vexlo::engine
