// The five colour items: the colour dialog opens on the item's initial colour, the answer is
// applied at once and stored as decimal text. A cancelled dialog stores the initial colour.

#include <string>

#include "shell/MainWindow.h"
#include "shell/settings/ColourText.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

namespace {

// Steps 1 to 5: the dialog's colour read as a 32-bit whole number, applied when the platform
// can take it, and its decimal text returned for the settings file.
template <typename Apply>
std::string chooseColour(platform::Services& services, platform::Colour initial, Apply apply) {
    const auto chosen = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(services.colourDialog.choose(initial) & 0xFFFFFFFFLL));
    if (isApplicableColour(chosen)) apply(static_cast<platform::Colour>(chosen));
    return std::to_string(chosen);
}

}  // namespace

void MainWindow::MMM_Click(int) {
    MainColourText = chooseColour(services_, calc.Readout.backColour(), [this](platform::Colour c) {
        calc.Readout.setBackColour(c);
        calc.MEM1.setBackColour(c);
        calc.MEM2.setBackColour(c);
    });
    writeSetting(services_.profile, keys::MColor, MainColourText);
}

void MainWindow::LLL_Click(int) {
    const std::string text =
        chooseColour(services_, calc.Readout.foreColour(),
                     [this](platform::Colour c) { calc.Readout.setForeColour(c); });
    writeSetting(services_.profile, keys::LColor, text);
}

void MainWindow::RRR_Click(int) {
    const std::string text =
        chooseColour(services_, calc.MEM2.foreColour(),
                     [this](platform::Colour c) { calc.MEM2.setForeColour(c); });
    writeSetting(services_.profile, keys::RColor, text);
}

void MainWindow::EEE_Click(int) {
    OperatorTextColourText =
        chooseColour(services_, calc.MEM2.foreColour(),
                     [this](platform::Colour c) { calc.MEM2.setForeColour(c); });
    writeSetting(services_.profile, keys::EColor, OperatorTextColourText);
}

void MainWindow::XXX_Click(int) {
    ResumeColourText = chooseColour(services_, calc.Readout.backColour(),
                                    [this](platform::Colour c) { calc.MEM2.setBackColour(c); });
    writeSetting(services_.profile, keys::XColor, ResumeColourText);
    // The resume colour shows on the mark only once the resume value is chosen again.
    const long long main = readColourText(MainColourText);
    if (isApplicableColour(main)) calc.MEM2.setBackColour(static_cast<platform::Colour>(main));
}

}  // namespace vexlo::shell
