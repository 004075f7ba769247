#pragma once
// Screen readers and the display strip: `Readout` and `MEM2` are read as text, named in the
// menus' language ("表示" / "Display", "記号" / "Mark"), and every new value is announced as a
// text change, so a reader speaks each result.

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "shell/MainWindow.h"

class QLabel;

namespace vexlo::qtview {

class FormWindow;

// Installs the accessible interface of the display labels (once per program).
void installDisplayAccessibility();

class DisplayAccessibility {
  public:
    DisplayAccessibility(shell::MainWindow& main, FormWindow& window);
    DisplayAccessibility(const DisplayAccessibility&) = delete;
    DisplayAccessibility& operator=(const DisplayAccessibility&) = delete;

    // The accessible name of a display label in the language the menus are in.
    QString nameOf(const platform::Control& control) const;

    // Runs after each announcement (the event itself reaches readers only while one listens).
    std::function<void(const QLabel&, const QString&)> announced;

  private:
    void update();
    void announce();
    static void adopt(QLabel& label);

    shell::MainWindow& main_;
    FormWindow& window_;
    std::map<const QLabel*, QString> shown_;  // the text last announced for each label
    bool announcing_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vexlo::qtview
