#pragma once
// The calculator of the main window: its state record, the display and mark controls, the
// off-screen keypad, and every handler of digit entry, operators, memory, tax, clipboard and the
// key map. Handlers keep the program's own names.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CalcState.h"
#include "engine/NumberText.h"
#include "platform/Form.h"
#include "platform/Services.h"

namespace vexlo::engine {

// The window's height less this is the display's: the menu bar and the space round the strip.
// The size classes and the unit panel lay the display out by it.
inline constexpr platform::Twips DisplayHeightAllowance = 950;

class Calculator {
  public:
    // Creates the display, the mark labels and the keypad on `form`.
    Calculator(platform::Form& form, platform::Services& services);
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    CalcState state;

    // Commands that live in neighbouring subsystems, wired by the main window.
    struct Hooks {
        std::function<void()> WA_SEI_Click;  // era year to Western year
        std::function<void()> SEI_WA_Click;  // Western year to era
        std::function<void()> unloadWindow;  // close the main window
    } hooks;

    // The unit panel's target boxes, unticked by digit entry and cancel.
    std::vector<platform::CheckBox*> targetUnitBoxes;

    // Controls.
    platform::Label& Readout;
    platform::Label& MEM2;
    platform::TextBox& MEM1;
    platform::Button& Cancel;
    platform::Button& CancelEntry;
    platform::Button& Decimal;
    platform::Button& Percent;
    platform::Button& Command1;
    platform::Button& Command2;
    platform::Label& ReadoutNul;
    std::array<platform::Button*, 10> Number{};
    std::array<platform::Button*, 5> Operator{};

    // Digit entry and clearing.
    void Number_Click(int index);
    void Decimal_Click();
    void Cancel_Click();
    void CancelEntry_Click();
    void Readout_DblClick();

    // Operators and percent.
    void Operator_Click(int index);
    // Returns false, changing nothing, when the display is not a number.
    bool Percent_Click();

    // Memory register.
    void Text_Mem_Click();
    void Text_PlsMem_Click();
    void Text_TakeMem_Click();
    void Mem_PlsText_Click();
    void Mem_TakeText_Click();
    void Mem_Text_Click();
    void Mem_Cear_Click();

    // Consumption tax.
    void Syohi_Zei_Click();
    void Syo_Moto_Click();
    void KeigenSyohi_Zei_Click();
    void KeigenSyo_Moto_Click();

    // Clipboard.
    void Menu_Copy_Click();
    void Command1_Click();
    void Clip_Menu_Click();
    void Command2_Click();

    // Key map.
    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyPress(char32_t& character);

    // Shared display rules.
    const std::string& display() const { return Readout.caption(); }
    void setDisplay(std::string text) { Readout.setCaption(std::move(text)); }
    bool japanese() const { return state.LanguageMode == 0; }
    bool warningsShown() const;  // WarningMode read as a number is 0
    std::string_view messageTitle() const;
    void showMessage(std::string_view title, std::string_view text);
    // An overflow message: the given Japanese text, or in English mode the English text
    // followed by a cleared calculation.
    void overflowMessage(std::string_view japaneseText);
    // The common warning rule for a full display: the overflow message when warnings are shown.
    void commonOverflowWarning();
    // A result beyond the number range: the overflow text of the current language when warnings
    // are shown; the caller keeps the old value.
    void rangeOverflowMessage();
    void untickTargetUnits();

  private:
    void operatorMarkAndPress(char32_t character);
    void taxCommand(double factor, bool added);
    void addDisplayToMemory(double sign);
    void addMemoryToDisplay(double sign);
    void paste(bool clearBeforeMessage);
    void copyDisplay();

    platform::Form& form_;
    platform::Services& services_;
};

}  // namespace vexlo::engine
