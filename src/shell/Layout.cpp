// Layout of the main window: the height snaps to three size classes, each with its display
// font size; the width is clamped and the display fills it. While the unit panel is shown its
// own rule holds the window at a fixed size instead. Setting a size inside these rules runs them
// again at once, nested.

#include "shell/MainWindow.h"

namespace vexlo::shell {

namespace {

constexpr platform::Twips SmallHeight = 1356;
constexpr platform::Twips MediumHeight = 1620;
constexpr platform::Twips LargeHeight = 1800;
constexpr platform::Twips MinimumWidth = 4380;
constexpr platform::Twips ClampedWidth = 4400;
constexpr platform::Twips MaximumWidth = 7000;
constexpr platform::Twips DisplayWidthAllowance = 360;
constexpr platform::Twips MarkBelowDisplayTop = 100;

void sizeClassRules(platform::Form& form, CalculatorControls& controls) {
    auto& readout = controls.display;
    auto& mark = controls.mark;

    readout.setHeight(form.height() - units::DisplayHeightAllowance);
    if (form.height() < SmallHeight) form.setHeight(SmallHeight);
    if (form.height() > SmallHeight && form.height() < LargeHeight) form.setHeight(MediumHeight);
    if (form.height() > LargeHeight) form.setHeight(LargeHeight);
    if (readout.height() > 800) form.setHeight(LargeHeight);
    if (form.width() < MinimumWidth) form.setWidth(ClampedWidth);
    if (form.width() > MaximumWidth) form.setWidth(MaximumWidth);
    readout.setWidth(form.width() - DisplayWidthAllowance);

    if (form.height() == SmallHeight) {
        readout.setFontSize(19);
        mark.setLeft(0);
        mark.setTop(readout.top() + MarkBelowDisplayTop);
    }
    if (form.height() == MediumHeight) {
        readout.setFontSize(30);
        controls.memoryIndicator.setLeft(0);
        mark.setTop(readout.top() + MarkBelowDisplayTop);
    }
    if (form.height() == LargeHeight) {
        readout.setFontSize(40.5);
        mark.setTop(readout.top() + MarkBelowDisplayTop);
    }
}

}  // namespace

void MainWindow::applyLayoutRules() {
    if (unitPanelMode == 0) sizeClassRules(form, controls);
    unitPanel.layoutRule();
}

MainWindow::SizeRange MainWindow::windowSizeRange() const {
    if (unitPanelMode == 1) {
        using units::PanelWindowHeight, units::PanelWindowWidth;
        return {PanelWindowHeight, PanelWindowWidth, PanelWindowHeight, PanelWindowWidth};
    }
    // A drag below the minimum ends at the clamped width, as the rules make it.
    return {SmallHeight, ClampedWidth, LargeHeight, MaximumWidth};
}

void MainWindow::startupSizeRules() {
    auto& readout = controls.display;
    auto classify = [&](platform::Twips height, double fontSize) {
        form.setHeight(height);
        readout.setWidth(form.width() - DisplayWidthAllowance);
        readout.setFontSize(fontSize);
        controls.mark.setLeft(0);
        controls.mark.setTop(readout.top() + MarkBelowDisplayTop);
    };
    if (form.height() > 1780) classify(LargeHeight, 40.5);
    if (form.height() > SmallHeight && form.height() < LargeHeight) classify(MediumHeight, 30);
    if (form.height() < 1336) classify(SmallHeight, 20);
}

}  // namespace vexlo::shell
