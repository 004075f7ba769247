#include "platform/Form.h"

namespace vexlo::platform {

Form::Form(std::string name) : name_(std::move(name)) {}

void Form::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify(nullptr);
}

void Form::move(Twips left, Twips top) {
    if (left_ == left && top_ == top) return;
    left_ = left;
    top_ = top;
    notify(nullptr);
}

void Form::setWidth(Twips width) {
    if (width_ == width) return;
    width_ = width;
    notify(nullptr);
    if (onResize) onResize();
}

void Form::setHeight(Twips height) {
    if (height_ == height) return;
    height_ = height;
    notify(nullptr);
    if (onResize) onResize();
}

void Form::resizeByUser(Twips height, Twips width) {
    if (height_ == height && width_ == width) return;
    height_ = height;
    width_ = width;
    notify(nullptr);
    if (onResize) onResize();
}

void Form::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    notify(nullptr);
}

void Form::setTopmost(bool topmost) {
    if (topmost_ == topmost) return;
    topmost_ = topmost;
    notify(nullptr);
}

Control* Form::find(std::string_view name, int index) const {
    for (const auto& control : controls_) {
        if (control->name() == name && control->index() == index) return control.get();
    }
    return nullptr;
}

MenuItem& Form::addMenu(std::string name, std::string caption) {
    menus_.push_back(
        std::make_unique<MenuItem>(*this, std::move(name), -1, std::move(caption), Shortcut{}));
    menuItemAdded(*menus_.back());
    return *menus_.back();
}

void Form::menuItemAdded(MenuItem& item) {
    if (menuIndexStale_) return;
    if (!menuIndex_.try_emplace({item.name(), item.index()}, &item).second) menuIndexStale_ = true;
}

void Form::forEachMenuItem(const std::function<void(MenuItem&)>& visit) const {
    std::function<void(MenuItem&)> walk = [&](MenuItem& item) {
        visit(item);
        for (const auto& child : item.children()) walk(*child);
    };
    for (const auto& menu : menus_) walk(*menu);
}

namespace {

// Depth first, in menu order, stopping at the first match.
template <typename Match>
MenuItem* firstMenuItem(const std::vector<std::unique_ptr<MenuItem>>& items, const Match& match) {
    for (const auto& item : items) {
        if (match(*item)) return item.get();
        if (MenuItem* found = firstMenuItem(item->children(), match)) return found;
    }
    return nullptr;
}

}  // namespace

MenuItem* Form::findMenu(std::string_view name, int index) const {
    if (menuIndexStale_) {
        menuIndex_.clear();
        // Depth first, keeping the first item of each name and index.
        forEachMenuItem([this](MenuItem& item) {
            menuIndex_.try_emplace({item.name(), item.index()}, &item);
        });
        menuIndexStale_ = false;
    }
    const auto found = menuIndex_.find({name, index});
    return found != menuIndex_.end() ? found->second : nullptr;
}

void Form::tickChoice(std::string_view name, int chosen) const {
    for (int i = 0; i < 2; ++i) {
        if (MenuItem* item = findMenu(name, i)) item->setChecked(i == chosen);
    }
}

MenuItem* Form::findAccelerator(const Shortcut& shortcut) const {
    if (shortcut.empty()) return nullptr;
    return firstMenuItem(menus_, [&](const MenuItem& item) { return item.shortcut() == shortcut; });
}

void Form::pressKey(const KeyStroke& key) {
    if (closed_) return;
    if (onKeyDown) onKeyDown(key.keyCode, key.shift);
    if (closed_) return;
    const bool ctrl = (key.shift & modifiers::Ctrl) != 0;
    const bool functionKey = keys::isFunctionKey(key.keyCode);
    if (ctrl || functionKey) {
        if (MenuItem* item = findAccelerator(Shortcut{key.keyCode, ctrl})) {
            item->click();
            return;
        }
    }
    char32_t character = key.character;
    if (character != 0 && onKeyPress) onKeyPress(character);
}

void Form::close() {
    if (closed_) return;
    if (onUnload) onUnload();
    closed_ = true;
    visible_ = false;
    notify(nullptr);
}

void Form::notify(const Control* what) {
    for (const auto& observer : observers_) observer(what);
}

void Form::clearOtherOptions(const OptionButton& chosen) {
    for (const auto& control : controls_) {
        if (auto* option = dynamic_cast<OptionButton*>(control.get());
            option && option != &chosen && option->value_) {
            option->value_ = false;
            notify(option);
        }
    }
}

}  // namespace vexlo::platform
