#pragma once
// A window of the model: caption, geometry in twips with its resize handler, key preview
// handlers, its controls by name(index), its menu bar, and observers of every change.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Control.h"
#include "platform/Keys.h"
#include "platform/MenuItem.h"

namespace vexlo::platform {

class Form {
  public:
    explicit Form(std::string name);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void move(Twips left, Twips top);
    // Setting a size that differs from the current one runs onResize at once, nested.
    void setWidth(Twips width);
    void setHeight(Twips height);
    // A user's drag of the border: both sizes change, then onResize runs once.
    void resizeByUser(Twips height, Twips width);
    std::function<void()> onResize;

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool topmost() const { return topmost_; }
    void setTopmost(bool topmost);

    // Controls, owned by the form, in creation order.
    template <typename T>
    T& add(std::string name, int index = -1) {
        auto control = std::make_unique<T>(*this, std::move(name), index);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(std::string_view name, int index = -1) const;
    template <typename T>
    T* find(std::string_view name, int index = -1) const {
        return dynamic_cast<T*>(find(name, index));
    }

    // The menu bar: top-level items, each with its submenu.
    MenuItem& addMenu(std::string name, std::string caption);
    const std::vector<std::unique_ptr<MenuItem>>& menus() const { return menus_; }
    MenuItem* findMenu(std::string_view name, int index = -1) const;
    // Ticks item `chosen` of the one-of-two menu array `name` and unticks the other.
    void tickChoice(std::string_view name, int chosen) const;
    MenuItem* findAccelerator(const Shortcut& shortcut) const;
    void forEachMenuItem(const std::function<void(MenuItem&)>& visit) const;

    // Key preview: key-down with key code and modifier mask, then the character, which the
    // handler may consume by setting it to 0.
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void(char32_t& character)> onKeyPress;
    // One key as the window receives it: key-down; a Ctrl combination that is a menu
    // accelerator then runs the menu item and types nothing; otherwise the character follows.
    void pressKey(const KeyStroke& key);

    // Closing runs the unload step once; a closed form takes no further events.
    std::function<void()> onUnload;
    void close();
    bool closed() const { return closed_; }

    // Observers learn of every change: the control that changed, or nullptr for the form
    // itself and its menus.
    using Observer = std::function<void(const Control*)>;
    void subscribe(Observer observer) { observers_.push_back(std::move(observer)); }
    void notify(const Control* what);

    // Option buttons form one group per form.
    void clearOtherOptions(const OptionButton& chosen);

  private:
    std::string name_;
    std::string caption_;
    Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = false;
    bool topmost_ = false;
    bool closed_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<MenuItem>> menus_;
    std::vector<Observer> observers_;

    // Handlers are bound and ticks set by name, so items are found through an index: each
    // (name, index) to its first item depth first. A new name joins it as the item is added; a
    // second item of a name has the order decide, so the index is rebuilt when next asked.
    friend class MenuItem;
    void menuItemAdded(MenuItem& item);
    struct MenuKey {
        std::string_view name;  // the item's own name
        int index;
        bool operator==(const MenuKey&) const = default;
    };
    struct MenuKeyHash {
        std::size_t operator()(const MenuKey& key) const {
            return std::hash<std::string_view>{}(key.name) * 31 +
                   static_cast<std::size_t>(key.index);
        }
    };
    mutable std::unordered_map<MenuKey, MenuItem*, MenuKeyHash> menuIndex_;
    mutable bool menuIndexStale_ = false;
};

}  // namespace vexlo::platform
