// Keys sent to the real window reach the form's handlers through the key filter.

#include <QInputMethodEvent>
#include <QMenuBar>

#include "QtViewFixture.h"
#include "shell/settings/SettingsKeys.h"

namespace vexlo::qtview::testing {
namespace {

class WindowKeysTest : public ViewFixture {};

TEST_F(WindowKeysTest, TypedCalculationShowsItsResult) {
    sendKey(Qt::Key_1, Qt::NoModifier, "1");
    sendKey(Qt::Key_2, Qt::NoModifier, "2");
    sendKey(Qt::Key_Asterisk, Qt::KeypadModifier, "*");
    EXPECT_EQ(main.controls.mark.caption(), "×");
    sendKey(Qt::Key_3, Qt::NoModifier, "3");
    sendKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(main.calculator.display(), "36.");
    EXPECT_EQ(shownDisplay(), QStringLiteral("36."));
}

// Start-up draws only what it shows; after the first key the faces and glyphs of marks and era
// results are drawn off screen a character per pass, so a key typed meanwhile waits for one at
// most, and nothing on screen changes.
TEST_F(WindowKeysTest, FirstKeyWarmsGlyphsACharacterAPass) {
    const GlyphWarmer& warmer = view.glyphWarmer();
    EXPECT_FALSE(warmer.started());
    sendKey(Qt::Key_1, Qt::NoModifier, "1");
    ASSERT_TRUE(warmer.started());
    const std::size_t all = warmer.pending();
    ASSERT_GT(all, 20U);
    while (warmer.pending() == all) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(warmer.pending(), all - 1);
    for (std::size_t pass = 0; pass < 4 * all && warmer.pending() > 0; ++pass) {
        const std::size_t before = warmer.pending();
        QCoreApplication::processEvents();
        EXPECT_LE(before - warmer.pending(), 1U);
    }
    EXPECT_EQ(warmer.pending(), 0U);
    EXPECT_EQ(shownDisplay(), QStringLiteral("1."));
    EXPECT_EQ(main.controls.mark.caption(), " ");
}

TEST_F(WindowKeysTest, KeysTypedIntoTheMenuBarOrTheDisplayReachTheFormToo) {
    QKeyEvent one(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4");
    QCoreApplication::sendEvent(window.menuBar(), &one);
    QKeyEvent two(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, "2");
    QCoreApplication::sendEvent(window.labelFor(main.controls.display), &two);
    EXPECT_EQ(main.calculator.display(), "42.");
}

TEST_F(WindowKeysTest, KeypadEnterEvaluatesLikeReturn) {
    type("7+8");
    sendKey(Qt::Key_Enter, Qt::KeypadModifier, "\r");
    EXPECT_EQ(main.calculator.display(), "15.");
}

TEST_F(WindowKeysTest, PercentEvaluatesThroughThePostedEnterKey) {
    type("100*10%");
    EXPECT_EQ(main.controls.mark.caption(), "%");
    processEvents();  // the Enter posted by the percent key arrives after the handler
    EXPECT_EQ(main.calculator.display(), "10.");
    EXPECT_EQ(main.controls.mark.caption(), "");
    EXPECT_EQ(shownDisplay(), QStringLiteral("10."));
}

TEST_F(WindowKeysTest, InputMethodCommitsAreTypedCharacterByCharacter) {
    struct Row {
        const char* commit;
        std::string display;
    };
    const Row rows[] = {
        {"１２＊３", "36."}, {"１ー３", "-2."},  {"８・２", "4."},
        {"１。５×２", "3."}, {"９÷３", "3."},    {"５−７", "-2."},
        {"７‐２", "5."},     {"「４＋１", "5."}, {"２００×１０％", "20."},
    };
    for (const Row& row : rows) {
        sendKey(Qt::Key_BracketLeft, Qt::NoModifier, "[");
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(row.commit));
        QCoreApplication::sendEvent(&window, &commit);
        sendKey(Qt::Key_Return, Qt::NoModifier, "\r");
        processEvents();
        EXPECT_EQ(main.calculator.display(), row.display) << row.commit;
    }
}

TEST_F(WindowKeysTest, TheWindowTakesNoCompositionSoKeysArriveAsKeys) {
    EXPECT_FALSE(window.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(window.inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(WindowKeysTest, AcceleratorRunsItsMenuItemAndTypesNothing) {
    type("12+5");
    // Ctrl+H recalls the memory (0); its control character would be a backspace conversion.
    sendKey(Qt::Key_H, Qt::ControlModifier, "\x08");
    EXPECT_EQ(main.calculator.display(), "0.");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowKeysTest, QtShortcutsNeverTakeTheCalculatorsKeys) {
    QKeyEvent ctrlA(QEvent::ShortcutOverride, Qt::Key_A, Qt::ControlModifier);
    ctrlA.ignore();
    EXPECT_TRUE(QCoreApplication::sendEvent(&window, &ctrlA));
    EXPECT_TRUE(ctrlA.isAccepted());

    QKeyEvent altO(QEvent::ShortcutOverride, Qt::Key_O, Qt::AltModifier, "o");
    altO.ignore();
    QCoreApplication::sendEvent(&window, &altO);
    EXPECT_FALSE(altO.isAccepted()) << "Alt+O stays the options menu's access key";
}

TEST_F(WindowKeysTest, EscapeClosesTheWindowAndKeepsTheDisplayText) {
    bool closed = false;
    window.onClosed = [&closed] { closed = true; };
    type("12");
    sendKey(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_TRUE(main.form.closed());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(closed);
    EXPECT_EQ(profile.read("VEXLO", shell::keys::Dumy), "12.");

    type("3");
    EXPECT_EQ(main.calculator.display(), "12.") << "a closed window takes no keys";
}

TEST_F(WindowKeysTest, TabClosesTheWindowToo) {
    sendKey(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_TRUE(main.form.closed());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(view.glyphWarmer().started()) << "nothing is drawn for a closed window";
}

TEST_F(WindowKeysTest, TitleBarCloseRunsTheUnloadStepOnce) {
    type("5");
    window.close();
    EXPECT_TRUE(main.form.closed());
    EXPECT_EQ(profile.read("VEXLO", shell::keys::Dumy), "5.");
    const int writes = profile.writeCount();
    processEvents();
    window.close();
    EXPECT_EQ(profile.writeCount(), writes);
}

}  // namespace
}  // namespace vexlo::qtview::testing
