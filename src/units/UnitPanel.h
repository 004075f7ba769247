#pragma once
// The unit-conversion panel of the main window: its check boxes, option buttons and two buttons
// (created hidden with the window), the handlers of the category boxes, source slots and target
// boxes, the panel menu items, and the panel's layout rule.
//
// Handlers re-enter one another through the raising rule: a box or option set from here runs
// its own handler at once, nested, and the outer handler's later steps decide what stays.

#include <array>
#include <functional>
#include <optional>

#include "engine/Calculator.h"
#include "platform/Form.h"
#include "units/UnitKinds.h"

namespace vexlo::units {

inline constexpr int CheckCount = 10;   // Check1 to Check10
inline constexpr int OptionCount = 11;  // Option1 to Option11
inline constexpr double PanelDisplayFontSize = 30;
// While the panel is shown the window has this outer size, whatever the user drags.
inline constexpr platform::Twips PanelWindowHeight = 4750;
inline constexpr platform::Twips PanelWindowWidth = 4400;

// The window's height less this is the display's: the menu bar and the space round the strip.
// The main window's size classes and the panel lay the display out by it.
inline constexpr platform::Twips DisplayHeightAllowance = 950;

class UnitPanel {
  public:
    // Adds the panel's controls to `form`; `display` and `mark` are the main window's display
    // and mark labels, whose size the panel sets; `unitPanelMode` is 1 while the panel is shown.
    UnitPanel(platform::Form& form, engine::Calculator& calc, platform::Label& display,
              platform::Label& mark, int& unitPanelMode);
    UnitPanel(const UnitPanel&) = delete;
    UnitPanel& operator=(const UnitPanel&) = delete;

    // What the panel calls in the main window.
    struct Hooks {
        std::function<void()> reloadWindow;            // the start-up step again: the panel is left
        std::function<void()> closeWindow;             // close the main window
        std::function<void(engine::Outcome)> deliver;  // show an operation's messages
    } hooks;

    platform::CheckBox& box(int number) const;             // Check1 .. Check10
    platform::OptionButton& sourceSlot(int number) const;  // Option1 .. Option11
    platform::Button& backButton;                          // "戻る"
    platform::Button& exitButton;                          // "終了"

    // A click on a box: a target box (1, 2, 3, 8, 9) or a category box (4 to 7); box 10 has no
    // handler.
    void boxClicked(int number);
    void sourceChosen(int number);
    // The panel menu's two items: 0 hides the panel, 1 shows it.
    void choosePanel(int index);
    void back();
    void exitProgram();
    // Digit entry and the C key untick every target box.
    void untickTargets();

    // The panel's part of the main window's resize handling.
    void layoutRule();

  private:
    void targetClick(int number);
    void categoryClick(Category category);
    void showSourceSlots(Category category);
    void showTargets(Category category, int slot);
    void lengthCheck();

    platform::Form& form_;
    engine::Calculator& calc_;
    platform::Label& display_;
    platform::Label& mark_;
    int& mode_;
    std::array<platform::CheckBox*, CheckCount + 1> checks_{};        // [1] is Check1
    std::array<platform::OptionButton*, OptionCount + 1> options_{};  // [1] is Option1
};

}  // namespace vexlo::units
