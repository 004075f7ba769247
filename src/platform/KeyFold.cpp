#include "platform/KeyFold.h"

namespace vexlo::platform {

namespace {

struct Fold {
    char32_t from;
    char32_t to;
};

// clang-format off
constexpr Fold Folds[] = {
    {U'\u3000', U' '},                                   // ideographic space
    {U'ー', U'-'}, {U'−', U'-'}, {U'‐', U'-'},           // prolonged sound mark, minus, hyphen
    {U'×', U'*'}, {U'÷', U'/'}, {U'・', U'/'},
    {U'。', U'.'}, {U'「', U'['}, {U'」', U']'},
    {U'｡', U'.'}, {U'｢', U'['}, {U'｣', U']'}, {U'･', U'/'}, {U'ｰ', U'-'},  // half-width forms
};
// clang-format on

constexpr char32_t FullWidthFirst = U'！';  // U+FF01, mirrors "!" ...
constexpr char32_t FullWidthLast = U'～';   // U+FF5E, ... to "~"
constexpr char32_t FullWidthOffset = FullWidthFirst - U'!';

}  // namespace

char32_t foldTyped(char32_t character) {
    if (character < 0x80) return character;
    if (character >= FullWidthFirst && character <= FullWidthLast)
        return character - FullWidthOffset;
    for (const Fold& fold : Folds)
        if (fold.from == character) return fold.to;
    return character;
}

}  // namespace vexlo::platform
