// A click on a target box, ticked or unticked: the other target boxes are unticked first (their
// handlers run nested and convert nothing), the rule of the ticked category, the chosen source
// and this box converts the readout, and the length check runs whatever happened.

#include "engine/Messages.h"
#include "units/Conversion.h"
#include "units/UnitPanel.h"

namespace vexlo::units {

void UnitPanel::targetClick(int number) {
    platform::CheckBox& self = box(number);
    if (self.value() == 1) {
        for (int other : TargetBoxes) {
            if (other != number) box(other).setValue(0);
        }
    }
    for (const CategoryRow& category : Categories) {
        if (box(category.box).value() != 1) continue;
        for (const SourceRow& source : sourcesOf(category.category)) {
            if (!sourceSlot(source.slot).value() || self.value() != 1) continue;
            const Target* target = rule(category.category, source.slot, number);
            if (target == nullptr) continue;
            if (auto text = convertedText(calc_.display(), *target)) {
                engine::Calculator::StepScope scope(calc_, engine::Step::Kind::UnitConversion);
                if (engine::Step* step = scope.step()) {
                    step->fromUnit = sourceSlot(source.slot).caption();
                }
                calc_.setDisplay(*text);
            }
        }
    }
    lengthCheck();
}

void UnitPanel::lengthCheck() {
    if (!tooLong(calc_.display())) return;
    display_.setFontSize(LongTextFontSize);
    // In English mode the message is followed by a cleared calculation.
    if (calc_.warningsShown() && hooks.deliver) {
        hooks.deliver(calc_.overflowMessage(engine::messages::Overflow));
    }
}

}  // namespace vexlo::units
