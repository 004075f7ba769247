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

void MainWindow::Form_Load() {
    form.tickChoice("TNN", 0);
    UnitPanelMode = 0;
    calc.setDisplay("0.");

    auto& state = calc.state;
    state.PointEntered = engine::False;
    state.OperandCount = 0;
    state.LastEntryKind = "NONE";
    state.PendingOperator = " ";
    calc.MEM2.setCaption(" ");

    const StoredSettings stored = readStoredSettings(services_.profile);
    state.LanguageMode = stored.JpFont;
    state.WarningMode = std::to_string(stored.AtsNoA);
    MainColourText = stored.MColor;
    DisplayTextColourText = stored.LColor;
    MemoryTextColourText = stored.RColor;
    OperatorTextColourText = stored.EColor;
    ResumeColourText = stored.XColor;

    applyColour(MainColourText, [this](platform::Colour c) {
        calc.Readout.setBackColour(c);
        calc.MEM1.setBackColour(c);
        calc.MEM2.setBackColour(c);
    });
    applyColour(DisplayTextColourText,
                [this](platform::Colour c) { calc.Readout.setForeColour(c); });
    applyColour(OperatorTextColourText, [this](platform::Colour c) { calc.MEM2.setForeColour(c); });
    // The memory mark's text takes the memory-text colour (red by default, as designed).
    applyColour(MemoryTextColourText, [this](platform::Colour c) { calc.MEM1.setForeColour(c); });

    if (stored.EndMem != 0) {
        calc.setDisplay(platform::utf8::mendForDisplay(stored.Dumy));
        if (const auto value = engine::readNumber(calc.display())) state.FirstOperand = *value;
    } else {
        calc.setDisplay("0.");
    }

    calc.Readout.setFontName(stored.FontDef);
    form.move(stored.FormLeft, stored.FormTop);
    if (!fontWindowLoaded_) Fontmnu4_Load();
    fontWindow.move(stored.Form2Left, stored.Form2Top);

    if (stored.EndMem == 0) {
        MenuIndex = 0;
        applyColour(MainColourText, [this](platform::Colour c) { calc.MEM2.setBackColour(c); });
    } else if (stored.EndMem == 1) {
        MenuIndex = 1;
        applyColour(ResumeColourText, [this](platform::Colour c) { calc.MEM2.setBackColour(c); });
        calc.MEM2.setCaption("");
    }
    form.tickChoice("KKK", MenuIndex);

    MenuIndex = stored.SizeW == 7215 ? 0 : 1;
    form.tickChoice("SSS", MenuIndex);

    if (stored.AllFcs == 0 || stored.AllFcs == 1) {
        MenuIndex = stored.AllFcs;
        TopMostResult = services_.windowOrder.setTopmost(stored.AllFcs == 1);
        form.setTopmost(stored.AllFcs == 1);
    }
    form.tickChoice("TTT", MenuIndex);

    if (state.LanguageMode == 0) {
        MenuIndex = 0;
    } else if (state.LanguageMode == 1) {
        MenuIndex = 1;
        form.setCaption(CaptionEnglish);
        setMenuCaptions(form, &MenuRow::englishStartup);
    }
    form.tickChoice("JJJ", MenuIndex);

    calc.Readout.setTop(110);
    form.setHeight(stored.SizeH);
    calc.Readout.setHeight(form.height() - engine::DisplayHeightAllowance);
    form.setWidth(stored.SizeW);
    startupSizeRules();

    if (state.LanguageMode == 0 && form.width() < 4380) form.setWidth(4400);

    if (state.WarningMode == "0") {
        MenuIndex = 0;
        form.tickChoice("AAA", 0);
    } else if (state.WarningMode == "1") {
        MenuIndex = 1;
        form.tickChoice("AAA", 1);
    }

    form.setVisible(true);
    // Showing the window runs the layout rules once more; they decide the final geometry.
    Form_Resize();
}

}  // namespace vexlo::shell
