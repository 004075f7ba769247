// A click on a target box, ticked or unticked: the other target boxes are unticked first (their
// handlers run nested and convert nothing), the rule of the ticked category, the chosen source
// and this box converts the readout, and the length check runs whatever happened.

#include "engine/Messages.h"
#include "units/Conversion.h"
#include "units/UnitPanel.h"

namespace vexlo::units {

void UnitPanel::targetClick(int box) {
    platform::CheckBox& self = Check(box);
    if (self.value() == 1) {
        for (int other : TargetBoxes) {
            if (other != box) Check(other).setValue(0);
        }
    }
    for (const CategoryRow& category : Categories) {
        if (Check(category.box).value() != 1) continue;
        for (const SourceRow& source : sourcesOf(category.category)) {
            if (!Option(source.slot).value() || self.value() != 1) continue;
            const Target* target = rule(category.category, source.slot, box);
            if (target == nullptr) continue;
            if (auto text = convertedText(calc_.display(), *target)) calc_.setDisplay(*text);
        }
    }
    lengthCheck();
}

void UnitPanel::lengthCheck() {
    if (!tooLong(calc_.display())) return;
    calc_.Readout.setFontSize(LongTextFontSize);
    // In English mode the message is followed by a cleared calculation.
    if (calc_.warningsShown()) calc_.overflowMessage(engine::messages::Overflow);
}

}  // namespace vexlo::units
