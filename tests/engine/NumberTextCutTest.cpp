// Character counting, the cut to the rightmost characters and the entry rule.

#include <gtest/gtest.h>

#include <string>

#include "engine/NumberText.h"

namespace vexlo::engine {
namespace {

using namespace std::string_literals;

TEST(TextLength, CountsUtf8Characters) {
    struct Row {
        std::string text;
        std::size_t length;
    };
    const Row rows[] = {
        {"", 0},
        {"abc", 3},
        {"平成2年", 4},
        {"億", 1},
        {"【ベクロ】", 5},
        {"\xF0\x9F\x98\x80", 1},  // outside the basic plane
        {"a\0b"s, 3},
        // Bytes that start no well-formed character count one each.
        {"\xFF", 1},
        {"a\x80"
         "b",
         3},
        {"\xE5\xB9", 2},          // cut short
        {"\xC0\xAF", 2},          // overlong
        {"\xE0\x80\x80", 3},      // overlong
        {"\xED\xA0\x80", 3},      // surrogate
        {"\xF4\x90\x80\x80", 4},  // beyond U+10FFFF
        {"\xE5\xB9\xB3\xE5", 2},  // a character, then a lone lead byte
    };
    for (const auto& row : rows) EXPECT_EQ(textLength(row.text), row.length) << row.text;
}

TEST(Rightmost, KeepsWholeCharactersFromTheRight) {
    struct Row {
        std::string text;
        std::size_t count;
        std::string kept;
    };
    const Row rows[] = {
        {"abc", 2, "bc"},
        {"abc", 3, "abc"},
        {"abc", 10, "abc"},
        {"abc", 0, ""},
        {"", 5, ""},
        {"平成2年", 2, "2年"},
        {"平成2年", 3, "成2年"},
        {"平成2年", 0, ""},
        {"a\xF0\x9F\x98\x80", 1, "\xF0\x9F\x98\x80"},
        {"\xE5\xB9\xB3\xE5", 1, "\xE5"},
        {"\xE5\xB9\xB3\xE5", 2, "\xE5\xB9\xB3\xE5"},
        {"x\xB9\xB3", 2, "\xB9\xB3"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(rightmost(row.text, row.count), row.kept) << row.text << ", " << row.count;
}

TEST(EntryRule, FormatsThenKeepsTheRightmostCharacters) {
    struct Row {
        double value;
        const Pattern* pattern;
        std::size_t width;
        std::string text;
    };
    const Row rows[] = {
        {12, &patterns::Entry, 20, "12."},
        {123456789012345, &patterns::Entry, 20, "123,456,789,012,345."},
        // A 16th integer digit: 15 significant digits, and the leading digit is cut off.
        {1234567890123456, &patterns::Entry, 20, "234,567,890,123,460."},
        {-1234567890123456, &patterns::Entry, 20, "234,567,890,123,460."},
        {1.0 / 3, &patterns::Entry, 20, "0.333333333333333"},
        {1234567.1234567891, &patterns::Entry, 20, "1,234,567.12345679"},
        {123456789.123456789, &patterns::Final, 20, "123,456,789.123457"},
        {100 * 1.1, &patterns::TaxAdded, 15, "110.00"},
        {1234567890.125, &patterns::TaxAdded, 15, "234,567,890.125"},
        {105 / 1.08, &patterns::TaxRemoved, 18, "97.22222222222"},
        {1e100, &patterns::Entry, 20, "000,000,000,000,000."},
        {12, &patterns::Entry, 0, ""},
        {-0.4, &patterns::Year5, 20, "-"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(entryRule(row.value, *row.pattern, row.width), row.text)
            << row.value << " with " << row.pattern->text;
        EXPECT_EQ(entryRule(row.value, *row.pattern, row.width),
                  rightmost(format(row.value, *row.pattern), row.width));
    }
    EXPECT_EQ(entryRule(12.5, patterns::Entry), "12.5");  // the display width by default
}

TEST(EntryRule, ReadsDisplayTextsAndCutsOthers) {
    struct Row {
        std::string text;
        const Pattern* pattern;
        std::size_t width;
        std::string result;
    };
    const Row rows[] = {
        {"123,456,789,012,3456.", &patterns::Entry, 20, "234,567,890,123,460."},
        {"1,2345.", &patterns::Entry, 20, "12,345."},
        {"110.00000000000001", &patterns::TaxAdded, 15, "110.00"},
        {"平成2年", &patterns::Entry, 20, "平成2年"},
        {"平成2年", &patterns::Entry, 2, "2年"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", &patterns::Entry, 20, "FGHIJKLMNOPQRSTUVWXY"},
        {"", &patterns::Entry, 20, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(entryRule(std::string_view(row.text), *row.pattern, row.width), row.result)
            << row.text;
}

TEST(IsFull, TwentyCharactersFillTheDisplay) {
    EXPECT_TRUE(isFull("123,456,789,012,345."));
    EXPECT_FALSE(isFull("23,456,789,012,345."));
    EXPECT_TRUE(isFull("平成平成平成平成平成平成平成平成平成平成"));
    EXPECT_FALSE(isFull("平成平成平成平成平成平成平成平成平成平"));
}

}  // namespace
}  // namespace vexlo::engine
