#pragma once
// Controls of a form and their properties. Setting a property notifies the form's observers;
// setting a check box, choosing an option button, pressing a button from code and changing a
// text box's text run their handlers at once, nested (the raising rule).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Twips.h"

namespace vexlo::platform {

class Form;

enum class ControlKind { Label, TextBox, Button, CheckBox, OptionButton, ListBox };

class Control {
  public:
    Control(Form& form, std::string name, int index);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;

    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when the control is not part of an array
    std::string key() const;              // "Number(3)", or the bare name
    Form& form() const { return form_; }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { assign(enabled_, enabled); }

    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void setLeft(Twips v) { assign(left_, v); }
    void setTop(Twips v) { assign(top_, v); }
    void setWidth(Twips v) { assign(width_, v); }
    void setHeight(Twips v) { assign(height_, v); }
    void setGeometry(Twips left, Twips top, Twips width, Twips height);

    const std::string& fontName() const { return fontName_; }
    void setFontName(std::string name) { assign(fontName_, std::move(name)); }
    double fontSize() const { return fontSize_; }
    void setFontSize(double points) { assign(fontSize_, points); }
    bool fontBold() const { return fontBold_; }
    void setFontBold(bool bold) { assign(fontBold_, bold); }
    Colour backColour() const { return backColour_; }
    void setBackColour(Colour c) { assign(backColour_, c); }
    Colour foreColour() const { return foreColour_; }
    void setForeColour(Colour c) { assign(foreColour_, c); }

  protected:
    template <typename T, typename U>
    void assign(T& field, U&& value) {
        if (field == value) return;
        field = std::forward<U>(value);
        changed();
    }
    void changed();

  private:
    Form& form_;
    std::string name_;
    int index_;
    bool visible_ = true;
    bool enabled_ = true;
    Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string fontName_ = "System";
    double fontSize_ = 9;
    bool fontBold_ = false;
    Colour backColour_ = rgb(255, 255, 255);
    Colour foreColour_ = rgb(0, 0, 0);
};

// A user can click buttons, check boxes and option buttons, nothing else.
bool clickable(const Control& control);

class Label : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Label; }
    const std::string& caption() const { return caption_; }
    // Copied into the caption's own buffer: the display is set on every key.
    void setCaption(std::string_view caption) { assign(caption_, caption); }

  private:
    std::string caption_;
};

class TextBox : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::TextBox; }
    const std::string& text() const { return text_; }
    void setText(std::string_view text);  // runs onChange when the text changes
    std::function<void()> onChange;

  private:
    std::string text_;
};

class Button : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Button; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
    // Setting the button's value to true: runs its click handler.
    void press();
    // A user's click: nothing when the button is hidden or disabled.
    void click();
    std::function<void()> onClick;

  private:
    std::string caption_;
};

class CheckBox : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::CheckBox; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
    int value() const { return value_; }
    void setValue(int value);  // runs onClick when the state changes
    void click();              // a user's click toggles the box
    std::function<void()> onClick;

  private:
    std::string caption_;
    int value_ = 0;
};

class OptionButton : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::OptionButton; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
    bool value() const { return value_; }
    // Choosing one clears the other option buttons of its form; runs onClick when it changes.
    void setValue(bool chosen);
    void click();
    std::function<void()> onClick;

  private:
    friend class Form;
    std::string caption_;
    bool value_ = false;
};

class ListBox : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::ListBox; }
    const std::vector<std::string>& items() const { return items_; }
    void addItem(std::string item);
    void clear();
    int selectedIndex() const { return selected_; }  // -1 when nothing is selected
    std::string selectedText() const;
    void select(int index);  // runs onClick
    std::function<void()> onClick;

  private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

}  // namespace vexlo::platform
