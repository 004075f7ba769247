#include "qt/WindowMouse.h"

#include <QMouseEvent>
#include <QWidget>

#include "platform/Keys.h"

namespace vexlo::qtview {

WindowMouse::WindowMouse(QWidget& surface, std::function<void(int, int)> pressed)
    : QObject(&surface), surface_(surface), pressed_(std::move(pressed)) {
    surface_.installEventFilter(this);
}

bool WindowMouse::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &surface_ || event->type() != QEvent::MouseButtonPress) return false;
    const auto& mouse = static_cast<QMouseEvent&>(*event);
    int button = 0;
    if (mouse.button() == Qt::LeftButton) button = 1;
    if (mouse.button() == Qt::RightButton) button = 2;
    if (mouse.button() == Qt::MiddleButton) button = 4;
    const int shift =
        (mouse.modifiers().testFlag(Qt::ShiftModifier) ? platform::modifiers::Shift : 0) |
        (mouse.modifiers().testFlag(Qt::ControlModifier) ? platform::modifiers::Ctrl : 0);
    pressed_(button, shift);
    return true;
}

}  // namespace vexlo::qtview
