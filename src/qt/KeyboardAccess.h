#pragma once
// Keys the calculator leaves unused serve the window's keyboard access, after the calculator has
// had them (it does nothing with them):
//   F10                 opens the menu bar's first menu, whatever the Qt style (Alt taps are
//                       the style's to honour);
//   Shift+F10, Menu     open the edit menu as the popup a right click opens;
//   arrow keys          move the focus over the unit panel: Up and Down within a group (the
//                       categories, the source units, the target units, the two buttons),
//                       Left and Right to the group before or after it, the display first;
//   Ctrl+Space, F2      tick or choose the focused box, or press the focused button.
// When a menu or popup closes, however it closes, the focus goes back to the display, so the
// next key reaches the calculator and not the menu bar.

#include <QObject>
#include <QPointer>

#include "shell/MainWindow.h"

class QKeyEvent;
class QWidget;

namespace vexlo::qtview {

class FormWindow;

class KeyboardAccess : public QObject {
  public:
    KeyboardAccess(shell::MainWindow& main, FormWindow& window);

    // A key press the calculator has had.
    void keyPressed(const QKeyEvent& key);

  private:
    void openMenuBar();
    void move(int across, int down);
    void activate();
    void menuClosed();
    QWidget* display() const;

    shell::MainWindow& main_;
    FormWindow& window_;
};

}  // namespace vexlo::qtview
