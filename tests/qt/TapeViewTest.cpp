// The tape window on Qt's offscreen platform: it follows the tape a line at a time, names each
// line for screen readers, copies lines as tab text, and puts a line's number into the display.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QListView>

#include "QtViewFixture.h"
#include "qt/TapeView.h"

namespace vexlo::qtview::testing {
namespace {

class TapeViewTest : public ViewFixture {
  protected:
    TapeView& openTape() {
        sendKey(Qt::Key_P, Qt::ControlModifier);
        processEvents();
        auto* view = dynamic_cast<TapeView*>(windows.viewOf(main.tapeWindow));
        EXPECT_NE(view, nullptr);
        return *view;
    }
    // The list follows the tape a moment after the keys: waits until it has `rows` rows.
    void settle(TapeView& view, int rows) {
        QElapsedTimer waited;
        waited.start();
        while (view.list()->model()->rowCount() != rows && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        processEvents();
        ASSERT_EQ(view.list()->model()->rowCount(), rows);
    }
    QString row(TapeView& view, int r, int role = Qt::DisplayRole) {
        return view.list()->model()->index(r, 0).data(role).toString();
    }
};

TEST_F(TapeViewTest, OpensFromCtrlPAndFollowsTheTapeAsKeysArrive) {
    type(QStringLiteral("1000+480="));
    TapeView& view = openTape();
    EXPECT_TRUE(view.isVisible());
    ASSERT_EQ(view.list()->model()->rowCount(), 3);
    type(QStringLiteral("*2="));
    EXPECT_EQ(view.list()->model()->rowCount(), 3);  // the display first, the tape after it
    settle(view, 6);
    EXPECT_EQ(row(view, 0), QStringLiteral("1,000 +"));
    EXPECT_EQ(row(view, 4), QStringLiteral("2"));
    EXPECT_EQ(row(view, 5, Qt::AccessibleTextRole), QStringLiteral("2,960 ="));
    EXPECT_TRUE(view.list()->model()->index(5, 0).data(TapeModel::RuleRole).toBool());
    type(QStringLiteral("5+*"));  // the operator replaced in place
    settle(view, 7);
    EXPECT_EQ(row(view, 6), QStringLiteral("5 ×"));
}

TEST_F(TapeViewTest, TheKeyboardStartsOnTheNewestLineAndFollowsIt) {
    type(QStringLiteral("1+2+3="));
    TapeView& view = openTape();
    EXPECT_EQ(view.list()->currentIndex().row(), 3);
    EXPECT_TRUE(view.list()->selectionModel()->selectedRows().isEmpty());
    type(QStringLiteral("*4="));
    settle(view, 7);
    EXPECT_EQ(view.list()->currentIndex().row(), 6);
    view.list()->setCurrentIndex(view.list()->model()->index(1, 0));  // reading back up
    type(QStringLiteral("+5="));
    settle(view, 10);
    EXPECT_EQ(view.list()->currentIndex().row(), 1);
}

TEST(TapeModel, RowsKeepTheirLinesUntilTheCatchUpEvenAsTheFullTapeDropsItsOldest) {
    tape::Tape tape(3);
    auto line = [](const char* number) {
        return tape::Line{tape::Line::Kind::Result, number, "=", {}, false};
    };
    for (const char* number : {"1", "2", "3"}) tape.append(line(number));
    TapeModel model(tape);
    tape.subscribe([&](const tape::Tape::Change& change) { model.follow(change); });
    tape.append(line("4"));
    tape.append(line("5"));  // the tape now holds 3, 4, 5
    auto shown = [&](int row) {
        return model.index(row, 0).data(TapeModel::NumberRole).toString();
    };
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(shown(0), QString());  // its line has gone
    EXPECT_EQ(shown(2), QStringLiteral("3"));
    EXPECT_EQ(model.lineOf(2), 0);
    model.catchUp();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(shown(0), QStringLiteral("3"));
    EXPECT_EQ(shown(2), QStringLiteral("5"));
    tape.replaceLast(line("6"));
    model.catchUp();
    EXPECT_EQ(shown(2), QStringLiteral("6"));
}

TEST_F(TapeViewTest, ScreenReadersFindTheTapeAsANamedListOfLines) {
    type(QStringLiteral("12+3="));
    TapeView& view = openTape();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view.list());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("計算テープ"));
    ASSERT_GE(list->childCount(), 3);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("12 +"));
    EXPECT_EQ(view.accessibleName(), QStringLiteral("計算テープ"));
}

TEST_F(TapeViewTest, CopiesSelectedLinesOrAllAsTabSeparatedColumns) {
    type(QStringLiteral("1000+480+1200="));
    TapeView& view = openTape();
    auto* selection = view.list()->selectionModel();
    selection->select(view.list()->model()->index(2, 0), QItemSelectionModel::Select);
    selection->select(view.list()->model()->index(0, 0), QItemSelectionModel::Select);
    view.copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1,000\t+\n1,200\t\n"));
    view.copyAll();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("1,000\t+\n480\t+\n1,200\t\n2,680\t=\n"));
}

TEST_F(TapeViewTest, EnterOrADoubleClickOnALinePutsItsNumberIntoTheDisplay) {
    type(QStringLiteral("1234+480=c"));
    TapeView& view = openTape();
    view.list()->setCurrentIndex(view.list()->model()->index(1, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(view.list(), &enter);
    EXPECT_EQ(main.calculator.display(), "480.");
    emit view.list()->doubleClicked(view.list()->model()->index(0, 0));
    EXPECT_EQ(main.calculator.display(), "1,234.");
}

TEST_F(TapeViewTest, ClosingHidesTheWindowAndTheTapeGoesOnRecording) {
    TapeView& view = openTape();
    view.close();
    processEvents();
    EXPECT_FALSE(main.tapeWindow.visible());
    EXPECT_FALSE(view.isVisible());
    type(QStringLiteral("7+8="));
    EXPECT_EQ(main.tape.size(), 3u);
    settle(view, 3);  // in step for when it opens again
    EXPECT_EQ(profile.read("VEXLO", "TapeLeft").has_value(), true);
}

}  // namespace
}  // namespace vexlo::qtview::testing
