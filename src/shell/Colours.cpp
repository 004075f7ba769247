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

void MainWindow::chooseMainColour(int) {
    mainColourText =
        chooseColour(services_, controls.display.backColour(), [this](platform::Colour c) {
            controls.display.setBackColour(c);
            controls.memoryIndicator.setBackColour(c);
            controls.mark.setBackColour(c);
        });
    writeSetting(services_.profile, keys::MColor, mainColourText);
}

void MainWindow::chooseDisplayTextColour(int) {
    const std::string text =
        chooseColour(services_, controls.display.foreColour(),
                     [this](platform::Colour c) { controls.display.setForeColour(c); });
    writeSetting(services_.profile, keys::LColor, text);
}

void MainWindow::chooseMemoryTextColour(int) {
    const std::string text =
        chooseColour(services_, controls.mark.foreColour(),
                     [this](platform::Colour c) { controls.mark.setForeColour(c); });
    writeSetting(services_.profile, keys::RColor, text);
}

void MainWindow::chooseOperatorTextColour(int) {
    operatorTextColourText =
        chooseColour(services_, controls.mark.foreColour(),
                     [this](platform::Colour c) { controls.mark.setForeColour(c); });
    writeSetting(services_.profile, keys::EColor, operatorTextColourText);
}

void MainWindow::chooseResumeColour(int) {
    resumeColourText = chooseColour(services_, controls.display.backColour(),
                                    [this](platform::Colour c) { controls.mark.setBackColour(c); });
    writeSetting(services_.profile, keys::XColor, resumeColourText);
    // The resume colour shows on the mark only once the resume value is chosen again.
    const long long main = readColourText(mainColourText);
    if (isApplicableColour(main)) controls.mark.setBackColour(static_cast<platform::Colour>(main));
}

}  // namespace vexlo::shell
