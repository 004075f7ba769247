#pragma once
// The font window `Fontmnu4` on screen: the name label, the list of fonts, OK and CANCEL. A
// click in the list reaches `fontChosen` at once; closing from the title bar unloads the
// window as CANCEL does.

#include <QDialog>

#include "shell/MainWindow.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vexlo::qtview {

class FontWindowView : public QDialog {
    Q_OBJECT

  public:
    FontWindowView(shell::MainWindow& main, QWidget* owner);

    QListWidget& list() const { return *list_; }
    QLabel& nameLabel() const { return *name_; }
    QPushButton& okButton() const { return *ok_; }
    QPushButton& cancelButton() const { return *cancel_; }

  protected:
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void refresh();

    shell::MainWindow& main_;
    platform::Form& form_;
    QLabel* name_;
    QListWidget* list_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool syncing_ = false;
};

}  // namespace vexlo::qtview
