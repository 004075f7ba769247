#pragma once
// The platform services in memory: messages are recorded and answered OK at once, the clipboard
// is a string, posted keys wait in a queue until the caller drains them.

#include <deque>
#include <string>
#include <vector>

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
    int setTopmost(bool topmost) override {
        this->topmost = topmost;
        return 1;
    }
    bool topmost = false;
};

// A 1920 x 1080 screen at 96 DPI.
class FixedScreen : public Screen {
  public:
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    Twips width() const override { return 1920 * 15; }
    Twips height() const override { return 1080 * 15; }
};

// Every service but the profile file, which the caller chooses.
struct HeadlessPlatform {
    explicit HeadlessPlatform(ProfileFile& profile)
        : services{messages, clipboard, keys, profile, windowOrder, screen} {}
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    RecordingMessageBox messages;
    MemoryClipboard clipboard;
    QueuedKeys keys;
    HeadlessWindowOrder windowOrder;
    FixedScreen screen;
    Services services;
};

}  // namespace vexlo::platform
