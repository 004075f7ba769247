#include "qt/WindowHost.h"

#include <QDialog>

#include "platform/Form.h"

namespace vexlo::qtview {

QWidget* QtWindowHost::viewOf(const platform::Form& form) const {
    const auto found = views_.find(&form);
    return found == views_.end() ? nullptr : found->second.data();
}

QWidget* QtWindowHost::viewFor(platform::Form& form) {
    if (QWidget* view = viewOf(form)) return view;
    if (!factory_) return nullptr;
    QWidget* view = factory_(form);
    views_[&form] = view;
    return view;
}

void QtWindowHost::raise(platform::Form& form) {
    QWidget* view = viewFor(form);
    if (view == nullptr || !form.visible()) return;
    view->show();
    view->raise();
    view->activateWindow();
}

void QtWindowHost::runModal(platform::Form& form) {
    auto* dialog = qobject_cast<QDialog*>(viewFor(form));
    if (dialog == nullptr || !form.visible()) return;
    dialog->exec();
}

}  // namespace vexlo::qtview
