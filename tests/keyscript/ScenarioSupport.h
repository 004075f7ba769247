#pragma once
// Scenario rows: a script, the start options, and what the calculator shows afterwards, run
// through the same runner as vexlo-keys.

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "keyscript/Session.h"

namespace vexlo::keyscript::testing {

struct Message {
    std::string title;
    std::string text;
    bool operator==(const Message&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << "{" << m.title << " | " << m.text << "}";
}

// Start options of a row.
struct Start {
    int language = 0;     // 0 Japanese, 1 English
    int warningMode = 0;  // 0 warnings shown, 1 not
};
inline constexpr Start Ja{0, 0};
inline constexpr Start JaQuiet{0, 1};
inline constexpr Start En{1, 0};
inline constexpr Start EnQuiet{1, 1};

inline const Message JaOverflow{"【ベクロ】", "表示行数をオーバーしました。"};
inline const Message JaOverflowEntry{"【ベクロ】", "表示行数をオーバーしました?。"};
inline const Message JaOverflowResult{"【ベクロ】", "表示行数をオーバーしました。?"};
inline const Message EnOverflow{"【VexloKun】", "Indication overflowed."};
inline const Message JaDivide{"電卓", "ゼロで割れません。"};
inline const Message EnDivide{"【VexloKun】", " Cannot be divided by 0."};

struct Scenario {
    std::string name{};
    std::string script{};
    Start start = Ja;
    std::string display{};
    std::optional<std::string> mem2{};  // unchecked when absent
    std::optional<std::string> mem1{};
    std::vector<Message> messages{};
    std::optional<std::string> clipboard{};
    std::optional<double> FirstOperand{};
    std::optional<double> MemoryValue{};
    std::optional<std::string> MemoryMark{};
    std::optional<int> PointEntered{};  // -1 true, 0 false
};

inline std::ostream& operator<<(std::ostream& out, const Scenario& s) {
    return out << s.name << ": " << s.script;
}

// A fresh session with the row's start options (and clipboard text, when given).
inline RunOptions optionsFor(Start start, std::optional<std::string> clipboard = std::nullopt) {
    RunOptions options;
    options.language = start.language;
    options.warningMode = start.warningMode;
    options.clipboard = std::move(clipboard);
    return options;
}

inline std::vector<Message> messagesOf(Session& session) {
    std::vector<Message> out;
    for (const auto& m : session.platform().messages.shown) out.push_back({m.title, m.text});
    return out;
}

// Runs the script; a script the runner refuses fails the test.
inline void runOrFail(Session& session, const std::string& script) {
    const auto error = runScript(session, script);
    ASSERT_FALSE(error.has_value()) << "character " << error->position << ": " << error->message;
}

inline void expectScenario(const Scenario& row) {
    Session session(optionsFor(row.start));
    runOrFail(session, row.script);
    const auto& window = session.window();
    const engine::Calculator& calculator = window.calculator;
    EXPECT_EQ(calculator.display(), row.display);
    if (row.mem2) {
        EXPECT_EQ(window.controls.mark.caption(), *row.mem2);
    }
    if (row.mem1) {
        EXPECT_EQ(window.controls.memoryIndicator.text(), *row.mem1);
    }
    EXPECT_EQ(messagesOf(session), row.messages);
    if (row.clipboard) {
        EXPECT_EQ(session.platform().clipboard.contents, *row.clipboard);
    }
    if (row.FirstOperand) {
        EXPECT_EQ(calculator.state().firstOperand, *row.FirstOperand);
    }
    if (row.MemoryValue) {
        EXPECT_EQ(calculator.state().memory, *row.MemoryValue);
    }
    if (row.MemoryMark) {
        EXPECT_EQ(calculator.state().memoryMarked ? "M" : "", *row.MemoryMark);
    }
    if (row.PointEntered) {
        EXPECT_EQ(calculator.state().pointEntered ? -1 : 0, *row.PointEntered);
    }
}

// Test names from row names.
inline std::string rowName(const ::testing::TestParamInfo<Scenario>& info) {
    std::string name;
    for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

}  // namespace vexlo::keyscript::testing
