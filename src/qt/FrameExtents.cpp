#include "qt/FrameExtents.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef VEXLO_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include "qt/X11Queries.h"

namespace vexlo::qtview {

namespace {

double logical(std::uint32_t devicePixels, double ratio) {
    return devicePixels / (ratio > 0 ? ratio : 1);
}

}  // namespace

FrameExtents::FrameExtents(QWidget& window) : window_(&window) {
#ifdef VEXLO_HAVE_XCB
    if (xcb_connection_t* xcb = x11Connection()) {
        atom_ = x11Atom(xcb, "_NET_FRAME_EXTENTS");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
#endif
}

FrameExtents::~FrameExtents() {
    if (atom_ != 0 && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FrameExtents::available() {
#ifdef VEXLO_HAVE_XCB
    return x11Connection() != nullptr;
#else
    return false;
#endif
}

void FrameExtents::read() {
#ifdef VEXLO_HAVE_XCB
    xcb_connection_t* xcb = x11Connection();
    const QWindow* handle = window_ ? window_->windowHandle() : nullptr;
    if (xcb == nullptr || atom_ == 0 || handle == nullptr) return;
    const auto cookie = xcb_get_property(xcb, 0, static_cast<xcb_window_t>(handle->winId()), atom_,
                                         XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(xcb, cookie, nullptr);
    FrameSize frame;  // no property: no frame (no manager, or one that draws none)
    if (reply != nullptr) {
        if (reply->format == 32 && xcb_get_property_value_length(reply) >= 16) {
            // left, right, top, bottom
            const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            const double ratio = handle->devicePixelRatio();
            frame = {logical(sides[0], ratio), logical(sides[2], ratio), logical(sides[1], ratio),
                     logical(sides[3], ratio)};
        }
        std::free(reply);
    }
    if (frame == frame_) return;
    frame_ = frame;
    if (onChanged) onChanged(frame_);
#endif
}

bool FrameExtents::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef VEXLO_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || window_.isNull()) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) return false;
    const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    const QWindow* handle = window_->windowHandle();
    if (property->atom != atom_ || handle == nullptr ||
        property->window != static_cast<xcb_window_t>(handle->winId()))
        return false;
    // Read at once, so that the move and resize events that follow see the new frame.
    read();
#else
    (void)eventType;
    (void)message;
#endif
    return false;
}

}  // namespace vexlo::qtview
