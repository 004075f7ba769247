#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/HeadlessServices.h"
#include "platform/headless/MemoryProfileFile.h"
#include "shell/MainWindow.h"

using namespace vexlo;

namespace {

// A main window started on the headless platform from the given settings file text.
struct Started {
    explicit Started(std::string ini = "") : profile(std::move(ini)), platform(profile) {
        window = std::make_unique<shell::MainWindow>(platform.services);
        window->startUp();
    }
    platform::MenuItem& menu(const char* name, int index = -1) {
        return *window->form.findMenu(name, index);
    }
    bool ticked(const char* name, int index) { return menu(name, index).checked(); }
    std::string stored(const char* key) { return profile.read("VEXLO", key).value_or("<missing>"); }

    platform::MemoryProfileFile profile;
    platform::HeadlessPlatform platform;
    std::unique_ptr<shell::MainWindow> window;
};

std::string ini(const std::string& lines) {
    return "[VEXLO]\n" + lines;
}

}  // namespace

TEST(StartUp, WithoutAFileEveryDefaultApplies) {
    Started s;
    auto& w = *s.window;
    EXPECT_EQ(w.calculator.display(), "0.");
    EXPECT_EQ(w.controls.mark.caption(), " ");
    EXPECT_EQ(w.form.caption(), "【ベクロ】");
    EXPECT_EQ(w.form.top(), 0);
    EXPECT_EQ(w.form.left(), 0);
    EXPECT_EQ(w.form.height(), 1356);
    EXPECT_EQ(w.form.width(), 5295);
    EXPECT_EQ(w.controls.display.fontSize(), 19);
    EXPECT_EQ(w.controls.display.fontName(), "System");
    EXPECT_TRUE(w.form.visible());
    // The default main colour "&HFFFF" reads as -1 and is refused: the design green stays.
    EXPECT_EQ(w.controls.display.backColour(), platform::rgb(0, 255, 0));
    EXPECT_EQ(w.controls.display.foreColour(), 0x404040u);
    EXPECT_EQ(w.controls.mark.foreColour(), 0x400000u);
    EXPECT_EQ(w.languageSetting, 0);
    EXPECT_EQ(w.warningSetting, "0");
    for (auto [name, index] :
         {std::pair{"TNN", 0}, {"KKK", 0}, {"SSS", 1}, {"TTT", 0}, {"JJJ", 0}, {"AAA", 0}}) {
        EXPECT_TRUE(s.ticked(name, index)) << name << index;
        EXPECT_FALSE(s.ticked(name, 1 - index)) << name << 1 - index;
    }
    EXPECT_EQ(s.profile.writeCount(), 0);  // start-up never writes
}

TEST(StartUp, ResumeValueComesBackWithItsOperand) {
    Started s(ini("EndMem=1\nDumy=12,345.\n"));
    EXPECT_EQ(s.window->calculator.display(), "12,345.");
    EXPECT_EQ(s.window->calculator.state().firstOperand, 12345);
    EXPECT_EQ(s.window->controls.mark.caption(), "");
    EXPECT_EQ(s.window->controls.mark.backColour(), 4095u);  // "&HFFF", the resume colour
    EXPECT_TRUE(s.ticked("KKK", 1));

    Started off(ini("EndMem=0\nDumy=12,345.\n"));
    EXPECT_EQ(off.window->calculator.display(), "0.");
    EXPECT_EQ(off.window->calculator.state().firstOperand, 0);

    Started text(ini("EndMem=1\nDumy=平成2年\n"));
    EXPECT_EQ(text.window->calculator.display(), "平成2年");
    EXPECT_EQ(text.window->calculator.state().firstOperand, 0);

    // A resume text edited in by hand cannot bring reordering or control characters back.
    Started mended(ini("EndMem=1\nDumy=\u202E12\x01.\n"));
    EXPECT_EQ(mended.window->calculator.display(), "\uFFFD12\uFFFD.");
}

TEST(StartUp, EnglishStartSetsTheStartUpCaptions) {
    Started s(ini("JpFont=1\n"));
    EXPECT_EQ(s.window->form.caption(), "【VexloKun】");
    EXPECT_EQ(s.menu("menu_option").caption(), "Option(&O)");
    EXPECT_EQ(s.menu("Text_Mem").caption(),
              "(M) Put Indicated Value into Memory----------------------【Ｚ】/【＆】key");
    EXPECT_EQ(s.menu("VER_FORM").caption(), "About");
    EXPECT_EQ(s.menu("HELP_MNU").caption(), "Help(&H)");
    EXPECT_EQ(s.menu("Kugiri").caption(), "-");
    EXPECT_EQ(s.menu("KUGIR2").caption(), "-");
    EXPECT_TRUE(s.ticked("JJJ", 1));
    EXPECT_EQ(s.window->languageSetting, 1);
}

TEST(StartUp, WarningSettingTicksOnlyItsKnownValues) {
    struct Row {
        const char* line;
        bool on, off;
    };
    for (const Row& row : {Row{"AtsNoA=0", true, false}, Row{"AtsNoA=1", false, true},
                           Row{"AtsNoA=2", false, false}}) {
        Started s(ini(std::string(row.line) + "\n"));
        EXPECT_EQ(s.ticked("AAA", 0), row.on) << row.line;
        EXPECT_EQ(s.ticked("AAA", 1), row.off) << row.line;
        EXPECT_EQ(s.window->calculator.warningsShown(), row.on) << row.line;
    }
}

TEST(StartUp, StoredPlaceColoursAndFont) {
    Started s(
        ini("FormTop=300\nFormLeft=-450\nForm2Top=100\nForm2Left=200\nMColor=255\n"
            "LColor=&HFF0000\nFontDef=Noto Sans CJK JP\nAllFcs=1\nSizeW=7215\n"));
    auto& w = *s.window;
    EXPECT_EQ(w.form.top(), 300);
    EXPECT_EQ(w.form.left(), -450);
    EXPECT_EQ(w.fontWindow.top(), 100);
    EXPECT_EQ(w.fontWindow.left(), 200);
    EXPECT_EQ(w.controls.display.backColour(), 255u);
    EXPECT_EQ(w.controls.memoryIndicator.backColour(), 255u);
    EXPECT_EQ(w.controls.mark.backColour(), 255u);
    EXPECT_EQ(w.controls.display.foreColour(), 0xFF0000u);
    EXPECT_EQ(w.controls.display.fontName(), "Noto Sans CJK JP");
    EXPECT_TRUE(w.form.topmost());
    EXPECT_TRUE(s.platform.windowOrder.topmost);
    EXPECT_TRUE(s.ticked("TTT", 1));
    EXPECT_TRUE(s.ticked("SSS", 0));
    EXPECT_EQ(w.form.width(), 7000);
}

TEST(StartUp, SizeClassesFromTheStoredHeight) {
    struct Row {
        int sizeH;
        int height;
        double font;
    };
    for (const Row& row : {Row{855, 1356, 19}, Row{1340, 1356, 19}, Row{1500, 1620, 30},
                           Row{1790, 1620, 30}, Row{1900, 1800, 40.5}}) {
        Started s(ini("SizeH=" + std::to_string(row.sizeH) + "\n"));
        EXPECT_EQ(s.window->form.height(), row.height) << row.sizeH;
        EXPECT_EQ(s.window->controls.display.fontSize(), row.font) << row.sizeH;
        EXPECT_EQ(s.window->controls.display.height(), row.height - 950) << row.sizeH;
    }
}

TEST(Layout, DraggingSnapsTheHeightAndClampsTheWidth) {
    struct Row {
        int height, width;
        int expectedHeight, expectedWidth;
        double font;
    };
    const Row rows[] = {
        {1200, 5000, 1356, 5000, 19},   {1356, 5000, 1356, 5000, 19},
        {1500, 5000, 1620, 5000, 30},   {1620, 5000, 1620, 5000, 30},
        {1700, 5000, 1620, 5000, 30},   {1800, 5000, 1800, 5000, 40.5},
        {2500, 5000, 1800, 5000, 40.5}, {1356, 3000, 1356, 4400, 19},
        {1356, 4390, 1356, 4390, 19},   {1356, 9000, 1356, 7000, 19},
    };
    for (const Row& row : rows) {
        Started s;
        auto& w = *s.window;
        w.form.resizeByUser(row.height, row.width);
        EXPECT_EQ(w.form.height(), row.expectedHeight) << row.height << "x" << row.width;
        EXPECT_EQ(w.form.width(), row.expectedWidth) << row.height << "x" << row.width;
        EXPECT_EQ(w.controls.display.fontSize(), row.font) << row.height;
        EXPECT_EQ(w.controls.display.width(), row.expectedWidth - 360);
        EXPECT_EQ(w.controls.display.height(), row.expectedHeight - 950);
        EXPECT_EQ(w.controls.mark.top(), w.controls.display.top() + 100);
    }
}

TEST(WindowItems, SizeItemsStoreTheSizeAndTickTheirChoice) {
    Started s;
    s.menu("SSS", 0).click();
    EXPECT_EQ(s.window->form.height(), 1800);
    EXPECT_EQ(s.window->form.width(), 7000);
    EXPECT_EQ(s.stored("SizeH"), "1800");
    EXPECT_EQ(s.stored("SizeW"), "7000");
    EXPECT_TRUE(s.ticked("SSS", 0));
    EXPECT_FALSE(s.ticked("SSS", 1));

    s.window->form.resizeByUser(1620, 5000);
    s.menu("SSS", 1).click();
    EXPECT_EQ(s.stored("SizeH"), "1620");
    EXPECT_EQ(s.stored("SizeW"), "5000");
    EXPECT_TRUE(s.ticked("SSS", 1));
    EXPECT_FALSE(s.ticked("SSS", 0));
}

TEST(WindowItems, SavingThePositionWritesSixKeys) {
    Started s(ini("Form2Top=1000\nForm2Left=2000\n"));
    s.window->form.move(150, 75);
    s.menu("HYOJI").click();
    EXPECT_EQ(s.stored("FormTop"), "75");
    EXPECT_EQ(s.stored("FormLeft"), "150");
    EXPECT_EQ(s.stored("Form2Top"), "1000");
    EXPECT_EQ(s.stored("Form2Left"), "2000");
    EXPECT_EQ(s.stored("Form3Top"), "1000");
    EXPECT_EQ(s.stored("Form3Left"), "2000");
}

TEST(Shutdown, EveryPathWritesTheDisplayOnce) {
    struct Row {
        const char* path;
        std::function<void(Started&)> close;
    };
    const Row rows[] = {
        {"title bar", [](Started& s) { s.window->form.close(); }},
        {"exit item", [](Started& s) { s.menu("All_Exit").click(); }},
        {"Esc",
         [](Started& s) {
             s.window->form.pressKey({27, 0, 27});
         }},
        {"Tab",
         [](Started& s) {
             s.window->form.pressKey({9, 0, 9});
         }},
    };
    for (const Row& row : rows) {
        Started s(ini("Dumy=old\n"));
        for (char c : std::string("12*3"))
            s.window->form.pressKey({0, 0, static_cast<char32_t>(c)});
        s.window->form.pressKey({13, 0, U'\r'});
        row.close(s);
        EXPECT_TRUE(s.window->form.closed()) << row.path;
        EXPECT_EQ(s.stored("Dumy"), "36.") << row.path;
        EXPECT_EQ(s.profile.writeCount(), 1) << row.path;
    }
}

TEST(Menus, EveryItemOfTheTreeIsBuiltWithItsAccelerator) {
    Started s;
    int items = 0;
    s.window->form.forEachMenuItem([&](platform::MenuItem&) { ++items; });
    EXPECT_EQ(items, 52);
    EXPECT_EQ(s.menu("All_Cancel").shortcut().text(), "Ctrl+A");
    EXPECT_EQ(s.menu("Tape").shortcut().text(), "Ctrl+P");
    EXPECT_EQ(s.menu("SEI_WA").shortcut().text(), "Ctrl+S");
    EXPECT_EQ(s.menu("HHH", 0).shortcut().text(), "F1");
    EXPECT_EQ(s.menu("Text_Cancel").caption(),
              "入力表示数値削除・・・・・・・・・・・・・・・【@)】キー");
    EXPECT_TRUE(s.window->menuAvailable(s.menu("JJJ", 1)));
    EXPECT_TRUE(s.window->menuAvailable(s.menu("Syohi_Zei")));
}

// What the message box had behind it: the strip as it stood when the message was raised, and
// the final strip once the box is closed; an era conversion also moves the mark home.
TEST(Delivery, MessagesShowTheStripAsItStoodAndEraConversionMovesTheMarkHome) {
    struct BehindTheBox : platform::MessageBoxService {
        void show(std::string_view, std::string_view text) override {
            seen.push_back(std::string(text) + " over " + window->controls.display.caption() + "|" +
                           window->controls.mark.caption());
        }
        shell::MainWindow* window = nullptr;
        std::vector<std::string> seen;
    } box;
    platform::MemoryProfileFile profile;
    platform::HeadlessPlatform headless(profile);
    platform::Services services = headless.services;
    platform::Services withBox{box,
                               services.clipboard,
                               services.keys,
                               services.profile,
                               services.windowOrder,
                               services.screen,
                               services.colourDialog,
                               services.fonts,
                               services.pointer,
                               services.popup,
                               services.windows};
    shell::MainWindow window(withBox);
    box.window = &window;
    window.startUp();
    // Heisei 32 does not exist: the limit message over the year, then a cleared calculation.
    window.calculator.setMark("平");
    window.calculator.setDisplay("32.");
    window.controls.mark.setLeft(120);
    window.form.findMenu("WA_SEI")->click();
    ASSERT_EQ(box.seen.size(), 1u);
    EXPECT_EQ(box.seen[0].substr(box.seen[0].find(" over ")), " over 2020年|平");
    EXPECT_EQ(window.controls.display.caption(), "0.");
    EXPECT_EQ(window.controls.mark.caption(), " ");
    EXPECT_EQ(window.controls.mark.left(), 0);
}
