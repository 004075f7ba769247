#include <cmath>
#include <string>

#include "era/EraConversion.h"
#include "era/EraTables.h"

namespace vexlo::era {

namespace {

std::string eraYearText(double eraYear) {
    return engine::rightmost(engine::format(eraYear, engine::patterns::Year5), 6);
}

}  // namespace

engine::Outcome westernToEra(engine::Calculator& calc) {
    engine::Calculator::StepScope scope(calc, engine::Step::Kind::WesternToEra);
    calc.setEraInitial("");
    calc.setMark("");
    // A whole year of at most six digits: "1,989." becomes "1989", fractions are rounded.
    calc.setDisplay(
        engine::rightmost(engine::formatText(calc.display(), engine::patterns::Year6), 6));

    double year = 0;
    if (const auto value = engine::readNumber(calc.display()); value && std::isfinite(*value)) {
        year = *value;
    }

    if (year <= 0 || calc.mark() == "-" || calc.memoryIndicator() == "-") {
        calc.setDisplay(std::string(BeforeCommonEra));
    }
    for (const auto& period : Periods) {
        if (period.contains(year)) calc.setDisplay(std::string(period.text));
    }

    for (const auto& boundary : BoundaryYears) {
        if (year != boundary.year) continue;
        calc.setMemoryIndicator("");
        if (calc.japanese()) {
            calc.setDisplay(std::string(boundary.japanese));
        } else {
            calc.setEraInitial(std::string(boundary.eraInitial));
            calc.setDisplay(std::string(boundary.english));
        }
    }
    for (const auto& era : EraRanges) {
        if (!era.contains(year)) continue;
        const std::string eraYear = eraYearText(year - era.baseYear);
        if (calc.japanese()) {
            calc.setDisplay(std::string(era.name) + eraYear + "年");
        } else {
            calc.setMemoryIndicator(std::string(era.kanji));
            calc.setDisplay(eraYear);
        }
    }
    return {};
}

}  // namespace vexlo::era
