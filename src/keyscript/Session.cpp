#include "keyscript/Session.h"

namespace vexlo::keyscript {

namespace {

void click(platform::Control& control) {
    if (auto* button = dynamic_cast<platform::Button*>(&control)) button->click();
    if (auto* box = dynamic_cast<platform::CheckBox*>(&control)) box->click();
    if (auto* option = dynamic_cast<platform::OptionButton*>(&control)) option->click();
}

}  // namespace

Session::Session(const RunOptions& options, platform::ProfileFile* settings)
    : traceOn_(options.trace),
      settings_(settings ? *settings : memoryFile_, options.language, options.warningMode),
      platform_(settings_),
      window_(platform_.services) {
    platform_.clipboard.contents = options.clipboard;
    platform_.colours.answers = options.colourAnswers;
    platform_.fonts.names = options.fonts;
}

// A control of the main window or, failing that, of one of its secondary windows.
platform::Control* Session::findControl(const std::string& name, int index) const {
    for (const platform::Form* form :
         {&window_.form, &window_.fontWindow, &window_.aboutForm, &window_.helpForm}) {
        if (platform::Control* control = form->find(name, index)) return control;
    }
    return nullptr;
}

std::optional<ScriptError> Session::prepare(std::vector<Event> events) {
    std::vector<Prepared> prepared;
    prepared.reserve(events.size());
    for (Event& event : events) {
        Prepared step{std::move(event)};
        const Event& e = step.event;
        const auto error = [&e](std::string message) {
            return ScriptError{e.position, e.source + ": " + std::move(message)};
        };
        switch (e.kind) {
            case EventKind::Menu: {
                step.menu = window_.form.findMenu(e.name, e.index);
                if (!step.menu) return error("unknown menu item " + e.target());
                if (step.menu->isSeparator()) return error(e.target() + " is a separator line");
                if (!step.menu->children().empty()) {
                    return error(e.target() + " opens a submenu; name one of its items");
                }
                if (!window_.menuAvailable(*step.menu)) {
                    return error(e.target() + " is not available yet");
                }
                break;
            }
            case EventKind::Select:
                step.control = findControl(e.name, e.index);
                if (!step.control) return error("unknown control " + e.target());
                if (step.control->kind() != platform::ControlKind::ListBox) {
                    return error(e.target() + " is not a list box");
                }
                break;
            case EventKind::Click:
                step.control = findControl(e.name, e.index);
                if (!step.control) return error("unknown control " + e.target());
                if (!platform::clickable(*step.control)) {
                    return error(e.target() +
                                 " is not a button, check box or option button and cannot be "
                                 "clicked");
                }
                break;
            default:
                break;
        }
        prepared.push_back(std::move(step));
    }
    prepared_ = std::move(prepared);
    return std::nullopt;
}

void Session::load() {
    window_.startUp();
}

void Session::run() {
    for (const Prepared& step : prepared_) {
        // The program has ended: whatever follows in the script goes nowhere.
        if (closed()) break;
        runEvent(step);
        if (traceOn_) trace_.push_back({step.event.source, window_.calculator.display()});
    }
}

void Session::pressKey(const platform::KeyStroke& key) {
    window_.form.pressKey(key);
    drainKeys();
}

void Session::drainKeys() {
    auto& pending = platform_.keys.pending;
    while (!pending.empty()) {
        const platform::KeyStroke key = pending.front();
        pending.pop_front();
        window_.form.pressKey(key);
    }
}

// While the version window is open the calculator takes no input: a key closes the window as
// its default button does, a click reaches its own controls, another program's clipboard text
// still arrives; everything else goes nowhere.
bool Session::runInModal(platform::Form& modal, const Prepared& step) {
    const Event& e = step.event;
    switch (e.kind) {
        case EventKind::Key:
            if (e.key.keyCode == platform::keys::Enter || e.key.keyCode == platform::keys::Escape ||
                e.key.keyCode == platform::keys::Space) {
                for (const auto& control : modal.controls()) {
                    if (auto* button = dynamic_cast<platform::Button*>(control.get())) {
                        button->click();
                        break;
                    }
                }
            }
            return true;
        case EventKind::Click:
            if (auto* control = modal.find(e.name, e.index)) click(*control);
            return true;
        case EventKind::Clip:
            return false;
        default:
            return true;
    }
}

void Session::runEvent(const Prepared& step) {
    const Event& e = step.event;
    if (platform::Form* modal = platform_.windows.modal; modal && modal->visible()) {
        if (runInModal(*modal, step)) return;
    }
    if (platform_.popup.open && e.kind != EventKind::Clip) {
        // The open popup takes the next choice: a menu item is chosen from it, a key closes
        // it, anything else dismisses it first.
        platform_.popup.open.reset();
        if (e.kind == EventKind::Key) return;
    }
    if (step.control && !step.control->form().visible()) return;  // its window is not open
    switch (e.kind) {
        case EventKind::Key:
            window_.form.pressKey(e.key);
            break;
        case EventKind::Menu:
            step.menu->click();
            break;
        case EventKind::Click:
            click(*step.control);
            break;
        case EventKind::DblClick:
            window_.displayDoubleClick();
            break;
        case EventKind::ShiftClick:
            window_.displayMouseDown(1, 1);
            break;
        case EventKind::RightClick:
            window_.displayMouseDown(2, 0);
            break;
        case EventKind::Select: {
            auto& list = static_cast<platform::ListBox&>(*step.control);
            const auto& items = list.items();
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i] == e.text) {
                    if (list.visible() && list.enabled()) list.select(static_cast<int>(i));
                    break;
                }
            }
            break;
        }
        case EventKind::Clip:
            // Another program's text, whether or not our own copy was refused.
            platform_.clipboard.contents = e.text;
            break;
        case EventKind::Resize:
            window_.form.resizeByUser(e.height, e.width);
            break;
        case EventKind::Close:
            window_.form.close();
            break;
    }
    drainKeys();
}

std::optional<ScriptError> runScript(Session& session, std::string_view script) {
    ParsedScript parsed = parseScript(script);
    if (parsed.error) return parsed.error;
    if (auto error = session.prepare(std::move(parsed.events))) return error;
    session.load();
    session.run();
    return std::nullopt;
}

}  // namespace vexlo::keyscript
