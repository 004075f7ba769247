// The Qt clipboard service and the display's copy and paste paths. The offscreen platform's
// clipboard lives in this process, so the user's clipboard is never touched.

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>

#include "QtViewFixture.h"

namespace vexlo::qtview::testing {
namespace {

class QtClipboardTest : public ::testing::Test {
  protected:
    void TearDown() override { QGuiApplication::clipboard()->clear(); }
    QtClipboard clipboard;
};

TEST_F(QtClipboardTest, TextRoundTripsExactly) {
    const char* texts[] = {"12,345.", "-0.5", "令和5年", "ｃｍ", " 1 ", "𠀋"};
    for (const char* text : texts) {
        EXPECT_TRUE(clipboard.clear());
        EXPECT_TRUE(clipboard.setText(text));
        EXPECT_EQ(clipboard.text(), text);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(text));
    }
}

TEST_F(QtClipboardTest, NoTextReadsAsNothing) {
    clipboard.setText("1");
    clipboard.clear();
    EXPECT_EQ(clipboard.text(), std::nullopt);

    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    EXPECT_EQ(clipboard.text(), std::nullopt);
}

TEST_F(QtClipboardTest, TextPutThereByAnotherProgramIsRead) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("３６．"));
    EXPECT_EQ(clipboard.text(), "３６．");
}

class DisplayClipboardTest : public ViewFixture {
  protected:
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers mods = {}) {
        QLabel* display = window.labelFor(main.controls.display);
        const QPointF at(20, 5);
        QMouseEvent event(type, at, display->mapToGlobal(at), button, button, mods);
        QCoreApplication::sendEvent(display, &event);
    }
    void click(Qt::MouseButton button, Qt::KeyboardModifiers mods = {}) {
        mouse(QEvent::MouseButtonPress, button, mods);
        mouse(QEvent::MouseButtonRelease, button, mods);
    }
};

TEST_F(DisplayClipboardTest, CtrlCCopiesAndCtrlVPastesTheDisplay) {
    type("1234.5");
    sendKey(Qt::Key_C, Qt::ControlModifier, "\x03");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1,234.5"));

    QGuiApplication::clipboard()->setText(QStringLiteral("20"));
    sendKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(main.calculator.display(), "20.");
}

TEST_F(DisplayClipboardTest, PasteFromTheMenuShowsTheClipboardText) {
    QGuiApplication::clipboard()->setText(QStringLiteral("98765.4"));
    sendKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(main.calculator.display(), "98,765.4");
    EXPECT_EQ(shownDisplay(), QStringLiteral("98,765.4"));
    type("+1=");
    EXPECT_EQ(main.calculator.display(), "98,766.4");
}

TEST_F(DisplayClipboardTest, DoubleClickOnTheDisplayCopiesIt) {
    type("42");
    click(Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("42."));
    EXPECT_TRUE(window.labelFor(main.controls.display)->isEnabled());
}

TEST_F(DisplayClipboardTest, ShiftClickOnTheDisplayPastes) {
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    click(Qt::LeftButton);
    EXPECT_EQ(main.calculator.display(), "0.") << "a plain click does not paste";
    click(Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(main.calculator.display(), "77.");
}

TEST_F(DisplayClipboardTest, EmptyClipboardLeavesTheDisplay) {
    QGuiApplication::clipboard()->clear();
    type("5");
    sendKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(main.calculator.display(), "5.");
}

}  // namespace
}  // namespace vexlo::qtview::testing
