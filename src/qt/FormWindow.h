#pragma once
// A model form as a real window: caption, menu bar, the labels in view, geometry in twips mapped
// onto the window (see WindowMetrics.h), every key routed to the form, and closing.
//
// The view decides nothing: it forwards a real event to the model and renders what the model
// then holds. Control changes are drawn at once (a message box shown mid-handler sees the
// display as it is); caption, menus and window geometry are applied once the handler has
// returned, so the layout rules' intermediate sizes never reach the window manager.
//
// A user's resize runs the layout rules at once; the window takes the snapped size once the
// resizing has paused for the snap delay and no mouse button is held. A size request in the
// middle of a window manager's interactive resize is refused or, worse, misplaces the window
// (openbox moves it by its frame). The size a manager or compositor settles on after a drag
// (its last configure) is snapped as any other; a manager that keeps answering with its own
// size is asked a bounded number of times. The manager is given the range of sizes the layout
// rules allow.
//
// Where the frame and the menu bar take more than the design's non-client area (a tall title
// bar, a large system font), the window grows by the difference, so that what the model shows
// inside its outer size stays whole.

#include <QMainWindow>
#include <QSize>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Form.h"
#include "qt/WindowMetrics.h"

class QKeyEvent;
class QLabel;

namespace vexlo::qtview {

class ClickableWidgets;
class ControlWidgets;
class FrameExtents;
class MenuBarView;

class FormWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit FormWindow(platform::Form& form, QWidget* parent = nullptr);
    ~FormWindow() override;

    platform::Form& form() const { return form_; }

    // Mouse on a control's widget: button 1 left, 2 right, 4 middle; shift mask 1 Shift, 2 Ctrl.
    std::function<void(const platform::Control&, int button, int shift)> onMouseDown;
    // A double click with the left button.
    std::function<void(const platform::Control&)> onDoubleClick;
    // The form has been closed (by the model or from the title bar) and the window with it.
    std::function<void()> onClosed;
    // A key is about to reach the form.
    std::function<void(const platform::KeyStroke&)> onKeyTyped;
    // A key has been handled and its changes applied.
    std::function<void()> onKeyDelivered;
    // A key press has reached the form; keys the calculator leaves unused may serve the view.
    std::function<void(const QKeyEvent&)> afterKeyPress;

    void setAlignment(const platform::Control& control, Qt::Alignment alignment);
    // The control's text never clips: drawn smaller where needed, clear of `cover`.
    void setFitted(const platform::Control& control, const platform::Control* cover);

    // How long a user's resizing must pause before the window takes the snapped size.
    static constexpr std::chrono::milliseconds DefaultSnapDelay{250};
    void setSnapDelay(std::chrono::milliseconds delay) { snapTimer_.setInterval(delay); }
    // How often a size that the manager keeps answering with is asked for again.
    static constexpr int MaxRetries = 2;

    // The outer sizes the model's layout rules leave alone, given to the window manager.
    std::function<SizeRange()> sizeRange;
    // Whether the user holds a mouse button (a drag in progress): the snap waits for its end.
    std::function<bool()> pointerHeld;
    // Whether the window system tells the window where it is (not on Wayland). Where it does
    // not, the model keeps the position it was given and the window is not placed.
    bool positionKnown() const { return positionKnown_; }
    void setPositionKnown(bool known) { positionKnown_ = known; }

    // Applies the model's caption, menus, geometry and closed state to the window now.
    void flush();

    // What the view holds, for tests and accessibility.
    QLabel* labelFor(const platform::Control& control) const;
    ClickableWidgets& clickables() const { return *clickables_; }
    MenuBarView& menus() const { return *menus_; }
    PixelScale pixelScale() const;
    int menuBarHeight() const;
    // The client size (menu bar included) that the model's current outer size maps to.
    QSize modelClientSize() const;
    // The frame the window manager draws (read from it where it tells; empty otherwise). A new
    // frame resizes the client so that the outer size stays the model's.
    FrameSize frame() const { return frame_; }
    void setFrame(FrameSize frame);
    // The pixels the window is taller than the model's outer size, so that every control the
    // model shows inside it stays in view.
    int growth() const;
    // The pixels the window is wider than the model's outer size, so that the menu bar shows
    // every menu (a large system font) and none goes into its overflow button.
    int widthGrowth() const;

    void setVisible(bool visible) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void changed(const platform::Control* control);
    void scheduleFlush();
    void applyGeometry();
    void userResized(QSize size);
    void snap();
    QSize contentSize() const;
    // The frame the model's outer size is mapped through: the real one, less the growths.
    FrameSize layoutFrame() const;
    void applySizeRange(QSize target);
    QPoint modelPosition() const;
    // The frame's top left moved so that the frame lies in the available area of a screen.
    QPoint onScreen(QPoint framePosition) const;
    // The top left of the frame: the client's less the frame the manager told.
    QPoint framePosition() const;
    bool filterKey(QWidget& receiver, QEvent& event);
    bool filterMouse(const platform::Control& control, QEvent& event);
    void deliver(const platform::KeyStroke& key);

    platform::Form& form_;
    QWidget* surface_;
    std::unique_ptr<MenuBarView> menus_;
    std::unique_ptr<ControlWidgets> controls_;
    std::unique_ptr<ClickableWidgets> clickables_;
    std::unique_ptr<FrameExtents> frameExtents_;
    FrameSize frame_;
    bool dirty_ = true;
    bool flushQueued_ = false;
    bool syncing_ = false;  // the view itself is resizing or moving the window
    bool positioned_ = false;
    bool positionKnown_ = true;
    bool closing_ = false;
    int retries_ = 0;  // of the last request the manager answered with the previous size
    QSize minimum_, maximum_;
    // The window's size requests the manager has not answered yet, and the size it had before
    // the last: that size coming back means the window manager keeps its own (a tiling manager,
    // say), and asking again would only repeat the exchange.
    static constexpr std::size_t MaxRequests = 4;
    std::vector<QSize> requested_;  // not yet answered, oldest first
    QSize requestedFrom_;
    QTimer snapTimer_;
};

}  // namespace vexlo::qtview
