#pragma once
// The secondary windows on screen: each form's view is made the first time the form is shown,
// never before, so start-up builds no widget nobody sees.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "platform/Services.h"

namespace vexlo::qtview {

class QtWindowHost : public platform::WindowHost {
  public:
    // Makes the view of a form; nullptr for a form that has none.
    using ViewFactory = std::function<QWidget*(platform::Form&)>;
    void setFactory(ViewFactory factory) { factory_ = std::move(factory); }

    void raise(platform::Form& form) override;
    void runModal(platform::Form& form) override;

    // The view of a form once made (for tests and accessibility).
    QWidget* viewOf(const platform::Form& form) const;

  private:
    QWidget* viewFor(platform::Form& form);
    ViewFactory factory_;
    std::map<const platform::Form*, QPointer<QWidget>> views_;
};

}  // namespace vexlo::qtview
