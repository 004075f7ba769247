#include "platform/MenuItem.h"

#include "platform/Form.h"
#include "platform/Keys.h"

namespace vexlo::platform {

std::string Shortcut::text() const {
    if (keyCode == 0) return {};
    std::string name;
    if (keys::isFunctionKey(keyCode)) {
        name = "F" + std::to_string(keyCode - keys::F1 + 1);
    } else {
        name = std::string(1, static_cast<char>(keyCode));
    }
    return ctrl ? "Ctrl+" + name : name;
}

MenuItem::MenuItem(Form& form, std::string name, int index, std::string caption, Shortcut shortcut)
    : form_(form),
      name_(std::move(name)),
      index_(index),
      caption_(std::move(caption)),
      shortcut_(shortcut) {}

std::string MenuItem::key() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void MenuItem::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    changed();
}

void MenuItem::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    changed();
}

void MenuItem::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed();
}

MenuItem& MenuItem::add(std::string name, int index, std::string caption, Shortcut shortcut) {
    auto item =
        std::make_unique<MenuItem>(form_, std::move(name), index, std::move(caption), shortcut);
    item->parent_ = this;
    children_.push_back(std::move(item));
    form_.menuItemAdded(*children_.back());
    return *children_.back();
}

void MenuItem::click() {
    if (!enabled_ || !children_.empty() || isSeparator() || form_.closed()) return;
    if (onClick) onClick();
}

void MenuItem::changed() {
    form_.notify(nullptr);
}

}  // namespace vexlo::platform
