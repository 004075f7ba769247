#include "qt/MenuBarView.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace vexlo::qtview {

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// The caption as a reader hears it: without the access-key marks.
QString plainText(std::string_view caption) {
    QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size() && isAsciiLetter(text[i + 1])) {
            continue;
        }
        plain += text[i];
    }
    return plain;
}

// A one-of-two submenu: every item of one indexed array, more than one of them.
bool isChoice(const platform::MenuItem& menu) {
    const auto& items = menu.children();
    if (items.size() < 2) return false;
    return std::all_of(items.begin(), items.end(), [&](const auto& item) {
        return item->index() >= 0 && item->name() == items.front()->name();
    });
}

}  // namespace

QString menuText(std::string_view caption, const platform::Shortcut& shortcut) {
    const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    QString shown;
    shown.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            shown += text[i];
        } else if (i + 1 < text.size() && isAsciiLetter(text[i + 1])) {
            shown += QLatin1Char('&');
        } else {
            shown += QLatin1String("&&");
        }
    }
    if (!shortcut.empty()) shown += QLatin1Char('\t') + QString::fromStdString(shortcut.text());
    return shown;
}

MenuBarView::MenuBarView(QMenuBar& bar, const platform::Form& form, std::function<void()> chosen)
    : bar_(bar), chosen_(std::move(chosen)) {
    bar_.setAccessibleName(QStringLiteral("Menu bar"));
    for (const auto& top : form.menus()) {
        if (top->children().empty()) {
            addEntry(*top, bar_.addAction(QString()), nullptr, true);
            continue;
        }
        auto* menu = new QMenu(&bar_);
        bar_.addMenu(menu);
        addEntry(*top, menu->menuAction(), menu, true);
        addItems(*menu, *top);
    }
    refresh();
}

void MenuBarView::addItems(QMenu& menu, const platform::MenuItem& parent) {
    // The items of a choice are exclusive and checkable, so readers say which is chosen and
    // which is not.
    QActionGroup* choice = nullptr;
    if (isChoice(parent)) {
        choice = new QActionGroup(&menu);
        choice->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    for (const auto& child : parent.children()) {
        if (child->children().empty()) {
            QAction* action = menu.addAction(QString());
            if (choice != nullptr) {
                action->setCheckable(true);
                choice->addAction(action);
            }
            addEntry(*child, action, nullptr, false);
            continue;
        }
        auto* submenu = new QMenu(&menu);
        menu.addMenu(submenu);
        addEntry(*child, submenu->menuAction(), submenu, false);
        addItems(*submenu, *child);
    }
}

void MenuBarView::addEntry(platform::MenuItem& item, QAction* action, QMenu* submenu,
                           bool onMenuBar) {
    action->setObjectName(QString::fromStdString(item.key()));
    if (submenu != nullptr) submenu->setObjectName(QString::fromStdString(item.key()));
    const std::size_t index = entries_.size();
    entries_.push_back({&item, action, submenu, onMenuBar});
    if (!item.children().empty()) return;
    QObject::connect(action, &QAction::triggered, action, [this, index] {
        const Entry& entry = entries_[index];
        entry.item->click();
        // Qt toggles a checkable action on its own; the model's tick is the one to show.
        render(entry);
        if (chosen_) chosen_();
    });
}

void MenuBarView::render(const Entry& entry) {
    const platform::MenuItem& item = *entry.item;
    QAction& action = *entry.action;
    action.setSeparator(item.isSeparator());
    if (item.isSeparator()) return;
    action.setText(menuText(item.caption()));
    // The accelerator as the action's shortcut: shown beside the caption and given to screen
    // readers as the item's key binding. It never fires: the window's key filter takes the keys
    // first, and a widget shortcut of a menu item is live only while the menu bar has focus.
    if (!entry.onMenuBar && !item.shortcut().empty() && action.shortcut().isEmpty()) {
        action.setShortcutContext(Qt::WidgetShortcut);
        action.setShortcutVisibleInContextMenu(true);
        action.setShortcut(QKeySequence(QString::fromStdString(item.shortcut().text())));
    }
    action.setEnabled(item.enabled());
    // Outside a choice only a ticked item is checkable, so unticked items show no empty box.
    if (action.actionGroup() == nullptr) action.setCheckable(item.checked());
    action.setChecked(item.checked());
    if (entry.submenu != nullptr) entry.submenu->setAccessibleName(plainText(item.caption()));
}

void MenuBarView::refresh() {
    for (const Entry& entry : entries_) render(entry);
}

QAction* MenuBarView::actionFor(const platform::MenuItem& item) const {
    for (const Entry& entry : entries_) {
        if (entry.item == &item) return entry.action;
    }
    return nullptr;
}

}  // namespace vexlo::qtview
