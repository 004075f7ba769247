// The tape window `Tape`: modeless, beside the calculator the first time, then where the user
// left it (its place and size are kept in the settings file when it closes). It shows the
// tape; closing it changes nothing of what is recorded.

#include "shell/MainWindow.h"
#include "shell/settings/SettingsKeys.h"
#include "tape/TapeText.h"

namespace vexlo::shell {

namespace {

constexpr platform::Twips DefaultTapeWidth = 4200;
constexpr platform::Twips DefaultTapeHeight = 5400;
constexpr int Unset = -32768;  // a place never stored

}  // namespace

void MainWindow::buildTapeWindow() {
    tapeWindow.setCaption("計算テープ");
    tapeWindow.setWidth(DefaultTapeWidth);
    tapeWindow.setHeight(DefaultTapeHeight);
}

void MainWindow::showTape() {
    tapeWindow.setCaption(calculator.japanese() ? "計算テープ" : "Tape");
    if (!tapePlaced_) {
        const TapeWindowSettings stored = readTapeWindowSettings(services_.profile, Unset);
        // Beside the calculator until the user has placed it.
        const platform::Twips left =
            stored.left != Unset ? stored.left : form.left() + form.width();
        const platform::Twips top = stored.top != Unset ? stored.top : form.top();
        tapeWindow.move(left, top);
        if (stored.width > 0 && stored.height > 0) {
            tapeWindow.setWidth(stored.width);
            tapeWindow.setHeight(stored.height);
        }
        tapePlaced_ = true;
    }
    tapeWindow.setVisible(true);
    services_.windows.raise(tapeWindow);
}

void MainWindow::closeTape() {
    if (!tapeWindow.visible()) return;
    tapeWindow.setVisible(false);
    writeSetting(services_.profile, keys::TapeTop, tapeWindow.top());
    writeSetting(services_.profile, keys::TapeLeft, tapeWindow.left());
    writeSetting(services_.profile, keys::TapeHeight, tapeWindow.height());
    writeSetting(services_.profile, keys::TapeWidth, tapeWindow.width());
}

void MainWindow::clearTape() {
    tape.clear();
}

void MainWindow::pasteFromTape(std::size_t line) {
    if (line >= tape.size()) return;
    const std::string value = tape.lines()[line].valueForDisplay();
    if (!value.empty()) deliver(calculator.paste(value, false));
}

}  // namespace vexlo::shell
