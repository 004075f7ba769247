// The memory register and consumption tax, including a display that holds no number.

#include "ScenarioSupport.h"

namespace vexlo::keyscript::testing {
namespace {

class MemoryScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(MemoryScenario, KeepsRegisterAndMarks) {
    expectScenario(GetParam());
}

const Message JaRecallInteger{"【ベクロ】", "表示行数をオーバーしました。1"};
const Message JaRecallLong{"【ベクロ】", "表示行数をオーバーしました。2"};

// M+ twice leaves 199,999,999,999,998 in the register: 15 digits, a full display.
const std::string FifteenDigitRegister = "99999999999999{Ctrl+D}{Ctrl+D}@a";
// Thirteen integer digits and a fraction: 1,234,567,890,123.12 fills the display.
const std::string LongFractionRegister = "1234567890123.12{Ctrl+D}@a";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Register, MemoryScenario,
    ::testing::Values(
        Scenario{.name = "store", .script = "5z", .display = "5.", .mem2 = "M", .mem1 = "",
                 .MemoryValue = 5, .MemoryMark = "M"},
        Scenario{.name = "add twice with CE between", .script = "5{Ctrl+D}@3{Ctrl+D}a",
                 .display = "8.", .mem1 = "", .MemoryValue = 8, .MemoryMark = "M"},
        Scenario{.name = "without CE the digit joins the entry", .script = "5{Ctrl+D}3{Ctrl+D}a",
                 .display = "58.", .MemoryValue = 58},
        Scenario{.name = "recall of an empty register", .script = "7a", .display = "0.",
                 .mem1 = " ", .MemoryValue = 0, .MemoryMark = ""},
        Scenario{.name = "add memory to display, empty register", .script = "7{Ctrl+F}",
                 .display = "7.", .mem1 = "", .MemoryValue = 0},
        Scenario{.name = "add memory to display", .script = "2z@7{Ctrl+F}", .display = "9.",
                 .mem2 = "M", .mem1 = "M", .MemoryValue = 2},
        Scenario{.name = "subtract memory from display", .script = "2z@7{Ctrl+G}",
                 .display = "5.", .mem1 = "M", .MemoryValue = 2},
        Scenario{.name = "subtract memory starts a new calculation",
                 .script = "10+2z@7{Ctrl+G}+1=", .display = "6."},
        Scenario{.name = "subtract from memory", .script = "12{Ctrl+E}a", .display = "-12.",
                 .mem1 = "M", .MemoryValue = -12, .MemoryMark = "M"},
        Scenario{.name = "storing 0. removes the mark only", .script = "3z@za", .display = "3.",
                 .mem1 = " ", .MemoryValue = 3, .MemoryMark = ""},
        Scenario{.name = "M- on 0. removes the mark only", .script = "5z@{Ctrl+E}",
                 .display = "0.", .mem1 = " ", .MemoryValue = 5, .MemoryMark = ""},
        Scenario{.name = "back to zero keeps the mark", .script = "5{Ctrl+D}@5{Ctrl+E}",
                 .display = "5.", .mem1 = "", .MemoryValue = 0, .MemoryMark = "M"},
        Scenario{.name = "clear", .script = "5zq", .display = "5.", .mem2 = "", .mem1 = "",
                 .MemoryValue = 0, .MemoryMark = ""},
        Scenario{.name = "clear by menu", .script = "5{Ctrl+D}{menu:Mem_Cear}", .display = "5.",
                 .mem1 = "", .MemoryValue = 0, .MemoryMark = ""},
        Scenario{.name = "full display after +M", .script = "99999999999999z@9{Ctrl+F}",
                 .display = "100,000,000,000,008.", .messages = {JaOverflow}},
        Scenario{.name = "English full display after +M clears", .script =
                 "99999999999999z@9{Ctrl+F}", .start = En, .display = "0.",
                 .messages = {EnOverflow}},
        Scenario{.name = "recall of a fifteen-digit integer", .script = FifteenDigitRegister,
                 .display = "199,999,999,999,998.", .messages = {JaRecallInteger},
                 .FirstOperand = 199999999999998, .MemoryValue = 199999999999998},
        Scenario{.name = "English recall of a fifteen-digit integer",
                 .script = FifteenDigitRegister, .start = En, .display = "199,999,999,999,998.",
                 .messages = {EnOverflow}, .FirstOperand = 199999999999998},
        Scenario{.name = "recall of a long fraction empties the register",
                 .script = LongFractionRegister, .display = "1,234,567,890,123.12",
                 .messages = {JaRecallLong}, .FirstOperand = 0, .MemoryValue = 0},
        Scenario{.name = "English recall of a long fraction", .script = LongFractionRegister,
                 .start = En, .display = "0.", .messages = {EnOverflow}, .FirstOperand = 0,
                 .MemoryValue = 0},
        // The point of the plain text at the 12th character is a short value, at the 13th a
        // long one: the left operand is then 0, and the register is emptied when it cannot be
        // shown.
        Scenario{.name = "point at the twelfth character recalls the value",
                 .script = "12345678901.2345{Ctrl+D}@a", .display = "12,345,678,901.2345",
                 .FirstOperand = 12345678901.2345, .MemoryValue = 12345678901.2345},
        Scenario{.name = "point at the thirteenth character recalls a long value",
                 .script = "123456789012.345{Ctrl+D}@a", .display = "123,456,789,012.345",
                 .FirstOperand = 0, .MemoryValue = 123456789012.345},
        Scenario{.name = "full display, point at the twelfth character",
                 .script = "1234567890.12345{Ctrl+E}@a", .display = "-1,234,567,890.12345",
                 .FirstOperand = -1234567890.12345, .MemoryValue = -1234567890.12345},
        Scenario{.name = "full display, point at the thirteenth character",
                 .script = "12345678901.2345{Ctrl+E}@a", .display = "-12,345,678,901.2345",
                 .messages = {JaRecallLong}, .FirstOperand = 0, .MemoryValue = 0}),
    rowName);
// clang-format on

class TaxScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(TaxScenario, ChangesOnlyTheDisplay) {
    expectScenario(GetParam());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rates, TaxScenario,
    ::testing::Values(
        Scenario{"ten percent added", "100{Ctrl+K}", Ja, "110.00"},
        Scenario{"eight percent added, no tab", "100{Ctrl+I}", Ja, "108.00"},
        Scenario{"ten percent removed", "110{Ctrl+L}", Ja, "100."},
        Scenario{"eight percent removed", "108{Ctrl+N}", Ja, "100."},
        Scenario{"eleven decimals at most", "105{Ctrl+N}", Ja, "97.22222222222"},
        Scenario{"fifteen significant digits", "1000{Ctrl+N}", Ja, "925.92592592593"},
        Scenario{"cut to fifteen characters", "1234567890{Ctrl+K}", Ja, ",358,024,679.00"},
        Scenario{"eighteen characters removed whole", "12345678901{Ctrl+L}", Ja,
                 "1,223,344,455.4545"},
        Scenario{"nineteen removed cut to eighteen", "123456789012{Ctrl+L}", Ja,
                 "12,233,444,556.364"},
        Scenario{"twenty removed cut to eighteen", "1234567890123{Ctrl+L}", Ja,
                 "122,334,445,566.36"},
        Scenario{"reduced rate removed cut to eighteen", "12345678901234{Ctrl+N}", Ja,
                 ",431,184,167,809.3"},
        Scenario{"result is the next operand", "100{Ctrl+K}+5=", Ja, "115."},
        Scenario{"a digit goes before the point", "100{Ctrl+K}5", Ja, "1,105."},
        Scenario{"by menu", "100{menu:Syohi_Zei}", Ja, "110.00"},
        Scenario{"reduced by menu", "1000{menu:KeigenSyo_Moto}", En, "925.92592592593"},
        Scenario{"state untouched", "7+100{Ctrl+K}=", Ja, "117."}),
    rowName);
// clang-format on

// An era text in the display is no number: these commands leave everything as it was.
class OnEraText : public ::testing::TestWithParam<std::string> {};

TEST_P(OnEraText, ChangesNothing) {
    const std::string prefix = "5{Ctrl+D}2+@h1 ";
    Session before(optionsFor(Ja));
    runOrFail(before, prefix);
    const auto& b = before.window().calculator;
    ASSERT_EQ(b.display(), "1989年");

    Session after(optionsFor(Ja));
    runOrFail(after, prefix + GetParam());
    const auto& a = after.window().calculator;
    EXPECT_EQ(a.display(), b.display());
    EXPECT_EQ(a.memoryIndicator(), b.memoryIndicator());
    EXPECT_EQ(a.mark(), b.mark());
    EXPECT_EQ(a.state().memory, b.state().memory);
    EXPECT_EQ(a.state().memoryMarked, b.state().memoryMarked);
    EXPECT_EQ(a.state().firstOperand, b.state().firstOperand);
    EXPECT_EQ(a.state().operandCount, b.state().operandCount);
    EXPECT_EQ(a.state().pending, b.state().pending);
    EXPECT_TRUE(after.platform().messages.shown.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, OnEraText,
                         ::testing::Values("z", "{Ctrl+Z}", "{Ctrl+D}", "{Ctrl+E}", "{Ctrl+F}",
                                           "{Ctrl+G}", "{Ctrl+K}", "{Ctrl+L}", "{Ctrl+I}",
                                           "{Ctrl+N}", "{click:Percent}"));
// clang-format on

}  // namespace
}  // namespace vexlo::keyscript::testing
