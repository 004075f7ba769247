#include "qt/KeyboardAccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <vector>

#include "qt/ClickableWidgets.h"
#include "qt/FormWindow.h"

namespace vexlo::qtview {

namespace {

using Group = ClickableWidgets::Group;

Qt::KeyboardModifiers plainModifiers(const QKeyEvent& key) {
    // The keypad's arrows are arrows too.
    return key.modifiers() & ~Qt::KeypadModifier;
}

}  // namespace

KeyboardAccess::KeyboardAccess(shell::MainWindow& main, FormWindow& window)
    : QObject(&window), main_(main), window_(window) {
    for (QMenu* menu : window_.menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToHide, this, [this] {
            // Once the menu is gone: a submenu closing leaves its parent open.
            QMetaObject::invokeMethod(
                this, [this] { menuClosed(); }, Qt::QueuedConnection);
        });
    }
}

QWidget* KeyboardAccess::display() const {
    return window_.labelFor(main_.controls.display);
}

void KeyboardAccess::keyPressed(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = plainModifiers(key);
    switch (key.key()) {
        case Qt::Key_F10:
            if (mods == Qt::NoModifier) {
                openMenuBar();
            } else if (mods == Qt::ShiftModifier) {
                QMetaObject::invokeMethod(
                    this, [this] { main_.windowMouseDown(2, 0); }, Qt::QueuedConnection);
            }
            return;
        case Qt::Key_Menu:
            QMetaObject::invokeMethod(
                this, [this] { main_.windowMouseDown(2, 0); }, Qt::QueuedConnection);
            return;
        case Qt::Key_Space:
            if (mods == Qt::ControlModifier) activate();
            return;
        case Qt::Key_F2:
            if (mods == Qt::NoModifier) activate();
            return;
        default:
            break;
    }
    if (mods != Qt::NoModifier) return;
    switch (key.key()) {
        case Qt::Key_Up:
            move(0, -1);
            break;
        case Qt::Key_Down:
            move(0, 1);
            break;
        case Qt::Key_Left:
            move(-1, 0);
            break;
        case Qt::Key_Right:
            move(1, 0);
            break;
        default:
            break;
    }
}

void KeyboardAccess::openMenuBar() {
    QMenuBar* bar = window_.menuBar();
    const QList<QAction*> actions = bar->actions();
    if (actions.isEmpty()) return;
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(actions.front());
    if (QMenu* menu = actions.front()->menu()) {
        const QList<QAction*> items = menu->actions();
        const auto first = std::find_if(items.begin(), items.end(), [](const QAction* item) {
            return !item->isSeparator() && item->isEnabled();
        });
        if (first != items.end()) menu->setActiveAction(*first);
    }
}

void KeyboardAccess::move(int across, int down) {
    if (main_.unitPanelMode != 1) return;
    // The display, then the panel's groups, in the order they lie on the window.
    std::vector<std::vector<QWidget*>> groups;
    if (QWidget* shown = display()) groups.push_back({shown});
    for (const Group group : {Group::Categories, Group::Sources, Group::Targets, Group::Buttons}) {
        const auto widgets = window_.clickables().reachable(group);
        if (!widgets.empty()) groups.emplace_back(widgets.begin(), widgets.end());
    }
    if (groups.empty()) return;
    QWidget* focused = QApplication::focusWidget();
    std::size_t g = 0, i = 0;
    bool found = false;
    for (std::size_t a = 0; a < groups.size() && !found; ++a) {
        for (std::size_t b = 0; b < groups[a].size(); ++b) {
            if (groups[a][b] == focused) {
                g = a;
                i = b;
                found = true;
                break;
            }
        }
    }
    if (!found) {
        g = 0;
        i = 0;
    }
    QWidget* next = nullptr;
    if (across != 0) {
        const auto count = static_cast<long>(groups.size());
        const long to = std::clamp(static_cast<long>(g) + across, 0L, count - 1);
        const auto& group = groups[static_cast<std::size_t>(to)];
        // Into a group at its chosen or ticked member, as a radio group is entered.
        next = group.front();
        for (QWidget* member : group) {
            if (const auto* button = qobject_cast<QAbstractButton*>(member);
                button != nullptr && button->isChecked()) {
                next = member;
                break;
            }
        }
    } else {
        const auto& group = groups[g];
        const auto count = static_cast<long>(group.size());
        next = group[static_cast<std::size_t>(((static_cast<long>(i) + down) % count + count) %
                                              count)];
    }
    if (next != nullptr && next != focused) next->setFocus(Qt::OtherFocusReason);
}

void KeyboardAccess::activate() {
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (button == nullptr || button->window() != &window_ || !button->isEnabled()) return;
    button->click();
}

void KeyboardAccess::menuClosed() {
    if (QApplication::activePopupWidget() != nullptr || main_.form.closed()) return;
    QMenuBar* bar = window_.menuBar();
    // A menu bar left in its keyboard mode would take the next keys (Enter opening the menu
    // again); the focus leaving it ends that mode. Clearing its active item first would mark
    // it as showing a popup, so that the focus leaving kept the mode and the next Alt tap
    // only ended it.
    const bool focused = bar->hasFocus();
    if (focused || bar->activeAction() != nullptr) {
        if (!focused) bar->setActiveAction(nullptr);
        if (QWidget* shown = display())
            shown->setFocus(Qt::OtherFocusReason);
        else
            window_.setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace vexlo::qtview
