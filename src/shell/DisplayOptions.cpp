// Always on top, the resume value and the overflow warnings: each choice takes effect at once
// and is stored at once.

#include "shell/MainWindow.h"
#include "shell/settings/ColourText.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

namespace {

constexpr const char* TopmostRefusedJapanese =
    "このデスクトップでは、ウインドウを常に前面に表示できません。";
constexpr const char* TopmostRefusedEnglish = "This desktop cannot keep the window on top.";

}  // namespace

void MainWindow::chooseOnTop(int index) {
    if (index == 0 || index == 1) {
        const bool topmost = index == 1;
        writeSetting(services_.profile, keys::AllFcs, topmost ? "1" : "0");
        topmostResult = services_.windowOrder.setTopmost(topmost);
        if (topmostResult != 0) {
            form.setTopmost(topmost);
        } else if (topmost) {
            // Kept for a desktop that can; the user hears that this one cannot.
            services_.messages.show(calculator.messageTitle(), calculator.japanese()
                                                                   ? TopmostRefusedJapanese
                                                                   : TopmostRefusedEnglish);
        }
    }
    form.tickChoice("TTT", index);
}

void MainWindow::chooseResume(int index) {
    const std::string* colourText = nullptr;
    if (index == 0) {
        writeSetting(services_.profile, keys::EndMem, "0");
        resumeMode = 0;
        colourText = &mainColourText;
    } else if (index == 1) {
        writeSetting(services_.profile, keys::EndMem, "1");
        resumeMode = 1;
        colourText = &resumeColourText;
    }
    if (colourText != nullptr) {
        const long long colour = readColourText(*colourText);
        if (isApplicableColour(colour)) {
            controls.mark.setBackColour(static_cast<platform::Colour>(colour));
        }
    }
    form.tickChoice("KKK", index);
}

void MainWindow::chooseWarnings(int index) {
    if (index == 0) {
        setWarningSetting("0");
        menuChoice = 0;
        writeSetting(services_.profile, keys::AtsNoA, "0");
    } else if (index == 1) {
        setWarningSetting("1");
        menuChoice = 1;
        writeSetting(services_.profile, keys::AtsNoA, "1");
    }
    form.tickChoice("AAA", index);
}

}  // namespace vexlo::shell
