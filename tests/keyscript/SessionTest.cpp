// The run itself: options over the settings file, the trace, closing, resizing and clicking.

#include <gtest/gtest.h>

#include "keyscript/Session.h"

namespace vexlo::keyscript {
namespace {

const std::string StoredEnglishQuiet = "[VEXLO]\nJpFont=1\nAtsNoA=1\nEndMem=0\n";

void run(Session& session, const std::string& script) {
    const auto error = runScript(session, script);
    ASSERT_FALSE(error.has_value()) << error->message;
}

struct OverrideRow {
    std::optional<int> language;
    std::optional<int> warningMode;
    int LanguageMode;
    std::string WarningMode;
    std::string caption;
};

class StartOptions : public ::testing::TestWithParam<OverrideRow> {};

TEST_P(StartOptions, OverrideTheFileWithoutWritingIt) {
    const auto& row = GetParam();
    platform::MemoryProfileFile file(StoredEnglishQuiet);
    RunOptions options;
    options.language = row.language;
    options.warningMode = row.warningMode;
    Session session(options, &file);
    run(session, "8/0=");
    const auto& window = session.window();
    EXPECT_EQ(window.languageSetting, row.LanguageMode);
    EXPECT_EQ(window.warningSetting, row.WarningMode);
    EXPECT_EQ(session.window().form.caption(), row.caption);
    EXPECT_EQ(session.window().form.findMenu("JJJ", row.LanguageMode)->checked(), true);
    EXPECT_EQ(file.text(), StoredEnglishQuiet);
    EXPECT_EQ(file.writeCount(), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, StartOptions,
    ::testing::Values(OverrideRow{std::nullopt, std::nullopt, 1, "1", "【VexloKun】"},
                      OverrideRow{0, std::nullopt, 0, "1", "【ベクロ】"},
                      OverrideRow{std::nullopt, 0, 1, "0", "【VexloKun】"},
                      OverrideRow{0, 0, 0, "0", "【ベクロ】"}));
// clang-format on

TEST(StartOptions, LetTheProgramsOwnWritesThrough) {
    platform::MemoryProfileFile file(StoredEnglishQuiet);
    RunOptions options;
    options.language = 0;
    Session session(options, &file);
    run(session, "{resize:1500,5000}{menu:SSS(1)}{close}");
    EXPECT_EQ(file.read("VEXLO", "SizeH"), "1620");
    EXPECT_EQ(file.read("VEXLO", "SizeW"), "5000");
    EXPECT_EQ(file.read("VEXLO", "Dumy"), "0.");
    EXPECT_EQ(file.read("VEXLO", "JpFont"), "1");
}

TEST(Resume, StartsFromTheStoredDisplay) {
    platform::MemoryProfileFile file("[VEXLO]\nEndMem=1\nDumy=12,345.\n");
    Session session({}, &file);
    run(session, "+5=");
    EXPECT_EQ(session.window().calculator.display(), "12,350.");
}

TEST(Trace, KeepsTheDisplayAfterEveryEvent) {
    RunOptions options;
    options.trace = true;
    Session session(options);
    run(session, "12+3%{Ctrl+K}{close}4");
    std::vector<std::pair<std::string, std::string>> steps;
    for (const auto& step : session.trace()) steps.emplace_back(step.event, step.display);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"1", "1."},   {"2", "12."},          {"+", "12."},        {"3", "3."},
        {"%", "0.36"}, {"{Ctrl+K}", "0.396"}, {"{close}", "0.396"}};
    EXPECT_EQ(steps, expected);
}

TEST(Close, EndsTheRunAndKeepsTheDisplay) {
    platform::MemoryProfileFile file;
    Session session({}, &file);
    run(session, "5{close}6{close}");
    EXPECT_TRUE(session.closed());
    EXPECT_EQ(session.window().calculator.display(), "5.");
    EXPECT_EQ(file.read("VEXLO", "Dumy"), "5.");
    EXPECT_EQ(file.writeCount(), 1);
}

struct ResizeRow {
    std::string script;
    int height;
    int width;
    double fontSize;
};

class UserResize : public ::testing::TestWithParam<ResizeRow> {};

TEST_P(UserResize, SnapsToASizeClass) {
    const auto& row = GetParam();
    Session session({});
    run(session, row.script);
    const auto& form = session.window().form;
    EXPECT_EQ(form.height(), row.height);
    EXPECT_EQ(form.width(), row.width);
    EXPECT_EQ(session.window().controls.display.fontSize(), row.fontSize);
    EXPECT_EQ(session.window().controls.display.width(), row.width - 360);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Drags, UserResize,
                         ::testing::Values(ResizeRow{"{resize:1500,5000}", 1620, 5000, 30},
                                           ResizeRow{"{resize:1200,3000}", 1356, 4400, 19},
                                           ResizeRow{"{resize:2500,9000}", 1800, 7000, 40.5}));
// clang-format on

TEST(Click, PressesTheKeypadAsAUserWould) {
    Session session({});
    run(session, "{click:Number(7)}{click:Operator(1)}{click:Number(2)}{click:Operator(4)}");
    EXPECT_EQ(session.window().calculator.display(), "9.");
}

TEST(Click, DoesNothingOnAHiddenOrDisabledButton) {
    Session session({});
    session.window().controls.digitKeys[7]->setVisible(false);
    session.window().controls.digitKeys[8]->setEnabled(false);
    run(session, "{click:Number(7)}{click:Number(8)}{click:Number(1)}");
    EXPECT_EQ(session.window().calculator.display(), "1.");
}

}  // namespace
}  // namespace vexlo::keyscript
