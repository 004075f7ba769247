#pragma once
// The platform services for the real window: Qt message boxes, the system clipboard, keys
// posted to the window, the window's stacking order and the primary screen.

#include <QPointer>
#include <QWidget>

#include "platform/Services.h"
#include "qt/DialogServices.h"
#include "qt/WindowHost.h"

namespace vexlo::qtview {

// A modal warning with the title and text as given and an OK button; returns when it is closed.
class QtMessageBox : public platform::MessageBoxService {
  public:
    void show(std::string_view title, std::string_view text) override;
    QPointer<QWidget> parent;
};

// The system clipboard (QClipboard::Clipboard), plain text; a text put there also becomes the
// primary selection where the platform has one. Paste reads the clipboard alone.
class QtClipboard : public platform::ClipboardService {
  public:
    bool clear() override;
    bool setText(std::string_view text) override;
    std::optional<std::string> text() override;
};

// Posts the key to the window as a key event, so it arrives after the running handler has
// returned and passes the same key filter as a typed key. Without a window the key is dropped.
class QtKeyQueue : public platform::KeyQueue {
  public:
    void post(const platform::KeyStroke& key) override;
    QPointer<QWidget> target;
};

// Always on top through the window manager's stacking hint; the window is not moved, resized or
// activated. A request made before the window exists is kept and applied when it is attached.
// On Wayland, where no client may ask for it, and under an X11 window manager that does not
// list _NET_WM_STATE_ABOVE as supported, the request is refused (returns 0).
class QtWindowOrder : public platform::WindowOrder {
  public:
    int setTopmost(bool topmost) override;
    static bool canStayOnTop();
    void attach(QWidget& window);
    bool topmost() const { return topmost_; }

  private:
    void apply();
    QPointer<QWidget> window_;
    bool topmost_ = false;
};

// The primary screen, in twips through its logical DPI.
class QtScreen : public platform::Screen {
  public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    platform::Twips width() const override;
    platform::Twips height() const override;
};

// Every Qt service but the profile file, which the caller chooses.
struct QtPlatform {
    explicit QtPlatform(platform::ProfileFile& profile)
        : services{messages, clipboard, keys,    profile, windowOrder, screen,
                   colours,  fonts,     pointer, popup,   windows} {}
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The main window: parent of the message boxes and the colour dialog, target of posted keys,
    // of the order and of the popup.
    void attach(QWidget& window);

    QtMessageBox messages;
    QtClipboard clipboard;
    QtKeyQueue keys;
    QtWindowOrder windowOrder;
    QtScreen screen;
    QtColourDialog colours;
    QtFontCatalog fonts;
    QtMousePointer pointer;
    QtPopupMenu popup;
    QtWindowHost windows;
    platform::Services services;
};

}  // namespace vexlo::qtview
