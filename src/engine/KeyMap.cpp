// The keyboard command map: key-down handles the Ctrl combinations and the era letters, the
// character handler everything else. Every character is consumed.

#include <string_view>

#include "engine/Calculator.h"
#include "platform/KeyFold.h"
#include "platform/Keys.h"

namespace vexlo::engine {

namespace {

constexpr int KeyC = 67, KeyM = 77, KeyS = 83, KeyT = 84;

bool isOneOf(char32_t c, std::u32string_view set) {
    return set.find(c) != std::u32string_view::npos;
}

// The era mark a letter leaves for the next era-to-Western conversion.
const char* eraMark(char32_t c) {
    switch (c) {
        case U'm':
        case U'M':
            return "明";
        case U't':
        case U'T':
            return "大";
        case U's':
        case U'S':
            return "昭";
        case U'h':
        case U'H':
            return "平";
        case U'r':
        case U'R':
            return "令";
        default:
            return nullptr;
    }
}

}  // namespace

void Calculator::Form_KeyDown(int keyCode, int shift) {
    const bool ctrl = (shift & platform::modifiers::Ctrl) != 0;
    if (ctrl && keyCode == KeyC) copyDisplay();
    if (keyCode == KeyM) {
        if (ctrl) {
            Text_Mem_Click();
        } else {
            MEM2.setCaption(japanese() ? "明" : "Ｍ");
        }
    }
    if (keyCode == KeyT) MEM2.setCaption(japanese() ? "大" : "T");
    if (keyCode == KeyS) MEM2.setCaption(ctrl ? "" : japanese() ? "昭" : "S");
}

void Calculator::Form_KeyPress(char32_t& character) {
    // Committed text from an input method or an on-screen keyboard acts as the plain keys.
    const char32_t c = platform::foldTyped(character);
    character = 0;

    if (isOneOf(c, U"+-X*x/=\r") || isOneOf(c, U"mMtTsShHrR!\\")) {
        operatorMarkAndPress(c);
    } else if (c >= U'0' && c <= U'9') {
        Number_Click(static_cast<int>(c - U'0'));
    } else if (c == U'@') {
        CancelEntry_Click();
    } else if (c == U'[' || c == U'c') {
        MEM2.setCaption(" ");
        MEM1.setText("");
        MEM1.setText(state.MemoryMark);
        Cancel_Click();
    } else if (c == U'z' || c == U'&') {
        Text_Mem_Click();
    } else if (c == U'a' || c == U'$') {
        Mem_Text_Click();
    } else if (c == U'q' || c == U'#') {
        MEM2.setCaption("");
        Mem_Cear_Click();
    } else if (c == platform::keys::Escape || c == platform::keys::Tab) {
        if (hooks.unloadWindow) hooks.unloadWindow();
    } else if (c == U'.') {
        Decimal_Click();
    } else if (c == U'%' || c == U']') {
        // Evaluates the percent result at once, as if "=" had been typed; an era text in the
        // display is left alone, mark and all.
        if (Percent_Click()) {
            MEM2.setCaption("%");
            services_.keys.post({platform::keys::Enter, 0, U'\r'});
        }
    } else if (c == U' ') {
        if (hooks.WA_SEI_Click) hooks.WA_SEI_Click();
    } else if (c == platform::keys::Backspace || c == U':') {
        if (hooks.SEI_WA_Click) hooks.SEI_WA_Click();
    }
}

void Calculator::operatorMarkAndPress(char32_t c) {
    if (c == U'+') MEM2.setCaption("＋");
    if (c == U'-') MEM2.setCaption("－");
    if (c == U'/') MEM2.setCaption("÷");
    if (c == U'=') MEM2.setCaption(" ");
    if (const char* mark = eraMark(c)) MEM2.setCaption(mark);
    if (c == U'*' || c == U'x') {
        c = U'X';
        MEM2.setCaption("×");
    }
    if (c == U'\r') {
        c = U'=';
        MEM2.setCaption("");
    }
    if (c > 0x7F) return;
    const std::string key(1, static_cast<char>(c));
    for (auto* button : Operator) {
        if (button->caption() == key) {
            button->press();
            return;
        }
    }
}

}  // namespace vexlo::engine
