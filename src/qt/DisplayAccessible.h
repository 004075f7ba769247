#pragma once
// Screen readers and the display strip. The display holds the keyboard focus (keys still reach
// the calculator through the window's key filter), is read as text with the places of its
// characters, and is named in the menus' language ("表示" / "Display"); the mark beside it too
// ("記号" / "Mark", and the resume marker while the resume value is on).
//
// A result is announced once. Orca 43 says neither a label's text changes nor, through Qt 6.4,
// name or description changes (the bridge sends the object, not the text), and it says an
// inserted text only after some keys. It says every focus move: the display has two speakers,
// objects named by the value, and the reader's focus moves from one to the other for each
// result, also while a box of the unit panel keeps the keyboard focus (the next key moving
// that focus brings the reader back to the panel). Digits and the point are not announced:
// the reader's own key echo speaks them.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "platform/Keys.h"
#include "shell/MainWindow.h"

class QLabel;
class QWidget;

namespace vexlo::qtview {

class FormWindow;

// Installs the accessible interface of the display labels (once per program).
void installDisplayAccessibility();

// What is spoken for a display text and its mark: the text without the point an integer ends
// in, then the mark where one is shown.
QString spokenValue(const QString& display, const QString& mark);

class DisplayAccessibility {
  public:
    DisplayAccessibility(shell::MainWindow& main, FormWindow& window);
    DisplayAccessibility(const DisplayAccessibility&) = delete;
    DisplayAccessibility& operator=(const DisplayAccessibility&) = delete;

    // The accessible name of a display label in the language the menus are in.
    QString nameOf(const platform::Control& control) const;

    // A key is about to be handled: digits and the point change the display unannounced.
    void keyTyped(const platform::KeyStroke& key);

    // Runs after each announcement, with the object it was made on and what it said.
    std::function<void(const QWidget&, const QString&)> announced;

  private:
    void update();
    void announce();
    // The reader's focus goes to a speaker named by the value shown, unannounced as a result.
    void tellValue();
    static void adopt(QLabel& label);

    shell::MainWindow& main_;
    FormWindow& window_;
    QString shown_;  // the value last announced, or passed over as typed
    bool typing_ = false;
    bool announcing_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vexlo::qtview
