#pragma once
// The help window `Help_Form`: its headings with the body's paragraphs wrapped under each, in a
// scrolling page. Closing it hides the one help window until help is chosen again.

#include <QDialog>

#include "platform/Form.h"

namespace vexlo::qtview {

class HelpView : public QDialog {
    Q_OBJECT

  public:
    HelpView(platform::Form& form, QWidget* owner);

  protected:
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    platform::Form& form_;
    bool syncing_ = false;
};

}  // namespace vexlo::qtview
