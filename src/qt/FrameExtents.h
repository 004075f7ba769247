#pragma once
// The frame a window manager really draws around a window: its _NET_FRAME_EXTENTS property,
// read once the window is mapped and again whenever the manager changes it (a theme change, a
// window undecorated). Where there is no X11 connection (Wayland, offscreen) or no manager that
// sets the property, the frame is empty.

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "qt/WindowMetrics.h"

namespace vexlo::qtview {

class FrameExtents : public QAbstractNativeEventFilter {
  public:
    explicit FrameExtents(QWidget& window);
    ~FrameExtents() override;
    FrameExtents(const FrameExtents&) = delete;
    FrameExtents& operator=(const FrameExtents&) = delete;

    // Whether the frame can be read here at all (an X11 connection, the support built in).
    static bool available();

    // Reads the property now; runs `onChanged` when the frame differs from the last one read.
    void read();
    // The frame in the window's pixels (the manager's device pixels over the device ratio).
    FrameSize frame() const { return frame_; }

    std::function<void(FrameSize)> onChanged;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    QPointer<QWidget> window_;
    FrameSize frame_;
    unsigned atom_ = 0;
};

}  // namespace vexlo::qtview
