// Era year to Western year: the era mark in MEM2 and the era year in the display.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "EraFixture.h"

namespace vexlo::era::testing {
namespace {

constexpr const char* TitleJa = "【ベクロ】";
constexpr const char* TitleEn = "【VexloKun】";
constexpr const char* NoEraJa = "入力年数が間違っているか、対応していない変換操作をしました。";
constexpr const char* NoEraEn = "Error made in input or operation.";

// First and last years of each era, and the years on either side of each change.
struct EdgeRow {
    const char* kanji;
    const char* letter;
    const char* eraYear;
    const char* western;
};

const std::vector<EdgeRow> EraEdges = {
    {"明", "M", "1.", "1868"},  {"明", "M", "2.", "1869"},   {"明", "M", "44.", "1911"},
    {"明", "M", "45.", "1912"}, {"大", "T", "1.", "1912"},   {"大", "T", "2.", "1913"},
    {"大", "T", "14.", "1925"}, {"大", "T", "15.", "1926"},  {"昭", "S", "1.", "1926"},
    {"昭", "S", "2.", "1927"},  {"昭", "S", "63.", "1988"},  {"昭", "S", "64.", "1989"},
    {"平", "H", "1.", "1989"},  {"平", "H", "2.", "1990"},   {"平", "H", "30.", "2018"},
    {"平", "H", "31.", "2019"}, {"令", "R", "1.", "2019"},   {"令", "R", "2.", "2020"},
    {"令", "R", "6.", "2024"},  {"令", "R", "100.", "2118"},
};

TEST(EraToWestern, EveryEraEdgeByKanjiAndLetterInBothLanguages) {
    for (const auto& row : EraEdges) {
        for (const char* mark : {row.kanji, row.letter}) {
            for (auto language : {Language::Japanese, Language::English}) {
                SCOPED_TRACE(std::string(mark) + " " + row.eraYear + " " + languageName(language));
                EraCalculator c;
                c.setLanguage(language);
                c.eraToWestern(mark, row.eraYear);
                const std::string expected =
                    language == Language::Japanese ? std::string(row.western) + "年" : row.western;
                EXPECT_EQ(c.calc.display(), expected);
                EXPECT_EQ(c.calc.mark(), "");
                EXPECT_TRUE(c.messages.shown.empty());
            }
        }
    }
}

// Years past an era's end: the message in Japanese whatever the language and warning switch,
// then a cleared calculation. A letter outside its accepted range chooses no era (the display
// at the message shows the bare year) but still meets the limit.
struct LimitRow {
    const char* mark;
    const char* eraYear;
    const char* message;
    const char* kanji;
    const char* japaneseWhenShown;
    const char* englishWhenShown;
};

const std::vector<LimitRow> Limits = {
    {"明", "46.", "明治は４５年までです。", "明", "1913年", "1913"},
    {"M", "46.", "明治は４５年までです。", "明", "46年", "46"},
    {"明", "100.", "明治は４５年までです。", "明", "1967年", "1967"},
    {"大", "16.", "大正は１５年までです。", "大", "1927年", "1927"},
    {"T", "16.", "大正は１５年までです。", "大", "16年", "16"},
    {"昭", "65.", "昭和は６４年までです。", "昭", "1990年", "1990"},
    {"S", "65.", "昭和は６４年までです。", "昭", "65年", "65"},
    {"平", "32.", "平成は31年４月３０日までです。", "平", "2020年", "2020"},
    {"H", "32.", "平成は31年４月３０日までです。", "平", "2020年", "2020"},
    {"H", "64.", "平成は31年４月３０日までです。", "平", "2052年", "2052"},
    {"H", "65.", "平成は31年４月３０日までです。", "平", "65年", "65"},
    {"H", "70.", "平成は31年４月３０日までです。", "平", "70年", "70"},
};

TEST(EraToWestern, YearsPastAnEraBringTheLimitMessageAndClear) {
    for (const auto& row : Limits) {
        for (auto language : {Language::Japanese, Language::English}) {
            for (const char* warnings : {"0", "1"}) {
                SCOPED_TRACE(std::string(row.mark) + " " + row.eraYear + " " +
                             languageName(language) + " warnings " + warnings);
                EraCalculator c;
                c.setLanguage(language);
                c.calc.setWarningsShown(std::string(warnings) == "0");
                c.calc.resumeDisplay("12.");
                c.eraToWestern(row.mark, row.eraYear);

                ASSERT_EQ(c.messages.shown.size(), 1u);
                EXPECT_EQ(c.messages.shown[0].title, TitleJa);
                EXPECT_EQ(c.messages.shown[0].text, row.message);
                EXPECT_EQ(c.messages.shown[0].mem2WhenShown, row.kanji);
                EXPECT_EQ(c.messages.shown[0].displayWhenShown, language == Language::Japanese
                                                                    ? row.japaneseWhenShown
                                                                    : row.englishWhenShown);
                EXPECT_EQ(c.calc.display(), "0.");
                EXPECT_EQ(c.calc.mark(), " ");
                EXPECT_EQ(c.calc.state().firstOperand, 0);
            }
        }
    }
}

TEST(EraToWestern, HeiseiLimitBlanksTheMarkWithTwoSpacesBeforeClearing) {
    EraCalculator c;
    c.eraToWestern("平", "32.");
    const std::vector<std::string> expected = {"", "平", "  ", " "};
    EXPECT_EQ(c.mem2History, expected);

    EraCalculator showa;
    showa.eraToWestern("昭", "65.");
    const std::vector<std::string> expectedShowa = {"", "昭", " "};
    EXPECT_EQ(showa.mem2History, expectedShowa);
}

struct ConversionRow {
    const char* name;
    const char* mark;
    const char* display;
    const char* japanese;
    const char* english;
};

const std::vector<ConversionRow> Conversions = {
    // The whole era year counts, grouping commas ignored.
    {"grouped era year", "令", "1,000.", "3018年", "3018"},
    {"grouped era year by letter", "R", "1,000.", "3018年", "3018"},
    // Year 0 and below with a kanji mark count back from the era's base year.
    {"Heisei 0", "平", "0.", "1988年", "1988"},
    {"Meiji 0", "明", "0.", "1867年", "1867"},
    {"Meiji -1", "明", "-1.", "1866年", "1866"},
    // A letter outside its range below chooses no era.
    {"letter M at -1", "M", "-1.", "-1年", "-1"},
    {"letter H at -1", "H", "-1.", "-1年", "-1"},
    // A letter chooses its era only after year 0; "#####" writes nothing for the year 0 left.
    {"letter T at 0", "T", "0.", "年", "0"},
    {"letter H at 0", "H", "0.", "年", "0"},
    {"letter T just after 0", "T", "0.5", "1912年", "1911.5"},
    // A kanji mark counts back to the common era's year 0 and before it.
    {"Reiwa back to year 0", "令", "-2,018.", "年", "0"},
    {"Meiji before year 0", "明", "-1,868.", "-1年", "-1"},
    {"Reiwa letter has no range", "R", "-1.", "2017年", "2017"},
    // The full-width letter of the English key map is no era mark.
    {"full-width M", "Ｍ", "45.", "45年", "45"},
    // A blank or operator mark is no era and no error: the bare number.
    {"one-space mark", " ", "45.", "45年", "45"},
    {"operator mark", "＋", "1,234.", "1234年", "1234"},
    // Single precision: seven digits in English, a whole year in Japanese.
    {"fractional era year", "平", "1.1", "1989年", "1989.1"},
    {"fraction rounds half up", "平", "1.5", "1990年", "1989.5"},
    // A display that is not a number is era year 0.
    {"era text in display", "平", "平成2年", "1988年", "1988"},
    {"empty display", "令", "", "2018年", "2018"},
    {"era year beyond single precision", "令", "1E+40", "2018年", "2018"},
};

TEST(EraToWestern, ConversionTable) {
    for (const auto& row : Conversions) {
        for (auto language : {Language::Japanese, Language::English}) {
            SCOPED_TRACE(std::string(row.name) + " " + languageName(language));
            EraCalculator c;
            c.setLanguage(language);
            c.eraToWestern(row.mark, row.display);
            EXPECT_EQ(c.calc.display(),
                      language == Language::Japanese ? row.japanese : row.english);
            EXPECT_EQ(c.calc.mark(), "");
            EXPECT_TRUE(c.messages.shown.empty());
        }
    }
}

// No era chosen: MEM2 empty and no letter left by a boundary year.
struct NoEraRow {
    Language language;
    const char* warnings;
    const char* display;
    std::vector<std::pair<std::string, std::string>> messages;
    bool cleared;
};

TEST(EraToWestern, NoEraChosen) {
    const std::vector<NoEraRow> rows = {
        {Language::Japanese, "0", "45年", {{TitleJa, NoEraJa}}, false},
        {Language::Japanese, "1", "45年", {}, false},
        {Language::English, "0", "0.", {{TitleEn, NoEraEn}}, true},
        {Language::English, "1", "0.", {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(languageName(row.language)) + " warnings " + row.warnings);
        EraCalculator c;
        c.setLanguage(row.language);
        c.calc.setWarningsShown(std::string(row.warnings) == "0");
        c.calc.resumeDisplay("7.");
        c.calc.setMemoryIndicator("M");
        c.eraToWestern("", "45.");
        EXPECT_EQ(c.calc.display(), row.display);
        std::vector<std::pair<std::string, std::string>> shown;
        for (const auto& m : c.messages.shown) shown.emplace_back(m.title, m.text);
        EXPECT_EQ(shown, row.messages);
        if (!c.messages.shown.empty()) {
            EXPECT_EQ(c.messages.shown[0].displayWhenShown, "0.");
        }
        EXPECT_EQ(c.calc.state().firstOperand, row.cleared ? 0 : 7);
        EXPECT_EQ(c.calc.memoryIndicator(), row.cleared ? " " : "M");
        EXPECT_EQ(c.calc.mark(), "");
    }
}

TEST(EraToWestern, LetterLeftByABoundaryYearGivesThatYearInEnglish) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"M", "1912"}, {"T", "1926"}, {"S", "1989"}, {"H", "2019"}};
    for (const auto& [initial, western] : rows) {
        SCOPED_TRACE(initial);
        EraCalculator c;
        c.setLanguage(Language::English);
        c.calc.setEraInitial(initial);
        c.eraToWestern("", "M 45:T 1");
        EXPECT_EQ(c.calc.display(), western);
        EXPECT_EQ(c.calc.state().eraInitial, "");
        EXPECT_TRUE(c.messages.shown.empty());
    }
}

// An era chosen after a boundary-year conversion wins over the letter that conversion left.
TEST(EraToWestern, EraChosenAfterABoundaryYearWinsOverItsLetter) {
    const std::vector<std::tuple<const char*, const char*, const char*>> rows = {
        {"大", "15.", "1926"}, {"T", "15.", "1926"}, {"令", "1.", "2019"}, {"明", "0.", "1867"}};
    for (const auto& [mark, eraYear, western] : rows) {
        SCOPED_TRACE(std::string(mark) + " " + eraYear);
        EraCalculator c;
        c.setLanguage(Language::English);
        c.westernToEra("1912.");
        ASSERT_EQ(c.calc.state().eraInitial, "M");
        c.eraToWestern(mark, eraYear);
        EXPECT_EQ(c.calc.display(), western);
        EXPECT_EQ(c.calc.state().eraInitial, "");
        EXPECT_TRUE(c.messages.shown.empty());
    }
}

TEST(EraToWestern, JapaneseModeKeepsTheLetterLeftByABoundaryYear) {
    EraCalculator c;
    c.calc.setEraInitial("S");
    c.eraToWestern("平", "2.");
    EXPECT_EQ(c.calc.display(), "1990年");
    EXPECT_EQ(c.calc.state().eraInitial, "S");
}

TEST(EraToWestern, LeavesTheCalculationAlone) {
    EraCalculator c;
    for (char32_t key : std::u32string_view(U"12+3.")) c.calc.typeCharacter(key);
    const engine::CalculatorState before = c.calc.state();
    c.eraToWestern("平", "2.");
    EXPECT_EQ(c.calc.display(), "1990年");
    EXPECT_EQ(c.calc.state(), before);
    EXPECT_TRUE(before.pointEntered);
    EXPECT_EQ(before.pending, engine::Operation::Add);
}

}  // namespace
}  // namespace vexlo::era::testing
