#pragma once
// The services the window rules need from the desktop. The headless platform implements them in
// memory; the Qt view implements them for the real window.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Keys.h"
#include "platform/ProfileFile.h"
#include "platform/Twips.h"

namespace vexlo::platform {

// A modal message with the exclamation icon and an OK button; returns when it is closed.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual void show(std::string_view title, std::string_view text) = 0;
};

// The clipboard in plain-text format.
class ClipboardService {
  public:
    virtual ~ClipboardService() = default;
    virtual bool clear() = 0;
    virtual bool setText(std::string_view text) = 0;
    // The text on the clipboard; nullopt when it holds no text or cannot be read.
    virtual std::optional<std::string> text() = 0;
};

// Keys sent to the program's own window arrive after the running handler has returned.
class KeyQueue {
  public:
    virtual ~KeyQueue() = default;
    virtual void post(const KeyStroke& key) = 0;
};

// Keeping the main window above all others, or returning it to the normal order. Never moves,
// resizes or activates it. Returns the platform's result (non-zero on success).
class WindowOrder {
  public:
    virtual ~WindowOrder() = default;
    virtual int setTopmost(bool topmost) = 0;
};

// The screen's size and resolution in twips.
class Screen {
  public:
    virtual ~Screen() = default;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual Twips width() const = 0;
    virtual Twips height() const = 0;
};

// The common colour-choice dialog, modal. Returns the dialog's colour property afterwards as a
// 32-bit value (0x00BBGGRR when the user chose one); a cancelled dialog still holds `initial`.
class ColourDialog {
  public:
    virtual ~ColourDialog() = default;
    virtual long long choose(Colour initial) = 0;
};

// The names of the screen's font families, in the platform's order.
class FontCatalog {
  public:
    virtual ~FontCatalog() = default;
    virtual std::vector<std::string> families() = 0;
};

// The mouse pointer over the program's windows: the busy pointer or the default one.
class MousePointer {
  public:
    virtual ~MousePointer() = default;
    virtual void setBusy(bool busy) = 0;
};

class MenuItem;

// A drop-down of the menu bar shown as a popup at a point in screen pixels. The item chosen from
// it is clicked as an ordinary menu choice once the popup has closed.
class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    virtual void track(MenuItem& menu, int x, int y) = 0;
};

class Form;

// The program's secondary windows on screen. The model shows or hides a form itself; the host
// brings a shown modeless form forward, or runs a modal form until the model hides it.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual void raise(Form& form) = 0;
    virtual void runModal(Form& form) = 0;
};

struct Services {
    MessageBoxService& messages;
    ClipboardService& clipboard;
    KeyQueue& keys;
    ProfileFile& profile;
    WindowOrder& windowOrder;
    Screen& screen;
    ColourDialog& colourDialog;
    FontCatalog& fonts;
    MousePointer& pointer;
    PopupMenu& popup;
    WindowHost& windows;
};

}  // namespace vexlo::platform
