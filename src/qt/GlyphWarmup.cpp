#include "qt/GlyphWarmup.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
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

void GlyphWarmer::add(const QLabel* label, const QString& sample) {
    for (qsizetype i = 0; i < sample.size();) {
        const qsizetype length = sample.at(i).isHighSurrogate() && i + 1 < sample.size() ? 2 : 1;
        pending_.push_back({label, sample.mid(i, length)});
        i += length;
    }
}

void GlyphWarmer::start(std::chrono::milliseconds delay) {
    if (started_) return;
    started_ = true;
    QTimer::singleShot(delay, this, [this] { step(); });
}

void GlyphWarmer::step() {
    if (pending_.empty()) return;
    const Pending next = pending_.front();
    pending_.pop_front();
    if (next.label) warmGlyphs(*next.label, next.character);
    if (!pending_.empty()) QTimer::singleShot(0, this, [this] { step(); });
}

}  // namespace vexlo::qtview
