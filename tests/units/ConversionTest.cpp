// The conversion text of a ticked target box and the length test that follows every click.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "units/Conversion.h"

namespace vexlo::units {
namespace {

struct ConversionRow {
    const char* name;
    Category category;
    int slot;
    int box;
    const char* readout;
    std::optional<std::string> text;  // nothing: the readout stays as it is
};

class ConvertedText : public ::testing::TestWithParam<ConversionRow> {};

TEST_P(ConvertedText, IsTheFormattedProductWithItsSuffix) {
    const auto& row = GetParam();
    const Target* target = rule(row.category, row.slot, row.box);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(convertedText(row.readout, *target), row.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertedText,
    ::testing::Values(
        ConversionRow{"zero", Category::Length, 1, 1, "0.", "0.寸"},
        ConversionRow{"negative", Category::Length, 1, 1, "-2.", "-0.66寸"},
        ConversionRow{"grouped entry", Category::Length, 2, 2, "1,234.5", "4,050.1476ft"},
        ConversionRow{"metre to yard", Category::Length, 2, 3, "1.", "1.0936yd"},
        ConversionRow{"whole result keeps its point", Category::Area, 10, 3, "1.", "9.平方ft"},
        ConversionRow{"square metre to square yard", Category::Area, 2, 3, "1.", "1.196平方yd"},
        ConversionRow{"kan to long ton", Category::Weight, 6, 8, "1,000.", "3.6908英ｔ"},
        ConversionRow{"kan to short ton", Category::Weight, 6, 9, "1,000.", "4.1337米ｔ"},
        ConversionRow{"square ri to square km", Category::Area, 6, 1, "1.", "15.4235平方km"},
        ConversionRow{"cubic yard to cubic foot", Category::Volume, 7, 3, "2.", "54.立方ft"},
        ConversionRow{"not an exact inverse", Category::Length, 4, 1, "0.33", "0.999999ｃｍ"},
        ConversionRow{"15 significant digits", Category::Length, 2, 1, "3.", "9.9尺"},
        // 12,345,678,901 x 3.3 is 16 characters formatted; the leading digit goes.
        ConversionRow{"cut to 15", Category::Length, 2, 1, "12,345,678,901.", "0,740,740,373.3尺"},
        ConversionRow{"keeps 20", Category::Volume, 7, 1, "123,456,789,012.", "94,388,888,039.1246立方m"},
        ConversionRow{"converted text", Category::Length, 1, 1, "3.96寸", std::nullopt},
        ConversionRow{"era text", Category::Length, 1, 1, "平成2年", std::nullopt},
        ConversionRow{"empty", Category::Length, 1, 1, "", std::nullopt}),
    [](const auto& test) {
        std::string name;
        for (const char c : std::string(test.param.name)) name += std::isalnum(c) ? c : '_';
        return name;
    });
// clang-format on

TEST(LengthCheck, MoreThanNineteenCharactersIsTooLong) {
    EXPECT_FALSE(tooLong("0.寸"));
    EXPECT_FALSE(tooLong("123,456,789,012.3寸1"));  // 19 characters, 21 bytes
    EXPECT_TRUE(tooLong("123,456,789,012.3寸12"));
    EXPECT_TRUE(tooLong("94,388,888,039.1246立方m"));
}

}  // namespace
}  // namespace vexlo::units
