#pragma once
// The form's buttons, check boxes and option buttons that come into view, as real Qt widgets
// on the window's client surface: caption, font, tick, enabled and geometry as the model holds
// them. A widget is made only when its control first comes into view (the unit panel's boxes
// when the panel is first shown; the keypad never), so start-up builds none of them.
//
// A click on a widget is a click in the model; the widget then shows what the model holds, so
// the tick of a box is the model's, never Qt's own toggle.
//
// The widgets take the focus (keys still go to the calculator: the window's key filter has them
// first) and lie in named groups, so readers tell the categories, the source units (radio
// buttons) and the target units (check boxes) apart.

#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "platform/Form.h"
#include "qt/WindowMetrics.h"

class QAbstractButton;
class QWidget;

namespace vexlo::qtview {

class ClickableWidgets {
  public:
    enum class Group { Categories, Sources, Targets, Buttons };
    static constexpr std::size_t GroupCount = 4;

    // `afterClick` runs once the model has handled a click (the window applies what changed).
    ClickableWidgets(QWidget& surface, const platform::Form& form,
                     std::function<void()> afterClick);
    ClickableWidgets(const ClickableWidgets&) = delete;
    ClickableWidgets& operator=(const ClickableWidgets&) = delete;

    // `content` is the visible area below the menu bar, in pixels.
    void update(const platform::Control& control, PixelScale scale, QSize content);
    void updateAll(PixelScale scale, QSize content);

    QAbstractButton* widgetFor(const platform::Control& control) const;
    // The widgets of a group that can take the focus now, top to bottom, left to right.
    std::vector<QAbstractButton*> reachable(Group group) const;
    // Names the groups for readers (in the interface's language).
    void nameGroups(const std::function<QString(Group)>& name);

  private:
    QAbstractButton* make(platform::Control& control);
    void clicked(platform::Control& control);
    QWidget& groupWidget(Group group);
    void fitGroups();

    QWidget& surface_;
    const platform::Form& form_;
    std::function<void()> afterClick_;
    std::map<const platform::Control*, QAbstractButton*> widgets_;
    std::map<const platform::Control*, Group> groups_;
    std::array<QWidget*, GroupCount> groupWidgets_{};
    std::function<QString(Group)> groupName_;
    bool updatingAll_ = false;
};

}  // namespace vexlo::qtview
