#include "shell/MainWindow.h"

#include "era/EraConversion.h"
#include "platform/Keys.h"
#include "shell/Language.h"
#include "shell/MenuTable.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

MainWindow::MainWindow(platform::Services& services)
    : form("Calculator"),
      fontWindow("Fontmnu4"),
      helpForm("Help_Form"),
      aboutForm("About_Form"),
      tapeWindow("Tape"),
      controls(form),
      unitPanel(form, calculator, controls.display, controls.mark, unitPanelMode),
      services_(services) {
    form.setCaption(CaptionJapanese);
    form.setHeight(1356);
    form.setWidth(5295);
    buildFontWindow();
    buildHelpForm();
    buildAboutForm();
    buildTapeWindow();
    buildMenus();
    wireShellMenus();
    wireKeypad();

    calculator.onStripChanged = [this](engine::Calculator::StripPart part) {
        controls.mirror(calculator, part);
    };
    calculator.onEntryReset = [this] { unitPanel.untickTargets(); };
    tapeRecorder.attach(calculator);
    unitPanel.hooks.reloadWindow = [this] { startUp(); };
    unitPanel.hooks.closeWindow = [this] { exitProgram(); };
    unitPanel.hooks.deliver = [this](engine::Outcome outcome) { deliver(std::move(outcome)); };

    form.onKeyDown = [this](int keyCode, int shift) {
        deliver(calculator.keyDown(keyCode, (shift & platform::modifiers::Ctrl) != 0));
    };
    form.onKeyPress = [this](char32_t& character) {
        const char32_t typed = character;
        character = 0;  // every character is consumed
        deliver(calculator.typeCharacter(typed));
    };
    form.onResize = [this] { applyLayoutRules(); };
    form.onUnload = [this] { shutDown(); };
}

void MainWindow::deliver(engine::Outcome outcome) {
    if (outcome.messages.empty() && !outcome.evaluateNow &&
        outcome.command == engine::Outcome::Command::None)
        return;  // most keys: the strip is already mirrored
    for (const engine::Message& message : outcome.messages) {
        controls.display.setCaption(message.display);
        controls.mark.setCaption(message.mark);
        controls.memoryIndicator.setText(message.memoryIndicator);
        services_.messages.show(message.title, message.text);
    }
    if (!outcome.messages.empty()) controls.mirror(calculator);
    if (outcome.evaluateNow) services_.keys.post({platform::keys::Enter, 0, U'\r'});
    using Command = engine::Outcome::Command;
    switch (outcome.command) {
        case Command::None:
            break;
        case Command::CopyDisplay:
            copyDisplay();
            break;
        case Command::EraToWestern:
            eraToWestern();
            break;
        case Command::WesternToEra:
            deliver(era::westernToEra(calculator));
            break;
        case Command::CloseWindow:
            form.close();
            break;
    }
}

void MainWindow::setLanguageSetting(int setting) {
    languageSetting = setting;
    calculator.setLanguage(setting == 0 ? engine::Language::Japanese : engine::Language::English);
}

void MainWindow::setWarningSetting(std::string setting) {
    warningSetting = std::move(setting);
    const auto mode = engine::readNumber(warningSetting);
    calculator.setWarningsShown(mode.value_or(engine::leadingNumber(warningSetting)) == 0);
}

void MainWindow::wireKeypad() {
    for (std::size_t i = 0; i < controls.digitKeys.size(); ++i) {
        controls.digitKeys[i]->onClick = [this, i] {
            deliver(calculator.typeDigit(static_cast<int>(i)));
        };
    }
    for (std::size_t i = 0; i < controls.operatorKeys.size(); ++i) {
        controls.operatorKeys[i]->onClick = [this, i] {
            deliver(calculator.pressOperator(engine::KeypadOperators[i]));
        };
    }
    controls.clearKey.onClick = [this] { deliver(calculator.clearCalculation()); };
    controls.clearEntryKey.onClick = [this] { deliver(calculator.clearEntry()); };
    controls.pointKey.onClick = [this] { deliver(calculator.typePoint()); };
    controls.percentKey.onClick = [this] { deliver(calculator.pressPercent()); };
    controls.copyButton.onClick = [this] {
        controls.display.setEnabled(false);
        copyDisplay();
        controls.display.setEnabled(true);
    };
    controls.pasteButton.onClick = [this] { pasteClipboard(true); };
}

void MainWindow::eraToWestern() {
    controls.mark.setLeft(0);  // the mark moves home
    deliver(era::eraToWestern(calculator));
}

void MainWindow::copyDisplay() {
    // A clipboard that another program holds refuses the copy; nothing else changes.
    if (!services_.clipboard.clear()) return;
    services_.clipboard.setText(calculator.display());
}

void MainWindow::pasteClipboard(bool clearFirst) {
    const auto clip = services_.clipboard.text();
    if (clip) deliver(calculator.paste(*clip, clearFirst));
}

void MainWindow::displayDoubleClick() {
    controls.copyButton.press();
}

void MainWindow::buildMenus() {
    platform::MenuItem* menu = nullptr;
    platform::MenuItem* item = nullptr;
    for (const MenuRow& row : MenuTable) {
        if (row.level == 1) {
            menu = &form.addMenu(row.name, row.design);
        } else if (row.level == 2) {
            item = &menu->add(row.name, row.index, row.design, row.shortcut);
        } else {
            item->add(row.name, row.index, row.design, row.shortcut);
        }
    }

    using engine::Calculator;
    // The edit menu's items by their menu names, each with the calculator's operation.
    struct CalculatorItem {
        const char* name;
        engine::Outcome (*operation)(Calculator&);
    };
    static constexpr CalculatorItem CalculatorItems[] = {
        {"All_Cancel", [](Calculator& c) { return c.clearCalculation(); }},
        {"Text_Cancel", [](Calculator& c) { return c.clearEntry(); }},
        {"Text_Mem", [](Calculator& c) { return c.storeInMemory(); }},
        {"Text_PlsMem", [](Calculator& c) { return c.addToMemory(); }},
        {"Text_TakeMem", [](Calculator& c) { return c.subtractFromMemory(); }},
        {"Mem_PlsText", [](Calculator& c) { return c.addMemoryToDisplay(); }},
        {"Mem_TakeText", [](Calculator& c) { return c.subtractMemoryFromDisplay(); }},
        {"Mem_Text", [](Calculator& c) { return c.recallMemory(); }},
        {"Mem_Cear", [](Calculator& c) { return c.clearMemory(); }},
        {"Syohi_Zei", [](Calculator& c) { return c.addTax(engine::StandardTax); }},
        {"Syo_Moto", [](Calculator& c) { return c.removeTax(engine::StandardTax); }},
        {"KeigenSyohi_Zei", [](Calculator& c) { return c.addTax(engine::ReducedTax); }},
        {"KeigenSyo_Moto", [](Calculator& c) { return c.removeTax(engine::ReducedTax); }},
        {"SEI_WA", [](Calculator& c) { return era::westernToEra(c); }},
    };
    for (const CalculatorItem& entry : CalculatorItems) {
        form.findMenu(entry.name)->onClick = [this, operation = entry.operation] {
            deliver(operation(calculator));
        };
    }

    auto on = [this](const char* name, std::function<void()> handler, int index = -1) {
        form.findMenu(name, index)->onClick = std::move(handler);
    };
    on("WA_SEI", [this] { eraToWestern(); });
    on("Menu_Copy", [this] { copyDisplay(); });
    on("Clip_Menu", [this] { pasteClipboard(false); });
    on("All_Exit", [this] { exitProgram(); });
    on("Tape", [this] { showTape(); });
    on("HYOJI", [this] { saveWindowPositions(); });
    for (int index : {0, 1}) {
        on(
            "SSS", [this, index] { chooseSize(index); }, index);
        on(
            "TNN", [this, index] { unitPanel.choosePanel(index); }, index);
    }
}

bool MainWindow::menuAvailable(const platform::MenuItem& item) const {
    return item.isSeparator() || !item.children().empty() || static_cast<bool>(item.onClick);
}

void MainWindow::shutDown() {
    // The display text is kept at every close, whatever the resume setting.
    writeSetting(services_.profile, keys::Dumy, calculator.display());
    if (tapeWindow.visible()) closeTape();  // its place is kept
    // The program ends: every window closes with it.
    for (platform::Form* window : {&fontWindow, &helpForm, &aboutForm}) window->setVisible(false);
}

void MainWindow::exitProgram() {
    form.close();
}

void MainWindow::chooseSize(int index) {
    if (index == 0) {
        // The layout rules turn these into 1800 by 7000.
        form.setHeight(1875);
        form.setWidth(7215);
    }
    if (index == 0 || index == 1) {
        writeSetting(services_.profile, keys::SizeH, form.height());
        writeSetting(services_.profile, keys::SizeW, form.width());
    }
    form.tickChoice("SSS", index);
}

void MainWindow::saveWindowPositions() {
    if (!fontWindowLoaded_) loadFontWindow();  // loaded hidden, placed from the file
    writeSetting(services_.profile, keys::FormTop, form.top());
    writeSetting(services_.profile, keys::FormLeft, form.left());
    writeSetting(services_.profile, keys::Form2Top, fontWindow.top());
    writeSetting(services_.profile, keys::Form2Left, fontWindow.left());
    writeSetting(services_.profile, keys::Form3Top, fontWindow.top());
    writeSetting(services_.profile, keys::Form3Left, fontWindow.left());
}

}  // namespace vexlo::shell
