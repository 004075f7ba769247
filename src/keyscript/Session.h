#pragma once
// One run of the headless calculator: a fresh main window on the headless platform, its load
// step, then the script's events, each followed by the keys the handlers sent to the window.
// `vexlo-keys`, the scenario tests and the benchmarks all drive the calculator through this.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "keyscript/Script.h"
#include "keyscript/SettingsOverride.h"
#include "platform/headless/HeadlessServices.h"
#include "platform/headless/MemoryProfileFile.h"
#include "shell/MainWindow.h"

namespace vexlo::keyscript {

struct RunOptions {
    std::optional<int> language;           // start language for this run: 0 Japanese, 1 English
    std::optional<int> warningMode;        // warnings for this run: 0 shown, 1 not shown
    std::optional<std::string> clipboard;  // clipboard text at start
    bool trace = false;                    // keep the display after every event
    // The colour dialog's answers in turn (nullopt: cancel); the last stands for later dialogs.
    std::vector<std::optional<long long>> colourAnswers;
    std::vector<std::string> fonts;  // the screen's font families, in order
};

struct TraceStep {
    std::string event;  // as written in the script
    std::string display;
};

class Session {
  public:
    // `settings` is the settings file; without one an empty file in memory is used.
    explicit Session(const RunOptions& options, platform::ProfileFile* settings = nullptr);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Binds every event to the menu item or control it names. Returns the first event that
    // names nothing usable; then nothing may run. Nothing runs here.
    std::optional<ScriptError> prepare(std::vector<Event> events);

    void load();  // the main window's load step
    void run();   // the prepared events, until the window closes

    // The trace kept since the last call, handed over so that a long run holds none of it.
    std::vector<TraceStep> takeTrace() { return std::exchange(trace_, {}); }

    // One key as the window receives it, then the keys it sent to the window.
    void pressKey(const platform::KeyStroke& key);

    shell::MainWindow& window() { return window_; }
    platform::HeadlessPlatform& platform() { return platform_; }
    platform::MemoryProfileFile& memoryFile() { return memoryFile_; }
    bool tracing() const { return traceOn_; }
    const std::vector<TraceStep>& trace() const { return trace_; }
    bool closed() const { return window_.form.closed(); }

  private:
    struct Prepared {
        Event event;
        platform::MenuItem* menu = nullptr;
        platform::Control* control = nullptr;
    };
    void runEvent(const Prepared& prepared);
    bool runInModal(platform::Form& modal, const Prepared& prepared);
    platform::Control* findControl(const std::string& name, int index) const;
    void drainKeys();

    bool traceOn_;
    platform::MemoryProfileFile memoryFile_;
    SettingsOverride settings_;
    platform::HeadlessPlatform platform_;
    shell::MainWindow window_;
    std::vector<Prepared> prepared_;
    std::vector<TraceStep> trace_;
};

// A whole run as vexlo-keys makes it: parse, bind every event, then load and run. A malformed
// script is reported and nothing runs (the settings file is not even read).
std::optional<ScriptError> runScript(Session& session, std::string_view script);

}  // namespace vexlo::keyscript
