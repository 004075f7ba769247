#pragma once
// Real keys as the model's key events: key code, modifier mask and the character typed, the way
// a Windows keyboard delivers them to a window with key preview.

#include <QString>
#include <memory>
#include <vector>

#include "platform/Keys.h"

class QKeyEvent;

namespace vexlo::qtview {

// Key codes: letters 65-90 whatever the case, digits 48-57, both Enter keys 13, Esc 27, Tab and
// Backtab 9, Backspace 8, Space 32, F1-F24 112-135, other keys their Latin-1 code or 0.
// Modifier mask: 1 Shift, 2 Ctrl. Character: Enter 13, Tab 9, Esc 27, Backspace 8; with Ctrl a
// letter gives its control character (letter - 64) and any other key none; otherwise the first
// character the key types, or none.
platform::KeyStroke keyStroke(const QKeyEvent& event);

// Characters committed by an input method, one key press each with key code 0.
std::vector<platform::KeyStroke> committedKeys(const QString& commit);

// A key event that `keyStroke` reads back as `key`: the form in which the key queue posts keys
// to the window.
std::unique_ptr<QKeyEvent> keyEventFor(const platform::KeyStroke& key);

// Keys the view leaves to Qt: Alt combinations (menu access keys) and Alt itself.
bool isMenuAccessKey(const QKeyEvent& event);

}  // namespace vexlo::qtview
