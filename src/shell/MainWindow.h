#pragma once
// The main window `Calculator`: its form, the calculator, the menu tree, the start-up and
// shutdown steps, and the layout rules of its size classes.

#include <string>
#include <string_view>

#include "engine/Calculator.h"
#include "platform/Form.h"
#include "platform/Services.h"
#include "shell/CalculatorControls.h"
#include "tape/Recorder.h"
#include "tape/Tape.h"
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
    platform::Form tapeWindow;  // "Tape": modeless, beside the calculator; the view draws the tape
    engine::Calculator calculator;
    CalculatorControls controls;

    // The shell's own fields.
    int menuChoice = 0;                // the choice last ticked, shared by the start-up steps
    int languageSetting = 0;           // as stored: 0 Japanese, 1 English, others English-like
    std::string warningSetting = "0";  // as stored; read as a number, 0 shows the warnings
    std::string mainColourText;
    std::string displayTextColourText;
    std::string memoryTextColourText;
    std::string operatorTextColourText;
    std::string resumeColourText;
    int topmostResult = 0;
    int unitPanelMode = 0;
    int resumeMode = 0;

    units::UnitPanel unitPanel;

    // The calculation tape records every step, whether its window is open or not.
    tape::Tape tape;
    tape::Recorder tapeRecorder{tape};

    // The language and warning choices as stored, passed on to the calculator.
    void setLanguageSetting(int setting);
    void setWarningSetting(std::string setting);

    // Shows what an operation asks for: its messages, the key it sends, the command it passes on.
    void deliver(engine::Outcome outcome);

    // Start-up: reads the settings file and applies it; then the window is shown.
    void startUp();
    // Shutdown: writes the display text to `Dumy`. Runs once, whatever closed the window.
    void shutDown();
    // The layout rules, run at every change of the window's size.
    void applyLayoutRules();
    // The outer sizes the layout rules leave as they are, for the window manager's size hints.
    struct SizeRange {
        platform::Twips minimumHeight, minimumWidth, maximumHeight, maximumWidth;
    };
    SizeRange windowSizeRange() const;

    // Tells the user once that a setting was not kept: `file` could not be written, or another
    // program held its lock for longer than the program could wait.
    void reportLostSettings(bool heldByAnother, std::string_view file);

    // Mouse press on the display: Shift pastes; the right button opens the edit menu as a popup.
    void displayMouseDown(int button, int shift);
    // Mouse press on the window itself: the right button opens the edit menu as a popup.
    void windowMouseDown(int button, int shift);
    // A double click on the display copies it.
    void displayDoubleClick();

    // An era year to a Western year, from the menu or the space key.
    void eraToWestern();

    // The clipboard.
    void copyDisplay();
    void pasteClipboard(bool clearFirst);

    // The menus' commands; `index` is the item's place in its menu array.
    void exitProgram();
    void chooseSize(int index);
    void saveWindowPositions();
    void chooseLanguage(int index);
    void chooseMainColour(int index);
    void chooseDisplayTextColour(int index);
    void chooseMemoryTextColour(int index);
    void chooseOperatorTextColour(int index);
    void chooseResumeColour(int index);
    void chooseOnTop(int index);
    void chooseResume(int index);
    void chooseWarnings(int index);
    void showHelp(int index);
    void showVersion();

    // The font window `Fontmnu4`.
    void openFontWindow(int index);
    void loadFontWindow();
    void fontChosen();
    void acceptFont();
    void cancelFont();
    bool fontWindowLoaded() const { return fontWindowLoaded_; }

    // The version window's OK button.
    void closeVersion();

    // The tape window: shown beside the calculator, or where the user left it; closing it keeps
    // its place and size and loses nothing of the tape.
    void showTape();
    void closeTape();
    void clearTape();
    // A double click on a line: its number into the display, as a paste would put it.
    void pasteFromTape(std::size_t line);

    // Whether a menu item does something in this version; items of features still to come
    // exist with their captions and do nothing yet.
    bool menuAvailable(const platform::MenuItem& item) const;

  private:
    void buildMenus();
    void wireKeypad();
    void wireShellMenus();
    void buildFontWindow();
    void buildHelpForm();
    void buildAboutForm();
    void buildTapeWindow();
    void buildFontList();
    void unloadFontWindow();
    void openEditPopup();
    void startupSizeRules();
    platform::Services& services_;
    bool fontWindowLoaded_ = false;
    bool fontListBuilt_ = false;
    bool tapePlaced_ = false;
};

}  // namespace vexlo::shell
