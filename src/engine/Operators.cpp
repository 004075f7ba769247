// The arithmetic heart: each operator press completes the pending operation, left to right,
// and shows the running result with the result check and the 10^8 scaling of long products.

#include <cmath>

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

namespace {

constexpr double ScaleFactor = 100'000'000;  // 10^8, the unit of "億"

}  // namespace

void Calculator::Operator_Click(int index) {
    if (index < 0 || index >= static_cast<int>(Operator.size())) return;
    const std::string caption = Operator[static_cast<std::size_t>(index)]->caption();

    state.HeldReadout = display();
    if (state.LastEntryKind == "NUMS") ++state.OperandCount;

    bool signTaken = false;
    bool subtraction = false;
    float singleResult = 0;

    switch (state.OperandCount) {
        case 0:
            if (caption == "-" && state.LastEntryKind != "NEG" && state.FirstOperand == 0) {
                setDisplay("-" + display());
                state.LastEntryKind = "NEG";
                signTaken = true;
            }
            break;
        case 1:
            if (display() != "-") {
                if (const auto value = readNumber(display())) state.FirstOperand = *value;
            }
            if (caption == "-" && state.LastEntryKind != "NUMS" && state.PendingOperator != "=") {
                setDisplay("-");
                state.LastEntryKind = "NEG";
                signTaken = true;
            }
            break;
        case 2: {
            if (const auto value = readNumber(state.HeldReadout)) state.SecondOperand = *value;
            const double first = state.FirstOperand;
            const double second = state.SecondOperand;
            double result = first;
            const std::string& pending = state.PendingOperator;
            if (pending == "+") {
                result = first + second;
            } else if (pending == "-") {
                subtraction = true;
                result = first - second;
            } else if (pending == "X" || pending == "%") {
                // After percent the right operand is already divided by 100.
                result = first * second;
            } else if (pending == "/") {
                if (second == 0) {
                    if (warningsShown()) {
                        if (japanese()) {
                            showMessage(messages::TitleCalculator, messages::DivideByZero);
                        } else {
                            showMessage(messages::TitleEnglish, messages::DivideByZeroEnglish);
                        }
                    }
                    if (japanese()) setDisplay("0.");
                } else {
                    result = first / second;
                }
            } else if (pending == "=" || pending == " ") {
                // A number typed after a result, or after a leading minus, becomes the left
                // operand.
                result = second;
            }
            if (std::isfinite(result)) {
                state.FirstOperand = result;
                if (subtraction) singleResult = static_cast<float>(result);
            } else {
                // An infinite or undefined result is never kept or shown.
                subtraction = false;
                rangeOverflowMessage();
                Cancel_Click();
            }
            break;
        }
        default:
            break;
    }

    if (!signTaken) {
        // Result check: the candidate texts only decide the messages and the scaling.
        const std::size_t point = pointPosition(plainText(state.FirstOperand));
        if (point < 12) {
            if (subtraction) {
                if (singleResult != 0) {
                    setDisplay(entryRule(static_cast<double>(singleResult), patterns::Candidate));
                    if (isFull(display()) && warningsShown()) overflowMessage(messages::Overflow);
                }
            } else {
                setDisplay(entryRule(state.FirstOperand, patterns::Entry));
                if (isFull(display())) {
                    const bool multiplying = state.PendingOperator == "X";
                    bool scale = false;
                    if (warningsShown() && japanese()) {
                        showMessage(messages::TitleJapanese, messages::OverflowResult);
                        scale = multiplying && state.FirstOperand > ScaleFactor;
                    } else if (warningsShown()) {
                        showMessage(messages::TitleEnglish, messages::OverflowEnglish);
                        scale = multiplying;
                    } else {
                        scale = multiplying;
                    }
                    if (scale) {
                        MEM2.setCaption(japanese() ? "億" : "E");
                        state.FirstOperand /= ScaleFactor;
                    }
                }
            }
        }

        // Final display.
        if (state.PendingOperator == "/") {
            setDisplay(entryRule(state.FirstOperand, patterns::Entry));
        } else {
            setDisplay(entryRule(state.FirstOperand, patterns::Final));
            if (isFull(display()) && warningsShown()) {
                setDisplay(entryRule(state.FirstOperand, patterns::Entry));
                MEM2.setCaption("");
            }
        }
    }

    state.OperandCount = 1;
    if (state.LastEntryKind != "NEG") {
        state.LastEntryKind = "OPS";
        state.PendingOperator = caption;
    }
}

bool Calculator::Percent_Click() {
    // A display that is not a number (an era text) leaves everything as it is.
    const auto value = readNumber(display());
    if (!value) return false;
    setDisplay(plainText(*value / 100));
    setDisplay(entryRule(display(), patterns::Entry));
    if (textLength(display()) == DisplayWidth) {
        showMessage(messages::TitleJapanese, messages::Overflow);
    }
    state.LastEntryKind = "Ops";
    state.PendingOperator = "%";
    state.PointEntered = True;
    ++state.OperandCount;
    return true;
}

}  // namespace vexlo::engine
