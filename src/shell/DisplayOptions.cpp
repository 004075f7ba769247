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

void MainWindow::TTT_Click(int index) {
    if (index == 0 || index == 1) {
        const bool topmost = index == 1;
        writeSetting(services_.profile, keys::AllFcs, topmost ? "1" : "0");
        TopMostResult = services_.windowOrder.setTopmost(topmost);
        if (TopMostResult != 0) {
            form.setTopmost(topmost);
        } else if (topmost) {
            // Kept for a desktop that can; the user hears that this one cannot.
            calc.showMessage(calc.messageTitle(),
                             calc.japanese() ? TopmostRefusedJapanese : TopmostRefusedEnglish);
        }
    }
    form.tickChoice("TTT", index);
}

void MainWindow::KKK_Click(int index) {
    const std::string* colourText = nullptr;
    if (index == 0) {
        writeSetting(services_.profile, keys::EndMem, "0");
        ResumeModeFlag = 0;
        colourText = &MainColourText;
    } else if (index == 1) {
        writeSetting(services_.profile, keys::EndMem, "1");
        ResumeModeFlag = 1;
        colourText = &ResumeColourText;
    }
    if (colourText != nullptr) {
        const long long colour = readColourText(*colourText);
        if (isApplicableColour(colour)) {
            calc.MEM2.setBackColour(static_cast<platform::Colour>(colour));
        }
    }
    form.tickChoice("KKK", index);
}

void MainWindow::AAA_Click(int index) {
    if (index == 0) {
        calc.state.WarningMode = "0";
        MenuIndex = 0;
        writeSetting(services_.profile, keys::AtsNoA, "0");
    } else if (index == 1) {
        calc.state.WarningMode = "1";
        MenuIndex = 1;
        writeSetting(services_.profile, keys::AtsNoA, "1");
    }
    form.tickChoice("AAA", index);
}

}  // namespace vexlo::shell
