// Digit entry and the two clearing operations. The display text is the entry: digits are
// appended to it and it is reformatted with the entry rule after each integer digit.

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

void Calculator::enterDigit(int digit) {
    if (onEntryReset) onEntryReset();
    if (digit < 0 || digit > 9) return;
    const char typed = static_cast<char>('0' + digit);

    // The new text is made whole and shown once.
    std::string text = display_;
    if (state_.lastEntry != EntryKind::Digits) {
        text = state_.lastEntry == EntryKind::Minus ? "-." : ".";
        state_.pointEntered = false;
    }
    if (state_.pointEntered) {
        // Decimals are appended raw: no reformatting and no length check.
        setDisplay(std::move(text) + typed);
    } else {
        // A text without "." (an era result) keeps its text here and is only reformatted.
        if (const auto point = text.find('.'); point != std::string::npos) {
            text.insert(point, 1, typed);
            text.resize(point + 2);  // the point after the new digit, the rest cut
        }
        const bool negative = text.starts_with('-');
        text = entryRule(text, patterns::Entry);
        // A negative entry keeps its sign while its integer part is still 0 ("-0." then -0.5).
        if (negative && text == "0.") text = "-0.";
        setDisplay(std::move(text));

        // Two tests in a row; the second ignores the warning setting.
        sayFullDisplayWarning();
        if (isFull(display_)) sayOverflow(messages::OverflowEntrySecond);
    }
    state_.lastEntry = EntryKind::Digits;
}

Outcome Calculator::typeDigit(int digit) {
    enterDigit(digit);
    return take();
}

void Calculator::enterPoint() {
    if (state_.lastEntry == EntryKind::Minus) {
        setDisplay("-0.");
    } else if (state_.lastEntry != EntryKind::Digits) {
        setDisplay("0.");
    }
    state_.pointEntered = true;
    state_.lastEntry = EntryKind::Digits;
}

Outcome Calculator::typePoint() {
    enterPoint();
    return take();
}

void Calculator::clear() {
    setMark(" ");
    setMemoryIndicator(" ");
    setDisplay("0.");
    state_.firstOperand = 0;
    state_.secondOperand = 0;
    if (onEntryReset) onEntryReset();
}

Outcome Calculator::clearCalculation() {
    StepScope scope(*this, Step::Kind::Clear);
    clear();
    return take();
}

Outcome Calculator::clearEntry() {
    StepScope scope(*this, Step::Kind::ClearEntry);
    setDisplay("0.");
    setMemoryIndicator("");
    state_.pointEntered = false;
    state_.lastEntry = EntryKind::EntryCleared;
    return take();
}

}  // namespace vexlo::engine
