// Each choice of the options and help menus: what it writes to the settings file, what it
// ticks, and what the display elements show afterwards.

#include <map>

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

using Keys = std::map<std::string, std::string>;

// Keeps the last value written to each key.
class RecordingFile : public platform::MemoryProfileFile {
  public:
    bool write(std::string_view section, std::string_view key, std::string_view value) override {
        written[std::string(key)] = std::string(value);
        return MemoryProfileFile::write(section, key, value);
    }
    Keys written;
};
using Ticks = std::vector<std::string>;  // the items ticked afterwards, "NAME(INDEX)"

struct OptionRow {
    std::string name;
    std::string script;
    std::vector<std::optional<long long>> colours{};  // the colour dialog's answers
    Keys written{};                                   // every key written, with its value
    Ticks ticked{};
    std::optional<platform::Colour> readoutBack{};
    std::optional<platform::Colour> readoutFore{};
    std::optional<platform::Colour> markBack{};
    std::optional<platform::Colour> markFore{};
    std::optional<std::string> readoutFont{};
    std::vector<Message> messages{};
};

std::ostream& operator<<(std::ostream& out, const OptionRow& row) {
    return out << row.name << ": " << row.script;
}

class OptionChoice : public ::testing::TestWithParam<OptionRow> {};

TEST_P(OptionChoice, WritesItsKeysAndTicks) {
    const OptionRow& row = GetParam();
    RunOptions options = optionsFor(Ja);
    options.colourAnswers = row.colours;
    options.fonts = {"Serif", "@ＭＳ 明朝", "ＭＳ 明朝"};
    RecordingFile file;
    Session session(options, &file);
    runOrFail(session, row.script);
    EXPECT_EQ(file.written, row.written);
    for (const std::string& item : row.ticked) {
        const auto open = item.find('(');
        const auto* menu =
            session.window().form.findMenu(item.substr(0, open), std::stoi(item.substr(open + 1)));
        ASSERT_NE(menu, nullptr) << item;
        EXPECT_TRUE(menu->checked()) << item;
        const auto* other = session.window().form.findMenu(item.substr(0, open),
                                                           1 - std::stoi(item.substr(open + 1)));
        if (other) {
            EXPECT_FALSE(other->checked()) << item;
        }
    }
    const auto& controls = session.window().controls;
    if (row.readoutBack) {
        EXPECT_EQ(controls.display.backColour(), *row.readoutBack);
    }
    if (row.readoutFore) {
        EXPECT_EQ(controls.display.foreColour(), *row.readoutFore);
    }
    if (row.markBack) {
        EXPECT_EQ(controls.mark.backColour(), *row.markBack);
    }
    if (row.markFore) {
        EXPECT_EQ(controls.mark.foreColour(), *row.markFore);
    }
    if (row.readoutFont) {
        EXPECT_EQ(controls.display.fontName(), *row.readoutFont);
    }
    EXPECT_EQ(messagesOf(session), row.messages);
}

constexpr platform::Colour Green = 0x00FF00;
constexpr platform::Colour Blue = 0xFF0000;
constexpr platform::Colour Red = 0x0000FF;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, OptionChoice, ::testing::Values(
    OptionRow{"english", "{menu:JJJ(1)}", {}, {{"JpFont", "1"}}, {"JJJ(1)"}},
    OptionRow{"japanese", "{menu:JJJ(1)}{menu:JJJ(0)}", {}, {{"JpFont", "0"}}, {"JJJ(0)"}},
    OptionRow{"main colour blue", "{menu:MMM(0)}", {Blue}, {{"MColor", "16711680"}}, {},
              Blue, {}, Blue},
    OptionRow{"text colour cancelled keeps the initial", "{menu:LLL(1)}", {std::nullopt},
              {{"LColor", "4210752"}}, {}, Green, 0x404040},
    OptionRow{"refused colour is stored, not applied", "{menu:MMM(0)}", {-1},
              {{"MColor", "-1"}}, {}, Green, {}, Green},
    OptionRow{"colour beyond 24 bits is refused", "{menu:LLL(1)}", {16777216},
              {{"LColor", "16777216"}}, {}, {}, 0x404040},
    OptionRow{"memory text colours the mark", "{menu:RRR(2)}", {Red}, {{"RColor", "255"}}, {},
              {}, {}, {}, Red},
    OptionRow{"operator text colours the mark", "{menu:EEE(3)}", {Blue},
              {{"EColor", "16711680"}}, {}, {}, {}, {}, Blue},
    OptionRow{"resume colour falls back to the main colour", "{menu:MMM(0)}{menu:XXX(4)}",
              {Blue, Red}, {{"MColor", "16711680"}, {"XColor", "255"}}, {}, Blue, {}, Blue},
    OptionRow{"resume on shows the resume colour", "{menu:XXX(4)}{menu:KKK(1)}", {Blue},
              {{"XColor", "16711680"}, {"EndMem", "1"}}, {"KKK(1)"}, Green, {}, Blue},
    OptionRow{"resume off: the default main colour is refused", "{menu:KKK(1)}{menu:KKK(0)}",
              {}, {{"EndMem", "0"}}, {"KKK(0)"}, {}, {}, 4095},
    OptionRow{"main colour after resume on takes the mark too", "{menu:KKK(1)}{menu:MMM(0)}",
              {Red}, {{"EndMem", "1"}, {"MColor", "255"}}, {"KKK(1)"}, Red, {}, Red},
    OptionRow{"always on top", "{menu:TTT(1)}", {}, {{"AllFcs", "1"}}, {"TTT(1)"}},
    OptionRow{"normal order", "{menu:TTT(1)}{menu:TTT(0)}", {}, {{"AllFcs", "0"}}, {"TTT(0)"}},
    OptionRow{"warnings off at once", "{menu:AAA(1)}99999999999999*99999999{Enter}", {},
              {{"AtsNoA", "1"}}, {"AAA(1)"}},
    OptionRow{"warnings on at once", "{menu:AAA(1)}{menu:AAA(0)}99999999999999*99999999{Enter}",
              {}, {{"AtsNoA", "0"}}, {"AAA(0)"}, {}, {}, {}, {}, {}, {JaOverflowResult}},
    OptionRow{"font clicked and kept", "{menu:font2(0)}{select:Lstfontname,ＭＳ 明朝}{click:OK}",
              {}, {{"FontDef", "ＭＳ 明朝"}}, {}, {}, {}, {}, {}, "ＭＳ 明朝"},
    OptionRow{"OK with nothing selected stores System", "{menu:font2(0)}{click:OK}", {},
              {{"FontDef", "System"}}, {}, {}, {}, {}, {}, "System"},
    OptionRow{"CANCEL stores nothing and keeps the font",
              "{menu:font2(0)}{select:Lstfontname,Serif}{click:END}", {}, {}, {}, {}, {}, {}, {},
              "Serif"},
    OptionRow{"a closed font window takes no clicks",
              "{menu:font2(0)}{click:END}{select:Lstfontname,Serif}{click:OK}", {}, {}, {}, {},
              {}, {}, {}, "System"},
    OptionRow{"position saved loads the font window", "{menu:HYOJI}", {},
              {{"FormTop", "0"}, {"FormLeft", "0"}, {"Form2Top", "1830"},
               {"Form2Left", "3555"}, {"Form3Top", "1830"}, {"Form3Left", "3555"}}},
    OptionRow{"help and version write nothing", "{F1}{menu:HHH(0)}{menu:VER_FORM}{Enter}", {},
              {}}),
    [](const ::testing::TestParamInfo<OptionRow>& info) {
        std::string name;
        for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });
// clang-format on

struct WindowRow {
    std::string name;
    std::string script;
    std::vector<std::string> forms;  // open afterwards, the popup as "popup"
    std::string display;
};

class SecondaryWindows : public ::testing::TestWithParam<WindowRow> {};

TEST_P(SecondaryWindows, OpenAndCloseAsTheWindowDoes) {
    const WindowRow& row = GetParam();
    RunOptions options = optionsFor(Ja, "7");
    Session session(options);
    runOrFail(session, row.script);
    auto& w = session.window();
    std::vector<std::string> open;
    for (const platform::Form* form : {&w.fontWindow, &w.helpForm, &w.aboutForm}) {
        if (form->visible()) open.push_back(form->name());
    }
    if (session.platform().popup.open) open.push_back("popup");
    EXPECT_EQ(open, row.forms);
    EXPECT_EQ(w.calculator.display(), row.display);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SecondaryWindows, ::testing::Values(
    WindowRow{"help from F1 and the menu is one window", "{F1}{menu:HHH(0)}1", {"Help_Form"}, "1."},
    WindowRow{"font window is modeless", "{menu:font2(0)}12", {"Fontmnu4"}, "12."},
    WindowRow{"version window blocks the calculator", "{menu:VER_FORM}12{menu:Clip_Menu}",
              {"About_Form"}, "0."},
    WindowRow{"version window OK", "{menu:VER_FORM}{click:Command1}3", {}, "3."},
    WindowRow{"closing the calculator closes every window", "{menu:font2(0)}{F1}{close}", {}, "0."},
    WindowRow{"version window Esc", "{menu:VER_FORM}{Esc}3", {}, "3."},
    WindowRow{"right click opens the popup", "5{rightclick:Readout}", {"popup"}, "5."},
    WindowRow{"popup choice runs the item", "{rightclick:Readout}{menu:Clip_Menu}", {}, "7."},
    WindowRow{"a key closes the popup", "{rightclick:Readout}4", {}, "0."},
    WindowRow{"shift right click pastes then opens", "{shiftclick:Readout}{rightclick:Readout}",
              {"popup"}, "7."}),
    [](const ::testing::TestParamInfo<WindowRow>& info) {
        std::string name;
        for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });
// clang-format on

}  // namespace
}  // namespace vexlo::keyscript::testing
