#include <cmath>
#include <limits>
#include <string>

#include "engine/Messages.h"
#include "era/EraConversion.h"
#include "era/EraTables.h"

namespace vexlo::era {

namespace {

constexpr std::string_view NoEraJapanese =
    "入力年数が間違っているか、対応していない変換操作をしました。";
constexpr std::string_view NoEraEnglish = "Error made in input or operation.";

const InitialYear* findInitial(std::string_view eraInitial) {
    for (const auto& row : InitialYears) {
        if (row.eraInitial == eraInitial) return &row;
    }
    return nullptr;
}

// The era year in single precision; a text that is no number, or one beyond the single range,
// leaves it at 0.
float readEraYear(std::string_view text) {
    const auto value = engine::readNumber(text);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return 0;
    }
    return static_cast<float>(*value);
}

}  // namespace

engine::Outcome eraToWestern(engine::Calculator& calc) {
    engine::Calculator::StepScope scope(calc, engine::Step::Kind::EraToWestern);
    engine::Outcome outcome;
    auto say = [&outcome](engine::Outcome said) {
        for (auto& message : said.messages) outcome.messages.push_back(std::move(message));
    };
    const float eraYear = readEraYear(calc.display());
    const std::string mark = calc.mark();

    float baseYear = 0;
    bool eraChosen = false;
    const EraMark* refused = nullptr;
    for (const auto& era : EraMarks) {
        if (mark == era.kanjiMark ||
            (mark == era.letterMark && era.letterAccepted.contains(eraYear))) {
            baseYear = era.baseYear;
            eraChosen = true;
        }
        // The limit applies to the letter outside its accepted range too.
        const bool marked = mark == era.kanjiMark || mark == era.letterMark;
        if (marked && era.firstRefusedYear && eraYear >= *era.firstRefusedYear) refused = &era;
    }

    // The whole era year counts: "1,000." is a thousand years, not one.
    const float westernYear = eraYear + baseYear;

    calc.setDisplay("");
    if (!calc.japanese()) calc.setDisplay(engine::plainTextSingle(westernYear));

    if (!findInitial(calc.state().eraInitial) && calc.mark().empty()) {
        calc.setDisplay("0.");
        if (calc.warningsShown()) {
            if (calc.japanese()) {
                say(calc.message(engine::messages::TitleJapanese, NoEraJapanese));
            } else {
                say(calc.message(engine::messages::TitleEnglish, NoEraEnglish));
                say(calc.clearCalculation());
            }
        }
    }

    calc.setMark("");

    if (calc.japanese()) {
        calc.setDisplay(engine::rightmost(engine::format(westernYear, engine::patterns::Year5), 6) +
                        "年");
    } else if (const auto* initial = findInitial(calc.state().eraInitial)) {
        // The letter gives the boundary year back only when no era has been chosen since;
        // otherwise "t", 15 after converting 1912 would show 1912.
        if (!eraChosen) calc.setDisplay(std::string(initial->westernYear));
        calc.setEraInitial("");
    }

    if (refused) {
        calc.setMark(std::string(refused->kanjiMark));
        // Shown in both languages and whatever the warning switch says.
        say(calc.message(engine::messages::TitleJapanese, refused->limitMessage));
        if (refused->limitCode == HeiseiLimitCode) calc.setMark(std::string(HeiseiLimitMark));
        say(calc.clearCalculation());
    }
    return outcome;
}

}  // namespace vexlo::era
