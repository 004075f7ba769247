// Clipboard text into the display. The clipboard itself belongs to the window.

#include "engine/Calculator.h"
#include "engine/Messages.h"
#include "platform/Utf8.h"

namespace vexlo::engine {

Outcome Calculator::paste(std::string_view clipboardText, bool clearFirst) {
    if (clipboardText.empty()) return take();
    StepScope scope(*this, Step::Kind::Paste);
    // Another program's broken UTF-8 is mended, so the display always holds valid text.
    const std::string text = platform::utf8::replaceInvalid(clipboardText);
    const auto value = readNumber(text);
    if (value) state_.firstOperand = *value;
    // The entry rule, cut before showing so that a long text never reaches the display whole.
    // Control and bidirectional formatting characters are mended as broken bytes are: blanks
    // around a number are still read, but nothing may reorder the digits shown.
    setDisplay(value ? entryRule(*value, patterns::Entry)
                     : platform::utf8::mendForDisplay(rightmost(text, DisplayWidth)));
    if (textLength(display_) >= DisplayWidth) {
        if (clearFirst) setDisplay("0.");
        say(messages::TitleJapanese, messages::Overflow);
        clear();
    }
    return take();
}

}  // namespace vexlo::engine
