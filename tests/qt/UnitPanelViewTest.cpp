// The unit panel in the real window: its widgets are made when the panel is first shown, follow
// the model (shown, ticked, captioned, enabled), and a click on one is a click in the model.

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "QtViewFixture.h"
#include "qt/ClickableWidgets.h"
#include "qt/MenuBarView.h"

namespace vexlo::qtview::testing {
namespace {

class UnitPanelView : public ViewFixture {
  protected:
    QAbstractButton* widget(const platform::Control& control) {
        return window.clickables().widgetFor(control);
    }
    QAbstractButton* check(int n) { return widget(main.unitPanel.box(n)); }
    QAbstractButton* option(int n) { return widget(main.unitPanel.sourceSlot(n)); }
    void turnOn() {
        window.menus().actionFor(*main.form.findMenu("TNN", 1))->trigger();
        processEvents();
    }
};

TEST_F(UnitPanelView, WidgetsComeWithThePanelAndFollowTheModel) {
    EXPECT_EQ(window.findChildren<QCheckBox*>().size() +
                  window.findChildren<QRadioButton*>().size() +
                  window.findChildren<QPushButton*>().size(),
              0)
        << "start-up builds no button";
    turnOn();
    ASSERT_NE(check(4), nullptr);
    EXPECT_TRUE(check(4)->isVisible());
    EXPECT_TRUE(check(4)->isChecked());
    EXPECT_EQ(check(4)->text(), QStringLiteral("長さ"));
    EXPECT_TRUE(option(1)->isChecked());
    EXPECT_EQ(option(1)->text(), QStringLiteral("ｃｍ"));
    EXPECT_EQ(check(2)->text(), QStringLiteral("インチ"));
    EXPECT_EQ(check(4)->font().pointSizeF(), 9.75);
    EXPECT_TRUE(check(4)->font().bold());
    EXPECT_EQ(widget(main.unitPanel.backButton)->text(), QStringLiteral("戻る"));
    EXPECT_EQ(widget(*main.controls.digitKeys[1]), nullptr) << "the keypad stays out of view";
    // Placed from the model's twips at the screen's DPI.
    const PixelScale scale = window.pixelScale();
    const QPoint placed = check(5)->mapTo(window.centralWidget(), QPoint(0, 0));
    EXPECT_EQ(placed.x(), toPixels(1080, scale.x));
    EXPECT_EQ(placed.y(), toPixels(910, scale.y));
    // Sources and targets lie in groups of their own, so readers tell the columns apart.
    EXPECT_NE(option(1)->parentWidget(), check(1)->parentWidget());
    EXPECT_FALSE(option(1)->parentWidget()->accessibleName().isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(option(1))->role(), QAccessible::RadioButton);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(check(1))->role(), QAccessible::CheckBox);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(option(1)->parentWidget())->role(),
              QAccessible::Grouping);
    EXPECT_EQ(option(11), nullptr) << "never in view under Length";

    // Clicks on the widgets are clicks in the model.
    check(5)->click();
    processEvents();
    EXPECT_EQ(main.unitPanel.box(5).value(), 1);
    EXPECT_FALSE(check(4)->isChecked());
    option(6)->click();
    processEvents();
    ASSERT_NE(check(9), nullptr);
    EXPECT_TRUE(check(9)->isVisible());
    EXPECT_EQ(check(9)->text(), QStringLiteral("米トン"));
    type(QStringLiteral("1000"));
    check(8)->click();
    processEvents();
    EXPECT_EQ(shownDisplay(), QStringLiteral("3.6908英ｔ"));
    EXPECT_TRUE(check(8)->isChecked());

    // Choosing the chosen option again changes nothing, and Qt's own toggle is undone.
    option(6)->click();
    processEvents();
    EXPECT_TRUE(option(6)->isChecked());

    option(7)->click();
    processEvents();
    EXPECT_FALSE(check(9)->isVisible());

    // Back: the panel's boxes go, the buttons are disabled; clicking them does nothing.
    widget(main.unitPanel.backButton)->click();
    processEvents();
    EXPECT_EQ(main.unitPanelMode, 0);
    EXPECT_FALSE(check(4)->isVisible());
    EXPECT_FALSE(main.unitPanel.exitButton.enabled());
    EXPECT_EQ(window.size(), window.modelClientSize());

    // The load step ran again: the menu still works and the same widgets come back.
    QAbstractButton* category = check(4);
    turnOn();
    EXPECT_EQ(check(4), category);
    EXPECT_TRUE(category->isVisible());
    EXPECT_TRUE(category->isChecked());
}

}  // namespace
}  // namespace vexlo::qtview::testing
