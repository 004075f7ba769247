#include "engine/Calculator.h"

#include <utility>

#include "engine/Messages.h"

namespace vexlo::engine {

void Calculator::setDisplay(std::string text) {
    display_ = std::move(text);
    if (onStripChanged) onStripChanged(StripPart::Display);
}

void Calculator::setMark(std::string text) {
    mark_ = std::move(text);
    if (onStripChanged) onStripChanged(StripPart::Mark);
}

void Calculator::setMemoryIndicator(std::string text) {
    memoryIndicator_ = std::move(text);
    if (onStripChanged) onStripChanged(StripPart::MemoryIndicator);
}

std::string_view Calculator::messageTitle() const {
    return japanese() ? messages::TitleJapanese : messages::TitleEnglish;
}

void Calculator::startFresh() {
    setDisplay("0.");
    state_.pointEntered = false;
    state_.operandCount = 0;
    state_.lastEntry = EntryKind::Nothing;
    state_.pending = Operation::None;
    setMark(" ");
}

void Calculator::resumeDisplay(std::string text) {
    setDisplay(std::move(text));
    if (const auto value = readNumber(display_)) state_.firstOperand = *value;
}

// Messages collect while an operation runs; a nested operation's take() hands over the earlier
// ones too, so they are always shown in the order they were raised.
void Calculator::say(std::string_view title, std::string_view text) {
    pending_.messages.push_back(
        {std::string(title), std::string(text), display_, mark_, memoryIndicator_});
}

Outcome Calculator::take() {
    return std::exchange(pending_, Outcome{});
}

Outcome Calculator::message(std::string_view title, std::string_view text) {
    say(title, text);
    return take();
}

void Calculator::sayOverflow(std::string_view japaneseText) {
    if (japanese()) {
        say(messages::TitleJapanese, japaneseText);
    } else {
        say(messages::TitleEnglish, messages::OverflowEnglish);
        clear();
    }
}

Outcome Calculator::overflowMessage(std::string_view japaneseText) {
    sayOverflow(japaneseText);
    return take();
}

// A result beyond the number range: the overflow text of the language when warnings are shown;
// the caller keeps the old value.
void Calculator::sayRangeOverflow() {
    if (warningsShown())
        say(messageTitle(), japanese() ? messages::Overflow : messages::OverflowEnglish);
}

void Calculator::sayFullDisplayWarning() {
    if (isFull(display_) && warningsShown()) sayOverflow(messages::Overflow);
}

}  // namespace vexlo::engine
