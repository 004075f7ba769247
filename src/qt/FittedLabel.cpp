#include "qt/FittedLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vexlo::qtview {

namespace {

constexpr double Step = 0.25;  // points
constexpr double Slack = 1.0;  // pixels kept free against rounding in the rasteriser

// The text's ink and advance at one font.
struct Measure {
    QRectF ink;
    double advance = 0;

    // The room the text takes: from the leftmost ink or the pen's start to the rightmost ink or
    // the advance, and the ink's height.
    QSizeF extent() const {
        return {std::max(advance, ink.right()) - std::min(0.0, ink.left()), ink.height()};
    }
    bool fits(QSizeF room) const {
        const QSizeF need = extent();
        return need.width() <= room.width() - Slack && need.height() <= room.height() - Slack;
    }
};

Measure measure(const QFont& font, const QString& text, const QPaintDevice* device) {
    const QFontMetricsF metrics(font, device);
    return {metrics.tightBoundingRect(text), metrics.horizontalAdvance(text)};
}

QFont sized(QFont font, double points) {
    font.setPointSizeF(points);
    return font;
}

// Blanks leave no ink; measuring them would still load the font (a large CJK face for the mark
// at start-up), so they are neither measured nor drawn.
bool hasInk(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
}

struct Fitted {
    double points = 0;
    Measure measure;  // at `points`
};

Fitted fit(const QFont& font, const QString& text, QSizeF room, const QPaintDevice* device) {
    const double own = font.pointSizeF();
    if (own <= 0 || !hasInk(text)) return {own, {}};
    const Measure atOwn = measure(font, text, device);
    if (atOwn.fits(room)) return {own, atOwn};
    // Glyphs scale with the size, so the ratio is close; hinting decides the last steps.
    const QSizeF need = atOwn.extent();
    double ratio = 1;
    if (need.width() > 0) ratio = std::min(ratio, (room.width() - Slack) / need.width());
    if (need.height() > 0) ratio = std::min(ratio, (room.height() - Slack) / need.height());
    double points = std::clamp(std::floor(own * ratio / Step) * Step, MinimumPointSize, own);
    Measure at = measure(sized(font, points), text, device);
    while (points + Step <= own) {
        const Measure larger = measure(sized(font, points + Step), text, device);
        if (!larger.fits(room)) break;
        points += Step;
        at = larger;
    }
    while (points > MinimumPointSize && !at.fits(room)) {
        points = std::max(points - Step, MinimumPointSize);
        at = measure(sized(font, points), text, device);
    }
    return {points, at};
}

}  // namespace

double fittedPointSize(const QFont& font, const QString& text, QSizeF room,
                       const QPaintDevice* device) {
    return fit(font, text, room, device).points;
}

void FittedLabel::setFitting(bool fitting) {
    fitting_ = fitting;
    update();
}

void FittedLabel::setCover(QWidget* cover) {
    cover_ = cover;
    update();
}

QRectF FittedLabel::freeRect() const {
    QRectF free = contentsRect();
    // Only the part inside the parent is in view (a window manager may give less than asked).
    if (const QWidget* parent = parentWidget()) {
        free = free.intersected(QRectF(parent->rect()).translated(-pos()));
    }
    if (cover_ && cover_->isVisible() && cover_->parentWidget() == parentWidget()) {
        const QRectF over = QRectF(cover_->geometry()).translated(-pos());
        if (over.intersects(free)) {
            // The cover keeps the end it lies over; the text keeps the rest.
            if (over.center().x() < free.center().x())
                free.setLeft(std::max(free.left(), over.right()));
            else
                free.setRight(std::min(free.right(), over.left()));
        }
    }
    return free;
}

QFont FittedLabel::drawnFont() const {
    if (!fitting_) return font();
    return sized(font(), fittedPointSize(font(), text(), freeRect().size(), this));
}

FittedLabel::Placement FittedLabel::placement() const {
    const QRectF free = fitting_ ? freeRect() : QRectF(contentsRect());
    // One measuring per paint: the fit's own measures place the text.
    const Fitted fitted = fitting_ ? fit(font(), text(), free.size(), this)
                                   : Fitted{font().pointSizeF(), measure(font(), text(), this)};
    const QFont drawn = fitting_ ? sized(font(), fitted.points) : font();
    const QFontMetricsF metrics(drawn, this);
    const QRectF ink = fitted.measure.ink;
    const double advance = fitted.measure.advance;

    // Across: the label's alignment within the free part, the ink kept inside it.
    double x = free.left() - std::min(0.0, ink.left());
    const double width = std::max(advance, ink.right()) - std::min(0.0, ink.left());
    if (alignment().testFlag(Qt::AlignRight))
        x = free.right() - Slack / 2 - std::max(advance, ink.right());
    else if (alignment().testFlag(Qt::AlignHCenter))
        x += (free.width() - width) / 2;

    // Down: the line centred as a label centres it, then moved so that no ink leaves the
    // label (the bottom of "年" and "成" lies below the line's descent in some fonts).
    double baseline = free.top() + (free.height() - metrics.height()) / 2 + metrics.ascent();
    baseline = std::min(baseline, free.bottom() - Slack / 2 - ink.bottom());
    baseline = std::max(baseline, free.top() + Slack / 2 - ink.top());
    return {drawn, QPointF(x, baseline)};
}

void FittedLabel::paintEvent(QPaintEvent* event) {
    if (!fitting_) {
        QLabel::paintEvent(event);
        return;
    }
    if (freeRect().isEmpty() || !hasInk(text())) return;
    const Placement place = placement();
    QPainter painter(this);
    painter.setFont(place.font);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, foregroundRole()));
    painter.drawText(place.origin, text());
}

}  // namespace vexlo::qtview
