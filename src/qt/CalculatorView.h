#pragma once
// The main window `Calculator` on screen: its form as a window, the display right-aligned, and
// the mouse on the display sent to the main window's handlers.

#include <memory>
#include <optional>

#include "qt/DisplayAccessible.h"
#include "qt/FormWindow.h"
#include "qt/GlyphWarmup.h"
#include "qt/KeyboardAccess.h"
#include "qt/MenuAccessible.h"
#include "shell/MainWindow.h"

namespace vexlo::qtview {

class CalculatorView {
  public:
    explicit CalculatorView(shell::MainWindow& main);
    CalculatorView(const CalculatorView&) = delete;
    CalculatorView& operator=(const CalculatorView&) = delete;

    FormWindow& window() { return window_; }
    DisplayAccessibility& accessibility() { return *accessibility_; }
    KeyboardAccess& keyboard() { return *keyboard_; }
    const GlyphWarmer& glyphWarmer() const { return warmer_; }

  private:
    // The menu bar, the unit panel's groups and Qt's own dialogs in the menus' language.
    void nameForReaders();

    // The display's accessible interface is installed before its labels are made.
    struct AccessibilityFirst {
        AccessibilityFirst() {
            installDisplayAccessibility();
            installMenuAccessibility();
        }
    } accessibilityFirst_;
    shell::MainWindow& main_;
    FormWindow window_;
    std::unique_ptr<DisplayAccessibility> accessibility_;
    KeyboardAccess* keyboard_ = nullptr;  // owned by the window
    GlyphWarmer warmer_;
    std::optional<bool> namedInEnglish_;
};

}  // namespace vexlo::qtview
