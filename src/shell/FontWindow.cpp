// The font window `Fontmnu4` ("FontMenu"): modeless; a click in its list changes the display's
// font at once, OK stores the name, CANCEL stores nothing and undoes nothing. Closing it from
// its buttons unloads it; showing it again loads it afresh.
//
// The list of screen fonts is taken when the window is first shown after its load, not during
// the load itself: enumerating fonts is slow and nobody sees the list of a hidden window.

#include <set>
#include <string>

#include "shell/MainWindow.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::shell {

namespace {

constexpr const char* DefaultFontName = "System";
constexpr const char* VerticalMark = "@";

}  // namespace

void MainWindow::buildFontWindow() {
    fontWindow.setCaption("FontMenu");
    fontWindow.setWidth(4620);
    fontWindow.setHeight(4710);

    auto& name = fontWindow.add<platform::Label>("FNTNAME");
    name.setGeometry(120, 120, 4260, 495);
    name.setFontSize(13.5);
    name.setFontBold(true);

    auto& list = fontWindow.add<platform::ListBox>("Lstfontname");
    list.setGeometry(120, 735, 2895, 3300);
    list.setFontName("ＭＳ Ｐゴシック");
    list.onClick = [this] { fontChosen(); };

    auto& ok = fontWindow.add<platform::Button>("OK");
    ok.setCaption("OK");
    ok.setGeometry(3135, 735, 1245, 495);
    ok.setFontSize(13.5);
    ok.setFontBold(true);
    ok.onClick = [this] { acceptFont(); };

    auto& cancel = fontWindow.add<platform::Button>("END");
    cancel.setCaption("CANCEL");
    cancel.setGeometry(3135, 1350, 1245, 495);
    cancel.setFontSize(13.5);
    cancel.setFontBold(true);
    cancel.onClick = [this] { cancelFont(); };
}

void MainWindow::loadFontWindow() {
    const FontWindowSettings stored = readFontWindowSettings(services_.profile);
    fontWindow.find<platform::Label>("FNTNAME")->setCaption(stored.displayFont);
    fontWindow.move(stored.fontWindowLeft, stored.fontWindowTop);
    fontWindow.find<platform::ListBox>("Lstfontname")->clear();
    fontListBuilt_ = false;
    fontWindowLoaded_ = true;
}

void MainWindow::buildFontList() {
    auto& list = *fontWindow.find<platform::ListBox>("Lstfontname");
    services_.pointer.setBusy(true);
    std::set<std::string> seen;
    for (const std::string& family : services_.fonts.families()) {
        // A vertical-writing variant ("@name") stands for its plain name when that is missing.
        const bool vertical = family.starts_with(VerticalMark);
        for (const std::string& candidate : {family, vertical ? family.substr(1) : std::string()}) {
            if (candidate.empty() || !seen.insert(candidate).second) continue;
            if (!candidate.starts_with(VerticalMark)) list.addItem(candidate);
        }
    }
    services_.pointer.setBusy(false);
    fontListBuilt_ = true;
}

void MainWindow::openFontWindow(int) {
    if (!fontWindowLoaded_) loadFontWindow();
    if (!fontListBuilt_) buildFontList();
    fontWindow.setVisible(true);
    services_.windows.raise(fontWindow);
}

void MainWindow::fontChosen() {
    const std::string name = fontWindow.find<platform::ListBox>("Lstfontname")->selectedText();
    if (name.empty()) return;
    fontWindow.find<platform::Label>("FNTNAME")->setCaption(name);
    controls.display.setFontName(name);
}

void MainWindow::acceptFont() {
    std::string name = fontWindow.find<platform::ListBox>("Lstfontname")->selectedText();
    if (name.empty()) name = DefaultFontName;
    fontWindow.find<platform::Label>("FNTNAME")->setCaption(name);
    writeSetting(services_.profile, keys::FontDef, name);
    unloadFontWindow();
}

void MainWindow::cancelFont() {
    unloadFontWindow();
}

void MainWindow::unloadFontWindow() {
    fontWindow.setVisible(false);
    fontWindowLoaded_ = false;
}

}  // namespace vexlo::shell
