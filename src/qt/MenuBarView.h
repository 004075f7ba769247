#pragma once
// The form's menu tree as a Qt menu bar. The menus are built once; refresh() copies every
// caption, tick and enabled state from the model again (the language switch rewrites captions).
// Accelerators are the actions' shortcuts for display and screen readers only: the keys reach
// the model through the window's key filter, which runs key-down before the accelerator.

#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/Form.h"

class QAction;
class QMenu;
class QMenuBar;

namespace vexlo::qtview {

// A caption as menu text: "&" before an ASCII letter marks the access key, any other "&" is
// shown as it is; a shortcut's text follows after a tab.
QString menuText(std::string_view caption, const platform::Shortcut& shortcut = {});

class MenuBarView {
  public:
    // `chosen` runs after a menu item's handler has returned.
    MenuBarView(QMenuBar& bar, const platform::Form& form, std::function<void()> chosen);
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;

    void refresh();

    // The action standing for a model item (for tests and accessibility).
    QAction* actionFor(const platform::MenuItem& item) const;

  private:
    struct Entry {
        platform::MenuItem* item;
        QAction* action;
        QMenu* submenu;  // nullptr for a command
        bool onMenuBar;
    };
    void addItems(QMenu& menu, const platform::MenuItem& parent);
    void addEntry(platform::MenuItem& item, QAction* action, QMenu* submenu, bool onMenuBar);
    static void render(const Entry& entry);

    QMenuBar& bar_;
    std::function<void()> chosen_;
    std::vector<Entry> entries_;
};

}  // namespace vexlo::qtview
