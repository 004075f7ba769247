#pragma once
// The program's font names are those of the Windows system it was designed on ("ＭＳ 明朝",
// "System", "Terminal"). Each is substituted with an installed Japanese family of matching
// metrics (half-width digits half an em wide where the original was fixed-width), so a text
// takes the room it was designed to take. The model keeps the names as stored; a name with no
// installed substitute falls back to fontconfig's choice.

#include <QString>

namespace vexlo::qtview {

// Registers the substitutes with Qt, and the display's default face as the fallback for
// Japanese text in the application font, once per process; later calls do nothing.
void installFontSubstitutes();

// The installed family that stands in for `name`, or an empty text.
QString fontSubstituteFor(const QString& name);

}  // namespace vexlo::qtview
