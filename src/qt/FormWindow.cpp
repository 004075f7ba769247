#include "qt/FormWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "qt/ClickableWidgets.h"
#include "qt/ControlWidgets.h"
#include "qt/FrameExtents.h"
#include "qt/KeyTranslation.h"
#include "qt/MenuBarView.h"
#include "qt/ModelFont.h"
#include "qt/X11Queries.h"

namespace vexlo::qtview {

namespace {

// Marks the window's own resizes and moves, whose events are no user's doing.
class Syncing {
  public:
    explicit Syncing(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~Syncing() { flag_ = previous_; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;

  private:
    bool& flag_;
    bool previous_;
};

int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

// The design's title bar, borders and menu bar: what the model's outer size leaves for them.
constexpr platform::Twips NominalNonClientHeight =
    NominalTitleBar + 2 * NominalBorder + NominalMenuBar;

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int shiftMask(Qt::KeyboardModifiers mods) {
    return (mods.testFlag(Qt::ShiftModifier) ? platform::modifiers::Shift : 0) |
           (mods.testFlag(Qt::ControlModifier) ? platform::modifiers::Ctrl : 0);
}

}  // namespace

FormWindow::FormWindow(platform::Form& form, QWidget* parent)
    : QMainWindow(parent), form_(form), surface_(new QWidget(this)) {
    setObjectName(QString::fromStdString(form_.name()));
    surface_->setObjectName(QStringLiteral("client"));
    setCentralWidget(surface_);
    menus_ = std::make_unique<MenuBarView>(*menuBar(), form_, [this] { flush(); });
    controls_ = std::make_unique<ControlWidgets>(*surface_, form_, *this);
    clickables_ = std::make_unique<ClickableWidgets>(*surface_, form_, [this] { flush(); });
    frameExtents_ = std::make_unique<FrameExtents>(*this);
    frameExtents_->onChanged = [this](FrameSize frame) { setFrame(frame); };

    // Typed text goes to no widget: the window itself takes the focus and the key filter hands
    // every key to the form. It takes no input-method composition, so with a Japanese input
    // method on, keys still come as plain key events (Enter evaluates instead of committing);
    // text that arrives committed all the same is typed character by character.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QCoreApplication::instance()->installEventFilter(this);

    pointerHeld = [] {
        return QGuiApplication::mouseButtons() != Qt::NoButton || x11PointerButtonHeld();
    };
    positionKnown_ = !onWayland();

    snapTimer_.setSingleShot(true);
    snapTimer_.setInterval(DefaultSnapDelay);
    connect(&snapTimer_, &QTimer::timeout, this, &FormWindow::snap);

    QPointer<FormWindow> self(this);
    form_.subscribe([self](const platform::Control* control) {
        if (self) self->changed(control);
    });
    setWindowTitle(QString::fromStdString(form_.caption()));
    controls_->updateAll(pixelScale(), contentSize());
    clickables_->updateAll(pixelScale(), contentSize());
}

FormWindow::~FormWindow() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void FormWindow::setAlignment(const platform::Control& control, Qt::Alignment alignment) {
    controls_->setAlignment(control, alignment);
}

void FormWindow::setFitted(const platform::Control& control, const platform::Control* cover) {
    controls_->setFitted(control, cover);
}

QLabel* FormWindow::labelFor(const platform::Control& control) const {
    return controls_->labelFor(control);
}

PixelScale FormWindow::pixelScale() const {
    const QScreen* current = screen();
    if (current == nullptr) return {};
    return PixelScale::fromDpi(current->logicalDotsPerInchX(), current->logicalDotsPerInchY());
}

int FormWindow::menuBarHeight() const {
    const QMenuBar* bar = menuBar();
    if (bar == nullptr || bar->isHidden()) return 0;
    // As QMainWindow's layout sizes its menu bar.
    int height = bar->heightForWidth(qMax(width(), bar->minimumWidth()));
    if (height < 0) height = bar->sizeHint().height();
    return qBound(bar->minimumSizeHint().height(), height, bar->maximumHeight());
}

QSize FormWindow::modelClientSize() const {
    const ClientSize client =
        clientSizeFor({form_.width(), form_.height()}, layoutFrame(), pixelScale());
    return {client.width, client.height};
}

int FormWindow::growth() const {
    const PixelScale scale = pixelScale();
    // What the design shows lies in its client area, the outer size less the design's title bar,
    // borders and menu bar; what lies further down (the keypad) is out of view by design.
    const platform::Twips designContent = form_.height() - NominalNonClientHeight;
    int shown = 0;  // pixels, as the controls' widgets are placed
    for (const auto& control : form_.controls()) {
        if (!control->visible() || control->top() >= designContent) continue;
        const QRect rect = pixelRect(*control, scale);
        shown = std::max(shown, std::min(toPixels(designContent, scale.y), rect.bottom() + 1));
    }
    const double available =
        form_.height() / scale.y - frame_.top - frame_.bottom - menuBarHeight();
    return std::max(0, static_cast<int>(std::ceil(shown - available)));
}

int FormWindow::widthGrowth() const {
    const QMenuBar* bar = menuBar();
    if (bar == nullptr || bar->isHidden()) return 0;
    const double client = form_.width() / pixelScale().x - frame_.left - frame_.right;
    return std::max(0, static_cast<int>(std::ceil(bar->sizeHint().width() - client)));
}

FrameSize FormWindow::layoutFrame() const {
    FrameSize frame = frame_;
    frame.bottom -= growth();
    frame.right -= widthGrowth();
    return frame;
}

QSize FormWindow::contentSize() const {
    const QSize client = modelClientSize();
    return {client.width(), std::max(0, client.height() - menuBarHeight())};
}

void FormWindow::setFrame(FrameSize frame) {
    if (frame == frame_) return;
    frame_ = frame;
    // The window keeps the model's outer size and position: the client takes what the new
    // frame leaves, once the window system's events of the moment have been handled.
    dirty_ = true;
    scheduleFlush();
}

QPoint FormWindow::modelPosition() const {
    const PixelScale scale = pixelScale();
    return {toPixels(form_.left(), scale.x), toPixels(form_.top(), scale.y)};
}

void FormWindow::changed(const platform::Control* control) {
    if (control != nullptr) {
        controls_->update(*control, pixelScale(), contentSize());
        clickables_->update(*control, pixelScale(), contentSize());
        return;
    }
    dirty_ = true;
    scheduleFlush();
}

void FormWindow::scheduleFlush() {
    if (flushQueued_) return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flushQueued_ = false;
            flush();
        },
        Qt::QueuedConnection);
}

void FormWindow::flush() {
    if (!dirty_) return;
    dirty_ = false;
    setWindowTitle(QString::fromStdString(form_.caption()));
    menus_->refresh();
    if (form_.closed()) {
        if (!closing_ && isVisible()) close();
        return;
    }
    applyGeometry();
    controls_->updateAll(pixelScale(), contentSize());
    clickables_->updateAll(pixelScale(), contentSize());
}

void FormWindow::applyGeometry() {
    const QSize target = modelClientSize();
    const bool request = size() != target && !snapTimer_.isActive();
    applySizeRange(request ? target : size());
    if (request) {
        if (requested_.size() == MaxRequests) requested_.erase(requested_.begin());
        requested_.push_back(target);
        requestedFrom_ = size();
        Syncing syncing(syncing_);
        resize(target);
    }
    if (!positionKnown_) return;
    QPoint position = modelPosition();
    if (!positioned_ || framePosition() != position) {
        // A place the program sets (a stored one, say) is on a screen; a user's move is the
        // frame's own place and comes to no request.
        if (const QPoint shown = onScreen(position); shown != position) {
            const PixelScale scale = pixelScale();
            form_.move(toTwips(shown.x(), scale.x), toTwips(shown.y(), scale.y));
            position = modelPosition();
        }
        Syncing syncing(syncing_);
        QWindow* handle = windowHandle();
        if (handle != nullptr && isVisible() && frame_ != FrameSize{}) {
            // The client is placed inside the frame the manager told: Qt's own idea of the frame
            // may not have caught up yet, which put the frame above and left of the screen.
            handle->setPosition(position + QPointF(frame_.left, frame_.top).toPoint());
        } else if (handle != nullptr && isVisible()) {
            handle->setFramePosition(position);
        } else {
            move(position);
        }
        positioned_ = true;
    }
}

void FormWindow::applySizeRange(QSize target) {
    if (!sizeRange) return;
    const SizeRange range = sizeRange();
    const FrameSize frame = layoutFrame();
    const PixelScale scale = pixelScale();
    const ClientSize low = clientSizeFor(range.minimum, frame, scale);
    const ClientSize high = clientSizeFor(range.maximum, frame, scale);
    // Never narrower than the size the window takes now, which the hints must not undo.
    const QSize minimum = QSize(low.width, low.height).boundedTo(target);
    QSize maximum = QSize(high.width, high.height).expandedTo(target);
    // sway 1.7 holds its whole frame, title bar included, to a client's maximum, so a drag
    // could never reach the largest class there; the size classes bound the height anyway. A
    // fixed size (the panel) stays fixed.
    if (onWayland() && maximum != minimum) maximum = QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (minimum == minimum_ && maximum == maximum_) return;
    minimum_ = minimum;
    maximum_ = maximum;
    Syncing syncing(syncing_);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMaximumSize(maximum);
    setMinimumSize(minimum);
}

QPoint FormWindow::onScreen(QPoint position) const {
    // The frame the manager told, or else the one Qt knows of.
    const QSize outer =
        frame_ == FrameSize{}
            ? frameGeometry().size()
            : size() + QSizeF(frame_.left + frame_.right, frame_.top + frame_.bottom).toSize();
    const QRect rect(position, outer);
    const QScreen* best = nullptr;
    qint64 bestArea = -1;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect available = screen->availableGeometry();
        if (available.contains(rect)) return position;
        const QRect common = available.intersected(rect);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    if (bestArea == 0) best = QGuiApplication::screenAt(rect.center());
    if (best == nullptr) best = QGuiApplication::primaryScreen();
    if (best == nullptr) return position;
    const QRect available = best->availableGeometry();
    const int x =
        std::max(available.left(), std::min(position.x(), available.right() + 1 - outer.width()));
    const int y =
        std::max(available.top(), std::min(position.y(), available.bottom() + 1 - outer.height()));
    return {x, y};
}

QPoint FormWindow::framePosition() const {
    if (frame_ == FrameSize{}) return pos();
    return geometry().topLeft() - QPointF(frame_.left, frame_.top).toPoint();
}

void FormWindow::setVisible(bool visible) {
    if (visible && !form_.closed()) {
        dirty_ = true;
        flush();
    }
    QMainWindow::setVisible(visible);
    // A manager that framed the window before it was shown told it then; later changes come
    // as property changes.
    if (visible) frameExtents_->read();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isVisible() || form_.closed()) return;
    if (syncing_) return;  // the window's own request, as Qt reports it at once
    const QSize now = event->size();
    // A pixel off is the rounding of a fractional device ratio (1.5 at 144 DPI) or of the
    // manager, not a user's drag: taken as one it could cross a size class.
    const auto near = [now](QSize size) {
        return std::abs(now.width() - size.width()) <= 1 &&
               std::abs(now.height() - size.height()) <= 1;
    };
    // The manager answers the window's requests in order, and may answer one the model has
    // since overtaken (a frame that came to be known after the first request).
    for (auto answered = requested_.begin(); answered != requested_.end(); ++answered) {
        if (near(*answered)) {
            requested_.erase(requested_.begin(), answered + 1);
            retries_ = 0;
            return;
        }
    }
    // The size from before the request: the end of the user's drag (a compositor's last
    // configure, a manager that let the request pass while the button was held), or a manager
    // that keeps a size of its own. Snapped again, but only a few times for the same exchange.
    const bool previous = !requested_.empty() && now == requestedFrom_;
    requested_.clear();
    if (near(modelClientSize())) return;
    if (previous) {
        if (retries_ == MaxRetries) return;
        ++retries_;
    } else {
        retries_ = 0;
    }
    userResized(now);
}

void FormWindow::userResized(QSize size) {
    const QSize expected = modelClientSize();
    OuterSize outer = outerSizeFor({size.width(), size.height()}, layoutFrame(), pixelScale());
    // A side the user left alone keeps the model's exact twips, which pixels cannot express.
    if (size.width() == expected.width()) outer.width = form_.width();
    if (size.height() == expected.height()) outer.height = form_.height();
    // A side held at a limit the manager was given is that limit, exactly.
    if (sizeRange) {
        const SizeRange range = sizeRange();
        if (size.width() == minimum_.width()) outer.width = range.minimum.width;
        if (size.width() == maximum_.width()) outer.width = range.maximum.width;
        if (size.height() == minimum_.height()) outer.height = range.minimum.height;
        if (size.height() == maximum_.height()) outer.height = range.maximum.height;
    }
    snapTimer_.start();
    form_.resizeByUser(outer.height, outer.width);
    flush();
}

void FormWindow::snap() {
    // A button still held is a drag the user has only paused.
    if (pointerHeld && pointerHeld()) {
        snapTimer_.start();
        return;
    }
    dirty_ = true;
    flush();
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (syncing_ || !positionKnown_ || !isVisible() || form_.closed()) return;
    const QPoint now = framePosition();
    if (now == modelPosition()) return;
    const PixelScale scale = pixelScale();
    form_.move(toTwips(now.x(), scale.x), toTwips(now.y(), scale.y));
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // From the title bar this runs the unload step; after the model closed the form it does
    // nothing more.
    closing_ = true;
    if (!form_.closed()) form_.close();
    event->accept();
    QMainWindow::closeEvent(event);
    if (onClosed) onClosed();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
            // A taller menu bar (a larger system font) changes what the window must grow by.
            if (watched == menuBar() && !syncing_) {
                dirty_ = true;
                scheduleFlush();
            }
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (const platform::Control* control = controls_->controlOf(watched)) {
                return filterMouse(*control, *event);
            }
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
            if (auto* widget = qobject_cast<QWidget*>(watched);
                widget && widget->window() == this) {
                return filterKey(*widget, *event);
            }
            return false;
        default:
            return false;
    }
}

bool FormWindow::filterKey(QWidget& receiver, QEvent& event) {
    if (form_.closed()) return false;
    // Keyboard navigation of the menu bar (after Alt) stays with the menu bar.
    if (&receiver == menuBar() && menuBar()->activeAction() != nullptr) return false;
    if (event.type() == QEvent::InputMethod) {
        for (const auto& key :
             committedKeys(static_cast<QInputMethodEvent&>(event).commitString())) {
            deliver(key);
        }
        return true;
    }
    const auto& key = static_cast<QKeyEvent&>(event);
    if (isMenuAccessKey(key)) return false;
    switch (event.type()) {
        case QEvent::ShortcutOverride:
            // Accepted: the key comes as a key press, and no Qt shortcut fires on it.
            event.accept();
            return true;
        case QEvent::KeyPress:
            deliver(keyStroke(key));
            if (afterKeyPress && !form_.closed()) afterKeyPress(key);
            return true;
        default:
            return true;
    }
}

void FormWindow::deliver(const platform::KeyStroke& key) {
    if (onKeyTyped) onKeyTyped(key);
    form_.pressKey(key);
    flush();
    if (onKeyDelivered) onKeyDelivered();
}

bool FormWindow::filterMouse(const platform::Control& control, QEvent& event) {
    const auto& mouse = static_cast<QMouseEvent&>(event);
    if (event.type() == QEvent::MouseButtonDblClick && mouse.button() == Qt::LeftButton) {
        if (onDoubleClick) onDoubleClick(control);
    } else if (onMouseDown) {
        onMouseDown(control, buttonCode(mouse.button()), shiftMask(mouse.modifiers()));
    }
    flush();
    return true;
}

}  // namespace vexlo::qtview
