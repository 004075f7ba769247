#pragma once
// The form's buttons, check boxes and option buttons that come into view, as real Qt widgets
// on the window's client surface: caption, font, tick, enabled and geometry as the model holds
// them. A widget is made only when its control first comes into view (the unit panel's boxes
// when the panel is first shown; the keypad never), so start-up builds none of them.
//
// A click on a widget is a click in the model; the widget then shows what the model holds, so
// the tick of a box is the model's, never Qt's own toggle.

#include <QSize>
#include <functional>
#include <map>

#include "platform/Form.h"
#include "platform/qt/WindowMetrics.h"

class QAbstractButton;
class QWidget;

namespace vexlo::qtview {

class ClickableWidgets {
  public:
    // `afterClick` runs once the model has handled a click (the window applies what changed).
    ClickableWidgets(QWidget& surface, const platform::Form& form,
                     std::function<void()> afterClick);
    ClickableWidgets(const ClickableWidgets&) = delete;
    ClickableWidgets& operator=(const ClickableWidgets&) = delete;

    // `content` is the visible area below the menu bar, in pixels.
    void update(const platform::Control& control, PixelScale scale, QSize content);
    void updateAll(PixelScale scale, QSize content);

    QAbstractButton* widgetFor(const platform::Control& control) const;

  private:
    QAbstractButton* make(platform::Control& control);
    void clicked(platform::Control& control);

    QWidget& surface_;
    const platform::Form& form_;
    std::function<void()> afterClick_;
    std::map<const platform::Control*, QAbstractButton*> widgets_;
};

}  // namespace vexlo::qtview
