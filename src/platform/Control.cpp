#include "platform/Control.h"

#include "platform/Form.h"

namespace vexlo::platform {

Control::Control(Form& form, std::string name, int index)
    : form_(form), name_(std::move(name)), index_(index) {}

std::string Control::key() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::setGeometry(Twips left, Twips top, Twips width, Twips height) {
    if (left_ == left && top_ == top && width_ == width && height_ == height) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed();
}

void Control::changed() {
    form_.notify(this);
}

void TextBox::setText(std::string_view text) {
    if (text_ == text) return;
    text_ = text;
    changed();
    if (onChange) onChange();
}

void Button::press() {
    if (onClick) onClick();
}

void Button::click() {
    if (visible() && enabled()) press();
}

void CheckBox::setValue(int value) {
    if (value_ == value) return;
    value_ = value;
    changed();
    if (onClick) onClick();
}

void CheckBox::click() {
    if (visible() && enabled()) setValue(value_ == 0 ? 1 : 0);
}

void OptionButton::setValue(bool chosen) {
    if (value_ == chosen) return;
    value_ = chosen;
    if (chosen) form().clearOtherOptions(*this);
    changed();
    if (chosen && onClick) onClick();
}

void OptionButton::click() {
    if (!visible() || !enabled()) return;
    // A user's click on the chosen button runs its handler all the same; only a state set from
    // the program runs nothing when it is unchanged.
    if (value_) {
        if (onClick) onClick();
        return;
    }
    setValue(true);
}

void ListBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    changed();
}

void ListBox::clear() {
    items_.clear();
    selected_ = -1;
    changed();
}

std::string ListBox::selectedText() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(items_.size())) return {};
    return items_[static_cast<std::size_t>(selected_)];
}

void ListBox::select(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) return;
    selected_ = index;
    changed();
    if (onClick) onClick();
}

bool clickable(const Control& control) {
    switch (control.kind()) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

}  // namespace vexlo::platform
