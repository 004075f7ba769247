#pragma once
// Qt's own texts (the colour dialog's title and buttons, the standard buttons of message boxes)
// in the language of the menus: Japanese from Qt's translations where they are installed
// (qt6-translations-l10n), Qt's English otherwise.

namespace vexlo::qtview {

// Loads or drops Qt's Japanese texts; dialogs made afterwards use them.
void useQtTexts(bool english);

}  // namespace vexlo::qtview
