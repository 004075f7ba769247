#include "engine/Calculator.h"

#include "engine/Messages.h"

namespace vexlo::engine {

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

Calculator::Calculator(platform::Form& form, platform::Services& services)
    : Readout(form.add<platform::Label>("Readout")),
      MEM2(form.add<platform::Label>("MEM2")),
      MEM1(form.add<platform::TextBox>("MEM1")),
      Cancel(addKey(form, "Cancel", -1, "C", 0, KeypadTop + 2 * KeySize)),
      CancelEntry(addKey(form, "CancelEntry", -1, "CE", KeySize, KeypadTop + 2 * KeySize)),
      Decimal(addKey(form, "Decimal", -1, ".", 2 * KeySize, KeypadTop + 2 * KeySize)),
      Percent(addKey(form, "Percent", -1, "%", 3 * KeySize, KeypadTop + 2 * KeySize)),
      Command1(form.add<platform::Button>("Command1")),
      Command2(form.add<platform::Button>("Command2")),
      ReadoutNul(form.add<platform::Label>("ReadoutNul")),
      form_(form),
      services_(services) {
    Readout.setCaption("0.");
    Readout.setFontName("ＭＳ 明朝");
    Readout.setFontSize(10.5);
    Readout.setBackColour(Green);
    Readout.setGeometry(0, 110, 4935, 406);

    MEM2.setFontName("ＭＳ 明朝");
    MEM2.setFontSize(13.5);
    MEM2.setFontBold(true);
    MEM2.setBackColour(Green);
    MEM2.setGeometry(0, 210, 375, 300);

    MEM1.setFontName("System");
    MEM1.setFontSize(13.5);
    MEM1.setFontBold(true);
    MEM1.setBackColour(Green);
    MEM1.setForeColour(Red);
    MEM1.setGeometry(0, KeypadTop - 600, 495, 375);
    MEM1.onChange = [this] { MEM1.setLeft(0); };

    for (int i = 0; i < 10; ++i) {
        Number[static_cast<std::size_t>(i)] = &addKey(
            form, "Number", i, std::to_string(i), (i % 5) * KeySize, KeypadTop + (i / 5) * KeySize);
        Number[static_cast<std::size_t>(i)]->onClick = [this, i] { Number_Click(i); };
    }
    for (int i = 0; i < 5; ++i) {
        Operator[static_cast<std::size_t>(i)] =
            &addKey(form, "Operator", i, OperatorCaptions[i], (5 + i) * KeySize, KeypadTop);
        Operator[static_cast<std::size_t>(i)]->onClick = [this, i] { Operator_Click(i); };
    }
    Cancel.onClick = [this] { Cancel_Click(); };
    CancelEntry.onClick = [this] { CancelEntry_Click(); };
    Decimal.onClick = [this] { Decimal_Click(); };
    Percent.onClick = [this] { Percent_Click(); };

    for (auto* hidden :
         {static_cast<platform::Control*>(&Command1), static_cast<platform::Control*>(&Command2),
          static_cast<platform::Control*>(&ReadoutNul)}) {
        hidden->setFontName("ＭＳ Ｐゴシック");
        hidden->setFontSize(9);
    }
    Command1.setCaption("Command1");
    Command1.setGeometry(5 * KeySize, KeypadTop + KeySize, 2 * KeySize, KeySize);
    Command1.onClick = [this] { Command1_Click(); };
    Command2.setCaption("Command2");
    Command2.setGeometry(7 * KeySize, KeypadTop + KeySize, 2 * KeySize, KeySize);
    Command2.onClick = [this] { Command2_Click(); };
    ReadoutNul.setGeometry(0, KeypadTop + 3 * KeySize, 2000, 300);
}

bool Calculator::warningsShown() const {
    const auto mode = readNumber(state.WarningMode);
    return mode.value_or(leadingNumber(state.WarningMode)) == 0;
}

std::string_view Calculator::messageTitle() const {
    return japanese() ? messages::TitleJapanese : messages::TitleEnglish;
}

void Calculator::showMessage(std::string_view title, std::string_view text) {
    services_.messages.show(title, text);
}

void Calculator::overflowMessage(std::string_view japaneseText) {
    if (japanese()) {
        showMessage(messages::TitleJapanese, japaneseText);
    } else {
        showMessage(messages::TitleEnglish, messages::OverflowEnglish);
        Cancel_Click();
    }
}

void Calculator::rangeOverflowMessage() {
    if (warningsShown()) {
        showMessage(messageTitle(), japanese() ? messages::Overflow : messages::OverflowEnglish);
    }
}

void Calculator::commonOverflowWarning() {
    if (isFull(display()) && warningsShown()) overflowMessage(messages::Overflow);
}

void Calculator::untickTargetUnits() {
    for (auto* box : targetUnitBoxes) box->setValue(0);
}

}  // namespace vexlo::engine
