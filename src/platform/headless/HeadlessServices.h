#pragma once
// The platform services in memory: messages are recorded and answered OK at once, the clipboard
// is a string, posted keys wait in a queue until the caller drains them.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <functional>

#include "platform/Services.h"

namespace vexlo::platform {

struct RecordedMessage {
    std::string title;
    std::string text;
    bool operator==(const RecordedMessage&) const = default;
};

class RecordingMessageBox : public MessageBoxService {
  public:
    void show(std::string_view title, std::string_view text) override {
        shown.push_back({std::string(title), std::string(text)});
    }
    std::vector<RecordedMessage> shown;
};

class MemoryClipboard : public ClipboardService {
  public:
    bool clear() override;
    bool setText(std::string_view text) override;
    std::optional<std::string> text() override;

    std::optional<std::string> contents;
    bool refuse = false;  // simulates a clipboard held by another program
};

class QueuedKeys : public KeyQueue {
  public:
    void post(const KeyStroke& key) override { pending.push_back(key); }
    std::deque<KeyStroke> pending;
};

class HeadlessWindowOrder : public WindowOrder {
  public:
    int setTopmost(bool onTop) override {
        if (refuse) return 0;
        topmost = onTop;
        return 1;
    }
    bool topmost = false;
    bool refuse = false;  // simulates a desktop that cannot keep a window on top
};

// A 1920 x 1080 screen at 96 DPI.
class FixedScreen : public Screen {
  public:
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    Twips width() const override { return 1920 * 15; }
    Twips height() const override { return 1080 * 15; }
};

// Answers each colour dialog with the next of its answers (nullopt: the user cancels); the last
// answer stands for every later dialog, and without answers every dialog is cancelled.
class AnsweringColourDialog : public ColourDialog {
  public:
    long long choose(Colour initial) override;
    std::vector<std::optional<long long>> answers;
    std::vector<Colour> shownWith;  // the initial colour of each dialog, in order
};

class ListedFonts : public FontCatalog {
  public:
    std::vector<std::string> families() override {
        ++listings;
        if (onList) onList();
        return names;
    }
    std::vector<std::string> names;
    int listings = 0;
    std::function<void()> onList;  // runs while the list is taken (tests look at the pointer)
};

class RecordingPointer : public MousePointer {
  public:
    void setBusy(bool isBusy) override {
        busy = isBusy;
        changes.push_back(isBusy);
    }
    bool busy = false;
    std::vector<bool> changes;
};

// The popup stays open after the handler that opened it has returned; the caller chooses from
// it or dismisses it later.
class PendingPopup : public PopupMenu {
  public:
    void track(MenuItem& menu, int x, int y) override { open = Open{&menu, x, y}; }
    struct Open {
        MenuItem* menu;
        int x, y;
    };
    std::optional<Open> open;
};

// A modal form stays shown until the model hides it; raises are counted.
class HeadlessWindows : public WindowHost {
  public:
    void raise(Form& form) override { ++raises[&form]; }
    void runModal(Form& form) override { modal = &form; }
    std::map<const Form*, int> raises;
    Form* modal = nullptr;  // the last modal form shown
};

// Every service but the profile file, which the caller chooses.
struct HeadlessPlatform {
    explicit HeadlessPlatform(ProfileFile& profile)
        : services{messages, clipboard, keys,    profile, windowOrder, screen,
                   colours,  fonts,     pointer, popup,   windows} {}
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    RecordingMessageBox messages;
    MemoryClipboard clipboard;
    QueuedKeys keys;
    HeadlessWindowOrder windowOrder;
    FixedScreen screen;
    AnsweringColourDialog colours;
    ListedFonts fonts;
    RecordingPointer pointer;
    PendingPopup popup;
    HeadlessWindows windows;
    Services services;
};

}  // namespace vexlo::platform
