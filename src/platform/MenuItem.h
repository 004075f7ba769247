#pragma once
// A menu item of a form's menu bar: caption, tick mark, accelerator and click handler.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexlo::platform {

class Form;

// A menu accelerator: a key code with or without Ctrl (Ctrl+A, F1).
struct Shortcut {
    int keyCode = 0;
    bool ctrl = false;
    bool empty() const { return keyCode == 0; }
    std::string text() const;  // "Ctrl+A", "F1", ""
    bool operator==(const Shortcut&) const = default;
};

class MenuItem {
  public:
    MenuItem(Form& form, std::string name, int index, std::string caption, Shortcut shortcut);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when the item is not part of an array
    std::string key() const;              // "TNN(1)", or the bare name
    bool isSeparator() const { return caption_ == "-"; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const Shortcut& shortcut() const { return shortcut_; }

    MenuItem& add(std::string name, int index, std::string caption, Shortcut shortcut = {});
    const std::vector<std::unique_ptr<MenuItem>>& children() const { return children_; }
    MenuItem* parent() const { return parent_; }

    // A user's choice of the item: runs onClick when the item is enabled and has no submenu.
    void click();
    std::function<void()> onClick;

  private:
    void changed();
    Form& form_;
    MenuItem* parent_ = nullptr;
    std::string name_;
    int index_;
    std::string caption_;
    Shortcut shortcut_;
    bool checked_ = false;
    bool enabled_ = true;
    std::vector<std::unique_ptr<MenuItem>> children_;
};

}  // namespace vexlo::platform
