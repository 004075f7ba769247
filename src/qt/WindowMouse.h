#pragma once
// A mouse press on the main window's own client area (not on a control) for `windowMouseDown`.

#include <QObject>
#include <functional>

namespace vexlo::qtview {

class WindowMouse : public QObject {
    Q_OBJECT

  public:
    // `pressed` receives the button (1 left, 2 right, 4 middle) and the shift mask.
    WindowMouse(QWidget& surface, std::function<void(int button, int shift)> pressed);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& surface_;
    std::function<void(int, int)> pressed_;
};

}  // namespace vexlo::qtview
