#pragma once
// A label that never clips its text. The model's font and size stay as they are; where the text
// is wider than the label's free width (the label less the part a covering label, the mark
// beside the display, lies over) or taller than the part of the label in view, it is drawn at
// the largest size that fits, and at the model's size again once that fits.

#include <QFont>
#include <QLabel>
#include <QPointer>
#include <QRectF>

namespace vexlo::qtview {

// The largest point size up to `font`'s own at which `text`'s ink and advance fit `room`
// (pixels, as `device` measures them), in steps of a quarter point, at least MinimumPointSize.
inline constexpr double MinimumPointSize = 4;
double fittedPointSize(const QFont& font, const QString& text, QSizeF room,
                       const QPaintDevice* device);

class FittedLabel : public QLabel {
    Q_OBJECT

  public:
    explicit FittedLabel(QWidget* parent) : QLabel(parent) {}

    void setFitting(bool fitting);
    bool fitting() const { return fitting_; }
    // A sibling label lying over this one's left or right end; its part is kept clear.
    void setCover(QWidget* cover);

    // Where the text is drawn: the free part of the label in view, in the label's pixels.
    QRectF freeRect() const;
    // The font the text is drawn with now.
    QFont drawnFont() const;
    // Where the text is drawn: its font and the pen's start on the baseline, in the label's
    // pixels (screen readers and magnifiers follow the characters from there).
    struct Placement {
        QFont font;
        QPointF origin;
    };
    Placement placement() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool fitting_ = false;
    QPointer<QWidget> cover_;
};

}  // namespace vexlo::qtview
