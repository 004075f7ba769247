#include "qt/QtServices.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QWindow>

#include "qt/FormWindow.h"
#include "qt/KeyTranslation.h"
#include "qt/WindowMetrics.h"
#include "qt/X11Queries.h"

namespace vexlo::qtview {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

PixelScale primaryScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    return PixelScale::fromDpi(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

}  // namespace

void QtMessageBox::show(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Warning, fromUtf8(title), fromUtf8(text), QMessageBox::Ok,
                    parent.data());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtClipboard::clear() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->clear(QClipboard::Clipboard);
    return true;
}

bool QtClipboard::setText(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    const QString copied = fromUtf8(text);
    clipboard->setText(copied, QClipboard::Clipboard);
    // Where there is a primary selection (X11, Wayland), a middle click pastes the copy too.
    if (clipboard->supportsSelection()) clipboard->setText(copied, QClipboard::Selection);
    return true;
}

std::optional<std::string> QtClipboard::text() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return std::nullopt;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

void QtKeyQueue::post(const platform::KeyStroke& key) {
    if (target.isNull()) return;
    QCoreApplication::postEvent(target.data(), keyEventFor(key).release());
}

int QtWindowOrder::setTopmost(bool topmost) {
    if (topmost && !canStayOnTop()) return 0;
    topmost_ = topmost;
    apply();
    return 1;
}

bool QtWindowOrder::canStayOnTop() {
    // A Wayland compositor keeps the stacking to itself: no client can ask to stay on top.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
    // An X11 manager keeps a window above the others only where it lists the state.
    return x11ManagerSupports("_NET_WM_STATE_ABOVE").value_or(true);
}

void QtWindowOrder::attach(QWidget& window) {
    window_ = &window;
    apply();
}

void QtWindowOrder::apply() {
    if (window_.isNull()) return;
    Qt::WindowFlags flags = window_->windowFlags();
    if (flags.testFlag(Qt::WindowStaysOnTopHint) == topmost_) return;
    QWindow* handle = window_->windowHandle();
    if (handle == nullptr || !window_->isVisible()) {
        // Not on screen yet: the hint is part of the window when it is shown.
        window_->setWindowFlag(Qt::WindowStaysOnTopHint, topmost_);
        return;
    }
    // QWidget::setWindowFlags would hide and re-create a visible window (which can move it);
    // the native window takes the hint in place.
    window_->overrideWindowFlags(flags.setFlag(Qt::WindowStaysOnTopHint, topmost_));
    handle->setFlag(Qt::WindowStaysOnTopHint, topmost_);
}

double QtScreen::twipsPerPixelX() const {
    return primaryScale().x;
}

double QtScreen::twipsPerPixelY() const {
    return primaryScale().y;
}

platform::Twips QtScreen::width() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 0 : toTwips(screen->size().width(), primaryScale().x);
}

platform::Twips QtScreen::height() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 0 : toTwips(screen->size().height(), primaryScale().y);
}

void QtPlatform::attach(QWidget& window) {
    messages.parent = &window;
    keys.target = &window;
    windowOrder.attach(window);
    colours.parent = &window;
    popup.window = qobject_cast<FormWindow*>(&window);
}

}  // namespace vexlo::qtview
