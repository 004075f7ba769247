// The memory register. 0 doubles as an empty register; the marks follow the operations, not
// the value. A display that is not a number (an era text) leaves register, marks and display
// as they are.

#include <cmath>

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

namespace {

bool isBinaryOperator(const std::string& op) {
    return op == "+" || op == "-" || op == "X" || op == "/";
}

}  // namespace

void Calculator::Text_Mem_Click() {
    if (display() == "0.") {
        MEM1.setText(" ");
        state.MemoryMark = "";
        return;
    }
    const auto value = readNumber(display());
    if (!value) return;
    state.MemoryValue = *value;
    MEM2.setCaption("M");
    state.MemoryMark = "M";
}

// M+ (sign 1) and M- (sign -1).
void Calculator::addDisplayToMemory(double sign) {
    const auto value = readNumber(display());
    if (!value) return;
    const double result = state.MemoryValue + sign * *value;
    if (!std::isfinite(result)) {
        rangeOverflowMessage();  // a register beyond the number range is never kept
        return;
    }
    const bool wasEmpty = state.MemoryValue == 0;
    state.MemoryInput = *value;
    state.MemoryValue = result;
    if (wasEmpty) {
        MEM1.setText("M");
        state.MemoryMark = "M";
    }
}

void Calculator::Text_PlsMem_Click() {
    addDisplayToMemory(1);
}

void Calculator::Text_TakeMem_Click() {
    if (display() == "0.") {
        MEM1.setText(" ");
        state.MemoryMark = "";
        setDisplay("0.");
        return;
    }
    addDisplayToMemory(-1);
}

// +M (sign 1: display + memory) and -M (sign -1: display - memory).
void Calculator::addMemoryToDisplay(double sign) {
    const auto value = readNumber(display());
    if (!value) return;
    if (state.MemoryValue != 0) {
        const double result = *value + sign * state.MemoryValue;
        if (!std::isfinite(result)) {
            rangeOverflowMessage();
            return;
        }
        state.MemoryInput = *value;
        setDisplay(plainText(result));
        MEM1.setText("M");
    }
    setDisplay(entryRule(display(), patterns::Entry));
    commonOverflowWarning();
}

void Calculator::Mem_PlsText_Click() {
    if (!readNumber(display())) return;
    addMemoryToDisplay(1);
}

void Calculator::Mem_TakeText_Click() {
    if (!readNumber(display())) return;
    addMemoryToDisplay(-1);
    // The next operator starts a new calculation from the display.
    state.OperandCount = 0;
}

void Calculator::Mem_Text_Click() {
    if (state.MemoryValue == 0) {
        setDisplay("0.");
        MEM1.setText(" ");
        return;
    }
    ++state.OperandCount;
    const std::string plain = plainText(state.MemoryValue);
    setDisplay(plain);
    if (plain.find('.') == std::string::npos) {
        setDisplay(entryRule(state.MemoryValue, patterns::Entry));
        if (isFull(display()) && warningsShown()) overflowMessage(messages::OverflowRecallInteger);
    }
    // After an operator the recalled value is the right operand: the left one stays.
    const bool awaitingRightOperand =
        state.LastEntryKind == "OPS" && isBinaryOperator(state.PendingOperator);
    if (!awaitingRightOperand) state.FirstOperand = state.MemoryValue;
    if (pointPosition(plain) < 13) {
        setDisplay(entryRule(state.MemoryValue, patterns::Entry));
        return;
    }
    // A long value with a fraction: the register is emptied when it cannot be shown.
    setDisplay(entryRule(state.MemoryValue, patterns::Entry));
    state.FirstOperand = 0;
    ++state.OperandCount;
    if (isFull(display())) {
        state.MemoryValue = 0;
        if (warningsShown()) overflowMessage(messages::OverflowRecallLong);
    }
}

void Calculator::Mem_Cear_Click() {
    state.MemoryValue = 0;
    MEM1.setText("");
    state.MemoryMark = "";
}

}  // namespace vexlo::engine
