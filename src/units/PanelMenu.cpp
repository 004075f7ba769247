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

void UnitPanel::choosePanel(int index) {
    backButton.setEnabled(true);
    exitButton.setEnabled(true);
    calc_.setDisplay("0.");
    display_.setHeight(form_.height() - DisplayHeightAllowance);
    for (int n = 1; n <= 7; ++n) box(n).setVisible(true);
    for (int n = 1; n <= OptionCount; ++n) sourceSlot(n).setVisible(true);
    box(4).setValue(1);
    boxClicked(4);
    form_.move(form_.left(), PanelWindowTop);

    if (index == 0) {
        mode_ = 0;
        if (hooks.reloadWindow) hooks.reloadWindow();
    }
    if (index == 1) {
        mode_ = 1;
        form_.setHeight(PanelRequestedHeight);
        form_.setWidth(PanelWindowWidth);
        display_.setHeight(PanelDisplayHeight);
        display_.setWidth(PanelDisplayWidth);
        mark_.setTop(form_.height() - MarkAboveWindowBottom);
        display_.setFontSize(PanelDisplayFontSize);
        for (int n = 4; n <= 7; ++n) {
            box(n).setTop(display_.top() + display_.height() + CategoriesBelowDisplay);
        }
    }
    form_.tickChoice("TNN", index);
    // With the stored size equal to the current one the load step resized nothing; the rule
    // hides what step 4 showed.
    if (index == 0) layoutRule();
}

void UnitPanel::back() {
    form_.tickChoice("TNN", -1);
    if (hooks.reloadWindow) hooks.reloadWindow();
    backButton.setEnabled(false);
    exitButton.setEnabled(false);
}

void UnitPanel::exitProgram() {
    mode_ = 0;
    form_.tickChoice("TNN", 0);
    backButton.setEnabled(false);
    exitButton.setEnabled(false);
    if (hooks.closeWindow) hooks.closeWindow();
}

void UnitPanel::layoutRule() {
    auto& readout = display_;
    if (mode_ == 1) {
        form_.setHeight(PanelWindowHeight);
        form_.setWidth(PanelWindowWidth);
        readout.setWidth(PanelDisplayWidth);
        if (readout.height() > PanelDisplayHeight) {
            readout.setHeight(PanelDisplayHeight);
            mark_.setTop(form_.height() - MarkAboveWindowBottom);
            readout.setFontSize(PanelDisplayFontSize);
        }
        for (int n = 4; n <= 7; ++n) {
            box(n).setTop(readout.top() + readout.height() + CategoriesBelowDisplay);
        }
        return;
    }
    for (int n = 1; n <= CheckCount; ++n) box(n).setVisible(false);
    for (int n = 1; n <= OptionCount; ++n) sourceSlot(n).setVisible(false);
}

}  // namespace vexlo::units
