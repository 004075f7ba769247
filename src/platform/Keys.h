#pragma once
// Key codes and modifier bits as the key events carry them.

namespace vexlo::platform {

namespace keys {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int F1 = 112;
inline constexpr int F12 = F1 + 11;
// Letters use their capital ASCII code (C = 67, M = 77), digits their ASCII code.

// F1 to F12: accelerators of their own, without Ctrl.
constexpr bool isFunctionKey(int keyCode) {
    return keyCode >= F1 && keyCode <= F12;
}
}  // namespace keys

namespace modifiers {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
}  // namespace modifiers

// One key press: the key-down part (key code and modifier mask) and the character it types,
// 0 when it types none.
struct KeyStroke {
    int keyCode = 0;
    int shift = 0;
    char32_t character = 0;
};

}  // namespace vexlo::platform
