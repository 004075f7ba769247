#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <variant>
#include <vector>

#include "platform/headless/MemoryProfileFile.h"
#include "shell/settings/ColourText.h"
#include "shell/settings/SettingsKeys.h"

using vexlo::platform::MemoryProfileFile;
using namespace vexlo::shell;

namespace {

TEST(ColourText, ReadsByTheNumericTextRules) {
    const struct {
        const char* text;
        long long expected;
    } rows[] = {
        {"&HFFFF", -1},
        {"&HFF", 255},
        {"&HFF&", 255},
        {"&HFFFF&", 65535},
        {"&H404040", 4210752},
        {"&H400000", 4194304},
        {"&HFFF", 4095},
        {"&H7FFF", 32767},
        {"&H8000", -32768},
        {"&H00FF", 255},
        {"&H0000FFFF", 65535},  // five or more digits: 32 bits
        {"&H10000", 65536},
        {"&H7FFFFFFF", 2147483647},
        {"&H80000000", -2147483648LL},
        {"&HFFFFFFFF", -1},
        {"&H123456789", 0x123456789LL},  // beyond 32 bits: kept, so refused
        {"&hff", 255},
        {"&HfF", 255},
        {"  &HFF", 255},
        {"\t&HFF", 255},
        {"&H1G", 1},
        {"&H", 0},
        {"&H&", 0},
        {"&O17", 15},
        {"&o7777", 4095},
        {"&O177777", 65535},
        {"&O8", 0},
        {"&", 0},
        {"&X12", 0},
        {"16777215", 16777215},
        {"255", 255},
        {" 255", 255},
        {"+7", 7},
        {"-1", -1},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-0.5", 0},
        {"2.6", 3},
        {".5", 0},
        {".7", 1},
        {"5.", 5},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"2.5E1", 25},
        {"25E-1", 2},
        {"1d2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"12abc", 12},
        {"1,234", 1},
        {"1e400", LLONG_MAX},
        {"-1e400", LLONG_MIN},
        {"1e-400", 0},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"-&H1", 0},
        {"\xEF\xBC\x91", 0},  // full-width 1
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readColourText(row.text), row.expected) << row.text;
    }
}

TEST(ColourText, OnlyColoursInRangeApply) {
    const struct {
        long long value;
        bool applies;
    } rows[] = {{-1, false},       {0, true},         {4095, true},
                {16777215, true},  {16777216, false}, {0x123456789LL, false},
                {LLONG_MIN, false}};
    for (const auto& row : rows) EXPECT_EQ(isApplicableColour(row.value), row.applies) << row.value;
}

TEST(SettingsKeys, NoFileGivesEveryDefault) {
    const StoredSettings read = readStoredSettings(MemoryProfileFile());
    EXPECT_EQ(read, StoredSettings{});
    EXPECT_EQ(read.displayFont, "System");
    EXPECT_EQ(read.windowTop, 0);
    EXPECT_EQ(read.windowLeft, 0);
    EXPECT_EQ(read.fontWindowTop, 1830);
    EXPECT_EQ(read.fontWindowLeft, 3555);
    EXPECT_EQ(read.displayText, "0.");
    EXPECT_EQ(read.windowHeight, 855);
    EXPECT_EQ(read.windowWidth, 5295);
    EXPECT_EQ(read.resumeMode + read.onTop + read.language + read.warningMode, 0);
    // The main colour's default is refused, so the design colours stay.
    EXPECT_FALSE(isApplicableColour(readColourText(read.mainColour)));
    EXPECT_EQ(readColourText(read.displayTextColour), 4210752);
    EXPECT_EQ(readColourText(read.memoryTextColour), 255);
    EXPECT_EQ(readColourText(read.operatorTextColour), 4194304);
    EXPECT_EQ(readColourText(read.resumeColour), 4095);
}

TEST(SettingsKeys, ValueFormsOfEachKind) {
    using Expected = std::variant<int, std::string>;
    const struct {
        const char* file;
        const char* key;
        Expected expected;
    } rows[] = {
        {"[VEXLO]\nFormTop=abc\n", "FormTop", 0},
        {"[VEXLO]\nForm2Top=abc\n", "Form2Top", 0},  // letters read 0, not the default 1830
        {"[VEXLO]\nForm2Top=\n", "Form2Top", 0},
        {"[VEXLO]\nSizeH=1200twips\n", "SizeH", 1200},
        {"[VEXLO]\nFormLeft=-300\n", "FormLeft", -300},
        {"[VEXLO]\nSizeW=\"  5000\"\n", "SizeW", 5000},
        {"[vexlo]\nendmem=1\n", "EndMem", 1},
        {"[VEXLO]\nJpFont=1\r\n", "JpFont", 1},
        {"[OTHER]\nForm2Left=1\n", "Form2Left", 3555},
        {"[VEXLO]\nDumy=1,234.\n", "Dumy", std::string("1,234.")},
        {"[VEXLO]\nFontDef=\xEF\xBC\xAD\xEF\xBC\xB3 明朝\n", "FontDef", std::string("ＭＳ 明朝")},
        {"[VEXLO]\nFontDef=\n", "FontDef", std::string("")},
        {"[VEXLO]\nFontDef=0123456789012345678901234567890123456789012345678901234\n", "FontDef",
         std::string("0123456789012345678901234567890123456789012345678")},
        {"[VEXLO]\nMColor=16777215\n", "MColor", std::string("16777215")},
        {"[VEXLO]\nMColor=\n", "MColor", std::string("")},
        {"[VEXLO]\nXColor=  &HFF&\n", "XColor", std::string("&HFF&")},
    };
    for (const auto& row : rows) {
        const StoredSettings read = readStoredSettings(MemoryProfileFile(row.file));
        for (const SettingKey& key : SettingKeys) {
            if (key.name != row.key) continue;
            if (key.integer != nullptr) {
                EXPECT_EQ(Expected(read.*key.integer), row.expected) << row.file;
            } else {
                ASSERT_NE(key.text, nullptr) << row.key;
                EXPECT_EQ(Expected(read.*key.text), row.expected) << row.file;
            }
        }
    }
}

TEST(SettingsKeys, ResumeTextComesBack) {
    const StoredSettings read =
        readStoredSettings(MemoryProfileFile("[VEXLO]\r\nEndMem=1\r\nDumy=1,234.\r\n"));
    EXPECT_EQ(read.resumeMode, 1);
    EXPECT_EQ(read.displayText, "1,234.");
}

// Records the keys read, in order.
class RecordingProfile : public MemoryProfileFile {
  public:
    std::optional<std::string> read(std::string_view section, std::string_view key) const override {
        reads.push_back(std::string(section) + "/" + std::string(key));
        return MemoryProfileFile::read(section, key);
    }
    mutable std::vector<std::string> reads;
};

TEST(SettingsKeys, StartUpReadsInFileOrderAndNeverTheThirdFormsKeys) {
    RecordingProfile profile;
    readStoredSettings(profile);
    const std::vector<std::string> expected = {
        "VEXLO/FontDef", "VEXLO/FormTop", "VEXLO/FormLeft", "VEXLO/Form2Top", "VEXLO/Form2Left",
        "VEXLO/Dumy",    "VEXLO/EndMem",  "VEXLO/SizeH",    "VEXLO/SizeW",    "VEXLO/AllFcs",
        "VEXLO/JpFont",  "VEXLO/AtsNoA",  "VEXLO/MColor",   "VEXLO/LColor",   "VEXLO/RColor",
        "VEXLO/EColor",  "VEXLO/XColor"};
    EXPECT_EQ(profile.reads, expected);
    EXPECT_EQ(SettingKeys[17].name, "Form3Top");
    EXPECT_EQ(SettingKeys[18].name, "Form3Left");
}

TEST(SettingsKeys, FontWindowReadsItsThreeKeys) {
    RecordingProfile profile;
    profile.write("VEXLO", "Form2Left", "99");
    profile.reads.clear();
    const FontWindowSettings read = readFontWindowSettings(profile);
    EXPECT_EQ(read.displayFont, "System");
    EXPECT_EQ(read.fontWindowTop, 1830);
    EXPECT_EQ(read.fontWindowLeft, 99);
    EXPECT_EQ(profile.reads,
              (std::vector<std::string>{"VEXLO/FontDef", "VEXLO/Form2Top", "VEXLO/Form2Left"}));
}

TEST(SettingsKeys, WritesUseTheSectionAndShortestDecimalText) {
    MemoryProfileFile profile;
    EXPECT_TRUE(writeSetting(profile, keys::Form2Top, 1830));
    EXPECT_TRUE(writeSetting(profile, keys::MColor, 16777215));
    EXPECT_TRUE(writeSetting(profile, keys::FormLeft, -120));
    EXPECT_TRUE(writeSetting(profile, keys::Dumy, "12,345."));
    EXPECT_EQ(profile.text(),
              "[VEXLO]\nForm2Top=1830\nMColor=16777215\nFormLeft=-120\nDumy=12,345.\n");
    const StoredSettings read = readStoredSettings(profile);
    EXPECT_EQ(read.windowLeft, -120);
    EXPECT_EQ(readColourText(read.mainColour), 16777215);
}

}  // namespace
