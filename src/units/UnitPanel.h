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

class UnitPanel {
  public:
    // Adds the panel's controls to `form`; `unitPanelMode` is the main window's UnitPanelMode.
    UnitPanel(platform::Form& form, engine::Calculator& calc, int& unitPanelMode);
    UnitPanel(const UnitPanel&) = delete;
    UnitPanel& operator=(const UnitPanel&) = delete;

    // What the panel calls in the main window.
    struct Hooks {
        std::function<void()> Form_Load;
        std::function<void()> All_Exit_Click;
    } hooks;

    platform::CheckBox& Check(int number) const;       // Check1 .. Check10
    platform::OptionButton& Option(int number) const;  // Option1 .. Option11
    platform::Button& Command3;                        // "戻る"
    platform::Button& Command4;                        // "終了"

    // Check1_Click to Check9_Click: a target box (1, 2, 3, 8, 9) or a category box (4 to 7).
    // Check10 has no handler.
    void Check_Click(int number);
    // Option1_Click to Option11_Click.
    void Option_Click(int number);
    void TNN_Click(int index);
    void Command3_Click();
    void Command4_Click();

    // The panel's part of the main window's resize handling.
    void layoutRule();

  private:
    void targetClick(int box);
    void categoryClick(Category category);
    void showSourceSlots(Category category);
    void showTargets(Category category, int slot);
    void untickTargets();
    void lengthCheck();

    platform::Form& form_;
    engine::Calculator& calc_;
    int& mode_;
    std::array<platform::CheckBox*, CheckCount + 1> checks_{};        // [1] is Check1
    std::array<platform::OptionButton*, OptionCount + 1> options_{};  // [1] is Option1
};

}  // namespace vexlo::units
