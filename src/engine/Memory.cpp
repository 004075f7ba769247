// The memory register. 0 doubles as an empty register; the marks follow the operations, not
// the value. A display that is not a number (an era text) leaves register, marks and display
// as they are.

#include <cmath>

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

void Calculator::store() {
    if (display_ == "0.") {
        setMemoryIndicator(" ");
        state_.memoryMarked = false;
        return;
    }
    const auto value = readNumber(display_);
    if (!value) return;
    StepScope scope(*this, Step::Kind::MemoryStore);
    state_.memory = *value;
    setMark("M");
    state_.memoryMarked = true;
}

Outcome Calculator::storeInMemory() {
    store();
    return take();
}

// M+ (sign 1) and M- (sign -1).
void Calculator::addDisplayToMemory(double sign) {
    const auto value = readNumber(display_);
    if (!value) return;
    StepScope scope(*this, sign > 0 ? Step::Kind::MemoryAdd : Step::Kind::MemorySubtract);
    const double result = state_.memory + sign * *value;
    if (!std::isfinite(result)) {
        sayRangeOverflow();  // a register beyond the number range is never kept
        return;
    }
    const bool wasEmpty = state_.memory == 0;
    state_.memoryInput = *value;
    state_.memory = result;
    if (wasEmpty) {
        setMemoryIndicator("M");
        state_.memoryMarked = true;
    }
}

Outcome Calculator::addToMemory() {
    addDisplayToMemory(1);
    return take();
}

Outcome Calculator::subtractFromMemory() {
    if (display_ == "0.") {
        setMemoryIndicator(" ");
        state_.memoryMarked = false;
        setDisplay("0.");
    } else {
        addDisplayToMemory(-1);
    }
    return take();
}

// +M (sign 1: display + memory) and -M (sign -1: display - memory).
void Calculator::addMemoryToDisplay(double sign) {
    const auto value = readNumber(display_);
    if (!value) return;
    StepScope scope(
        *this, sign > 0 ? Step::Kind::MemoryToDisplayAdd : Step::Kind::MemoryToDisplaySubtract);
    if (state_.memory != 0) {
        const double result = *value + sign * state_.memory;
        if (!std::isfinite(result)) {
            sayRangeOverflow();
            return;
        }
        state_.memoryInput = *value;
        setDisplay(plainText(result));
        setMemoryIndicator("M");
    }
    setDisplay(entryRule(display_, patterns::Entry));
    sayFullDisplayWarning();
}

Outcome Calculator::addMemoryToDisplay() {
    addMemoryToDisplay(1);
    return take();
}

Outcome Calculator::subtractMemoryFromDisplay() {
    if (readNumber(display_)) {
        addMemoryToDisplay(-1);
        // The next operator starts a new calculation from the display.
        state_.operandCount = 0;
    }
    return take();
}

void Calculator::recall() {
    StepScope scope(*this, Step::Kind::MemoryRecall);
    if (state_.memory == 0) {
        setDisplay("0.");
        setMemoryIndicator(" ");
        return;
    }
    ++state_.operandCount;
    const std::string plain = plainText(state_.memory);
    setDisplay(plain);
    if (plain.find('.') == std::string::npos) {
        setDisplay(entryRule(state_.memory, patterns::Entry));
        if (isFull(display_) && warningsShown()) sayOverflow(messages::OverflowRecallInteger);
    }
    // After an operator the recalled value is the right operand: the left one stays.
    const bool awaitingRightOperand =
        state_.lastEntry == EntryKind::Operator && isBinary(state_.pending);
    if (!awaitingRightOperand) state_.firstOperand = state_.memory;
    if (pointPosition(plain) < 13) {
        setDisplay(entryRule(state_.memory, patterns::Entry));
        return;
    }
    // A long value with a fraction: the register is emptied when it cannot be shown.
    setDisplay(entryRule(state_.memory, patterns::Entry));
    state_.firstOperand = 0;
    ++state_.operandCount;
    if (isFull(display_)) {
        state_.memory = 0;
        if (warningsShown()) sayOverflow(messages::OverflowRecallLong);
    }
}

Outcome Calculator::recallMemory() {
    recall();
    return take();
}

Outcome Calculator::clearMemory() {
    StepScope scope(*this, Step::Kind::MemoryClear);
    state_.memory = 0;
    setMemoryIndicator("");
    state_.memoryMarked = false;
    return take();
}

}  // namespace vexlo::engine
