// Digit entry and the two clearing operations. The display text is the entry: digits are
// appended to it and it is reformatted with the entry rule after each integer digit.

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

void Calculator::Number_Click(int index) {
    untickTargetUnits();
    if (index < 0 || index >= static_cast<int>(Number.size())) return;
    const std::string digit = Number[static_cast<std::size_t>(index)]->caption();

    if (state.LastEntryKind != "NUMS") {
        setDisplay(state.LastEntryKind == "NEG" ? "-." : ".");
        state.PointEntered = False;
    }
    if (state.PointEntered != False) {
        // Decimals are appended raw: no reformatting and no length check.
        setDisplay(display() + digit);
    } else {
        // A text without "." (an era result) keeps its text here and is only reformatted.
        if (const auto point = display().find('.'); point != std::string::npos) {
            setDisplay(display().substr(0, point) + digit + ".");
        }
        const bool negative = display().starts_with('-');
        setDisplay(entryRule(display(), patterns::Entry));
        // A negative entry keeps its sign while its integer part is still 0 ("-0." then -0.5).
        if (negative && display() == "0.") setDisplay("-0.");

        // Two tests in a row; the second ignores the warning setting.
        if (isFull(display()) && warningsShown()) overflowMessage(messages::Overflow);
        if (isFull(display())) overflowMessage(messages::OverflowEntrySecond);
    }
    state.LastEntryKind = "NUMS";
}

void Calculator::Decimal_Click() {
    if (state.LastEntryKind == "NEG") {
        setDisplay("-0.");
    } else if (state.LastEntryKind != "NUMS") {
        setDisplay("0.");
    }
    state.PointEntered = True;
    state.LastEntryKind = "NUMS";
}

void Calculator::Cancel_Click() {
    MEM2.setCaption(" ");
    MEM1.setText(" ");
    setDisplay("0.");
    state.FirstOperand = 0;
    state.SecondOperand = 0;
    untickTargetUnits();
}

void Calculator::CancelEntry_Click() {
    setDisplay("0.");
    MEM1.setText("");
    state.PointEntered = False;
    state.LastEntryKind = "CE";
}

void Calculator::Readout_DblClick() {
    Command1.press();
}

}  // namespace vexlo::engine
