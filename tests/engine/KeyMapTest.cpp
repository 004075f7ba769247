#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Calculator.h"
#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/headless/HeadlessServices.h"
#include "platform/headless/MemoryProfileFile.h"

using namespace vexlo;

namespace {

// A calculator whose neighbouring commands only record that they were reached, wired to a
// form as the main window wires it.
struct Keyboard {
    platform::MemoryProfileFile profile;
    platform::HeadlessPlatform platform{profile};
    platform::Form form{"Calculator"};
    engine::Calculator calc;
    std::vector<std::string> reached;

    explicit Keyboard(int language = 0) {
        calc.setLanguage(language == 0 ? engine::Language::Japanese : engine::Language::English);
        form.onKeyDown = [this](int code, int shift) {
            deliver(calc.keyDown(code, (shift & platform::modifiers::Ctrl) != 0));
        };
        form.onKeyPress = [this](char32_t& c) {
            const char32_t typed = c;
            c = 0;
            deliver(calc.typeCharacter(typed));
        };
    }
    void deliver(const engine::Outcome& outcome) {
        if (outcome.evaluateNow) platform.keys.post({platform::keys::Enter, 0, U'\r'});
        using Command = engine::Outcome::Command;
        if (outcome.command == Command::CopyDisplay) platform.clipboard.setText(calc.display());
        if (outcome.command == Command::EraToWestern) reached.push_back("WA_SEI");
        if (outcome.command == Command::WesternToEra) reached.push_back("SEI_WA");
        if (outcome.command == Command::CloseWindow) reached.push_back("unload");
    }
    // One key as the window receives it, then the keys it sent to itself.
    void press(platform::KeyStroke key) {
        form.pressKey(key);
        while (!platform.keys.pending.empty()) {
            const auto queued = platform.keys.pending.front();
            platform.keys.pending.pop_front();
            form.pressKey(queued);
        }
    }
    void type(std::u32string_view keys) {
        for (char32_t c : keys) {
            const int code = (c >= U'a' && c <= U'z') ? static_cast<int>(c - 32)
                             : (c < 128)              ? static_cast<int>(c)
                                                      : 0;
            press({code, 0, c});
        }
    }
};

}  // namespace

// Each character after "12": what the display, the mark and the neighbours show.
TEST(KeyMap, EachCharacterReachesItsCommand) {
    struct Row {
        std::u32string key;
        std::string display;
        std::string mem2;
        std::vector<std::string> reached;
    };
    const Row rows[] = {
        {U"+", "12.", "＋", {}},
        {U"-", "12.", "－", {}},
        {U"*", "12.", "×", {}},
        {U"x", "12.", "×", {}},
        {U"X", "12.", "", {}},  // a typed capital X multiplies without a mark
        {U"/", "12.", "÷", {}},
        {U"=", "12.", " ", {}},
        {U"\r", "12.", "", {}},
        {U"m", "12.", "明", {}},
        {U"M", "12.", "明", {}},
        {U"t", "12.", "大", {}},
        {U"T", "12.", "大", {}},
        {U"s", "12.", "昭", {}},
        {U"S", "12.", "昭", {}},
        {U"h", "12.", "平", {}},
        {U"H", "12.", "平", {}},
        {U"r", "12.", "令", {}},
        {U"R", "12.", "令", {}},
        {U"3", "123.", "", {}},
        {U"@", "0.", "", {}},
        {U"c", "0.", " ", {}},
        {U"[", "0.", " ", {}},
        {U"z", "12.", "M", {}},
        {U"&", "12.", "M", {}},
        {U"a", "0.", "", {}},
        {U"$", "0.", "", {}},
        {U"q", "12.", "", {}},
        {U"#", "12.", "", {}},
        {U"\x1b", "12.", "", {"unload"}},
        {U"\t", "12.", "", {"unload"}},
        {U".", "12.", "", {}},
        {U"%", "0.12", "", {}},  // the sent Enter evaluates, and empties the mark
        {U"]", "0.12", "", {}},
        {U" ", "12.", "", {"WA_SEI"}},
        {U"\b", "12.", "", {"SEI_WA"}},
        {U":", "12.", "", {"SEI_WA"}},
        // Characters outside the map do nothing.
        {U"C", "12.", "", {}},
        {U"!", "12.", "", {}},
        {U"\\", "12.", "", {}},
        {U"b", "12.", "", {}},
        {U"Z", "12.", "", {}},
        {U"?", "12.", "", {}},
        {U"\x03", "12.", "", {}},
        // Full-width keys from an input method act as their half-width forms.
        {U"３", "123.", "", {}},
        {U"＋", "12.", "＋", {}},
        {U"＊", "12.", "×", {}},
        {U"％", "0.12", "", {}},
        {U"＠", "0.", "", {}},
        {U"．", "12.", "", {}},
        {U"Ａ", "12.", "", {}},
        {U"ー", "12.", "－", {}},
        {U"÷", "12.", "÷", {}},
        {U"×", "12.", "×", {}},
        {U"。", "12.", "", {}},
        {U"「", "0.", " ", {}},
        {U"」", "0.12", "", {}},
        {U"\u3000", "12.", "", {"WA_SEI"}},
    };
    for (const Row& row : rows) {
        Keyboard k;
        k.type(U"12");
        k.calc.setMark("");
        k.type(row.key);
        const std::string label(row.key.begin(), row.key.end());
        EXPECT_EQ(k.calc.display(), row.display) << "key U+" << std::hex << int(row.key[0]);
        EXPECT_EQ(k.calc.mark(), row.mem2) << "key U+" << std::hex << int(row.key[0]);
        EXPECT_EQ(k.reached, row.reached) << "key U+" << std::hex << int(row.key[0]);
    }
}

TEST(KeyMap, OperatorKeysEvaluateLeftToRight) {
    struct Row {
        std::u32string keys;
        std::string display;
    };
    const Row rows[] = {
        {U"12*3\r", "36."},  {U"12x3=", "36."},   {U"12X3=", "36."},    {U"2+3*4=", "20."},
        {U"100*10%", "10."}, {U"8/2=", "4."},     {U"5-3=", "2."},      {U"１２＊３＝", "36."},
        {U"50%", "0.5"},     {U"1.5+1.5=", "3."}, {U"0.1+0.2=", "0.3"},
    };
    for (const Row& row : rows) {
        Keyboard k;
        k.type(row.keys);
        EXPECT_EQ(k.calc.display(), std::string(row.display));
    }
}

TEST(KeyMap, KeyDownWritesEraMarksAndHandlesCtrl) {
    struct Row {
        int language;
        platform::KeyStroke key;
        std::string mem2;
    };
    const Row rows[] = {
        {0, {'T', platform::modifiers::Ctrl, 20}, "大"},  // only Ctrl+T's mark stays
        {1, {'T', platform::modifiers::Ctrl, 20}, "T"},
        {0, {'S', platform::modifiers::Ctrl, 19}, ""},
        {0, {'M', 0, 0}, "明"},
        {1, {'M', 0, 0}, "Ｍ"},
        {1, {'S', 0, 0}, "S"},
        {1, {'S', 0, U's'}, "昭"},  // the character's kanji mark replaces the letter
        {0, {'H', 0, 0}, "?"},      // H is recognised and does nothing
    };
    for (const Row& row : rows) {
        Keyboard k(row.language);
        k.calc.setMark("?");
        k.press(row.key);
        EXPECT_EQ(k.calc.mark(), row.mem2) << row.key.keyCode << " " << row.language;
    }
}

TEST(KeyMap, CtrlCCopiesAndCtrlMStoresThenEvaluates) {
    Keyboard k;
    k.type(U"5+7");
    k.press({'C', platform::modifiers::Ctrl, 3});
    EXPECT_EQ(k.platform.clipboard.contents, "7.");
    k.press({'M', platform::modifiers::Ctrl, 13});
    EXPECT_EQ(k.calc.state().memory, 7);
    EXPECT_EQ(k.calc.display(), "12.");
}

TEST(KeyMap, ClearKeyRestoresTheMemoryMarkBeforeCancelling) {
    Keyboard k;
    k.type(U"5z");
    EXPECT_TRUE(k.calc.state().memoryMarked);
    k.type(U"c");
    EXPECT_EQ(k.calc.memoryIndicator(), " ");  // cancel leaves a blank
    EXPECT_EQ(k.calc.mark(), " ");
    EXPECT_EQ(k.calc.state().memory, 5);
    k.type(U"q");
    EXPECT_EQ(k.calc.state().memory, 0);
    EXPECT_FALSE(k.calc.state().memoryMarked);
}
