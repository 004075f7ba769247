// The unit panel driven as vexlo-keys drives it: conversions with their length check, the
// panel's state after each category and source change, and switching the panel on and off.

#include "ScenarioSupport.h"

#include <vector>

#include "units/Rules.h"

namespace vexlo::keyscript::testing {
namespace {

constexpr const char* On = "{menu:TNN(1)}";
// Volume, CubicYard, Check3 (x 27, keeps 20, suffix 立方ft): 15 and 16 formatted characters.
const std::string Nineteen =
    std::string(On) + "{click:Check7}{click:Option7}1234567890{click:Check3}";
const std::string Twenty =
    std::string(On) + "{click:Check7}{click:Option7}12345678901{click:Check3}";

class ConversionScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(ConversionScenario, ShowsTheResultWithItsUnit) {
    expectScenario(GetParam());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Panel, ConversionScenario,
    ::testing::Values(
        Scenario{.name = "untick keeps the result",
                 .script = std::string(On) + "12{click:Check1}{click:Check1}", .display = "3.96寸"},
        Scenario{.name = "era text is left alone",
                 .script = std::string(On) + "2000{Ctrl+S}{click:Check1}", .display = "平成12年"},
        Scenario{.name = "no category ticked converts nothing",
                 .script = std::string(On) + "{click:Check4}12{click:Check1}", .display = "12."},
        Scenario{.name = "category change resets the display",
                 .script = std::string(On) + "12{click:Check5}", .display = "0."},
        Scenario{.name = "source change keeps the calculation", .script =
                 std::string("5+") + On + "{click:Option2}", .display = "0.", .FirstOperand = 5},
        Scenario{.name = "19 characters", .script = Nineteen, .display = "33,333,333,030.立方ft"},
        Scenario{.name = "20 characters", .script = Twenty, .display = "333,333,330,327.立方ft",
                 .messages = {JaOverflow}},
        Scenario{.name = "20 characters in English", .script = Twenty, .start = En,
                 .display = "0.", .messages = {EnOverflow}},
        Scenario{.name = "20 characters without warnings", .script = Twenty, .start = JaQuiet,
                 .display = "333,333,330,327.立方ft"},
        Scenario{.name = "20 characters in English without warnings", .script = Twenty,
                 .start = EnQuiet, .display = "333,333,330,327.立方ft"},
        Scenario{.name = "19 characters in English", .script = Nineteen, .start = En,
                 .display = "33,333,333,030.立方ft"}),
    rowName);
// clang-format on

// The panel as a user sees it: ticked categories, the chosen source, the shown target boxes
// (a ticked one starred), the number of shown sources, and the display.
std::string panelState(Session& session) {
    auto& panel = session.window().unitPanel;
    std::string out;
    for (int n = 4; n <= 7; ++n) {
        if (panel.box(n).value() == 1) out += "Check" + std::to_string(n);
    }
    int shownSources = 0;
    for (int n = 1; n <= units::OptionCount; ++n) {
        shownSources += panel.sourceSlot(n).visible();
        if (panel.sourceSlot(n).value())
            out += " Option" + std::to_string(n) + " " + panel.sourceSlot(n).caption();
    }
    out += " |";
    std::vector<int> targets(units::TargetBoxes.begin(), units::TargetBoxes.end());
    targets.push_back(units::UnusedTargetBox);
    for (int n : targets) {
        const auto& box = panel.box(n);
        if (box.visible()) out += std::string(" ") + (box.value() == 1 ? "*" : "") + box.caption();
    }
    return out + " | " + std::to_string(shownSources) + " " + session.window().calculator.display();
}

struct PanelRow {
    std::string name;
    std::string script;
    std::string state;
    Start start = Ja;
};

class PanelState : public ::testing::TestWithParam<PanelRow> {};

TEST_P(PanelState, FollowsCategoryAndSource) {
    Session session(optionsFor(GetParam().start));
    runOrFail(session, On + GetParam().script);
    EXPECT_EQ(panelState(session), GetParam().state);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, PanelState,
    ::testing::Values(
        PanelRow{"on", "", "Check4 Option1 ｃｍ | 寸 インチ | 10 0."},
        PanelRow{"weight", "{click:Check5}", "Check5 Option1 ｇ | 匁 オンス | 9 0."},
        PanelRow{"area after weight", "{click:Check5}{click:Check6}",
                 "Check6 Option1 平方ｃｍ | 平方寸 平方インチ | 11 0."},
        PanelRow{"volume", "{click:Check7}",
                 "Check7 Option1 立方メートル | 立方坪 立方フィート 立方ヤード | 8 0."},
        PanelRow{"kan", "{click:Check5}{click:Option6}",
                 "Check5 Option6 貫 | ｋｇ 斤 トン 英トン 米トン | 9 0."},
        PanelRow{"after kan another source", "{click:Check5}{click:Option6}{click:Option7}",
                 "Check5 Option7 オンス | ｇ 匁 | 9 0."},
        PanelRow{"after kan another category", "{click:Check5}{click:Option6}{click:Check6}",
                 "Check6 Option1 平方ｃｍ | 平方寸 平方インチ | 11 0."},
        PanelRow{"metre", "{click:Option2}", "Check4 Option2 ｍ | 尺 フィート ヤード | 10 0."},
        PanelRow{"cubic tsubo", "{click:Check7}{click:Option3}",
                 "Check7 Option3 立方坪 | 立方メートル 立方フィート 立方ヤード | 8 0."},
        PanelRow{"cubic foot", "{click:Check7}{click:Option5}",
                 "Check7 Option5 立方フィート | 立方ｍ 立方坪 立方ヤード | 8 0."},
        PanelRow{"square mile", "{click:Check6}{click:Option11}",
                 "Check6 Option11 平方マイル | 平方ｋｍ 平方里 エーカー | 11 0."},
        PanelRow{"ticked target", "12{click:Check1}", "Check4 Option1 ｃｍ | *寸 インチ | 10 3.96寸"},
        PanelRow{"nested untick", "12{click:Check1}{click:Check2}",
                 "Check4 Option1 ｃｍ | 寸 *インチ | 10 3.96寸"},
        PanelRow{"the chosen source clicked again starts afresh", "12{click:Check1}{click:Option1}",
                 "Check4 Option1 ｃｍ | 寸 インチ | 10 0."},
        PanelRow{"metre clicked again", "{click:Option2}12{click:Check2}{click:Option2}",
                 "Check4 Option2 ｍ | 尺 フィート ヤード | 10 0."},
        PanelRow{"a digit unticks", "12{click:Check1}5", "Check4 Option1 ｃｍ | 寸 インチ | 10 35."},
        PanelRow{"C unticks", "12{click:Check1}{menu:All_Cancel}",
                 "Check4 Option1 ｃｍ | 寸 インチ | 10 0."},
        PanelRow{"category unticked", "{click:Check4}", " Option1 ｃｍ | 寸 インチ | 10 0."},
        PanelRow{"source without category keeps the targets", "{click:Check4}{click:Option2}",
                 " Option2 ｍ | 寸 インチ | 10 0."},
        PanelRow{"hidden box cannot be clicked", "{click:Check8}{click:Option11}",
                 "Check4 Option1 ｃｍ | 寸 インチ | 10 0."},
        PanelRow{"English overflow clears the tick", Twenty.substr(std::string(On).size()),
                 "Check7 Option7 立方ヤード | 立方ｍ 立方坪 立方フィート | 8 0.", En},
        PanelRow{"Japanese overflow keeps the tick", Twenty.substr(std::string(On).size()),
                 "Check7 Option7 立方ヤード | 立方ｍ 立方坪 *立方フィート | 8 333,333,330,327.立方ft"},
        PanelRow{"on again starts afresh", "{click:Check6}{click:Option3}5{menu:TNN(1)}",
                 "Check4 Option1 ｃｍ | 寸 インチ | 10 0."}),
    [](const auto& info) {
        std::string name;
        for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });
// clang-format on

}  // namespace
}  // namespace vexlo::keyscript::testing
