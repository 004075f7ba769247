#pragma once
// The colour dialog, the screen's fonts, the busy pointer and the popup menu for the real window.

#include <QPointer>
#include <QWidget>

#include "platform/Services.h"

namespace vexlo::qtview {

class FormWindow;

// QColorDialog, modal over the main window, opened on the initial colour.
class QtColourDialog : public platform::ColourDialog {
  public:
    long long choose(platform::Colour initial) override;
    QPointer<QWidget> parent;
};

// The font families fontconfig knows, in QFontDatabase's order.
class QtFontCatalog : public platform::FontCatalog {
  public:
    std::vector<std::string> families() override;
};

// The wait cursor over every window of the program while busy.
class QtMousePointer : public platform::MousePointer {
  public:
    void setBusy(bool busy) override;
    bool busy() const { return busy_; }

  private:
    bool busy_ = false;
};

// The menu bar's own drop-down shown with QMenu::exec at the point; the action chosen runs the
// model's item as a menu-bar choice does.
class QtPopupMenu : public platform::PopupMenu {
  public:
    void track(platform::MenuItem& menu, int x, int y) override;
    QPointer<FormWindow> window;
};

}  // namespace vexlo::qtview
