// Digit entry, the decimal point, the sign of a new entry, and the two clearing keys.

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

const std::string TwentyFiveThrees(25, '3');

class EntryScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(EntryScenario, ShowsWhatAPocketCalculatorShows) {
    expectScenario(GetParam());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Keys, EntryScenario,
    ::testing::Values(
        Scenario{"fresh start", "", Ja, "0.", " ", ""},
        Scenario{"one digit", "7", Ja, "7."},
        Scenario{"digits are grouped", "781234", Ja, "781,234."},
        Scenario{"point then digit", ".5", Ja, "0.5"},
        Scenario{"decimals", "1.25", Ja, "1.25"},
        Scenario{"second point changes nothing", "1.25.3", Ja, "1.253"},
        Scenario{"decimals are never cut", "1." + TwentyFiveThrees, Ja, "1." + TwentyFiveThrees},
        Scenario{"fourteen digits fit", "12345678901234", Ja, "12,345,678,901,234."},
        Scenario{"fifteenth digit fills the display", "123456789012345", Ja,
                 "123,456,789,012,345.", {}, {}, {JaOverflow, JaOverflowEntry}},
        Scenario{"full display without warnings still tells", "123456789012345", JaQuiet,
                 "123,456,789,012,345.", {}, {}, {JaOverflowEntry}},
        Scenario{"sixteenth digit loses the first", "1234567890123456", Ja,
                 "234,567,890,123,460.", {}, {},
                 {JaOverflow, JaOverflowEntry, JaOverflow, JaOverflowEntry}},
        Scenario{"English full entry clears", "123456789012345", En, "0.", " ", " ",
                 {EnOverflow}},
        Scenario{"English full entry clears without warnings", "123456789012345", EnQuiet, "0.",
                 " ", " ", {EnOverflow}},
        Scenario{"digit after a result starts anew", "5+3=2", Ja, "2."},
        Scenario{"CE replaces the entry only", "5+3@4=", Ja, "9.", {}, ""},
        Scenario{"C keeps the pending operator", "5+3c2=", Ja, "2."},
        Scenario{"C inside decimals keeps appending", "1.5c2", Ja, "0.2"},
        Scenario{.name = "C keeps the decimal part", .script = "1.5c", .display = "0.",
                 .PointEntered = -1},
        Scenario{.name = "CE ends the decimal part", .script = "1.5@", .display = "0.",
                 .PointEntered = 0},
        Scenario{.name = "CE after C ends it too", .script = "1.5c@", .display = "0.",
                 .PointEntered = 0},
        Scenario{.name = "point after CE starts decimals anew", .script = "1.5@.2",
                 .display = "0.2", .PointEntered = -1},
        Scenario{"C blanks both marks", "5z+c", Ja, "0.", " ", " "},
        Scenario{"bracket cancels too", "5+3[", Ja, "0.", " ", " "},
        Scenario{"capital C does nothing", "5C", Ja, "5."},
        Scenario{"CE empties the memory mark box", "5{Ctrl+D}@", Ja, "0.", {}, ""},
        Scenario{"minus first is a sign", "-", Ja, "-0."},
        Scenario{"signed decimal", "-.5", Ja, "-0.5"},
        Scenario{"signed integer", "-12", Ja, "-12."},
        Scenario{"full-width keys", "１２＋３＝", Ja, "15."},
        Scenario{"keys after closing go nowhere", "5{Esc}6", Ja, "5."},
        Scenario{"tab closes too", "5{Tab}6", Ja, "5."},
        Scenario{"keys outside the map do nothing", "5!\\bk?", Ja, "5."}),
    rowName);
// clang-format on

}  // namespace
}  // namespace vexlo::keyscript::testing
