// Both conversions checked against ICU's Japanese calendar for every year of the eras.

#ifdef VEXLO_HAVE_ICU

#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <memory>
#include <string>

#include "EraFixture.h"

namespace vexlo::era::testing {
namespace {

constexpr int FirstMeijiYear = 1868;
constexpr int LastYearChecked = 2100;

struct Reading {
    std::string name;    // "平成"
    std::string kanji;   // "平"
    std::string letter;  // "H"
    int year = 0;
    bool operator==(const Reading& other) const { return name == other.name && year == other.year; }
};

std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

class JapaneseCalendar {
  public:
    JapaneseCalendar() {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale japanese("ja_JP@calendar=japanese");
        const icu::Locale english("en_US@calendar=japanese");
        gregorian_.reset(icu::Calendar::createInstance(
            icu::TimeZone::createTimeZone("UTC"), icu::Locale("en_US@calendar=gregorian"), status));
        japanese_.reset(
            icu::Calendar::createInstance(icu::TimeZone::createTimeZone("UTC"), japanese, status));
        names_ =
            std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"GGGG"), japanese, status);
        letters_ =
            std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"GGGGG"), english, status);
        ok = U_SUCCESS(status);
    }

    // The era reading of a Gregorian day (month 0 is January), at noon UTC.
    Reading on(int year, int month, int day) {
        UErrorCode status = U_ZERO_ERROR;
        gregorian_->clear();
        gregorian_->set(year, month, day, 12, 0);
        japanese_->setTime(gregorian_->getTime(status), status);
        icu::UnicodeString name;
        icu::UnicodeString letter;
        icu::FieldPosition position;
        names_->format(*japanese_, name, position);
        letters_->format(*japanese_, letter, position);
        Reading reading{utf8(name), utf8(name.tempSubString(0, 1)), utf8(letter),
                        japanese_->get(UCAL_YEAR, status)};
        EXPECT_TRUE(U_SUCCESS(status));
        return reading;
    }

    bool ok = false;

  private:
    std::unique_ptr<icu::Calendar> gregorian_;
    std::unique_ptr<icu::Calendar> japanese_;
    std::unique_ptr<icu::SimpleDateFormat> names_;
    std::unique_ptr<icu::SimpleDateFormat> letters_;
};

// The readings of the first and the last day of a Western year. ICU begins Meiji on the day it
// was proclaimed in 1868; the era counts from the first day of that year.
struct YearReadings {
    Reading first;
    Reading last;
    bool boundary() const { return !(first == last); }
};

YearReadings readingsOf(JapaneseCalendar& calendar, int year) {
    YearReadings readings{calendar.on(year, 0, 1), calendar.on(year, 11, 31)};
    if (year == FirstMeijiYear) readings.first = readings.last;
    return readings;
}

TEST(IcuCalendar, WesternYearToEraInJapanese) {
    JapaneseCalendar calendar;
    ASSERT_TRUE(calendar.ok);
    for (int year = FirstMeijiYear; year <= LastYearChecked; ++year) {
        SCOPED_TRACE(year);
        const auto readings = readingsOf(calendar, year);
        const auto& [first, last] = readings;
        const std::string expected =
            readings.boundary() ? first.name + " " + std::to_string(first.year) +
                                      "年:" + last.name + " " + std::to_string(last.year) + "年"
                                : last.name + std::to_string(last.year) + "年";
        EraCalculator c;
        c.westernToEra(std::to_string(year) + ".");
        EXPECT_EQ(c.calc.display(), expected);
        EXPECT_EQ(c.calc.state().eraInitial, "");
    }
}

TEST(IcuCalendar, WesternYearToEraInEnglish) {
    JapaneseCalendar calendar;
    ASSERT_TRUE(calendar.ok);
    for (int year = FirstMeijiYear; year <= LastYearChecked; ++year) {
        SCOPED_TRACE(year);
        const auto readings = readingsOf(calendar, year);
        const auto& [first, last] = readings;
        EraCalculator c;
        c.setLanguage(Language::English);
        c.westernToEra(std::to_string(year) + ".");
        if (readings.boundary()) {
            EXPECT_EQ(c.calc.display(), first.letter + " " + std::to_string(first.year) + ":" +
                                            last.letter + " " + std::to_string(last.year));
            EXPECT_EQ(c.calc.state().eraInitial, first.letter);
            EXPECT_EQ(c.calc.memoryIndicator(), "");
        } else {
            EXPECT_EQ(c.calc.display(), std::to_string(last.year));
            EXPECT_EQ(c.calc.memoryIndicator(), last.kanji);
            EXPECT_EQ(c.calc.state().eraInitial, "");
        }
    }
}

TEST(IcuCalendar, EraYearToWesternYearForEveryReading) {
    JapaneseCalendar calendar;
    ASSERT_TRUE(calendar.ok);
    for (int year = FirstMeijiYear; year <= LastYearChecked; ++year) {
        const auto readings = readingsOf(calendar, year);
        for (const auto& reading : {readings.first, readings.last}) {
            for (const auto& mark : {reading.kanji, reading.letter}) {
                for (auto language : {Language::Japanese, Language::English}) {
                    SCOPED_TRACE(std::to_string(year) + " " + mark + " " +
                                 std::to_string(reading.year) + " " + languageName(language));
                    EraCalculator c;
                    c.setLanguage(language);
                    c.eraToWestern(mark, std::to_string(reading.year) + ".");
                    EXPECT_EQ(c.calc.display(), language == Language::Japanese
                                                    ? std::to_string(year) + "年"
                                                    : std::to_string(year));
                    EXPECT_TRUE(c.messages.shown.empty());
                }
            }
        }
    }
}

}  // namespace
}  // namespace vexlo::era::testing

#endif
