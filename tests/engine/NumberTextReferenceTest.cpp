// Runs every row of the reference table of display patterns (value, pattern, expected text).

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>

#include "engine/NumberText.h"

namespace vexlo::engine {
namespace {

const Pattern* patternNamed(std::string_view text) {
    static constexpr std::array all{&patterns::Entry,  &patterns::Final,    &patterns::Candidate,
                                    &patterns::Scaled, &patterns::TaxAdded, &patterns::TaxRemoved,
                                    &patterns::Year5,  &patterns::Year6};
    for (const Pattern* pattern : all)
        if (pattern->text == text) return pattern;
    return nullptr;
}

TEST(NumberTextReference, EveryRowOfTheTableMatches) {
    std::ifstream file(VEXLO_TEST_DATA "/number-formats.tsv", std::ios::binary);
    ASSERT_TRUE(file) << "missing " << VEXLO_TEST_DATA "/number-formats.tsv";

    std::string line;
    int lineNumber = 0, rows = 0, failures = 0;
    bool header = false;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!header) {
            header = true;
            ASSERT_EQ(line, "value\tpattern\ttext") << "line " << lineNumber;
            continue;
        }
        const auto firstTab = line.find('\t');
        const auto secondTab = line.find('\t', firstTab + 1);
        ASSERT_NE(secondTab, std::string::npos) << "malformed line " << lineNumber << ": " << line;
        const std::string_view valueText(line.data(), firstTab);
        const std::string_view patternText(line.data() + firstTab + 1, secondTab - firstTab - 1);
        const std::string expected = line.substr(secondTab + 1);

        double value = 0;
        const auto parsed =
            std::from_chars(valueText.data(), valueText.data() + valueText.size(), value);
        ASSERT_TRUE(parsed.ec == std::errc() && parsed.ptr == valueText.data() + valueText.size())
            << "unreadable value on line " << lineNumber << ": " << valueText;
        const Pattern* pattern = patternNamed(patternText);
        ASSERT_NE(pattern, nullptr)
            << "unknown pattern on line " << lineNumber << ": " << patternText;

        ++rows;
        const std::string actual = format(value, *pattern);
        if (actual != expected) ++failures;
        EXPECT_EQ(actual, expected)
            << "line " << lineNumber << ": " << valueText << " with " << patternText;
    }
    EXPECT_GT(rows, 700);
    RecordProperty("rows", rows);
    std::printf("reference rows: %d, failures: %d\n", rows, failures);
}

}  // namespace
}  // namespace vexlo::engine
