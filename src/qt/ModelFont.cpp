#include "qt/ModelFont.h"

#include "qt/FontSubstitution.h"

namespace vexlo::qtview {

namespace {
constexpr double FallbackPointSize = 9;
}

QFont modelFont(const platform::Control& control) {
    const QString name = QString::fromStdString(control.fontName());
    registerFontSubstitute(name);
    QFont font(name);
    font.setPointSizeF(control.fontSize() > 0 ? control.fontSize() : FallbackPointSize);
    font.setBold(control.fontBold());
    return font;
}

QRect pixelRect(const platform::Control& control, PixelScale scale) {
    return {toPixels(control.left(), scale.x), toPixels(control.top(), scale.y),
            toPixels(control.width(), scale.x), toPixels(control.height(), scale.y)};
}

}  // namespace vexlo::qtview
