#pragma once
// The program's font names are those of the Windows system it was designed on ("ＭＳ 明朝",
// "System", "Terminal"). Each is substituted with an installed Japanese family of matching
// metrics (half-width digits half an em wide where the original was fixed-width), so a text
// takes the room it was designed to take. The model keeps the names as stored; a name with no
// installed substitute falls back to fontconfig's choice.

#include <QString>

namespace vexlo::qtview {

// Registers the substitute for `name` with Qt the first time a font of that name is made; a
// name with no row, or asked for again, changes nothing.
void registerFontSubstitute(const QString& name);

// Makes the display's default face the fallback for Japanese text in the application font,
// once per process.
void installInterfaceFallback();

// The installed family that stands in for `name`, or an empty text.
QString fontSubstituteFor(const QString& name);

}  // namespace vexlo::qtview
