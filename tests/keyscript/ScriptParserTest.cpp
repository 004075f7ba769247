// Key scripts: what each written form delivers, and where a malformed script is reported.

#include <gtest/gtest.h>

#include "keyscript/Script.h"
#include "keyscript/ScriptReader.h"
#include "keyscript/Session.h"

namespace vexlo::keyscript {
namespace {

struct KeyRow {
    std::string script;
    int keyCode;
    int shift;
    char32_t character;
};

class ScriptKey : public ::testing::TestWithParam<KeyRow> {};

TEST_P(ScriptKey, IsOneKeyPressAsTheWindowReceivesIt) {
    const auto& row = GetParam();
    const auto parsed = parseScript(row.script);
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    ASSERT_EQ(parsed.events.size(), 1u);
    const auto& event = parsed.events[0];
    EXPECT_EQ(event.kind, EventKind::Key);
    EXPECT_EQ(event.key.keyCode, row.keyCode);
    EXPECT_EQ(event.key.shift, row.shift);
    EXPECT_EQ(event.key.character, row.character);
    EXPECT_EQ(event.source, row.script);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Forms, ScriptKey,
    ::testing::Values(KeyRow{"a", 65, 0, U'a'}, KeyRow{"Z", 90, 1, U'Z'},
                      KeyRow{"7", 55, 0, U'7'}, KeyRow{" ", 32, 0, U' '},
                      KeyRow{"+", 0, 0, U'+'}, KeyRow{"５", 0, 0, U'５'},
                      KeyRow{"平", 0, 0, U'平'}, KeyRow{"\t", 0, 0, U'\t'},
                      KeyRow{"{Enter}", 13, 0, 13}, KeyRow{"{Esc}", 27, 0, 27},
                      KeyRow{"{Tab}", 9, 0, 9}, KeyRow{"{Backspace}", 8, 0, 8},
                      KeyRow{"{Space}", 32, 0, 32}, KeyRow{"{F1}", 112, 0, 0},
                      KeyRow{"{Ctrl+C}", 67, 2, 3}, KeyRow{"{Ctrl+m}", 77, 2, 13},
                      KeyRow{"{{}", 0, 0, U'{'}, KeyRow{"{}}", 0, 0, U'}'}));
// clang-format on

TEST(ScriptEvents, NameTheirTargets) {
    const auto parsed = parseScript(
        "{menu:Syohi_Zei}{menu:TNN(1)}{click:Number(3)}{click:Check4}{dblclick:Readout}"
        "{shiftclick:Readout}{rightclick:Readout}{resize:1500,5000}{close}"
        "{select:Lstfontname,ＭＳ 明朝, Bold}");
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    ASSERT_EQ(parsed.events.size(), 10u);
    const auto& e = parsed.events;
    EXPECT_EQ(e[0].kind, EventKind::Menu);
    EXPECT_EQ(e[0].target(), "Syohi_Zei");
    EXPECT_EQ(e[1].name, "TNN");
    EXPECT_EQ(e[1].index, 1);
    EXPECT_EQ(e[2].kind, EventKind::Click);
    EXPECT_EQ(e[2].target(), "Number(3)");
    EXPECT_EQ(e[3].index, -1);
    EXPECT_EQ(e[4].kind, EventKind::DblClick);
    EXPECT_EQ(e[5].kind, EventKind::ShiftClick);
    EXPECT_EQ(e[6].kind, EventKind::RightClick);
    EXPECT_EQ(e[7].kind, EventKind::Resize);
    EXPECT_EQ(e[7].height, 1500);
    EXPECT_EQ(e[7].width, 5000);
    EXPECT_EQ(e[8].kind, EventKind::Close);
    EXPECT_EQ(e[9].kind, EventKind::Select);
    EXPECT_EQ(e[9].target(), "Lstfontname");
    EXPECT_EQ(e[9].text, "ＭＳ 明朝, Bold");
}

struct ClipRow {
    std::string script;
    std::string text;
};

std::ostream& operator<<(std::ostream& out, const ClipRow& row) {
    return out << (row.script.size() > 60 ? row.script.substr(0, 60) + "..." : row.script);
}

class ClipText : public ::testing::TestWithParam<ClipRow> {};

const std::string Megabyte(1 << 20, '7');
std::string bracesFor(std::size_t count) {
    std::string escaped;
    for (std::size_t i = 0; i < count; ++i) escaped += "}}";
    return escaped;
}
const std::string MegabyteOfBraces = bracesFor(1 << 20);

TEST_P(ClipText, RunsToTheFirstSingleClosingBrace) {
    const auto parsed = parseScript(GetParam().script);
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    ASSERT_GE(parsed.events.size(), 1u);
    EXPECT_EQ(parsed.events[0].kind, EventKind::Clip);
    EXPECT_EQ(parsed.events[0].text, GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, ClipText,
                         ::testing::Values(ClipRow{"{clip:12.5}", "12.5"}, ClipRow{"{clip:}", ""},
                                           ClipRow{"{clip:a}}b}", "a}b"},
                                           ClipRow{"{clip:}}}", "}"},
                                           ClipRow{"{clip:{x}", "{x"},
                                           ClipRow{"{clip:a}}}}}5", "a}}"},
                                           ClipRow{"{clip:一\n二}", "一\n二"},
                                           // The longest a clipboard text may be.
                                           ClipRow{"{clip:" + Megabyte + "}", Megabyte},
                                           ClipRow{"{clip:" + Megabyte.substr(3) + "あ}",
                                                   Megabyte.substr(3) + "あ"},
                                           ClipRow{"{clip:" + MegabyteOfBraces + "}",
                                                   std::string(1 << 20, '}')}));
// clang-format on

TEST(ScriptEvents, CarryTheirPositionsInCharacters) {
    const auto parsed = parseScript("1{Enter}あ{clip:x}2");
    ASSERT_FALSE(parsed.error);
    std::vector<std::size_t> positions;
    for (const auto& e : parsed.events) positions.push_back(e.position);
    EXPECT_EQ(positions, (std::vector<std::size_t>{1, 2, 9, 10, 18}));
}

// The smallest buffer refills within every character and event; what it reads is the same.
TEST(ScriptEvents, ReadThroughTheSmallestBufferAsParsedWhole) {
    for (const std::string script :
         {"1{Enter}\xf0\xa0\xae\xb7{clip:a}}b}2", "あいう{Ctrl+C}", "12\xe3\x81", "{Ent"}) {
        const ParsedScript whole = parseScript(script);
        ScriptReader reader(textSource(script), 1);
        std::vector<std::string> sources;
        for (Event event; reader.next(event); event = Event{}) sources.push_back(event.source);
        if (whole.error) {
            ASSERT_TRUE(reader.error()) << script;
            EXPECT_EQ(reader.error()->position, whole.error->position) << script;
            continue;
        }
        std::vector<std::string> expected;
        for (const Event& e : whole.events) expected.push_back(e.source);
        EXPECT_FALSE(reader.error()) << script;
        EXPECT_EQ(sources, expected) << script;
    }
}

struct ErrorRow {
    std::string script;
    std::size_t position;
    std::string says;
};

std::ostream& operator<<(std::ostream& out, const ErrorRow& row) {
    return out << (row.script.size() > 60 ? row.script.substr(0, 60) + "..." : row.script);
}

class MalformedScript : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(MalformedScript, IsRefusedWithItsPosition) {
    const auto& row = GetParam();
    const auto parsed = parseScript(row.script);
    ASSERT_TRUE(parsed.error.has_value());
    EXPECT_TRUE(parsed.events.empty());
    EXPECT_EQ(parsed.error->position, row.position);
    EXPECT_NE(parsed.error->message.find(row.says), std::string::npos) << parsed.error->message;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Syntax, MalformedScript,
    ::testing::Values(ErrorRow{"{Enter", 1, "unbalanced"}, ErrorRow{"12{", 3, "unbalanced"},
                      ErrorRow{"1}", 2, "unbalanced \"}\""},
                      ErrorRow{"{En{ter}", 1, "unbalanced"},
                      ErrorRow{"ab{Entr}", 3, "unknown name \"Entr\""},
                      ErrorRow{"{enter}", 1, "unknown name"},
                      ErrorRow{"5{Ctrl+1}", 2, "Ctrl"}, ErrorRow{"{Ctrl+}", 1, "Ctrl"},
                      ErrorRow{"{menu:}", 1, "malformed menu"},
                      ErrorRow{"{menu:TNN(x)}", 1, "malformed menu"},
                      ErrorRow{"{menu:TNN(1}", 1, "malformed menu"},
                      ErrorRow{"{click:}", 1, "malformed control"},
                      ErrorRow{"{dblclick:MEM2}", 1, "Readout"},
                      ErrorRow{"{resize:1500}", 1, "resize"},
                      ErrorRow{"{resize:a,b}", 1, "resize"},
                      ErrorRow{"{resize:-5,100}", 1, "resize"},
                      ErrorRow{"ab{clip:xyz", 3, "clip"}, ErrorRow{"{clip:a}}", 1, "clip"},
                      // A clipboard text of more than a megabyte, however it is spelt.
                      ErrorRow{"5{clip:" + Megabyte + "7}", 2, "longer than 1 MiB"},
                      ErrorRow{"{clip:" + MegabyteOfBraces + "}}}", 1, "longer than 1 MiB"},
                      ErrorRow{"{clip:" + Megabyte.substr(2) + "あ}", 1, "longer than 1 MiB"},
                      ErrorRow{"{menu:" + Megabyte + "}", 1, "names nothing"}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Utf8, MalformedScript,
    ::testing::Values(ErrorRow{"ab\xff", 3, "invalid UTF-8 (byte 3)"},
                      ErrorRow{"あ\xe3\x81", 2, "invalid UTF-8 (byte 4)"},
                      ErrorRow{"\xc0\xaf", 1, "invalid UTF-8"},
                      ErrorRow{"1\xed\xa0\x80", 2, "invalid UTF-8"},
                      ErrorRow{"\xf4\x90\x80\x80", 1, "invalid UTF-8"},
                      ErrorRow{"{clip:\x80}", 7, "invalid UTF-8"}));
// clang-format on

// Names that the window does not know are refused before anything runs.
class UnknownTarget : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(UnknownTarget, IsRefusedBeforeLoading) {
    const auto& row = GetParam();
    platform::MemoryProfileFile file;
    Session session({}, &file);
    const auto error = runScript(session, row.script);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->position, row.position);
    EXPECT_NE(error->message.find(row.says), std::string::npos) << error->message;
    // Nothing ran: not even the start-up step, so the settings are untouched.
    EXPECT_EQ(file.writeCount(), 0);
    EXPECT_EQ(session.window().calculator.state().lastEntry, engine::EntryKind::Nothing);
    EXPECT_FALSE(session.window().form.visible());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Window, UnknownTarget,
    ::testing::Values(ErrorRow{"5{close}{menu:Nope}", 9, "unknown menu item Nope"},
                      ErrorRow{"{menu:TNN}", 1, "unknown menu item TNN"},
                      ErrorRow{"{menu:TNN(7)}", 1, "unknown menu item TNN(7)"},
                      ErrorRow{"{menu:Menu_File}", 1, "submenu"},
                      ErrorRow{"{menu:Kugiri}", 1, "separator"},
                      ErrorRow{"1{select:Nope,Serif}", 2, "unknown control Nope"},
                      ErrorRow{"12{click:Nope}", 3, "unknown control Nope"},
                      ErrorRow{"{click:Number(10)}", 1, "unknown control Number(10)"},
                      ErrorRow{"{click:Readout}", 1, "cannot be clicked"},
                      ErrorRow{"{click:FNTNAME}", 1, "cannot be clicked"}));
// clang-format on

}  // namespace
}  // namespace vexlo::keyscript
