// Copy of the display to the clipboard and paste of clipboard text into the display.

#include "engine/Calculator.h"
#include "engine/Messages.h"
#include "platform/Utf8.h"

namespace vexlo::engine {

void Calculator::copyDisplay() {
    // A clipboard that another program holds refuses the copy; nothing else changes.
    if (!services_.clipboard.clear()) return;
    services_.clipboard.setText(display());
}

void Calculator::Menu_Copy_Click() {
    copyDisplay();
}

void Calculator::Command1_Click() {
    Readout.setEnabled(false);
    copyDisplay();
    Readout.setEnabled(true);
}

void Calculator::paste(bool clearBeforeMessage) {
    const auto clip = services_.clipboard.text();
    if (!clip || clip->empty()) return;
    // Another program's broken UTF-8 is mended, so the display always holds valid text.
    const std::string text = platform::utf8::replaceInvalid(*clip);
    const auto value = readNumber(text);
    if (value) state.FirstOperand = *value;
    // The entry rule, cut before showing so that a long text never reaches the display whole.
    // Control and bidirectional formatting characters are mended as broken bytes are: blanks
    // around a number are still read, but nothing may reorder the digits shown.
    setDisplay(value ? entryRule(*value, patterns::Entry)
                     : platform::utf8::mendForDisplay(rightmost(text, DisplayWidth)));
    if (textLength(display()) >= DisplayWidth) {
        if (clearBeforeMessage) setDisplay("0.");
        showMessage(messages::TitleJapanese, messages::Overflow);
        Cancel_Click();
    }
}

void Calculator::Clip_Menu_Click() {
    paste(false);
}
void Calculator::Command2_Click() {
    paste(true);
}

}  // namespace vexlo::engine
