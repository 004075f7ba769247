#include "units/Conversion.h"

#include <cmath>

#include "engine/NumberText.h"

namespace vexlo::units {

std::optional<std::string> convertedText(std::string_view readout, const Target& rule) {
    const auto value = engine::readNumber(readout);
    if (!value) return std::nullopt;
    const double product = *value * rule.factor;
    if (!std::isfinite(product)) return std::nullopt;
    // Rounded to 15 significant digits first, so 3.6299999999999994 is shown as 3.63.
    const std::string formatted =
        engine::formatText(engine::plainText(product), engine::patterns::Entry);
    return engine::rightmost(formatted, static_cast<std::size_t>(rule.keeps)) +
           std::string(suffixOf(rule));
}

bool tooLong(std::string_view readout) {
    return engine::textLength(readout) > LongestFittingText;
}

}  // namespace vexlo::units
