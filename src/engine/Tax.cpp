// Consumption tax added to or removed from the price in the display. The calculation state is
// left alone, so the result behaves like a typed number.

#include <cmath>

#include "engine/Calculator.h"

namespace vexlo::engine {

namespace {
constexpr std::size_t AddedWidth = 15;
constexpr std::size_t RemovedWidth = 18;
}  // namespace

void Calculator::taxCommand(TaxRate rate, bool added) {
    const auto price = readNumber(display_);
    if (!price) return;  // an era text stays as it is
    StepScope scope(*this, added ? Step::Kind::TaxAdded : Step::Kind::TaxRemoved);
    if (Step* step = scope.step()) step->taxPercent = rate.percent;
    const double result = added ? *price * rate.factor : *price / rate.factor;
    if (!std::isfinite(result)) {
        scope.cancel();
        return;
    }
    // The plain text rounds away the representation error of the factor (100 x 1.1 = 110).
    setDisplay(plainText(result));
    setDisplay(added ? entryRule(display_, patterns::TaxAdded, AddedWidth)
                     : entryRule(display_, patterns::TaxRemoved, RemovedWidth));
}

Outcome Calculator::addTax(TaxRate rate) {
    taxCommand(rate, true);
    return take();
}

Outcome Calculator::removeTax(TaxRate rate) {
    taxCommand(rate, false);
    return take();
}

}  // namespace vexlo::engine
