#pragma once
// The main window `Calculator`: its form, the calculator, the menu tree, the start-up and
// shutdown steps, and the layout rules of its size classes.

#include <string>
#include <string_view>

#include "engine/Calculator.h"
#include "platform/Form.h"
#include "platform/Services.h"
#include "units/UnitPanel.h"

namespace vexlo::shell {

class MainWindow {
  public:
    explicit MainWindow(platform::Services& services);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    platform::Form form;        // "Calculator"
    platform::Form fontWindow;  // "Fontmnu4": created hidden at start-up, placed from the file
    platform::Form helpForm;    // "Help_Form": modeless, fixed text
    platform::Form aboutForm;   // "About_Form": modal version window
    engine::Calculator calc;

    // The shell's own fields.
    int MenuIndex = 0;
    std::string MainColourText;
    std::string DisplayTextColourText;
    std::string MemoryTextColourText;
    std::string OperatorTextColourText;
    std::string ResumeColourText;
    int TopMostResult = 0;
    int UnitPanelMode = 0;
    int ResumeModeFlag = 0;

    units::UnitPanel unitPanel;

    // Start-up: reads the settings file and applies it; then the window is shown.
    void Form_Load();
    // Shutdown: writes the display text to `Dumy`. Runs once, whatever closed the window.
    void Form_Unload();
    // The layout rules, run at every change of the window's size.
    void Form_Resize();
    // The outer sizes the layout rules leave as they are, for the window manager's size hints.
    struct SizeRange {
        platform::Twips minimumHeight, minimumWidth, maximumHeight, maximumWidth;
    };
    SizeRange windowSizeRange() const;

    // Tells the user once that a setting was not kept: `file` could not be written, or another
    // program held its lock for longer than the program could wait.
    void reportLostSettings(bool heldByAnother, std::string_view file);

    // Mouse press on the display: Shift pastes; the right button opens the edit menu as a popup.
    void Readout_MouseDown(int button, int shift);

    // Mouse press on the window itself: the right button opens the edit menu as a popup.
    void Form_MouseDown(int button, int shift);

    void All_Exit_Click();
    void SSS_Click(int index);
    void HYOJI_Click();

    void JJJ_Click(int index);
    void MMM_Click(int index);
    void LLL_Click(int index);
    void RRR_Click(int index);
    void EEE_Click(int index);
    void XXX_Click(int index);
    void TTT_Click(int index);
    void KKK_Click(int index);
    void AAA_Click(int index);
    void HHH_Click(int index);
    void VER_FORM_Click();

    // The font window `Fontmnu4`.
    void font2_Click(int index);
    void Fontmnu4_Load();
    void Lstfontname_Click();
    void OK_Click();
    void END_Click();
    bool fontWindowLoaded() const { return fontWindowLoaded_; }

    // The version window's OK button.
    void About_Command1_Click();

    // Whether a menu item does something in this version; items of features still to come
    // exist with their captions and do nothing yet.
    bool menuAvailable(const platform::MenuItem& item) const;

  private:
    void buildMenus();
    void wireShellMenus();
    void buildFontWindow();
    void buildHelpForm();
    void buildAboutForm();
    void buildFontList();
    void unloadFontWindow();
    void openEditPopup();
    void startupSizeRules();
    platform::Services& services_;
    bool fontWindowLoaded_ = false;
    bool fontListBuilt_ = false;
};

}  // namespace vexlo::shell
