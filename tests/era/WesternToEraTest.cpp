// Western year to era year, boundary year or historical period.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EraFixture.h"

namespace vexlo::era::testing {
namespace {

struct EraRow {
    const char* display;
    const char* japanese;
    const char* english;
    const char* englishMem1;
};

// Both sides of every era change, and a few inside.
const std::vector<EraRow> EraYearsRows = {
    {"1868.", "明治1年", "1", "明"},
    {"1869.", "明治2年", "2", "明"},
    {"1911.", "明治44年", "44", "明"},
    {"1913.", "大正2年", "2", "大"},
    {"1925.", "大正14年", "14", "大"},
    {"1927.", "昭和2年", "2", "昭"},
    {"1988.", "昭和63年", "63", "昭"},
    {"1990.", "平成2年", "2", "平"},
    {"2000.", "平成12年", "12", "平"},
    {"2018.", "平成30年", "30", "平"},
    {"2020.", "令和2年", "2", "令"},
    {"2024.", "令和6年", "6", "令"},
    {"2,100.", "令和82年", "82", "令"},
    {"999,999.", "令和997981年", "997981", "令"},
    // Only six digits are kept: 1,234,567 is read as 234567.
    {"1,234,567.", "令和232549年", "232549", "令"},
    {"2,001,990.", "平成2年", "2", "平"},
    // Fractions are rounded half away from zero before the year is read.
    {"1989.5", "平成2年", "2", "平"},
    {"1867.5", "明治1年", "1", "明"},
};

TEST(WesternToEra, EraYearsInBothLanguages) {
    for (const auto& row : EraYearsRows) {
        for (auto language : {Language::Japanese, Language::English}) {
            SCOPED_TRACE(std::string(row.display) + " " + languageName(language));
            EraCalculator c;
            c.setLanguage(language);
            c.calc.setMemoryIndicator("M");
            c.westernToEra(row.display);
            if (language == Language::Japanese) {
                EXPECT_EQ(c.calc.display(), row.japanese);
                EXPECT_EQ(c.calc.memoryIndicator(), "M");
            } else {
                EXPECT_EQ(c.calc.display(), row.english);
                EXPECT_EQ(c.calc.memoryIndicator(), row.englishMem1);
            }
            EXPECT_EQ(c.calc.state().eraInitial, "");
            EXPECT_EQ(c.calc.mark(), "");
            EXPECT_TRUE(c.messages.shown.empty());
        }
    }
}

struct BoundaryRow {
    const char* display;
    const char* japanese;
    const char* english;
    const char* eraInitial;
};

const std::vector<BoundaryRow> Boundaries = {
    {"1912.", "明治 45年:大正 1年", "M 45:T 1", "M"},
    {"1926.", "大正 15年:昭和 1年", "T 15:S 1", "T"},
    {"1989.", "昭和 64年:平成 1年", "S 64:H 1", "S"},
    {"2019.", "平成 31年:令和 1年", "H 31:R 1", "H"},
    {"1,989.", "昭和 64年:平成 1年", "S 64:H 1", "S"},
    {"1989.4", "昭和 64年:平成 1年", "S 64:H 1", "S"},
};

TEST(WesternToEra, BoundaryYearsShowBothReadings) {
    for (const auto& row : Boundaries) {
        for (auto language : {Language::Japanese, Language::English}) {
            SCOPED_TRACE(std::string(row.display) + " " + languageName(language));
            EraCalculator c;
            c.setLanguage(language);
            c.calc.setMemoryIndicator("M");
            c.westernToEra(row.display);
            EXPECT_EQ(c.calc.memoryIndicator(), "");
            if (language == Language::Japanese) {
                EXPECT_EQ(c.calc.display(), row.japanese);
                EXPECT_EQ(c.calc.state().eraInitial, "");
            } else {
                EXPECT_EQ(c.calc.display(), row.english);
                EXPECT_EQ(c.calc.state().eraInitial, row.eraInitial);
            }
        }
    }
}

// Each period at both ends; the text is the same in both languages and MEM1 is left alone.
const std::vector<std::pair<const char*, const char*>> PeriodRows = {
    {"-1,989.", "紀元前・未対応"},
    {"-1.", "紀元前・未対応"},
    {"0.", "紀元前・未対応"},
    {"-0.", "紀元前・未対応"},
    {"-0.4", "紀元前・未対応"},
    {"0.4", "紀元前・未対応"},
    {"0.5", "旧石器～古墳時代"},
    // A pasted text that is no number keeps its rightmost six characters, here a fraction.
    {"zz.31332", "旧石器～古墳時代"},
    {"zz.00001", "旧石器～古墳時代"},
    {"zz-.3133", "紀元前・未対応"},
    {"1.", "旧石器～古墳時代"},
    {"591.", "旧石器～古墳時代"},
    {"592.", "飛鳥時代(6C末～)"},
    {"709.", "飛鳥時代(6C末～)"},
    {"710.", "奈良時代"},
    {"793.", "奈良時代"},
    {"794.", "平安時代"},
    {"1,184.", "平安時代"},
    {"1,185.", "鎌倉時代"},
    {"1,332.", "鎌倉時代"},
    {"1,333.", "建武の新政"},
    {"1,335.", "建武の新政"},
    {"1,336.", "南北朝時代～1392年"},
    {"1,337.", "南北朝時代～1392年"},
    {"1,338.", "室町時代"},
    {"1,466.", "室町時代"},
    {"1,467.", "応仁の乱～1477年"},
    {"1,468.", "室町時代"},
    {"1,572.", "室町時代"},
    {"1,573.", "安土桃山時代"},
    {"1,602.", "安土桃山時代"},
    {"1,603.", "江戸時代"},
    {"1,866.", "江戸時代"},
    {"1,867.", "大政奉還"},
};

TEST(WesternToEra, PeriodsBeforeMeijiAtBothEnds) {
    for (const auto& [display, text] : PeriodRows) {
        for (auto language : {Language::Japanese, Language::English}) {
            SCOPED_TRACE(std::string(display) + " " + languageName(language));
            EraCalculator c;
            c.setLanguage(language);
            c.calc.setMemoryIndicator("M");
            c.westernToEra(display);
            EXPECT_EQ(c.calc.display(), text);
            EXPECT_EQ(c.calc.memoryIndicator(), "M");
            EXPECT_EQ(c.calc.state().eraInitial, "");
        }
    }
}

TEST(WesternToEra, EveryYearBeforeMeijiHasAName) {
    for (int year = 1; year < 1868; ++year) {
        EraCalculator c;
        c.westernToEra(std::to_string(year) + ".");
        EXPECT_FALSE(engine::readNumber(c.calc.display()).has_value())
            << year << " " << c.calc.display();
        EXPECT_NE(c.calc.display(), "紀元前・未対応") << year;
    }
}

TEST(WesternToEra, TextsThatAreNoNumberAreBeforeTheCommonEra) {
    for (const char* display : {"", "平成2年", "明治 45年:大正 1年", "abc", "-", ".", "年"}) {
        for (auto language : {Language::Japanese, Language::English}) {
            SCOPED_TRACE(std::string("'") + display + "' " + languageName(language));
            EraCalculator c;
            c.setLanguage(language);
            c.westernToEra(display);
            EXPECT_EQ(c.calc.display(), "紀元前・未対応");
            EXPECT_TRUE(c.messages.shown.empty());
        }
    }
}

TEST(WesternToEra, ClearsTheMarkAndTheLetterAndLeavesTheCalculationAlone) {
    EraCalculator c;
    c.setLanguage(Language::English);
    // 12 x 3. then a point: operands, count, point and pending operator all set.
    for (char32_t key : std::u32string_view(U"12*3.")) c.calc.typeCharacter(key);
    c.calc.setEraInitial("S");
    engine::CalculatorState expected = c.calc.state();
    expected.eraInitial = "";
    c.calc.setMark("平");
    c.westernToEra("1,700.");
    EXPECT_EQ(c.calc.display(), "江戸時代");
    EXPECT_EQ(c.calc.mark(), "");
    EXPECT_EQ(c.calc.state(), expected);
    EXPECT_TRUE(expected.pointEntered);
    EXPECT_EQ(expected.pending, engine::Operation::Multiply);
}

}  // namespace
}  // namespace vexlo::era::testing
