#include "qt/ControlWidgets.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>

#include "qt/FittedLabel.h"
#include "qt/ModelFont.h"

namespace vexlo::qtview {

namespace {

QColor colourOf(platform::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

void render(QLabel& label, const platform::Label& model, QRect geometry) {
    label.setText(QString::fromStdString(model.caption()));
    // The name is kept as stored; when no such font exists, fontconfig chooses a fallback.
    label.setFont(modelFont(model));
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, colourOf(model.backColour()));
    palette.setColor(QPalette::WindowText, colourOf(model.foreColour()));
    label.setPalette(palette);
    label.setEnabled(model.enabled());
    label.setGeometry(geometry);
}

}  // namespace

ControlWidgets::ControlWidgets(QWidget& surface, const platform::Form& form, QObject& mouseFilter)
    : surface_(surface), form_(form), mouseFilter_(mouseFilter) {}

void ControlWidgets::update(const platform::Control& control, PixelScale scale, QSize content) {
    const auto* model = dynamic_cast<const platform::Label*>(&control);
    if (model == nullptr) return;
    const QRect geometry = pixelRect(control, scale);
    const bool inView = control.visible() && geometry.intersects(QRect(QPoint(0, 0), content));

    auto found = labels_.find(&control);
    if (found == labels_.end()) {
        if (!inView) return;
        auto* label = new FittedLabel(&surface_);
        label->setObjectName(QString::fromStdString(control.key()));
        label->setAccessibleName(QString::fromStdString(control.key()));
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        const auto alignment = alignments_.find(&control);
        label->setAlignment(alignment != alignments_.end() ? alignment->second
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
        label->installEventFilter(&mouseFilter_);
        found = labels_.emplace(&control, label).first;
        restack();
        applyFitting();
    }
    render(*found->second, *model, geometry);
    found->second->setVisible(inView);
    // A label drawn clear of this one follows its moves.
    for (const auto& [fitted, cover] : fitted_) {
        if (cover == &control) {
            if (QLabel* label = labelFor(*fitted)) label->update();
        }
    }
}

void ControlWidgets::setFitted(const platform::Control& control, const platform::Control* cover) {
    fitted_[&control] = cover;
    applyFitting();
}

void ControlWidgets::applyFitting() {
    for (const auto& [control, cover] : fitted_) {
        auto* label = static_cast<FittedLabel*>(labelFor(*control));
        if (label == nullptr) continue;
        label->setFitting(true);
        label->setCover(cover != nullptr ? labelFor(*cover) : nullptr);
    }
}

void ControlWidgets::updateAll(PixelScale scale, QSize content) {
    for (const auto& control : form_.controls()) update(*control, scale, content);
}

void ControlWidgets::setAlignment(const platform::Control& control, Qt::Alignment alignment) {
    alignments_[&control] = alignment;
    if (QLabel* label = labelFor(control)) label->setAlignment(alignment);
}

QLabel* ControlWidgets::labelFor(const platform::Control& control) const {
    const auto found = labels_.find(&control);
    return found == labels_.end() ? nullptr : found->second;
}

const platform::Control* ControlWidgets::controlOf(const QObject* widget) const {
    for (const auto& [control, label] : labels_) {
        if (label == widget) return control;
    }
    return nullptr;
}

void ControlWidgets::restack() {
    // Later controls lie above earlier ones: the mark label over the display's left end.
    for (const auto& control : form_.controls()) {
        if (QLabel* label = labelFor(*control)) label->raise();
    }
}

}  // namespace vexlo::qtview
