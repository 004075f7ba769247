// Consumption tax at the standard rate (10 %) and the reduced rate (8 %), added to or removed
// from the price in the display. The calculation state is left alone, so the result behaves
// like a typed number.

#include <cmath>

#include "engine/Calculator.h"

namespace vexlo::engine {

namespace {
constexpr double StandardRate = 1.1;
constexpr double ReducedRate = 1.08;
constexpr std::size_t AddedWidth = 15;
constexpr std::size_t RemovedWidth = 18;
}  // namespace

void Calculator::taxCommand(double factor, bool added) {
    const auto price = readNumber(display());
    if (!price) return;  // an era text stays as it is
    const double result = added ? *price * factor : *price / factor;
    if (!std::isfinite(result)) return;
    // The plain text rounds away the representation error of the factor (100 x 1.1 = 110).
    setDisplay(plainText(result));
    setDisplay(added ? entryRule(display(), patterns::TaxAdded, AddedWidth)
                     : entryRule(display(), patterns::TaxRemoved, RemovedWidth));
}

void Calculator::Syohi_Zei_Click() {
    taxCommand(StandardRate, true);
}
void Calculator::Syo_Moto_Click() {
    taxCommand(StandardRate, false);
}
void Calculator::KeigenSyohi_Zei_Click() {
    taxCommand(ReducedRate, true);
}
void Calculator::KeigenSyo_Moto_Click() {
    taxCommand(ReducedRate, false);
}

}  // namespace vexlo::engine
