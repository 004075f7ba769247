#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/headless/MemoryProfileFile.h"

using vexlo::platform::MemoryProfileFile;
using namespace std::string_literals;

namespace {

// A file holding `value` under [VEXLO] K, written through the profile so blanks survive.
MemoryProfileFile fileWith(const std::string& value) {
    MemoryProfileFile file;
    EXPECT_TRUE(file.write("VEXLO", "K", value));
    return file;
}

TEST(ProfileFileIntegerRead, ReadsTheLeadingDigits) {
    const struct {
        std::string value;
        int expected;
    } rows[] = {
        {"123", 123},
        {"007", 7},
        {"  42", 42},
        {"\t7", 7},
        {"-17", -17},
        {"12abc", 12},
        {"1.9", 1},
        {"1,234", 1},
        {"abc", 0},  // not the fallback
        {"", 0},
        {"+5", 0},
        {"-", 0},
        {"- 5", 0},
        {"0x1F", 0},
        {"\xEF\xBC\x91\xEF\xBC\x92", 0},  // full-width digits are letters here
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999999", INT_MIN},
        {std::string(100000, '9'), INT_MAX},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fileWith(row.value).getInt("VEXLO", "K", 1830), row.expected) << row.value;
    }
}

TEST(ProfileFileIntegerRead, MissingGivesTheFallback) {
    const MemoryProfileFile file("[VEXLO]\nK=5\n[OTHER]\nM=6\n");
    EXPECT_EQ(file.getInt("VEXLO", "K", 1830), 5);
    EXPECT_EQ(file.getInt("vexlo", "k", 1830), 5);
    EXPECT_EQ(file.getInt("VEXLO", "M", 1830), 1830);
    EXPECT_EQ(file.getInt("NONE", "K", 3555), 3555);
    EXPECT_EQ(MemoryProfileFile().getInt("VEXLO", "K", -7), -7);
}

TEST(ProfileFileStringRead, CutsToWholeCharacters) {
    const std::string a48(48, 'a');
    const std::string a49(49, 'a');
    std::string hiragana60;
    std::string hiragana49;
    for (int i = 0; i < 60; ++i) hiragana60 += "あ";
    for (int i = 0; i < 49; ++i) hiragana49 += "あ";
    const struct {
        const char* name;
        std::string value;
        std::string expected;
    } rows[] = {
        {"short", "System", "System"},
        {"exactly 49", a49, a49},
        {"60 ASCII", std::string(60, 'x'), std::string(49, 'x')},
        {"60 three-byte characters", hiragana60, hiragana49},
        {"multi-byte character as 49th", a48 + "あb", a48 + "あ"},
        {"multi-byte character as 50th", a49 + "あ", a49},
        {"four-byte character", a48 + "\xF0\x9F\x98\x80z", a48 + "\xF0\x9F\x98\x80"},
        {"invalid bytes count one each", std::string(60, '\xFF'), std::string(49, '\xFF')},
        {"truncated sequence bytes count one each", a48 + "\xE3\x81", a48 + "\xE3"},
        {"stops at NUL", "ab\0cd"s, "ab"},
        {"empty", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fileWith(row.value).getString("VEXLO", "K", "System"), row.expected) << row.name;
    }
}

TEST(ProfileFileStringRead, MissingGivesTheFallbackCutTheSameWay) {
    const MemoryProfileFile file("[VEXLO]\nOther=1\n");
    EXPECT_EQ(file.getString("VEXLO", "FontDef", "System"), "System");
    EXPECT_EQ(file.getString("VEXLO", "FontDef", std::string(60, 'f')), std::string(49, 'f'));
    EXPECT_EQ(file.getString("VEXLO", "FontDef", "abcdef", 3), "abc");
}

TEST(MemoryProfileFile, WritesOneKeyAndCanRefuse) {
    MemoryProfileFile file("; kept\n[VEXLO]\nA=1\n");
    EXPECT_TRUE(file.write("VEXLO", "B", "2"));
    EXPECT_TRUE(file.write("vexlo", "a", "3"));
    EXPECT_EQ(file.text(), "; kept\n[VEXLO]\nA=3\nB=2\n");
    EXPECT_EQ(file.writeCount(), 2);
    file.refuseWrites = true;
    EXPECT_FALSE(file.write("VEXLO", "A", "4"));
    EXPECT_EQ(file.read("VEXLO", "A"), "3");
    EXPECT_FALSE(MemoryProfileFile().write("VEXLO", "A=B", "1"));
}

}  // namespace
