// The start-up step of the main window: read every setting, then apply them in order. No step
// reports an error; a value that cannot be used is skipped.

#include <string>

#include "engine/NumberText.h"
#include "platform/Utf8.h"
#include "shell/Language.h"
#include "shell/MainWindow.h"
#include "shell/settings/ColourText.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

namespace {

// A stored colour text applied to one property; a refused value leaves the colour as it was.
template <typename Apply>
void applyColour(const std::string& colourText, Apply apply) {
    const long long colour = readColourText(colourText);
    if (isApplicableColour(colour)) apply(static_cast<platform::Colour>(colour));
}

}  // namespace

void MainWindow::startUp() {
    form.tickChoice("TNN", 0);
    unitPanelMode = 0;
    calculator.startFresh();

    const StoredSettings stored = readStoredSettings(services_.profile);
    setLanguageSetting(stored.language);
    setWarningSetting(std::to_string(stored.warningMode));
    mainColourText = stored.mainColour;
    displayTextColourText = stored.displayTextColour;
    memoryTextColourText = stored.memoryTextColour;
    operatorTextColourText = stored.operatorTextColour;
    resumeColourText = stored.resumeColour;

    applyColour(mainColourText, [this](platform::Colour c) {
        controls.display.setBackColour(c);
        controls.memoryIndicator.setBackColour(c);
        controls.mark.setBackColour(c);
    });
    applyColour(displayTextColourText,
                [this](platform::Colour c) { controls.display.setForeColour(c); });
    applyColour(operatorTextColourText,
                [this](platform::Colour c) { controls.mark.setForeColour(c); });
    // The memory mark's text takes the memory-text colour (red by default, as designed).
    applyColour(memoryTextColourText,
                [this](platform::Colour c) { controls.memoryIndicator.setForeColour(c); });

    if (stored.resumeMode != 0) {
        calculator.resumeDisplay(platform::utf8::mendForDisplay(stored.displayText));
    } else {
        calculator.setDisplay("0.");
    }

    controls.display.setFontName(stored.displayFont);
    form.move(stored.windowLeft, stored.windowTop);
    if (!fontWindowLoaded_) loadFontWindow();
    fontWindow.move(stored.fontWindowLeft, stored.fontWindowTop);

    if (stored.resumeMode == 0) {
        menuChoice = 0;
        applyColour(mainColourText, [this](platform::Colour c) { controls.mark.setBackColour(c); });
    } else if (stored.resumeMode == 1) {
        menuChoice = 1;
        applyColour(resumeColourText,
                    [this](platform::Colour c) { controls.mark.setBackColour(c); });
        calculator.setMark("");
    }
    form.tickChoice("KKK", menuChoice);

    menuChoice = stored.windowWidth == 7215 ? 0 : 1;
    form.tickChoice("SSS", menuChoice);

    if (stored.onTop == 0 || stored.onTop == 1) {
        menuChoice = stored.onTop;
        topmostResult = services_.windowOrder.setTopmost(stored.onTop == 1);
        form.setTopmost(stored.onTop == 1);
    }
    form.tickChoice("TTT", menuChoice);

    if (languageSetting == 0) {
        menuChoice = 0;
    } else if (languageSetting == 1) {
        menuChoice = 1;
        form.setCaption(CaptionEnglish);
        setMenuCaptions(form, &MenuRow::englishStartup);
    }
    form.tickChoice("JJJ", menuChoice);

    controls.display.setTop(110);
    form.setHeight(stored.windowHeight);
    controls.display.setHeight(form.height() - units::DisplayHeightAllowance);
    form.setWidth(stored.windowWidth);
    startupSizeRules();

    if (languageSetting == 0 && form.width() < 4380) form.setWidth(4400);

    if (warningSetting == "0") {
        menuChoice = 0;
        form.tickChoice("AAA", 0);
    } else if (warningSetting == "1") {
        menuChoice = 1;
        form.tickChoice("AAA", 1);
    }

    form.setVisible(true);
    // Showing the window runs the layout rules once more; they decide the final geometry.
    applyLayoutRules();
}

}  // namespace vexlo::shell
