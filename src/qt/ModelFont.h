#pragma once
// What a control's widget takes from the model as it is: its font and its place in pixels.

#include <QFont>
#include <QRect>

#include "platform/Control.h"
#include "qt/WindowMetrics.h"

namespace vexlo::qtview {

// Name, size and weight as the model holds them; a size of 0 or less takes 9 points. A name
// with no installed family is left to fontconfig's fallback.
QFont modelFont(const platform::Control& control);

// The control's twips on the form's client surface, in pixels.
QRect pixelRect(const platform::Control& control, PixelScale scale);

}  // namespace vexlo::qtview
