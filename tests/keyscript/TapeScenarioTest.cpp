// The calculation tape as a script leaves it: each row's tape printed one line each, as
// "NUMBER | FUNCTION", with "----" for a rule.

#include <random>

#include "ScenarioSupport.h"
#include "keyscript/Report.h"

namespace vexlo::keyscript::testing {
namespace {

struct TapeRow {
    std::string name;
    std::string script;
    std::vector<std::string> tape;
    Start start = Ja;
    std::optional<std::string> clipboard{};
};

std::ostream& operator<<(std::ostream& out, const TapeRow& row) {
    return out << row.name << ": " << row.script;
}

std::vector<std::string> tapeOf(Session& session) {
    std::vector<std::string> lines;
    for (const tape::Line& line : session.window().tape.lines()) {
        lines.push_back(line.number + " | " + line.function);
        if (line.ruleBelow) lines.emplace_back("----");
    }
    return lines;
}

class TapeScenario : public ::testing::TestWithParam<TapeRow> {};

TEST_P(TapeScenario, PrintsEachStep) {
    const TapeRow& row = GetParam();
    Session session(optionsFor(row.start, row.clipboard));
    runOrFail(session, row.script);
    EXPECT_EQ(tapeOf(session), row.tape);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Steps, TapeScenario,
    ::testing::Values(
        TapeRow{"a sum of receipts", "1000+480+1200=",
                {"1,000 | +", "480 | +", "1,200 | ", "2,680 | =", "----"}},
        TapeRow{"tax, then a sum", "1000{Ctrl+K}+500=",
                {"1,100.00 | 税込10%", "1,100.00 | +", "500 | ", "1,600 | =", "----"}},
        TapeRow{"the reduced rate taken off", "1080{Ctrl+N}",
                {"1,000 | 税抜8%"}},
        TapeRow{"an operator pressed again replaces the one before", "12+*/3=",
                {"12 | ÷", "3 | ", "4 | =", "----"}},
        TapeRow{"an operator after a sign keeps the sign", "12+-*3=",
                {"12 | +", "-3 | ", "9 | =", "----"}},
        TapeRow{"a leading minus is the number's sign", "-5*-2=",
                {"-5 | ×", "-2 | ", "10 | =", "----"}},
        TapeRow{"a result goes on into the next sum", "2*3=+4=",
                {"2 | ×", "3 | ", "6 | =", "----", "6 | +", "4 | ", "10 | =", "----"}},
        TapeRow{"percent from the keyboard shows its result", "200*5%",
                {"200 | ×", "5 | %", "10 | =", "----"}},
        TapeRow{"fractions keep their digits", "0.5+1.25=",
                {"0.5 | +", "1.25 | ", "1.75 | =", "----"}},
        TapeRow{"C and CE", "12+7@5=c",
                {"12 | +", "7 | CE", "5 | ", "17 | =", "----", " | C", "----"}},
        TapeRow{"memory commands with their values", "100z{Ctrl+D}@a{Ctrl+F}{Ctrl+G}q",
                {"100 | M", "100 | M+", "100 | CE", "200 | MR", "400 | +M", "200 | −M",
                 "200 | MC"}},
        TapeRow{"a paste", "{clip:1,234}{Ctrl+V}*2=",
                {"1,234 | 貼付", "1,234 | ×", "2 | ", "2,468 | =", "----"}},
        TapeRow{"division by zero is a line of its own", "5/0=",
                {"5 | ÷", "0 | ", " | ゼロで割れません。", "5 | =", "----"}},
        TapeRow{"an overflow while typing", "123456789012345",
                {" | 表示行数をオーバーしました。", " | 表示行数をオーバーしました?。"}},
        TapeRow{"a long product in units of 10^8", "123456789*1000000=",
                {"123,456,789 | ×", "1,000,000 | ", " | 表示行数をオーバーしました。?",
                 "1,234,567.89億 | =", "----"}},
        TapeRow{"era years both ways", "h31 2019:",
                {"平31 | → 2019年", "2019年 | → 紀元前・未対応"}},
        TapeRow{"a Western year to its era", "1990:", {"1,990 | → 平成2年"}},
        TapeRow{"a unit conversion", "{menu:TNN(1)}{click:Check7}{click:Option7}12{click:Check3}",
                {"12 | 立方ヤード → 324.立方ft"}},
        TapeRow{"English names", "1000{Ctrl+K}{clip:5}{Ctrl+V}c",
                {"1,100.00 | TAX+10%", "5 | Paste", " | C", "----"}, En},
        TapeRow{"English division by zero", "5/0=",
                {"5 | ÷", "0 | ", " |  Cannot be divided by 0.", "5 | =", "----"}, En},
        TapeRow{"keys that take no step leave no line", "123.45{Ctrl+P}{menu:Tape}", {}}),
    [](const auto& info) {
        std::string name;
        for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });
// clang-format on

TEST(Tape, OpeningFromTheMenuOrCtrlPShowsTheWindowBesideTheCalculator) {
    for (const std::string script : {"{menu:Tape}", "{Ctrl+P}"}) {
        Session session(optionsFor(Ja));
        runOrFail(session, script);
        const shell::MainWindow& window = session.window();
        EXPECT_TRUE(window.tapeWindow.visible()) << script;
        EXPECT_EQ(window.tapeWindow.left(), window.form.left() + window.form.width()) << script;
        EXPECT_EQ(window.tapeWindow.top(), window.form.top()) << script;
        EXPECT_EQ(window.tapeWindow.caption(), "計算テープ");
    }
}

TEST(Tape, RecordsWhileItsWindowIsClosedAndClosingLosesNothing) {
    Session session(optionsFor(Ja));
    runOrFail(session, "1+2={menu:Tape}3+4=");
    session.window().closeTape();
    runOrFail(session, "5*6=");
    EXPECT_EQ(session.window().tape.size(), 9u);
    EXPECT_FALSE(session.window().tapeWindow.visible());
}

TEST(Tape, ADoubleClickedLinePutsItsNumberIntoTheDisplay) {
    Session session(optionsFor(Ja));
    runOrFail(session, "1234+480=c");
    shell::MainWindow& window = session.window();
    struct Row {
        std::size_t line;
        std::string display;
    };
    for (const Row& row :
         {Row{0, "1,234."}, Row{2, "1,714."}, Row{3, "1,714."}, Row{99, "1,714."}}) {
        window.pasteFromTape(row.line);  // line 3 is C: nothing to put in
        EXPECT_EQ(window.calculator.display(), row.display) << row.line;
    }
    EXPECT_EQ(window.tape.lines().back().function, "貼付");
}

TEST(Tape, KeepsItsPlaceAndSizeInTheSettingsFile) {
    platform::MemoryProfileFile file;
    {
        Session session(optionsFor(Ja), &file);
        runOrFail(session, "{menu:Tape}");
        session.window().tapeWindow.move(9000, 600);
        session.window().tapeWindow.setWidth(5000);
        runOrFail(session, "{Esc}");  // closing the program closes the tape with it
    }
    Session again(optionsFor(Ja), &file);
    runOrFail(again, "{menu:Tape}");
    const platform::Form& tape = again.window().tapeWindow;
    EXPECT_EQ(tape.left(), 9000);
    EXPECT_EQ(tape.top(), 600);
    EXPECT_EQ(tape.width(), 5000);
}

TEST(Tape, RecordingNeverChangesWhatAKeyDoes) {
    // Random key scripts give the same state with the tape's recorder listening and without it.
    const std::vector<std::string> events = {
        "0",        "1",        "5",        "9",        ".",        "+",        "-",
        "*",        "/",        "=",        "%",        "c",        "@",        "z",
        "a",        "q",        "{Ctrl+D}", "{Ctrl+E}", "{Ctrl+F}", "{Ctrl+G}", "{Ctrl+K}",
        "{Ctrl+L}", "{Ctrl+I}", "{Enter}",  "h",        "{Space}",  ":"};
    std::mt19937 random(20261211);
    for (int run = 0; run < 40; ++run) {
        std::string script;
        for (int i = 0; i < 200; ++i) script += events[random() % events.size()];
        Session recorded(optionsFor(JaQuiet));
        Session bare(optionsFor(JaQuiet));
        bare.window().calculator.onStep = nullptr;
        runOrFail(recorded, script);
        runOrFail(bare, script);
        EXPECT_EQ(recorded.window().calculator.state(), bare.window().calculator.state()) << script;
        EXPECT_EQ(recorded.window().calculator.display(), bare.window().calculator.display())
            << script;
        EXPECT_EQ(messagesOf(recorded), messagesOf(bare)) << script;
        EXPECT_TRUE(bare.window().tape.empty());
    }
}

}  // namespace
}  // namespace vexlo::keyscript::testing
