#pragma once
// Text a label will show, drawn once off screen in the label's font: the face is loaded and the
// glyphs rendered into the font's cache, so the label's first paint of them costs no more than
// any other. A large CJK face takes milliseconds to load and each first glyph about one.

#include <QString>

class QLabel;

namespace vexlo::qtview {

void warmGlyphs(const QLabel& label, const QString& sample);

}  // namespace vexlo::qtview
