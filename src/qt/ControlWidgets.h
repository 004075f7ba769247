#pragma once
// The form's labels that lie in view, as QLabels on the window's client surface (below the menu
// bar), with the model's caption, font, colours and geometry. A control outside the visible area
// (the keypad, the scratch labels) gets no widget: it exists in the model only.

#include <QSize>
#include <QString>
#include <Qt>
#include <map>

#include "platform/Form.h"
#include "qt/WindowMetrics.h"

class QLabel;
class QObject;
class QWidget;

namespace vexlo::qtview {

class ControlWidgets {
  public:
    // `mouseFilter` watches the mouse on every label made.
    ControlWidgets(QWidget& surface, const platform::Form& form, QObject& mouseFilter);
    ControlWidgets(const ControlWidgets&) = delete;
    ControlWidgets& operator=(const ControlWidgets&) = delete;

    // Brings one control's widget up to date, making it when the control comes into view;
    // `content` is the visible area below the menu bar, in pixels.
    void update(const platform::Control& control, PixelScale scale, QSize content);
    void updateAll(PixelScale scale, QSize content);

    void setAlignment(const platform::Control& control, Qt::Alignment alignment);
    // The control's text is drawn at the largest size that fits, clear of `cover` (or nullptr).
    void setFitted(const platform::Control& control, const platform::Control* cover);

    QLabel* labelFor(const platform::Control& control) const;
    const platform::Control* controlOf(const QObject* widget) const;

  private:
    void restack();
    void applyFitting();

    QWidget& surface_;
    const platform::Form& form_;
    QObject& mouseFilter_;
    std::map<const platform::Control*, QLabel*> labels_;
    std::map<const platform::Control*, Qt::Alignment> alignments_;
    std::map<const platform::Control*, const platform::Control*> fitted_;
};

}  // namespace vexlo::qtview
