// The memory register. 0 doubles as an empty register; the marks follow the operations, not
// the value. A display that is not a number (an era text) leaves register, marks and display
// as they are.

#include <cmath>
#include <optional>

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

namespace {

std::size_t pointPosition(const std::string& plain) {
    const auto point = plain.find('.');
    return point == std::string::npos ? 0 : point + 1;
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

void Calculator::Text_PlsMem_Click() {
    const auto value = readNumber(display());
    if (!value) return;
    const double sum = state.MemoryValue + *value;
    if (!std::isfinite(sum)) {
        // A register beyond the number range is never kept.
        if (warningsShown()) {
            showMessage(messageTitle(),
                        japanese() ? messages::Overflow : messages::OverflowEnglish);
        }
        return;
    }
    const bool wasEmpty = state.MemoryValue == 0;
    state.MemoryInput = *value;
    state.MemoryValue = sum;
    if (wasEmpty) {
        MEM1.setText("M");
        state.MemoryMark = "M";
    }
}

void Calculator::Text_TakeMem_Click() {
    if (display() == "0.") {
        MEM1.setText(" ");
        state.MemoryMark = "";
        setDisplay("0.");
        return;
    }
    const auto value = readNumber(display());
    if (!value) return;
    const double difference = state.MemoryValue - *value;
    if (!std::isfinite(difference)) {
        if (warningsShown()) {
            showMessage(messageTitle(),
                        japanese() ? messages::Overflow : messages::OverflowEnglish);
        }
        return;
    }
    const bool wasEmpty = state.MemoryValue == 0;
    state.MemoryInput = *value;
    state.MemoryValue = difference;
    if (wasEmpty) {
        MEM1.setText("M");
        state.MemoryMark = "M";
    }
}

void Calculator::Mem_PlsText_Click() {
    const auto value = readNumber(display());
    if (!value) return;
    if (state.MemoryValue != 0) {
        const double sum = state.MemoryValue + *value;
        if (!std::isfinite(sum)) return;
        state.MemoryInput = *value;
        setDisplay(plainText(sum));
        MEM1.setText("M");
    }
    setDisplay(entryRule(display(), patterns::Entry));
    commonOverflowWarning();
}

void Calculator::Mem_TakeText_Click() {
    const auto value = readNumber(display());
    if (!value) return;
    if (state.MemoryValue != 0) {
        const double difference = *value - state.MemoryValue;
        if (!std::isfinite(difference)) return;
        state.MemoryInput = *value;
        setDisplay(plainText(difference));
        MEM1.setText("M");
    }
    setDisplay(entryRule(display(), patterns::Entry));
    commonOverflowWarning();
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
        if (isFull(display()) && warningsShown()) {
            if (japanese()) {
                showMessage(messages::TitleJapanese, messages::OverflowRecallInteger);
            } else {
                showMessage(messages::TitleEnglish, messages::OverflowEnglish);
                Cancel_Click();
            }
        }
    }
    // After an operator the recalled value is the right operand: the left one stays.
    const bool awaitingRightOperand =
        state.LastEntryKind == "OPS" &&
        (state.PendingOperator == "+" || state.PendingOperator == "-" ||
         state.PendingOperator == "X" || state.PendingOperator == "/");
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
        if (warningsShown()) {
            if (japanese()) {
                showMessage(messages::TitleJapanese, messages::OverflowRecallLong);
            } else {
                showMessage(messages::TitleEnglish, messages::OverflowEnglish);
                Cancel_Click();
            }
        }
    }
}

void Calculator::Mem_Cear_Click() {
    state.MemoryValue = 0;
    MEM1.setText("");
    state.MemoryMark = "";
}

}  // namespace vexlo::engine
