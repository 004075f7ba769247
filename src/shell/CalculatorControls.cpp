#include "shell/CalculatorControls.h"

#include <string>

namespace vexlo::shell {

namespace {

constexpr platform::Colour Green = platform::rgb(0, 255, 0);
constexpr platform::Colour Red = platform::rgb(255, 0, 0);
constexpr platform::Colour ButtonFace = platform::rgb(240, 240, 240);
// The keypad lies below the visible area at every window size.
constexpr platform::Twips KeypadTop = 6000;
constexpr platform::Twips KeySize = 495;

constexpr std::array<const char*, 5> OperatorCaptions = {"/", "+", "X", "-", "="};

platform::Button& addKey(platform::Form& form, std::string name, int index, std::string caption,
                         platform::Twips left, platform::Twips top) {
    auto& key = form.add<platform::Button>(std::move(name), index);
    key.setCaption(std::move(caption));
    key.setFontName("System");
    key.setFontSize(13.5);
    key.setFontBold(true);
    key.setBackColour(ButtonFace);
    key.setGeometry(left, top, KeySize, KeySize);
    return key;
}

}  // namespace

CalculatorControls::CalculatorControls(platform::Form& form)
    : display(form.add<platform::Label>("Readout")),
      mark(form.add<platform::Label>("MEM2")),
      memoryIndicator(form.add<platform::TextBox>("MEM1")),
      clearKey(addKey(form, "Cancel", -1, "C", 0, KeypadTop + 2 * KeySize)),
      clearEntryKey(addKey(form, "CancelEntry", -1, "CE", KeySize, KeypadTop + 2 * KeySize)),
      pointKey(addKey(form, "Decimal", -1, ".", 2 * KeySize, KeypadTop + 2 * KeySize)),
      percentKey(addKey(form, "Percent", -1, "%", 3 * KeySize, KeypadTop + 2 * KeySize)),
      copyButton(form.add<platform::Button>("Command1")),
      pasteButton(form.add<platform::Button>("Command2")),
      displayBackdrop(form.add<platform::Label>("ReadoutNul")) {
    display.setCaption("0.");
    display.setFontName("ＭＳ 明朝");
    display.setFontSize(10.5);
    display.setBackColour(Green);
    display.setGeometry(0, 110, 4935, 406);

    mark.setFontName("ＭＳ 明朝");
    mark.setFontSize(13.5);
    mark.setFontBold(true);
    mark.setBackColour(Green);
    mark.setGeometry(0, 210, 375, 300);

    memoryIndicator.setFontName("System");
    memoryIndicator.setFontSize(13.5);
    memoryIndicator.setFontBold(true);
    memoryIndicator.setBackColour(Green);
    memoryIndicator.setForeColour(Red);
    memoryIndicator.setGeometry(0, KeypadTop - 600, 495, 375);

    for (std::size_t i = 0; i < digitKeys.size(); ++i) {
        const auto n = static_cast<platform::Twips>(i);
        digitKeys[i] = &addKey(form, "Number", static_cast<int>(i), std::to_string(i),
                               (n % 5) * KeySize, KeypadTop + (n / 5) * KeySize);
    }
    for (std::size_t i = 0; i < operatorKeys.size(); ++i) {
        operatorKeys[i] = &addKey(form, "Operator", static_cast<int>(i), OperatorCaptions[i],
                                  (5 + static_cast<platform::Twips>(i)) * KeySize, KeypadTop);
    }

    for (platform::Control* hidden : {static_cast<platform::Control*>(&copyButton),
                                      static_cast<platform::Control*>(&pasteButton),
                                      static_cast<platform::Control*>(&displayBackdrop)}) {
        hidden->setFontName("ＭＳ Ｐゴシック");
        hidden->setFontSize(9);
    }
    copyButton.setCaption("Command1");
    copyButton.setGeometry(5 * KeySize, KeypadTop + KeySize, 2 * KeySize, KeySize);
    pasteButton.setCaption("Command2");
    pasteButton.setGeometry(7 * KeySize, KeypadTop + KeySize, 2 * KeySize, KeySize);
    displayBackdrop.setGeometry(0, KeypadTop + 3 * KeySize, 2000, 300);
}

void CalculatorControls::mirror(const engine::Calculator& calculator,
                                engine::Calculator::StripPart part) {
    using Part = engine::Calculator::StripPart;
    switch (part) {
        case Part::Display:
            display.setCaption(calculator.display());
            break;
        case Part::Mark:
            mark.setCaption(calculator.mark());
            break;
        case Part::MemoryIndicator:
            memoryIndicator.setText(calculator.memoryIndicator());
            break;
    }
}

void CalculatorControls::mirror(const engine::Calculator& calculator) {
    display.setCaption(calculator.display());
    mark.setCaption(calculator.mark());
    memoryIndicator.setText(calculator.memoryIndicator());
}

}  // namespace vexlo::shell
