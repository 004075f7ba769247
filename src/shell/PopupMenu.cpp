// The mouse on the main window: a right press opens the edit menu as a popup at the window's
// top-left outer corner (not at the mouse); Shift on the display pastes first.

#include <cmath>

#include "shell/MainWindow.h"

namespace vexlo::shell {

namespace {

constexpr int RightButton = 2;
constexpr int ShiftBit = 1;

// Twips to screen pixels as the platform's whole-number conversion rounds them.
int screenPixels(platform::Twips twips, double twipsPerPixel) {
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

}  // namespace

void MainWindow::openEditPopup() {
    if (form.menus().empty()) return;
    const platform::Screen& screen = services_.screen;
    services_.popup.track(*form.menus().front(), screenPixels(form.left(), screen.twipsPerPixelX()),
                          screenPixels(form.top(), screen.twipsPerPixelY()));
}

void MainWindow::windowMouseDown(int button, int) {
    if (button == RightButton) openEditPopup();
}

void MainWindow::displayMouseDown(int button, int shift) {
    if ((shift & ShiftBit) != 0) controls.pasteButton.press();
    if (button == RightButton) openEditPopup();
}

}  // namespace vexlo::shell
