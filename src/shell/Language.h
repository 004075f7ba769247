#pragma once
// The caption sets of the menu table applied to the menus built once: captions are rewritten,
// never rebuilt.

#include "platform/Form.h"
#include "shell/MenuTable.h"

namespace vexlo::shell {

inline constexpr const char* CaptionJapanese = "【ベクロ】";
inline constexpr const char* CaptionEnglish = "【VexloKun】";

// Sets every menu caption from one column of the menu table, in the table's order. Separators
// and the items the column leaves unset (nullptr) keep their captions.
void setMenuCaptions(platform::Form& form, const char* MenuRow::*column);

}  // namespace vexlo::shell
