// Western year to era and back gives the year again, for every year of the eras.

#include <gtest/gtest.h>

#include <string>

#include "EraFixture.h"

namespace vexlo::era::testing {
namespace {

constexpr int FirstMeijiYear = 1868;
constexpr int LastYearChecked = 2100;

TEST(EraRoundTrip, EnglishThroughTheEraKanjiOrTheBoundaryLetter) {
    for (int year = FirstMeijiYear; year <= LastYearChecked; ++year) {
        SCOPED_TRACE(year);
        EraCalculator c;
        c.setLanguage(Language::English);
        c.westernToEra(std::to_string(year) + ".");
        if (c.calc.state().eraInitial.empty()) {
            // The era year is in the display and its kanji in MEM1; choose that era.
            c.eraToWestern(c.calc.memoryIndicator(), c.calc.display());
        } else {
            // A boundary year: no mark, the letter left behind gives the year back.
            EXPECT_EQ(c.calc.mark(), "");
            c.mem2History.clear();
            EXPECT_TRUE(eraToWestern(c.calc).messages.empty());
            EXPECT_EQ(c.calc.state().eraInitial, "");
        }
        EXPECT_EQ(c.calc.display(), std::to_string(year));
        EXPECT_TRUE(c.messages.shown.empty());
    }
}

TEST(EraRoundTrip, BoundaryLettersAreLeftOnlyByBoundaryYears) {
    for (int year = FirstMeijiYear; year <= LastYearChecked; ++year) {
        EraCalculator c;
        c.setLanguage(Language::English);
        c.westernToEra(std::to_string(year) + ".");
        const bool boundary = year == 1912 || year == 1926 || year == 1989 || year == 2019;
        EXPECT_EQ(!c.calc.state().eraInitial.empty(), boundary) << year;
    }
}

TEST(EraRoundTrip, JapaneseThroughTheEraNameOfTheResult) {
    for (int year = FirstMeijiYear; year <= LastYearChecked; ++year) {
        if (year == 1912 || year == 1926 || year == 1989 || year == 2019) continue;
        SCOPED_TRACE(year);
        EraCalculator c;
        c.westernToEra(std::to_string(year) + ".");
        const std::string text = c.calc.display();
        // "平成12年": a two-kanji name of 3 bytes each, the era year, then "年".
        ASSERT_GT(text.size(), 9u);
        const std::string kanji = text.substr(0, 3);
        const std::string eraYear = text.substr(6, text.size() - 9);
        c.eraToWestern(kanji, eraYear + ".");
        EXPECT_EQ(c.calc.display(), std::to_string(year) + "年");
    }
}

}  // namespace
}  // namespace vexlo::era::testing
