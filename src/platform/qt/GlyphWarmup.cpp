#include "platform/qt/GlyphWarmup.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <cmath>

namespace vexlo::qtview {

void warmGlyphs(const QLabel& label, const QString& sample) {
    if (sample.isEmpty()) return;
    // The font cache is shared with the label only at the label's resolution and pixel ratio.
    const qreal ratio = label.devicePixelRatioF();
    const QFontMetricsF metrics(label.font(), &label);
    // The label measures before it draws; both take glyphs from the same cache. The image holds
    // the whole text, as glyphs drawn outside it would be skipped.
    const QRectF ink = metrics.tightBoundingRect(sample);
    QImage image((QSizeF(ink.right(), ink.height()) * ratio).toSize() + QSize(2, 2),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    constexpr double MetresPerInch = 0.0254;
    image.setDotsPerMeterX(static_cast<int>(std::lround(label.logicalDpiX() / MetresPerInch)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(label.logicalDpiY() / MetresPerInch)));
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(label.font());
    painter.drawText(QPointF(0, -ink.top()), sample);
}

}  // namespace vexlo::qtview
