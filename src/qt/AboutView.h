#pragma once
// The version window `About_Form`: modal, centred where the model places it, with the product
// and version lines, the credit, a picture drawn in code and OK.

#include <QDialog>

#include "shell/MainWindow.h"

class QPushButton;

namespace vexlo::qtview {

// A small calculator with a green display strip, drawn with QPainter.
class AboutPicture : public QWidget {
    Q_OBJECT

  public:
    explicit AboutPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {96, 120}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class AboutView : public QDialog {
    Q_OBJECT

  public:
    AboutView(shell::MainWindow& main, QWidget* owner);
    QPushButton& okButton() const { return *ok_; }

  private:
    void refresh();
    shell::MainWindow& main_;
    platform::Form& form_;
    QPushButton* ok_;
};

}  // namespace vexlo::qtview
