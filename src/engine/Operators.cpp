// The arithmetic heart: each operator press completes the pending operation, left to right,
// and shows the running result with the result check and the 10^8 scaling of long products.

#include <cmath>

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

namespace {

constexpr double ScaleFactor = 100'000'000;  // 10^8, the unit of "億"

}  // namespace

void Calculator::evaluate(Operation operation) {
    StepScope scope(*this, Step::Kind::Operator);
    if (Step* step = scope.step()) step->operation = operation;
    state_.heldDisplay = display_;
    if (state_.lastEntry == EntryKind::Digits) ++state_.operandCount;

    bool signTaken = false;
    bool subtraction = false;
    float singleResult = 0;

    switch (state_.operandCount) {
        case 0:
            if (operation == Operation::Subtract && state_.lastEntry != EntryKind::Minus &&
                state_.firstOperand == 0) {
                setDisplay("-" + display_);
                state_.lastEntry = EntryKind::Minus;
                signTaken = true;
            }
            break;
        case 1:
            if (display_ != "-") {
                if (const auto value = readNumber(display_)) state_.firstOperand = *value;
            }
            if (operation == Operation::Subtract && state_.lastEntry != EntryKind::Digits &&
                state_.pending != Operation::Equals) {
                setDisplay("-");
                state_.lastEntry = EntryKind::Minus;
                signTaken = true;
            }
            break;
        case 2: {
            if (const auto value = readNumber(state_.heldDisplay)) state_.secondOperand = *value;
            const double first = state_.firstOperand;
            const double second = state_.secondOperand;
            double result = first;
            switch (state_.pending) {
                case Operation::Add:
                    result = first + second;
                    break;
                case Operation::Subtract:
                    subtraction = true;
                    result = first - second;
                    break;
                case Operation::Multiply:
                case Operation::Percent:
                    // After percent the right operand is already divided by 100.
                    result = first * second;
                    break;
                case Operation::Divide:
                    if (second == 0) {
                        if (warningsShown()) {
                            if (japanese()) {
                                say(messages::TitleCalculator, messages::DivideByZero);
                            } else {
                                say(messages::TitleEnglish, messages::DivideByZeroEnglish);
                            }
                        }
                        if (japanese()) setDisplay("0.");
                    } else {
                        result = first / second;
                    }
                    break;
                case Operation::Equals:
                case Operation::None:
                    // A number typed after a result, or after a leading minus, becomes the left
                    // operand.
                    result = second;
                    break;
            }
            if (std::isfinite(result)) {
                state_.firstOperand = result;
                if (subtraction) singleResult = static_cast<float>(result);
            } else {
                // An infinite or undefined result is never kept or shown.
                subtraction = false;
                sayRangeOverflow();
                clear();
            }
            break;
        }
        default:
            break;
    }

    // A sign for the number to come, or an operator that only keeps that sign: no step.
    if (state_.lastEntry == EntryKind::Minus) scope.cancel();
    if (!signTaken) {
        // Result check: the candidate texts only decide the messages and the scaling.
        const std::size_t point = pointPosition(plainText(state_.firstOperand));
        if (point < 12) {
            if (subtraction) {
                if (singleResult != 0) {
                    setDisplay(entryRule(static_cast<double>(singleResult), patterns::Candidate));
                    sayFullDisplayWarning();
                }
            } else {
                setDisplay(entryRule(state_.firstOperand, patterns::Entry));
                if (isFull(display_)) {
                    const bool multiplying = state_.pending == Operation::Multiply;
                    bool scale = false;
                    if (warningsShown() && japanese()) {
                        say(messages::TitleJapanese, messages::OverflowResult);
                        scale = multiplying && state_.firstOperand > ScaleFactor;
                    } else if (warningsShown()) {
                        say(messages::TitleEnglish, messages::OverflowEnglish);
                        scale = multiplying;
                    } else {
                        scale = multiplying;
                    }
                    if (scale) {
                        setMark(japanese() ? "億" : "E");
                        state_.firstOperand /= ScaleFactor;
                    }
                }
            }
        }

        // Final display.
        if (state_.pending == Operation::Divide) {
            setDisplay(entryRule(state_.firstOperand, patterns::Entry));
        } else {
            setDisplay(entryRule(state_.firstOperand, patterns::Final));
            if (isFull(display_) && warningsShown()) {
                setDisplay(entryRule(state_.firstOperand, patterns::Entry));
                setMark("");
            }
        }
    }

    state_.operandCount = 1;
    if (state_.lastEntry != EntryKind::Minus) {
        state_.lastEntry = EntryKind::Operator;
        state_.pending = operation;
    }
}

Outcome Calculator::pressOperator(Operation operation) {
    evaluate(operation);
    return take();
}

bool Calculator::percent() {
    // A display that is not a number (an era text) leaves everything as it is.
    const auto value = readNumber(display_);
    if (!value) return false;
    StepScope scope(*this, Step::Kind::Percent);
    setDisplay(plainText(*value / 100));
    setDisplay(entryRule(display_, patterns::Entry));
    if (textLength(display_) == DisplayWidth) say(messages::TitleJapanese, messages::Overflow);
    state_.lastEntry = EntryKind::Percent;
    state_.pending = Operation::Percent;
    state_.pointEntered = true;
    ++state_.operandCount;
    return true;
}

Outcome Calculator::pressPercent() {
    percent();
    return take();
}

}  // namespace vexlo::engine
