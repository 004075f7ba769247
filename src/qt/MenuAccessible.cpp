#include "qt/MenuAccessible.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>

namespace vexlo::qtview {

namespace {

QString withoutAccessMarks(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

// Qt's own interface for menu items is private; this one gives what it gives, with the name
// and key binding of spokenCaption.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    explicit MenuItemAccessible(QAction* action) : action_(action) {}

    bool isValid() const override { return !action_.isNull() && owner() != nullptr; }
    QObject* object() const override { return action_; }
    QWindow* window() const override {
        QWidget* menu = owner();
        return menu != nullptr ? menu->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner());
    }
    int childCount() const override { return action_->menu() != nullptr ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && action_->menu() != nullptr
                   ? QAccessible::queryAccessibleInterface(action_->menu())
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && action_->menu() != nullptr && child->object() == action_->menu()
                   ? 0
                   : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text type) const override {
        const SpokenCaption spoken = spokenCaption(withoutAccessMarks(action_->text()));
        if (type == QAccessible::Name) return spoken.name;
        if (type != QAccessible::Accelerator) return {};
        const QString shortcut = action_->shortcut().toString();
        if (spoken.keyHint.isEmpty()) return shortcut;
        return shortcut.isEmpty() ? spoken.keyHint : shortcut + QLatin1Char(' ') + spoken.keyHint;
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        QRect local;
        if (auto* menu = qobject_cast<QMenu*>(owner())) local = menu->actionGeometry(action_);
        if (auto* bar = qobject_cast<QMenuBar*>(owner())) local = bar->actionGeometry(action_);
        if (local.isEmpty()) return {};
        return QRect(owner()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override {
        return action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        QWidget* menu = owner();
        if (menu == nullptr) return state;
        state.invisible = !action_->isVisible() || !menu->isVisible();
        state.disabled = !action_->isEnabled();
        state.focusable = true;
        state.checkable = action_->isCheckable();
        state.checked = action_->isChecked();
        state.hasPopup = action_->menu() != nullptr;
        QAction* active = nullptr;
        if (auto* popup = qobject_cast<QMenu*>(menu)) active = popup->activeAction();
        if (auto* bar = qobject_cast<QMenuBar*>(menu)) active = bar->activeAction();
        state.focused = active == action_;
        state.hotTracked = state.focused;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override {
        if (action_->isSeparator() || !action_->isEnabled()) return {};
        return {action_->menu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!action_->isEnabled()) return;
        if (name == pressAction()) {
            action_->trigger();
        } else if (name == showMenuAction()) {
            if (action_->menu() != nullptr && action_->menu()->isVisible()) {
                action_->menu()->hide();
            } else if (auto* bar = qobject_cast<QMenuBar*>(owner())) {
                bar->setActiveAction(action_);
            } else if (auto* menu = qobject_cast<QMenu*>(owner())) {
                menu->setActiveAction(action_);
            }
        }
    }
    QStringList keyBindingsForAction(const QString&) const override {
        const QString keys = text(QAccessible::Accelerator);
        return keys.isEmpty() ? QStringList() : QStringList{keys};
    }

  private:
    // The menu or menu bar the item is in.
    QWidget* owner() const {
        if (action_.isNull()) return nullptr;
        for (QObject* holder : action_->associatedObjects()) {
            if (qobject_cast<QMenu*>(holder) != nullptr ||
                qobject_cast<QMenuBar*>(holder) != nullptr)
                return static_cast<QWidget*>(holder);
        }
        return nullptr;
    }

    QPointer<QAction> action_;
};

QAccessibleInterface* menuItemFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QAction")) return nullptr;
    auto* action = static_cast<QAction*>(object);
    for (QObject* holder : action->associatedObjects()) {
        if (qobject_cast<QMenu*>(holder) != nullptr || qobject_cast<QMenuBar*>(holder) != nullptr)
            return new MenuItemAccessible(action);
    }
    return nullptr;
}

}  // namespace

SpokenCaption spokenCaption(const QString& caption) {
    // A run of two or more filler marks: middle dots (full- or half-width) or hyphens.
    static const QRegularExpression filler(QStringLiteral("(・|･|-|－){2,}"));
    const QRegularExpressionMatch found = filler.match(caption);
    if (!found.hasMatch()) return {caption.trimmed(), QString()};
    return {caption.left(found.capturedStart()).trimmed(),
            caption.mid(found.capturedEnd()).trimmed()};
}

void installMenuAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(menuItemFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace vexlo::qtview
