// The keyboard command map: key-down handles the Ctrl combinations and the era letters, the
// character handler everything else. Every character is consumed.

#include <iterator>
#include <string_view>

#include "engine/Calculator.h"
#include "platform/KeyFold.h"
#include "platform/Keys.h"

namespace vexlo::engine {

namespace {

// The caption of each keypad operator key, in the keypad's order.
constexpr char32_t KeypadCaptions[] = {U'/', U'+', U'X', U'-', U'='};
static_assert(std::size(KeypadCaptions) == std::size(KeypadOperators));

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

Outcome Calculator::keyDown(int keyCode, bool ctrl) {
    if (ctrl && keyCode == KeyC) pending_.command = Outcome::Command::CopyDisplay;
    if (keyCode == KeyM) {
        if (ctrl) {
            store();
        } else {
            setMark(japanese() ? "明" : "Ｍ");
        }
    }
    if (keyCode == KeyT) setMark(japanese() ? "大" : "T");
    if (keyCode == KeyS) setMark(ctrl ? "" : japanese() ? "昭" : "S");
    return take();
}

Outcome Calculator::typeCharacter(char32_t character) {
    // Committed text from an input method or an on-screen keyboard acts as the plain keys.
    const char32_t c = platform::foldTyped(character);

    if (isOneOf(c, U"+-X*x/=\r") || isOneOf(c, U"mMtTsShHrR!\\")) {
        operatorMarkAndPress(c);
    } else if (c >= U'0' && c <= U'9') {
        enterDigit(static_cast<int>(c - U'0'));
    } else if (c == U'@') {
        return clearEntry();
    } else if (c == U'[' || c == U'c') {
        StepScope scope(*this, Step::Kind::Clear);
        setMark(" ");
        setMemoryIndicator(state_.memoryMarked ? "M" : "");
        clear();
    } else if (c == U'z' || c == U'&') {
        store();
    } else if (c == U'a' || c == U'$') {
        recall();
    } else if (c == U'q' || c == U'#') {
        setMark("");
        return clearMemory();
    } else if (c == platform::keys::Escape || c == platform::keys::Tab) {
        pending_.command = Outcome::Command::CloseWindow;
    } else if (c == U'.') {
        enterPoint();
    } else if (c == U'%' || c == U']') {
        // Evaluates the percent result at once, as if "=" had been typed; an era text in the
        // display is left alone, mark and all.
        if (percent()) {
            setMark("%");
            pending_.evaluateNow = true;
        }
    } else if (c == U' ') {
        pending_.command = Outcome::Command::EraToWestern;
    } else if (c == platform::keys::Backspace || c == U':') {
        pending_.command = Outcome::Command::WesternToEra;
    }
    return take();
}

// An operator character sets its mark and presses its key; an era letter only sets its mark.
void Calculator::operatorMarkAndPress(char32_t c) {
    if (c == U'+') setMark("＋");
    if (c == U'-') setMark("－");
    if (c == U'/') setMark("÷");
    if (c == U'=') setMark(" ");
    if (const char* mark = eraMark(c)) setMark(mark);
    if (c == U'*' || c == U'x') {
        c = U'X';
        setMark("×");
    }
    if (c == U'\r') {
        c = U'=';
        setMark("");
    }
    for (std::size_t i = 0; i < std::size(KeypadOperators); ++i) {
        if (c == KeypadCaptions[i]) evaluate(KeypadOperators[i]);
    }
}

}  // namespace vexlo::engine
