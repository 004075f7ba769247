// The language submenu: the window caption and every menu caption switch at once; the choice is
// stored, but the messages keep the start language (LanguageMode) until the next start.

#include "shell/Language.h"

#include <string_view>

#include "shell/MainWindow.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

void setMenuCaptions(platform::Form& form, const char* MenuRow::*column) {
    for (const MenuRow& row : MenuTable) {
        const char* caption = row.*column;
        if (caption == nullptr || std::string_view(row.design) == "-") continue;
        if (platform::MenuItem* item = form.findMenu(row.name, row.index)) {
            item->setCaption(caption);
        }
    }
}

void MainWindow::chooseLanguage(int index) {
    if (index == 1) {
        writeSetting(services_.profile, keys::JpFont, "1");
        form.setCaption(CaptionEnglish);
        setMenuCaptions(form, &MenuRow::englishSwitch);
    } else if (index == 0) {
        writeSetting(services_.profile, keys::JpFont, "0");
        form.setCaption(CaptionJapanese);
        setMenuCaptions(form, &MenuRow::japaneseSwitch);
    }
    form.tickChoice("JJJ", index);
}

}  // namespace vexlo::shell
