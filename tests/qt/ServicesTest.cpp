// The Qt services that need no calculator: the message box and the posted keys; and the mouse
// as the window hands it on.

#include <QAbstractButton>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <vector>

#include "QtViewFixture.h"

namespace vexlo::qtview::testing {
namespace {

TEST(QtMessageBoxTest, ModalWarningWithTitleTextAndOkThatTheCallerWaitsFor) {
    QWidget parent;
    QtMessageBox messages;
    messages.parent = &parent;

    struct Seen {
        bool found = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        Qt::WindowModality modality = Qt::NonModal;
        QWidget* parent = nullptr;
    } seen;
    bool returned = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen.found = box != nullptr && !returned;
        if (box == nullptr) return;
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = box->standardButtons();
        seen.modality = box->windowModality();
        seen.parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    messages.show("【ベクロ】", "表示行数をオーバーしました。<b>");
    returned = true;

    ASSERT_TRUE(seen.found) << "the box was shown while show() waited";
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, QString::fromUtf8("【ベクロ】"));
    EXPECT_EQ(seen.text, QString::fromUtf8("表示行数をオーバーしました。<b>"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    EXPECT_EQ(seen.parent, &parent);
}

TEST(QtKeyQueueTest, PostedKeyArrivesLaterAsAKeyEvent) {
    struct Catcher : QWidget {
        std::vector<std::pair<int, QString>> keys;
        void keyPressEvent(QKeyEvent* event) override {
            keys.emplace_back(event->key(), event->text());
        }
    } target;
    QtKeyQueue queue;
    queue.post({platform::keys::Enter, 0, U'\r'});  // no target yet: dropped
    queue.target = &target;
    queue.post({platform::keys::Enter, 0, U'\r'});
    EXPECT_TRUE(target.keys.empty()) << "not before the running handler has returned";
    processEvents();
    ASSERT_EQ(target.keys.size(), 1u);
    EXPECT_EQ(target.keys[0].first, Qt::Key_Return);
    EXPECT_EQ(target.keys[0].second, QStringLiteral("\r"));
}

class MouseTest : public ViewFixture {
  protected:
    struct Press {
        std::string control;
        int button, shift;
    };

    void SetUp() override {
        ViewFixture::SetUp();
        window.onMouseDown = [this](const platform::Control& c, int button, int shift) {
            presses.push_back({c.key(), button, shift});
        };
        window.onDoubleClick = [this](const platform::Control& c) {
            doubleClicks.push_back(c.key());
        };
    }

    void mouse(const platform::Control& control, QEvent::Type type, Qt::MouseButton button,
               Qt::KeyboardModifiers mods = {}) {
        QLabel* label = window.labelFor(control);
        const QPointF at(3, 3);
        QMouseEvent event(type, at, label->mapToGlobal(at), button, button, mods);
        QCoreApplication::sendEvent(label, &event);
    }

    std::vector<Press> presses;
    std::vector<std::string> doubleClicks;
};

TEST_F(MouseTest, ButtonsAndShiftMaskAsTheHandlersReadThem) {
    const struct {
        Qt::MouseButton button;
        Qt::KeyboardModifiers mods;
        int code, shift;
    } rows[] = {
        {Qt::LeftButton, Qt::NoModifier, 1, 0},
        {Qt::RightButton, Qt::NoModifier, 2, 0},
        {Qt::MiddleButton, Qt::NoModifier, 4, 0},
        {Qt::LeftButton, Qt::ShiftModifier, 1, 1},
        {Qt::RightButton, Qt::ControlModifier, 2, 2},
        {Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, 1, 3},
        {Qt::LeftButton, Qt::AltModifier, 1, 0},
    };
    for (const auto& row : rows) {
        presses.clear();
        mouse(main.controls.display, QEvent::MouseButtonPress, row.button, row.mods);
        ASSERT_EQ(presses.size(), 1u);
        EXPECT_EQ(presses[0].control, "Readout");
        EXPECT_EQ(presses[0].button, row.code);
        EXPECT_EQ(presses[0].shift, row.shift);
    }
}

TEST_F(MouseTest, LeftDoubleClickIsADoubleClickAndAnyOtherIsAPress) {
    mouse(main.controls.display, QEvent::MouseButtonDblClick, Qt::LeftButton);
    mouse(main.controls.display, QEvent::MouseButtonDblClick, Qt::RightButton);
    EXPECT_EQ(doubleClicks, std::vector<std::string>{"Readout"});
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].button, 2);
}

TEST_F(MouseTest, TheMarkLabelTakesItsOwnClicks) {
    mouse(main.controls.mark, QEvent::MouseButtonPress, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].control, "MEM2");
}

}  // namespace
}  // namespace vexlo::qtview::testing
