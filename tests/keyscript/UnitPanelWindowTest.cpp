// Switching the unit panel on and off: the window's fixed size, the back and exit buttons, the
// load step run again, and the display font of the length check.

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

const std::string Stored = "[VEXLO]\nFormTop=300\nFormLeft=450\nSizeH=1620\nSizeW=6000\n";

struct PanelRun {
    explicit PanelRun(const std::string& script, std::string settings = Stored)
        : file(std::move(settings)), session(optionsFor(Ja), &file) {
        runOrFail(session, script);
    }
    shell::MainWindow& window() { return session.window(); }
    units::UnitPanel& panel() { return session.window().unitPanel; }
    bool ticked(int index) { return window().form.findMenu("TNN", index)->checked(); }
    // Panel boxes still on view; the two buttons are never hidden.
    int shownBoxes() {
        int shown = 0;
        for (int n = 1; n <= units::CheckCount; ++n) shown += panel().box(n).visible();
        for (int n = 1; n <= units::OptionCount; ++n) shown += panel().sourceSlot(n).visible();
        return shown;
    }
    platform::MemoryProfileFile file;
    Session session;
};

TEST(UnitPanelWindow, OnFixesTheLayout) {
    for (const char* script :
         {"{menu:TNN(1)}", "{menu:TNN(1)}{resize:2500,9000}", "{menu:TNN(1)}{resize:900,3000}"}) {
        PanelRun run(script);
        const auto& form = run.window().form;
        const auto& readout = run.window().controls.display;
        EXPECT_EQ(form.height(), 4750) << script;
        EXPECT_EQ(form.width(), 4400) << script;
        EXPECT_EQ(form.top(), 210);
        EXPECT_EQ(form.left(), 450);
        EXPECT_EQ(readout.height(), 600);
        EXPECT_EQ(readout.width(), 4040);
        EXPECT_EQ(readout.fontSize(), 30);
        EXPECT_EQ(run.window().controls.mark.top(), 250);
        for (int n = 4; n <= 7; ++n) EXPECT_EQ(run.panel().box(n).top(), 910) << n;
        EXPECT_EQ(run.window().unitPanelMode, 1);
        EXPECT_TRUE(run.ticked(1));
        EXPECT_FALSE(run.ticked(0));
        // Ten length sources, four categories, and the targets 寸 and インチ.
        EXPECT_EQ(run.shownBoxes(), 16);
    }
}

// At start, after back, off, and off while already off: the stored size and place, and
// nothing of the panel on view.
TEST(UnitPanelWindow, BackAndOffRestoreTheStoredWindow) {
    struct Row {
        const char* script;
        bool buttonsEnabled;
    };
    for (const Row& row :
         {Row{"{menu:TNN(1)}{click:Command3}", false}, Row{"{menu:TNN(1)}{menu:TNN(0)}", true},
          Row{"{menu:TNN(0)}", true}, Row{"{resize:1620,6000}{menu:TNN(0)}", true}}) {
        PanelRun run(row.script);
        const auto& form = run.window().form;
        EXPECT_EQ(form.height(), 1620) << row.script;
        EXPECT_EQ(form.width(), 6000) << row.script;
        EXPECT_EQ(form.top(), 300) << row.script;
        EXPECT_EQ(form.left(), 450) << row.script;
        EXPECT_EQ(run.window().controls.display.fontSize(), 30);
        EXPECT_EQ(run.window().controls.display.width(), 5640);
        EXPECT_EQ(run.shownBoxes(), 0) << row.script;
        EXPECT_TRUE(run.ticked(0)) << row.script;
        EXPECT_FALSE(run.ticked(1)) << row.script;
        EXPECT_EQ(run.window().unitPanelMode, 0);
        EXPECT_EQ(run.panel().backButton.enabled(), row.buttonsEnabled) << row.script;
        EXPECT_EQ(run.panel().exitButton.enabled(), row.buttonsEnabled) << row.script;
    }
}

TEST(UnitPanelWindow, LoadingAgainBuildsNothingTwice) {
    PanelRun once("");
    PanelRun often(
        "{menu:TNN(1)}{click:Command3}{menu:TNN(1)}{menu:TNN(0)}{menu:TNN(1)}{click:Command3}");
    EXPECT_EQ(often.window().form.controls().size(), once.window().form.controls().size());
    int onceItems = 0;
    int oftenItems = 0;
    once.window().form.forEachMenuItem([&](platform::MenuItem&) { ++onceItems; });
    often.window().form.forEachMenuItem([&](platform::MenuItem&) { ++oftenItems; });
    EXPECT_EQ(oftenItems, onceItems);
    // The menus keep working: the panel comes back, and a disabled button cannot be clicked.
    PanelRun again("{menu:TNN(1)}{click:Command3}{click:Command4}{menu:TNN(1)}");
    EXPECT_FALSE(again.session.closed());
    EXPECT_EQ(again.window().unitPanelMode, 1);
}

TEST(UnitPanelWindow, ExitButtonEndsTheProgram) {
    PanelRun run("{menu:TNN(1)}12{click:Check1}{click:Command4}5");
    EXPECT_TRUE(run.session.closed());
    EXPECT_EQ(run.window().unitPanelMode, 0);
    EXPECT_TRUE(run.ticked(0));
    EXPECT_EQ(run.file.read("VEXLO", "Dumy"), "3.96寸");
}

TEST(UnitPanelWindow, LengthCheckShrinksTheFontAndASourceRestoresIt) {
    const std::string volume = "{menu:TNN(1)}{click:Check7}{click:Option7}";
    struct Row {
        std::string script;
        double fontSize;
    };
    for (const Row& row : {Row{volume + "1234567890{click:Check3}", 30},
                           Row{volume + "12345678901{click:Check3}", 20},
                           Row{volume + "12345678901{click:Check3}{click:Option2}", 30},
                           Row{volume + "12345678901{click:Check3}{click:Option1}", 30}}) {
        PanelRun run(row.script);
        EXPECT_EQ(run.window().controls.display.fontSize(), row.fontSize) << row.script;
    }
}

}  // namespace
}  // namespace vexlo::keyscript::testing
