#include "platform/qt/ClickableWidgets.h"

#include <QCheckBox>
#include <QFont>
#include <QFontDatabase>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>

#include "platform/qt/ModelFont.h"

namespace vexlo::qtview {

namespace {

// The model's font; a family the system lacks ("Terminal" as designed) becomes the system's
// fixed-width font at the same size. Captions in Japanese come from fontconfig's fallback.
QFont fontOf(const platform::Control& control) {
    QFont font = modelFont(control);
    if (QFontDatabase::hasFamily(font.family())) return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(font.pointSizeF());
    fixed.setBold(font.bold());
    return fixed;
}

// Caption and tick as the model holds them; the widget's own signals stay quiet meanwhile.
void renderState(QAbstractButton& widget, const platform::Control& control) {
    const QSignalBlocker quiet(widget);
    if (const auto* box = dynamic_cast<const platform::CheckBox*>(&control)) {
        widget.setText(QString::fromStdString(box->caption()));
        widget.setChecked(box->value() == 1);
    } else if (const auto* option = dynamic_cast<const platform::OptionButton*>(&control)) {
        widget.setText(QString::fromStdString(option->caption()));
        widget.setChecked(option->value());
    } else if (const auto* button = dynamic_cast<const platform::Button*>(&control)) {
        widget.setText(QString::fromStdString(button->caption()));
    }
}

}  // namespace

ClickableWidgets::ClickableWidgets(QWidget& surface, const platform::Form& form,
                                   std::function<void()> afterClick)
    : surface_(surface), form_(form), afterClick_(std::move(afterClick)) {}

QAbstractButton* ClickableWidgets::make(platform::Control& control) {
    QAbstractButton* widget = nullptr;
    switch (control.kind()) {
        case platform::ControlKind::CheckBox:
            widget = new QCheckBox(&surface_);
            break;
        case platform::ControlKind::OptionButton: {
            auto* option = new QRadioButton(&surface_);
            // The model keeps the group: it may leave every option unchosen.
            option->setAutoExclusive(false);
            widget = option;
            break;
        }
        default:
            widget = new QPushButton(&surface_);
            break;
    }
    widget->setObjectName(QString::fromStdString(control.key()));
    // Keys go to the window, never to a box (a space would tick it).
    widget->setFocusPolicy(Qt::NoFocus);
    QObject::connect(widget, &QAbstractButton::clicked, widget,
                     [this, &control] { clicked(control); });
    widgets_.emplace(&control, widget);
    return widget;
}

void ClickableWidgets::clicked(platform::Control& control) {
    if (auto* button = dynamic_cast<platform::Button*>(&control)) button->click();
    if (auto* box = dynamic_cast<platform::CheckBox*>(&control)) box->click();
    if (auto* option = dynamic_cast<platform::OptionButton*>(&control)) option->click();
    // A click that changed nothing in the model (an option chosen again) undoes Qt's toggle.
    if (QAbstractButton* widget = widgetFor(control)) renderState(*widget, control);
    if (afterClick_) afterClick_();
}

void ClickableWidgets::update(const platform::Control& control, PixelScale scale, QSize content) {
    if (!platform::clickable(control)) return;
    const QRect geometry = pixelRect(control, scale);
    const bool inView = control.visible() && geometry.intersects(QRect(QPoint(0, 0), content));

    QAbstractButton* widget = widgetFor(control);
    if (widget == nullptr) {
        if (!inView) return;
        // The form hands out its controls for clicks; this view changes them only by clicking.
        widget = make(*form_.find(control.name(), control.index()));
    }
    renderState(*widget, control);
    widget->setFont(fontOf(control));
    widget->setEnabled(control.enabled());
    widget->setGeometry(geometry);
    widget->setVisible(inView);
}

void ClickableWidgets::updateAll(PixelScale scale, QSize content) {
    for (const auto& control : form_.controls()) update(*control, scale, content);
}

QAbstractButton* ClickableWidgets::widgetFor(const platform::Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

}  // namespace vexlo::qtview
