#include "shell/MainWindow.h"

#include "era/EraConversion.h"
#include "shell/Language.h"
#include "shell/MenuTable.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

MainWindow::MainWindow(platform::Services& services)
    : form("Calculator"),
      fontWindow("Fontmnu4"),
      helpForm("Help_Form"),
      aboutForm("About_Form"),
      calc(form, services),
      unitPanel(form, calc, UnitPanelMode),
      services_(services) {
    form.setCaption(CaptionJapanese);
    form.setHeight(1356);
    form.setWidth(5295);
    buildFontWindow();
    buildHelpForm();
    buildAboutForm();
    buildMenus();
    wireShellMenus();

    calc.hooks.WA_SEI_Click = [this] { era::WA_SEI_Click(calc); };
    calc.hooks.SEI_WA_Click = [this] { era::SEI_WA_Click(calc); };
    calc.hooks.unloadWindow = [this] { form.close(); };
    unitPanel.hooks.Form_Load = [this] { Form_Load(); };
    unitPanel.hooks.All_Exit_Click = [this] { All_Exit_Click(); };

    form.onKeyDown = [this](int keyCode, int shift) { calc.Form_KeyDown(keyCode, shift); };
    form.onKeyPress = [this](char32_t& character) { calc.Form_KeyPress(character); };
    form.onResize = [this] { Form_Resize(); };
    form.onUnload = [this] { Form_Unload(); };
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

    auto on = [this](const char* name, std::function<void()> handler, int index = -1) {
        form.findMenu(name, index)->onClick = std::move(handler);
    };
    engine::Calculator& c = calc;
    on("All_Cancel", [&c] { c.Cancel_Click(); });
    on("Text_Cancel", [&c] { c.CancelEntry_Click(); });
    on("Menu_Copy", [&c] { c.Menu_Copy_Click(); });
    on("Clip_Menu", [&c] { c.Clip_Menu_Click(); });
    on("Text_Mem", [&c] { c.Text_Mem_Click(); });
    on("Text_PlsMem", [&c] { c.Text_PlsMem_Click(); });
    on("Text_TakeMem", [&c] { c.Text_TakeMem_Click(); });
    on("Mem_PlsText", [&c] { c.Mem_PlsText_Click(); });
    on("Mem_TakeText", [&c] { c.Mem_TakeText_Click(); });
    on("Mem_Text", [&c] { c.Mem_Text_Click(); });
    on("Mem_Cear", [&c] { c.Mem_Cear_Click(); });
    on("Syohi_Zei", [&c] { c.Syohi_Zei_Click(); });
    on("Syo_Moto", [&c] { c.Syo_Moto_Click(); });
    on("KeigenSyohi_Zei", [&c] { c.KeigenSyohi_Zei_Click(); });
    on("KeigenSyo_Moto", [&c] { c.KeigenSyo_Moto_Click(); });
    on("WA_SEI", [&c] { era::WA_SEI_Click(c); });
    on("SEI_WA", [&c] { era::SEI_WA_Click(c); });
    on("All_Exit", [this] { All_Exit_Click(); });
    on("HYOJI", [this] { HYOJI_Click(); });
    on(
        "SSS", [this] { SSS_Click(0); }, 0);
    on(
        "SSS", [this] { SSS_Click(1); }, 1);
    on(
        "TNN", [this] { unitPanel.TNN_Click(0); }, 0);
    on(
        "TNN", [this] { unitPanel.TNN_Click(1); }, 1);
}

bool MainWindow::menuAvailable(const platform::MenuItem& item) const {
    return item.isSeparator() || !item.children().empty() || static_cast<bool>(item.onClick);
}

void MainWindow::Form_Unload() {
    // The display text is kept at every close, whatever the resume setting.
    writeSetting(services_.profile, keys::Dumy, calc.display());
    // The program ends: every window closes with it.
    for (platform::Form* window : {&fontWindow, &helpForm, &aboutForm}) window->setVisible(false);
}

void MainWindow::All_Exit_Click() {
    form.close();
}

void MainWindow::SSS_Click(int index) {
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

void MainWindow::HYOJI_Click() {
    if (!fontWindowLoaded_) Fontmnu4_Load();  // loaded hidden, placed from the file
    writeSetting(services_.profile, keys::FormTop, form.top());
    writeSetting(services_.profile, keys::FormLeft, form.left());
    writeSetting(services_.profile, keys::Form2Top, fontWindow.top());
    writeSetting(services_.profile, keys::Form2Left, fontWindow.left());
    writeSetting(services_.profile, keys::Form3Top, fontWindow.top());
    writeSetting(services_.profile, keys::Form3Left, fontWindow.left());
}

}  // namespace vexlo::shell
