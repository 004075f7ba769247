#include "engine/Calculator.h"

#include <utility>

#include "engine/Messages.h"

namespace vexlo::engine {

void Calculator::setDisplay(std::string text) {
    if (display_ == text) return;  // digit entry sets the same text again as it reformats
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
    if (!onStep) return;
    if (stepDepth_ > 0) {
        step_.warnings.emplace_back(text);
    } else {
        Step warning;
        warning.shown = display_;
        warning.warnings.emplace_back(text);
        onStep(warning);
    }
}

Calculator::StepScope::StepScope(Calculator& calc, Step::Kind kind)
    : calc_(calc), outer_(calc.stepDepth_++ == 0 && calc.onStep) {
    if (!outer_) return;
    // Field by field, so the texts keep their buffers from one step to the next.
    Step& step = calc_.step_;
    step.kind = kind;
    step.operation = Operation::None;
    step.taxPercent = 0;
    step.entered.assign(calc_.display_);
    step.enteredMark.assign(calc_.mark_);
    step.entryBefore = calc_.state_.lastEntry;
    step.pendingBefore = calc_.state_.pending;
    step.memoryBefore = calc_.state_.memory;
    step.fromUnit.clear();
    step.warnings.clear();
}

Calculator::StepScope::~StepScope() {
    --calc_.stepDepth_;
    if (!outer_ || cancelled_ || !calc_.onStep) return;
    Step& step = calc_.step_;
    step.shown.assign(calc_.display_);
    step.shownMark.assign(calc_.mark_);
    calc_.onStep(step);
}

Outcome Calculator::take() {
    // Most keys raise nothing: no vector to hand over.
    if (pending_.messages.empty() && pending_.command == Outcome::Command::None &&
        !pending_.evaluateNow)
        return {};
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
