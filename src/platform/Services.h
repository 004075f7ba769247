#pragma once
// The services the window rules need from the desktop. The headless platform implements them in
// memory; the Qt view implements them for the real window.

#include <optional>
#include <string>
#include <string_view>

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

struct Services {
    MessageBoxService& messages;
    ClipboardService& clipboard;
    KeyQueue& keys;
    ProfileFile& profile;
    WindowOrder& windowOrder;
    Screen& screen;
};

}  // namespace vexlo::platform
