// Copy and paste: exact texts both ways, texts that are no number, texts too long for the
// display (up to a megabyte), and a clipboard that another program holds.

#include <cmath>

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

class ClipboardScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(ClipboardScenario, MovesTextExactly) {
    expectScenario(GetParam());
}

const std::string TwentyDigits = "{clip:12345678901234567890}";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    CopyAndPaste, ClipboardScenario,
    ::testing::Values(
        Scenario{.name = "copy keeps commas and point", .script = "1234.5{Ctrl+C}",
                 .display = "1,234.5", .clipboard = "1,234.5"},
        Scenario{.name = "copy by menu", .script = "1234{menu:Menu_Copy}", .display = "1,234.",
                 .clipboard = "1,234."},
        Scenario{.name = "copy by double click", .script = "-12{dblclick:Readout}",
                 .display = "-12.", .clipboard = "-12."},
        Scenario{.name = "copy of an era text", .script = "h1 {Ctrl+C}", .display = "1989年",
                 .clipboard = "1989年"},
        Scenario{.name = "paste groups the number", .script = "{clip:1234.5}{Ctrl+V}",
                 .display = "1,234.5", .FirstOperand = 1234.5},
        Scenario{.name = "pasted number is the left operand", .script =
                 "{clip:1234.5}{Ctrl+V}+1=", .display = "1,235.5"},
        Scenario{.name = "letters are shown, the operand stays", .script =
                 "5+{clip:abc}{Ctrl+V}", .display = "abc", .FirstOperand = 5},
        Scenario{.name = "twenty digits", .script = TwentyDigits + "{Ctrl+V}", .display = "0.",
                 .mem2 = " ", .messages = {JaOverflow}, .FirstOperand = 0},
        Scenario{.name = "twenty digits in English, Japanese message", .script =
                 TwentyDigits + "{menu:Clip_Menu}", .start = En, .display = "0.",
                 .messages = {JaOverflow}},
        Scenario{.name = "twenty digits without warnings", .script = TwentyDigits + "{Ctrl+V}",
                 .start = JaQuiet, .display = "0.", .messages = {JaOverflow}},
        Scenario{.name = "shift click pastes", .script = "{clip:42}{shiftclick:Readout}",
                 .display = "42."},
        Scenario{.name = "shift click of twenty digits", .script =
                 TwentyDigits + "{shiftclick:Readout}", .display = "0.",
                 .messages = {JaOverflow}},
        Scenario{.name = "nothing on the clipboard", .script = "7{Ctrl+V}", .display = "7."},
        Scenario{.name = "empty text on the clipboard", .script = "7{clip:}{Ctrl+V}",
                 .display = "7."},
        Scenario{.name = "line breaks are mended and copied back so", .script =
                 "{clip:1\n2\r\n}{Ctrl+V}{Ctrl+C}", .display = "1\uFFFD2\uFFFD\uFFFD",
                 .clipboard = "1\uFFFD2\uFFFD\uFFFD"},
        Scenario{.name = "C0, DEL and C1 controls are mended", .script =
                 "{clip:\x01\x02\x7f\u0085\u009F}{Ctrl+V}",
                 .display = "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        Scenario{.name = "bidirectional overrides cannot reorder digits", .script =
                 "{clip:\u202E123\u202C}{Ctrl+V}", .display = "\uFFFD123\uFFFD", .FirstOperand = 0},
        Scenario{.name = "isolates and marks are mended", .script =
                 "{clip:1\u20662\u2069\u200F3\u061C\u200E}{Ctrl+V}",
                 .display = "1\uFFFD2\uFFFD\uFFFD3\uFFFD\uFFFD"},
        Scenario{.name = "a number with its line end is still a number", .script =
                 "{clip:\t1234\r\n}{Ctrl+V}", .display = "1,234.", .FirstOperand = 1234},
        Scenario{.name = "long text with line breaks is cut and cleared", .script =
                 "{clip:line one\nline two\nline three\n}{Ctrl+V}", .display = "0.",
                 .messages = {JaOverflow}},
        Scenario{.name = "closing brace inside the text", .script = "{clip:a}}b}{Ctrl+V}",
                 .display = "a}b"},
        Scenario{.name = "a number beyond the double range stays text", .script =
                 "{clip:1E+400}{Ctrl+V}", .display = "1E+400", .FirstOperand = 0},
        Scenario{.name = "full-width digits", .script = "{clip:１２３４}{Ctrl+V}",
                 .display = "1,234.", .FirstOperand = 1234},
        Scenario{.name = "full-width yen sign", .script = "{clip:￥1,980}{Ctrl+V}+20=",
                 .display = "2,000."},
        Scenario{.name = "yen sign", .script = "{clip:¥1,980}{Ctrl+V}", .display = "1,980.",
                 .FirstOperand = 1980},
        Scenario{.name = "ideographic spaces and full-width minus", .script =
                 "{clip:\u3000－１，２３４．５\u3000}{Ctrl+V}", .display = "-1,234.5"},
        Scenario{.name = "yen after the price", .script = "{clip:1,980円}{Ctrl+V}*2=",
                 .display = "3,960."},
        Scenario{.name = "full-width price in yen", .script = "{clip:１，９８０円}{Ctrl+V}*2=",
                 .display = "3,960."},
        Scenario{.name = "a price in yen is shown as a number", .script =
                 "{clip:１，９８０円}{shiftclick:Readout}", .display = "1,980.",
                 .FirstOperand = 1980},
        Scenario{.name = "zero-width space among the digits", .script =
                 "{clip:1\u200B234}{Ctrl+V}*2=", .display = "2,468."},
        Scenario{.name = "byte order mark and word joiner", .script =
                 "{clip:\uFEFF1\u2060234}{Ctrl+V}", .display = "1,234.", .FirstOperand = 1234},
        Scenario{.name = "no-break spaces between groups", .script =
                 "{clip:1\u00A0234\u202F567}{Ctrl+V}", .display = "1,234,567."},
        Scenario{.name = "fourteen-digit price fits", .script = "{clip:12345678901234円}{Ctrl+V}",
                 .display = "12,345,678,901,234.", .FirstOperand = 12345678901234},
        Scenario{.name = "fifteen-digit price fills the display", .script =
                 "{clip:123456789012345円}{Ctrl+V}", .display = "0.", .messages = {JaOverflow},
                 .FirstOperand = 0},
        Scenario{.name = "invisible characters take no room", .script =
                 "{clip:\u200B\u200B\u200B\u200B\u200B\u200B\u200B\u200B\u200B\u200B"
                 "\u200B\u200B\u200B\u200B\u200B\u200B\u200B\u200B\u200B\u200B5}{Ctrl+V}",
                 .display = "5.", .FirstOperand = 5},
        Scenario{.name = "yen inside the digits stays text", .script = "5+{clip:1,9円80}{Ctrl+V}",
                 .display = "1,9円80", .FirstOperand = 5},
        Scenario{.name = "yen twice stays text", .script = "5+{clip:1,980円円}{Ctrl+V}",
                 .display = "1,980円円", .FirstOperand = 5},
        Scenario{.name = "yen sign and yen stay text", .script = "5+{clip:¥1,980円}{Ctrl+V}",
                 .display = "¥1,980円", .FirstOperand = 5},
        Scenario{.name = "no-break space before the digits stays text", .script =
                 "5+{clip:\u00A01234}{Ctrl+V}", .display = "\u00A01234", .FirstOperand = 5},
        Scenario{.name = "another format character stays text", .script =
                 "5+{clip:1\u2061234}{Ctrl+V}", .display = "1\u2061234", .FirstOperand = 5}),
    rowName);
// clang-format on

// A megabyte from another program, number or not, is cut, reported once and cleared.
class HugePaste : public ::testing::TestWithParam<std::string> {};

TEST_P(HugePaste, IsCutAndCleared) {
    std::string text;
    while (text.size() < (1u << 20)) text += GetParam();
    Session session(optionsFor(Ja, text));
    runOrFail(session, "5+{Ctrl+V}3=");
    const engine::Calculator& calculator = session.window().calculator;
    EXPECT_EQ(calculator.display(), "3.");  // 0 + 3: the paste cleared the calculation
    EXPECT_TRUE(std::isfinite(calculator.state().firstOperand));
    EXPECT_EQ(messagesOf(session), std::vector<Message>{JaOverflow});
    EXPECT_EQ(session.platform().clipboard.contents, text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, HugePaste,
                         ::testing::Values("1", "9,876.5", "あいう\n", "x\r\n\t\x01", "}{"));
// clang-format on

TEST(ClipboardRefused, CopyChangesNothing) {
    Session session(optionsFor(Ja, "held by another program"));
    session.platform().clipboard.refuse = true;
    runOrFail(session, "12{Ctrl+C}{dblclick:Readout}{menu:Menu_Copy}+");
    EXPECT_EQ(session.window().calculator.display(), "12.");
    EXPECT_EQ(session.window().controls.display.enabled(), true);
    EXPECT_EQ(session.platform().clipboard.contents, "held by another program");
    EXPECT_TRUE(session.platform().messages.shown.empty());
}

TEST(ClipboardRefused, PasteChangesNothing) {
    Session session(optionsFor(Ja, "34"));
    session.platform().clipboard.refuse = true;
    runOrFail(session, "12{Ctrl+V}{shiftclick:Readout}");
    EXPECT_EQ(session.window().calculator.display(), "12.");
}

}  // namespace
}  // namespace vexlo::keyscript::testing
