// The language switch against the menu table, the font list's "@" rule, the popup's position,
// the version window's placement and an on-top request the desktop refuses.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/HeadlessServices.h"
#include "platform/headless/MemoryProfileFile.h"
#include "shell/MainWindow.h"
#include "shell/MenuTable.h"

using namespace vexlo;

namespace {

struct Window {
    explicit Window(std::string ini = "") : profile(std::move(ini)), platform(profile) {
        main = std::make_unique<shell::MainWindow>(platform.services);
        main->startUp();
    }
    std::string caption(const shell::MenuRow& row) {
        return main->form.findMenu(row.name, row.index)->caption();
    }
    platform::MemoryProfileFile profile;
    platform::HeadlessPlatform platform;
    std::unique_ptr<shell::MainWindow> main;
};

struct SwitchRow {
    const char* start;  // settings file
    int choice;
    const char* shell::MenuRow::*expected;
    const char* shell::MenuRow::*kept;  // where the switch sets nothing
    const char* caption;
};

TEST(Language, EverySwitchCaptionComesFromItsColumn) {
    const SwitchRow rows[] = {
        {"", 1, &shell::MenuRow::englishSwitch, &shell::MenuRow::design, "【VexloKun】"},
        {"[VEXLO]\nJpFont=1\n", 0, &shell::MenuRow::japaneseSwitch, &shell::MenuRow::englishStartup,
         "【ベクロ】"},
        {"", 0, &shell::MenuRow::japaneseSwitch, &shell::MenuRow::design, "【ベクロ】"},
        {"[VEXLO]\nJpFont=1\n", 1, &shell::MenuRow::englishSwitch, &shell::MenuRow::englishStartup,
         "【VexloKun】"},
    };
    for (const SwitchRow& row : rows) {
        Window w(row.start);
        const int languageMode = w.main->languageSetting;
        w.main->form.findMenu("JJJ", row.choice)->click();
        EXPECT_EQ(w.main->form.caption(), row.caption);
        for (const shell::MenuRow& menu : shell::MenuTable) {
            const char* want = menu.*row.expected ? menu.*row.expected : menu.*row.kept;
            EXPECT_EQ(w.caption(menu), want) << menu.name << " start " << row.start;
        }
        EXPECT_EQ(w.profile.read("VEXLO", "JpFont"), std::to_string(row.choice));
        // Messages keep the start language.
        EXPECT_EQ(w.main->languageSetting, languageMode);
        EXPECT_TRUE(w.main->form.findMenu("JJJ", row.choice)->checked());
        EXPECT_FALSE(w.main->form.findMenu("JJJ", 1 - row.choice)->checked());
    }
}

TEST(Language, AnIndexOutsideTheArrayChangesNothing) {
    Window w;
    w.main->chooseLanguage(2);
    EXPECT_EQ(w.main->form.caption(), "【ベクロ】");
    EXPECT_EQ(w.profile.writeCount(), 0);
}

TEST(FontWindow, ListsEachNameOnceWithoutVerticalVariantsWhileBusy) {
    Window w;
    auto& fonts = w.platform.fonts;
    fonts.names = {"@ＭＳ 明朝", "ＭＳ 明朝", "Serif", "@Tategaki", "Serif", "@", "Sans"};
    bool busyWhileListing = false;
    fonts.onList = [&] { busyWhileListing = w.platform.pointer.busy; };
    EXPECT_EQ(fonts.listings, 0);  // start-up takes no list: the window is hidden

    w.main->openFontWindow(0);
    const auto* list = w.main->fontWindow.find<platform::ListBox>("Lstfontname");
    EXPECT_EQ(list->items(), (std::vector<std::string>{"ＭＳ 明朝", "Serif", "Tategaki", "Sans"}));
    EXPECT_TRUE(busyWhileListing);
    EXPECT_EQ(w.platform.pointer.changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(w.main->fontWindow.find<platform::Label>("FNTNAME")->caption(), "System");

    w.main->openFontWindow(0);  // shown again: the same list
    EXPECT_EQ(fonts.listings, 1);
    w.main->cancelFont();
    w.main->openFontWindow(0);  // loaded afresh after closing
    EXPECT_EQ(fonts.listings, 2);
    EXPECT_EQ(list->items().size(), 4u);
}

struct DpiScreen : platform::Screen {
    explicit DpiScreen(double twipsPerPixel) : tpp(twipsPerPixel) {}
    double twipsPerPixelX() const override { return tpp; }
    double twipsPerPixelY() const override { return tpp; }
    platform::Twips width() const override { return static_cast<platform::Twips>(1920 * tpp); }
    platform::Twips height() const override { return static_cast<platform::Twips>(1080 * tpp); }
    double tpp;
};

TEST(Popup, OpensAtTheWindowsOuterCornerInScreenPixels) {
    struct Row {
        double twipsPerPixel;
        int left, top;
        int x, y;
    };
    for (const Row& row :
         {Row{15, 1500, 750, 100, 50}, Row{7.5, 1500, 750, 200, 100}, Row{15, -450, 22, -30, 1}}) {
        platform::MemoryProfileFile profile;
        platform::HeadlessPlatform headless(profile);
        DpiScreen screen(row.twipsPerPixel);
        platform::Services services = headless.services;
        platform::Services atDpi{services.messages,     services.clipboard,   services.keys,
                                 services.profile,      services.windowOrder, screen,
                                 services.colourDialog, services.fonts,       services.pointer,
                                 services.popup,        services.windows};
        shell::MainWindow main(atDpi);
        main.startUp();
        main.form.move(row.left, row.top);
        main.windowMouseDown(1, 0);
        EXPECT_FALSE(headless.popup.open);
        main.windowMouseDown(2, 0);
        ASSERT_TRUE(headless.popup.open);
        EXPECT_EQ(headless.popup.open->menu->name(), "Menu_File");
        EXPECT_EQ(headless.popup.open->x, row.x) << row.twipsPerPixel;
        EXPECT_EQ(headless.popup.open->y, row.y) << row.twipsPerPixel;
    }
}

TEST(VersionWindow, IsCentredOnTheScreenAndModal) {
    Window w;
    w.main->showVersion();
    const auto& about = w.main->aboutForm;
    EXPECT_EQ(w.platform.windows.modal, &about);
    EXPECT_TRUE(about.visible());
    EXPECT_EQ(about.left(), (1920 * 15 - about.width()) / 2);
    EXPECT_EQ(about.top(), (1080 * 15 - about.height()) / 2);
    EXPECT_EQ(about.caption(), "【ベクロ】バージョン情報");
    EXPECT_EQ(about.find<platform::Label>("Label1")->caption(), "VEXLO Practical Calculator");
    EXPECT_EQ(about.find<platform::Label>("Label3")->caption(), "Version 23");
    about.find<platform::Button>("Command1")->click();
    EXPECT_FALSE(about.visible());
}

TEST(AlwaysOnTop, ARefusingDesktopSaysSo) {
    Window w;
    w.platform.windowOrder.refuse = true;
    w.main->chooseOnTop(1);
    EXPECT_FALSE(w.main->form.topmost());
    ASSERT_EQ(w.platform.messages.shown.size(), 1u);
    EXPECT_EQ(w.platform.messages.shown[0].title, "【ベクロ】");
    EXPECT_EQ(w.profile.read("VEXLO", "AllFcs"), "1");  // kept for a desktop that can
    w.main->chooseOnTop(0);
    EXPECT_EQ(w.platform.messages.shown.size(), 1u);
}

}  // namespace
