#include "qt/ClickableWidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QFont>
#include <QFontDatabase>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <algorithm>

#include "qt/ModelFont.h"

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
        if (!option->value() && widget.isChecked()) {
            // The model may leave every option unchosen, which an exclusive group refuses.
            widget.setAutoExclusive(false);
            widget.setChecked(false);
            widget.setAutoExclusive(true);
        } else {
            widget.setChecked(option->value());
        }
    } else if (const auto* button = dynamic_cast<const platform::Button*>(&control)) {
        widget.setText(QString::fromStdString(button->caption()));
    }
}

ClickableWidgets::Group groupOf(const platform::Control& control) {
    const std::string& name = control.name();
    if (name.rfind("Option", 0) == 0) return ClickableWidgets::Group::Sources;
    if (name == "Check4" || name == "Check5" || name == "Check6" || name == "Check7")
        return ClickableWidgets::Group::Categories;
    if (name.rfind("Check", 0) == 0) return ClickableWidgets::Group::Targets;
    return ClickableWidgets::Group::Buttons;
}

const char* const GroupProperty = "vexloGroup";

// A group of the panel is read as a named grouping (a plain widget would be a filler).
QAccessibleInterface* groupFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QWidget") && object->property(GroupProperty).isValid())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}

}  // namespace

ClickableWidgets::ClickableWidgets(QWidget& surface, const platform::Form& form,
                                   std::function<void()> afterClick)
    : surface_(surface), form_(form), afterClick_(std::move(afterClick)) {
    static const bool installed = [] {
        QAccessible::installFactory(groupFactory);
        return true;
    }();
    (void)installed;
}

QWidget& ClickableWidgets::groupWidget(Group group) {
    QWidget*& made = groupWidgets_[static_cast<std::size_t>(group)];
    if (made == nullptr) {
        made = new QWidget(&surface_);
        made->setProperty(GroupProperty, static_cast<int>(group));
        made->setObjectName(QStringLiteral("group%1").arg(static_cast<int>(group)));
        if (groupName_) made->setAccessibleName(groupName_(group));
    }
    return *made;
}

void ClickableWidgets::nameGroups(const std::function<QString(Group)>& name) {
    groupName_ = name;
    for (std::size_t g = 0; g < GroupCount; ++g) {
        if (groupWidgets_[g] != nullptr) groupWidgets_[g]->setAccessibleName(name(Group(g)));
    }
}

void ClickableWidgets::fitGroups() {
    // Each group spans its shown widgets, so it covers nothing else (the display above).
    std::array<QRect, GroupCount> spans{};
    for (const auto& [control, widget] : widgets_) {
        if (!control->visible()) continue;
        const std::size_t g = static_cast<std::size_t>(groups_.at(control));
        const QRect placed = widget->property("vexloPlace").toRect();
        if (!widget->isHidden()) spans[g] |= placed;
    }
    for (std::size_t g = 0; g < GroupCount; ++g) {
        QWidget* group = groupWidgets_[g];
        if (group == nullptr) continue;
        group->setGeometry(spans[g]);
        group->setVisible(!spans[g].isEmpty());
    }
    for (const auto& [control, widget] : widgets_) {
        const QWidget* group = groupWidgets_[static_cast<std::size_t>(groups_.at(control))];
        widget->setGeometry(widget->property("vexloPlace").toRect().translated(-group->pos()));
    }
}

std::vector<QAbstractButton*> ClickableWidgets::reachable(Group group) const {
    std::vector<QAbstractButton*> found;
    for (const auto& [control, widget] : widgets_) {
        if (groups_.at(control) == group && widget->isVisible() && widget->isEnabled())
            found.push_back(widget);
    }
    std::sort(found.begin(), found.end(), [](const QAbstractButton* a, const QAbstractButton* b) {
        const QPoint pa = a->mapTo(a->window(), QPoint(0, 0));
        const QPoint pb = b->mapTo(b->window(), QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return found;
}

QAbstractButton* ClickableWidgets::make(platform::Control& control) {
    QAbstractButton* widget = nullptr;
    const Group group = groupOf(control);
    QWidget& parent = groupWidget(group);
    switch (control.kind()) {
        case platform::ControlKind::CheckBox:
            widget = new QCheckBox(&parent);
            break;
        case platform::ControlKind::OptionButton:
            // Exclusive within its group, so it is read as a radio button.
            widget = new QRadioButton(&parent);
            break;
        default:
            widget = new QPushButton(&parent);
            break;
    }
    widget->setObjectName(QString::fromStdString(control.key()));
    // The focus shows where the panel's keys act; typed keys still go to the window's filter,
    // never to a box (a space would tick it).
    widget->setFocusPolicy(Qt::StrongFocus);
    groups_.emplace(&control, group);
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
    widget->setProperty("vexloPlace", geometry);
    widget->setVisible(inView);
    if (!updatingAll_) fitGroups();
}

void ClickableWidgets::updateAll(PixelScale scale, QSize content) {
    updatingAll_ = true;
    for (const auto& control : form_.controls()) update(*control, scale, content);
    updatingAll_ = false;
    fitGroups();
}

QAbstractButton* ClickableWidgets::widgetFor(const platform::Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

}  // namespace vexlo::qtview
