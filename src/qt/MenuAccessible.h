#pragma once
// Menu items as screen readers get them: the caption's words alone as the name, without the
// filler that lines the key hints up ("・・・", "----") and without the hint, which goes with
// the accelerator to the item's key binding. The visible captions stay as they are.

#include <QString>

namespace vexlo::qtview {

// Installs the accessible interface of menu items (once per program).
void installMenuAccessibility();

// A caption split for readers: the words, and the key hint after the filler (or nothing).
struct SpokenCaption {
    QString name;
    QString keyHint;
};
SpokenCaption spokenCaption(const QString& caption);

}  // namespace vexlo::qtview
