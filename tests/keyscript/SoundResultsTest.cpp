// Results a user would take for faults if the calculator gave them: each row states the sound
// result that the calculator gives instead.

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

// "-", "0", ".": the sign of the entry survives its zero integer part.
TEST(SoundResult, NegativeEntryBelowOneKeepsItsSign) {
    expectScenario({"minus zero point five", "-0.5*2=", Ja, "-1."});
}

// Percent on an era text changes nothing, so no Enter follows to replace the text.
TEST(SoundResult, PercentKeyOnAnEraTextChangesNothing) {
    expectScenario({"percent key on an era text", "h1 %", Ja, "1989年"});
}

// After an operator, the recalled value is the right operand and the left one stays.
TEST(SoundResult, RecalledValueIsTheRightOperand) {
    expectScenario({"ten plus recall", "4z@10+a=", Ja, "14."});
}

}  // namespace
}  // namespace vexlo::keyscript::testing
