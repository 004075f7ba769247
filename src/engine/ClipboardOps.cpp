// Copy of the display to the clipboard and paste of clipboard text into the display.

#include "engine/Calculator.h"
#include "engine/Messages.h"

namespace vexlo::engine {

namespace {

// Another program's text may hold broken UTF-8; each bad byte becomes U+FFFD so that the
// display always holds valid text.
std::string validUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        bool ok = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; ok && k < length; ++k) {
            ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (ok && length > 1) {
            // Reject overlong forms, surrogates and values beyond U+10FFFF.
            char32_t cp = lead & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k) {
                cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            }
            static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
            ok = cp >= minimum[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        }
        if (ok) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out.append("\xEF\xBF\xBD");
            ++i;
        }
    }
    return out;
}

}  // namespace

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
    if (const auto value = readNumber(*clip)) state.FirstOperand = *value;
    // Cut before showing, so a long text never reaches the display whole.
    setDisplay(entryRule(validUtf8(*clip), patterns::Entry));
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
