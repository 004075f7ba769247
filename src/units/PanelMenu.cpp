// Switching the panel on and off (the TNN menu items and the two buttons) and the panel's
// layout rule, which holds the window at its fixed size while the panel is shown.

#include "units/UnitPanel.h"

namespace vexlo::units {

namespace {

constexpr platform::Twips PanelRequestedHeight = 5000;  // the layout rule makes it 4750
constexpr platform::Twips PanelDisplayHeight = 600;
constexpr platform::Twips PanelDisplayWidth = 4040;
constexpr platform::Twips MarkAboveWindowBottom = 4500;
constexpr platform::Twips CategoriesBelowDisplay = 200;
constexpr platform::Twips PanelWindowTop = 210;

}  // namespace

void UnitPanel::TNN_Click(int index) {
    Command3.setEnabled(true);
    Command4.setEnabled(true);
    calc_.setDisplay("0.");
    calc_.Readout.setHeight(form_.height() - engine::DisplayHeightAllowance);
    for (int n = 1; n <= 7; ++n) Check(n).setVisible(true);
    for (int n = 1; n <= OptionCount; ++n) Option(n).setVisible(true);
    Check(4).setValue(1);
    Check_Click(4);
    form_.move(form_.left(), PanelWindowTop);

    if (index == 0) {
        mode_ = 0;
        if (hooks.Form_Load) hooks.Form_Load();
    }
    if (index == 1) {
        mode_ = 1;
        form_.setHeight(PanelRequestedHeight);
        form_.setWidth(PanelWindowWidth);
        calc_.Readout.setHeight(PanelDisplayHeight);
        calc_.Readout.setWidth(PanelDisplayWidth);
        calc_.MEM2.setTop(form_.height() - MarkAboveWindowBottom);
        calc_.Readout.setFontSize(PanelDisplayFontSize);
        for (int n = 4; n <= 7; ++n) {
            Check(n).setTop(calc_.Readout.top() + calc_.Readout.height() + CategoriesBelowDisplay);
        }
    }
    form_.tickChoice("TNN", index);
    // With the stored size equal to the current one the load step resized nothing; the rule
    // hides what step 4 showed.
    if (index == 0) layoutRule();
}

void UnitPanel::Command3_Click() {
    form_.tickChoice("TNN", -1);
    if (hooks.Form_Load) hooks.Form_Load();
    Command3.setEnabled(false);
    Command4.setEnabled(false);
}

void UnitPanel::Command4_Click() {
    mode_ = 0;
    form_.tickChoice("TNN", 0);
    Command3.setEnabled(false);
    Command4.setEnabled(false);
    if (hooks.All_Exit_Click) hooks.All_Exit_Click();
}

void UnitPanel::layoutRule() {
    auto& readout = calc_.Readout;
    if (mode_ == 1) {
        form_.setHeight(PanelWindowHeight);
        form_.setWidth(PanelWindowWidth);
        readout.setWidth(PanelDisplayWidth);
        if (readout.height() > PanelDisplayHeight) {
            readout.setHeight(PanelDisplayHeight);
            calc_.MEM2.setTop(form_.height() - MarkAboveWindowBottom);
            readout.setFontSize(PanelDisplayFontSize);
        }
        for (int n = 4; n <= 7; ++n) {
            Check(n).setTop(readout.top() + readout.height() + CategoriesBelowDisplay);
        }
        return;
    }
    for (int n = 1; n <= CheckCount; ++n) Check(n).setVisible(false);
    for (int n = 1; n <= OptionCount; ++n) Option(n).setVisible(false);
}

}  // namespace vexlo::units
