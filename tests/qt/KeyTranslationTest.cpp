#include <gtest/gtest.h>

#include <QKeyEvent>
#include <cctype>
#include <ostream>
#include <vector>

#include "qt/KeyTranslation.h"

namespace vexlo::platform {
// Found by argument lookup from the assertions below.
inline bool operator==(const KeyStroke& a, const KeyStroke& b) {
    return a.keyCode == b.keyCode && a.shift == b.shift && a.character == b.character;
}
inline void PrintTo(const KeyStroke& k, std::ostream* out) {
    *out << "{" << k.keyCode << ", " << k.shift << ", U+" << std::hex
         << static_cast<unsigned>(k.character) << std::dec << "}";
}
}  // namespace vexlo::platform

namespace vexlo::qtview {
namespace {

using platform::KeyStroke;

struct KeyRow {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers mods;
    const char* text;  // UTF-8
    KeyStroke expected;
};

void PrintTo(const KeyRow& row, std::ostream* out) {
    *out << row.name;
}

const std::vector<KeyRow> KeyRows = {
    {"digit", Qt::Key_1, Qt::NoModifier, "1", {49, 0, U'1'}},
    {"keypad digit", Qt::Key_7, Qt::KeypadModifier, "7", {55, 0, U'7'}},
    {"small letter", Qt::Key_M, Qt::NoModifier, "m", {77, 0, U'm'}},
    {"capital letter", Qt::Key_M, Qt::ShiftModifier, "M", {77, 1, U'M'}},
    {"star on the main keyboard", Qt::Key_Asterisk, Qt::ShiftModifier, "*", {42, 1, U'*'}},
    {"keypad star", Qt::Key_Asterisk, Qt::KeypadModifier, "*", {42, 0, U'*'}},
    {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, "+", {43, 0, U'+'}},
    {"Return", Qt::Key_Return, Qt::NoModifier, "\r", {13, 0, U'\r'}},
    {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", {13, 0, U'\r'}},
    {"Enter without text", Qt::Key_Enter, Qt::KeypadModifier, "", {13, 0, U'\r'}},
    {"Ctrl+Enter is still Enter", Qt::Key_Return, Qt::ControlModifier, "", {13, 2, U'\r'}},
    {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", {27, 0, 27}},
    {"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", {9, 0, 9}},
    {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, "", {9, 1, 9}},
    {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", {8, 0, 8}},
    {"Space", Qt::Key_Space, Qt::NoModifier, " ", {32, 0, U' '}},
    {"F1", Qt::Key_F1, Qt::NoModifier, "", {112, 0, 0}},
    {"F12", Qt::Key_F12, Qt::NoModifier, "", {123, 0, 0}},
    {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03", {67, 2, 3}},
    {"Ctrl+M types a carriage return", Qt::Key_M, Qt::ControlModifier, "", {77, 2, 13}},
    {"Ctrl+Shift+A", Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, "", {65, 3, 1}},
    {"Ctrl+digit types nothing", Qt::Key_1, Qt::ControlModifier, "1", {49, 2, 0}},
    {"Delete types nothing", Qt::Key_Delete, Qt::NoModifier, "\x7f", {0, 0, 0}},
    {"arrow", Qt::Key_Left, Qt::NoModifier, "", {0, 0, 0}},
    // The platform reports the state before the press; Qt adds Shift to a Shift key's event.
    {"Shift alone", Qt::Key_Shift, Qt::NoModifier, "", {0, 1, 0}},
    {"full-width digit", Qt::Key_unknown, Qt::NoModifier, "１", {0, 0, U'１'}},
    {"Latin-1 letter", Qt::Key_Adiaeresis, Qt::ShiftModifier, "Ä", {0xC4, 1, U'Ä'}},
};

class KeyStrokeTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyStrokeTest, ReadsAsTheWindowsKeyEvents) {
    const KeyRow& row = GetParam();
    const QKeyEvent event(QEvent::KeyPress, row.qtKey, row.mods, QString::fromUtf8(row.text));
    EXPECT_EQ(keyStroke(event), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyStrokeTest, ::testing::ValuesIn(KeyRows), [](const auto& info) {
    std::string name;
    for (const char c : std::string(info.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

TEST(KeyEventForTest, PostedKeysReadBackAsTheyWereSent) {
    const std::vector<KeyStroke> strokes = {
        {13, 0, U'\r'}, {27, 0, 27},   {9, 0, 9},     {8, 0, 8},       {32, 0, U' '},
        {112, 0, 0},    {49, 0, U'1'}, {65, 1, U'A'}, {65, 2, 1},      {77, 2, 13},
        {0, 0, U'９'},  {0, 0, 0},     {37, 1, U'%'}, {0xC4, 1, U'Ä'},
    };
    for (const KeyStroke& stroke : strokes) {
        const auto event = keyEventFor(stroke);
        EXPECT_EQ(event->type(), QEvent::KeyPress);
        EXPECT_EQ(keyStroke(*event), stroke) << ::testing::PrintToString(stroke);
    }
}

TEST(CommittedKeysTest, EveryCommittedCharacterIsOneKeyWithoutKeyCode) {
    const auto strokes = committedKeys(QString::fromUtf8("１２＊𠀋"));
    ASSERT_EQ(strokes.size(), 4u);
    EXPECT_EQ(strokes[0], (KeyStroke{0, 0, U'１'}));
    EXPECT_EQ(strokes[1], (KeyStroke{0, 0, U'２'}));
    EXPECT_EQ(strokes[2], (KeyStroke{0, 0, U'＊'}));
    EXPECT_EQ(strokes[3], (KeyStroke{0, 0, U'𠀋'}));  // outside the BMP: one key, not two
    EXPECT_TRUE(committedKeys(QString()).empty());
}

TEST(MenuAccessKeyTest, AltCombinationsAndAltItselfAreLeftToTheMenuBar) {
    EXPECT_TRUE(isMenuAccessKey(QKeyEvent(QEvent::KeyPress, Qt::Key_O, Qt::AltModifier, "o")));
    EXPECT_TRUE(isMenuAccessKey(QKeyEvent(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier)));
    EXPECT_FALSE(isMenuAccessKey(QKeyEvent(QEvent::KeyPress, Qt::Key_O, Qt::NoModifier, "o")));
    EXPECT_FALSE(isMenuAccessKey(QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier)));
}

}  // namespace
}  // namespace vexlo::qtview
