#pragma once
// What a ticked target box does to the readout text: the value times the rule's factor,
// formatted, cut to the rule's kept length, with the target's suffix; and the length test
// that follows every click on a target box.

#include <optional>
#include <string>
#include <string_view>

#include "units/Rules.h"

namespace vexlo::units {

// The readout text after applying the rule, or nothing when the readout holds no number
// (an earlier result with its suffix, an era text): then the readout stays as it is.
std::optional<std::string> convertedText(std::string_view readout, const Target& rule);

// A readout text longer than this many characters takes the smaller font and the warning.
inline constexpr std::size_t LongestFittingText = 19;
inline constexpr double LongTextFontSize = 20;

bool tooLong(std::string_view readout);

}  // namespace vexlo::units
