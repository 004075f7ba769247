#pragma once
// Characters as a Japanese input method, an on-screen keyboard or a text-input protocol commit
// them, folded to the keys they stand for on a plain keyboard: with the input method on, "1"
// comes as "１", "-" as "ー" and "/" as "・", and the calculator must still see 1, - and /.

namespace vexlo::platform {

// The full-width forms U+FF01-U+FF5E as ASCII, U+3000 as a space, the Japanese dashes and the
// prolonged sound mark as "-", "×" as "*", "÷" and "・" as "/", "。" as ".", "「" and "」" as
// "[" and "]" (and their half-width katakana forms alike). Any other character is kept.
char32_t foldTyped(char32_t character);

}  // namespace vexlo::platform
