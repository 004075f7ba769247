// Operators, percent, the result check with its 10^8 scaling, and division by zero, in both
// languages and both warning modes.

#include <cmath>

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

class OperatorScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(OperatorScenario, EvaluatesLeftToRight) {
    expectScenario(GetParam());
}

const std::string BigProduct = "123456789*1000000000000=";
const std::string LongSum = "99999999999999+9999999=";
// -1234567890.12345: its plain text has the point at the 12th character.
const std::string TwelfthPoint = "1234567890.12345X-1=";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Arithmetic, OperatorScenario,
    ::testing::Values(
        Scenario{"no precedence", "2+3*4=", Ja, "20."},
        Scenario{"continues from the result", "2+3*4=+1=", Ja, "21."},
        Scenario{"no binary residue", "0.1+0.2=", Ja, "0.3"},
        Scenario{"one third to fifteen digits", "1/3=", Ja, "0.333333333333333"},
        Scenario{"rounded to fifteen digits", "100*1.1=", Ja, "110."},
        Scenario{"subtraction", "5-3=", Ja, "2."},
        Scenario{"minus after an operator is a sign", "5+-", Ja, "-"},
        Scenario{"signed right operand", "5+-3", Ja, "-3."},
        Scenario{"plus minus three", "5+-3=", Ja, "2."},
        Scenario{"leading negative entry becomes the left operand", "-5+1=", Ja, "-4."},
        Scenario{"operator twice evaluates once", "6++2=", Ja, "8."},
        Scenario{"star and x multiply with a mark", "5*", Ja, "5.", "×"},
        Scenario{"small x", "5x", Ja, "5.", "×"},
        Scenario{"capital X multiplies without a mark", "5X3=", Ja, "15.", " "},
        Scenario{"equals blanks the mark with a space", "5+3=", Ja, "8.", " "},
        Scenario{"Enter blanks the mark with nothing", "5+3{Enter}", Ja, "8.", ""},
        Scenario{"Ctrl+M stores, then evaluates", "5+3{Ctrl+M}ca", Ja, "3."}),
    rowName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    DivisionByZero, OperatorScenario,
    ::testing::Values(
        Scenario{"Japanese", "8/0=", Ja, "8.", " ", {}, {JaDivide}},
        Scenario{"Japanese quiet", "8/0=", JaQuiet, "8.", " ", {}, {}},
        Scenario{"English", "8/0=", En, "8.", " ", {}, {EnDivide}},
        Scenario{"English quiet", "8/0=", EnQuiet, "8.", " ", {}, {}},
        Scenario{"left operand survives", "8/0=+2=", Ja, "10.", {}, {}, {JaDivide}}),
    rowName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    LongResults, OperatorScenario,
    ::testing::Values(
        Scenario{"Japanese product scaled by oku", BigProduct, Ja, "1,234,567,890,000.", "億", {},
                 {JaOverflowResult}},
        Scenario{"Japanese quiet product scaled", BigProduct, JaQuiet, "1,234,567,890,000.", "億"},
        Scenario{"English product scaled by E", BigProduct, En, "1,234,567,890,000.", "E", {},
                 {EnOverflow}},
        Scenario{"English quiet product scaled", BigProduct, EnQuiet, "1,234,567,890,000.", "E"},
        Scenario{"scaled value goes on", BigProduct + "+1=", Ja, "1,234,567,890,001.", {}, {},
                 {JaOverflowResult}},
        Scenario{"English twenty-character sum", LongSum, En, "100,000,009,999,998.", "", {},
                 {EnOverflow}},
        Scenario{"Japanese twenty-character sum", LongSum, Ja, "100,000,009,999,998.", "", {},
                 {JaOverflowResult}},
        // The point at the 12th character: no result check, though the text fills the display.
        Scenario{"point at the twelfth character", TwelfthPoint, Ja, "-1,234,567,890.12345", "",
                 {}, {}, {}, -1234567890.12345},
        Scenario{"English point at the twelfth character", TwelfthPoint, En,
                 "-1,234,567,890.12345", "", {}, {}, {}, -1234567890.12345}),
    rowName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Percent, OperatorScenario,
    ::testing::Values(
        Scenario{"ten percent", "10%", Ja, "0.1", ""},
        Scenario{"then equals", "10%=", Ja, "0.1"},
        Scenario{"percent of a product", "200*5%", Ja, "10.", ""},
        Scenario{"percent replaces the pending plus", "200+5%", Ja, "10."},
        Scenario{"one hundred times ten percent", "100*10%", Ja, "10.", ""},
        Scenario{"alone", "50%=", Ja, "0.5"},
        Scenario{"bracket is percent", "200*5]", Ja, "10."},
        Scenario{"English", "200*5%", En, "10."}),
    rowName);
// clang-format on

// A chain of products runs past the double range; the result is never kept or shown.
class NonFiniteResult : public ::testing::TestWithParam<std::pair<Start, std::vector<Message>>> {};

TEST_P(NonFiniteResult, ClearsTheCalculationInsteadOfShowingIt) {
    const auto& [start, lastMessages] = GetParam();
    std::string script = "99999999999999";
    for (int i = 0; i < 80; ++i) script += "*99999999999999";
    script += "=";
    Session session(optionsFor(start));
    runOrFail(session, script);
    const engine::Calculator& calculator = session.window().calculator;
    EXPECT_EQ(calculator.display(), "0.");
    EXPECT_EQ(calculator.state().firstOperand, 0);
    const auto shown = messagesOf(session);
    ASSERT_GE(shown.size(), lastMessages.size());
    EXPECT_EQ(
        std::vector<Message>(shown.end() - static_cast<long>(lastMessages.size()), shown.end()),
        lastMessages);

    Session next(optionsFor(start));
    runOrFail(next, script + "+1=");
    EXPECT_EQ(next.window().calculator.display(), "1.");
    EXPECT_TRUE(std::isfinite(next.window().calculator.state().firstOperand));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BothLanguages, NonFiniteResult,
    ::testing::Values(std::pair{Ja, std::vector<Message>{JaOverflow}},
                      std::pair{JaQuiet, std::vector<Message>{}},
                      std::pair{En, std::vector<Message>{EnOverflow}},
                      std::pair{EnQuiet, std::vector<Message>{}}));
// clang-format on

}  // namespace
}  // namespace vexlo::keyscript::testing
