#include "qt/DialogServices.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QMenu>

#include "qt/FormWindow.h"
#include "qt/MenuBarView.h"

namespace vexlo::qtview {

long long QtColourDialog::choose(platform::Colour initial) {
    const QColor start(static_cast<int>(initial & 0xFFu), static_cast<int>((initial >> 8) & 0xFFu),
                       static_cast<int>((initial >> 16) & 0xFFu));
    const QColor chosen = QColorDialog::getColor(start, parent.data());
    // Cancelled: the dialog still holds the colour it opened on.
    if (!chosen.isValid()) return initial;
    return platform::rgb(static_cast<unsigned>(chosen.red()), static_cast<unsigned>(chosen.green()),
                         static_cast<unsigned>(chosen.blue()));
}

std::vector<std::string> QtFontCatalog::families() {
    std::vector<std::string> names;
    const QStringList families = QFontDatabase::families();
    names.reserve(static_cast<std::size_t>(families.size()));
    for (const QString& family : families) names.push_back(family.toStdString());
    return names;
}

void QtMousePointer::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPopupMenu::track(platform::MenuItem& menu, int x, int y) {
    if (window.isNull()) return;
    QAction* action = window->menus().actionFor(menu);
    if (action == nullptr || action->menu() == nullptr) return;
    // Runs the popup's own loop; the chosen action's handler runs as the menu closes.
    action->menu()->exec(QPoint(x, y));
}

}  // namespace vexlo::qtview
