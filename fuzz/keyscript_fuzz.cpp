// The whole main window on the headless platform, driven by arbitrary bytes: never a crash, a
// sanitiser report or a hang.
//
// The input reads as a key script: printable characters and UTF-8 are typed, "{...}" is a script
// event ({Enter}, {menu:Syohi_Zei}, {clip:12}), so real scripts are seeds as they stand. Control
// bytes reach what a script would have to name: the next byte picks a menu item or a clickable
// control from the window's own registries (so items and controls added later are fuzzed without
// a change here), or carries a paste of raw bytes, a resize or another run of the load step.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keyscript/Session.h"
#include "platform/Utf8.h"

namespace {

using namespace vexlo;
using keyscript::Event;
using keyscript::EventKind;

enum Op : std::uint8_t {
    MenuOp = 0x01,    // + 1 byte: a leaf menu item
    ClickOp = 0x02,   // + 1 byte: a control a user can click
    PasteOp = 0x03,   // + 1 byte length + bytes: another program's clipboard text
    ResizeOp = 0x04,  // + 4 bytes: a user's drag to a height and width in twips
    LoadOp = 0x05,    // the load step again, as the unit panel's exit runs it
    MouseOp = 0x06,   // + 1 byte: double click, Shift-click or right click on the display
    CtrlOp = 0x07,    // + 1 byte: Ctrl and a letter
    F1Op = 0x0E,
};

class Driver {
  public:
    Driver(std::string_view input) : input_(input), session_(keyscript::RunOptions{}) {
        session_.window().form.forEachMenuItem([this](platform::MenuItem& item) {
            if (!item.isSeparator() && item.children().empty()) menus_.push_back(&item);
        });
        for (const auto& control : session_.window().form.controls()) {
            switch (control->kind()) {
                case platform::ControlKind::Button:
                case platform::ControlKind::CheckBox:
                case platform::ControlKind::OptionButton:
                    controls_.push_back(control.get());
                    break;
                default:
                    break;
            }
        }
    }

    void run() {
        session_.load();
        while (pos_ < input_.size() && !session_.closed()) step();
        if (!session_.closed()) session_.window().form.close();
    }

  private:
    std::uint8_t next() { return pos_ < input_.size() ? input_[pos_++] : 0; }

    // One event through the session, as vexlo-keys runs it; names it cannot bind do nothing.
    void send(Event event) {
        std::vector<Event> one;
        one.push_back(std::move(event));
        if (!session_.prepare(std::move(one))) session_.run();
    }

    void key(int code, int shift, char32_t character) {
        Event event;
        event.key = {code, shift, character};
        send(std::move(event));
    }

    void step() {
        const auto byte = static_cast<unsigned char>(input_[pos_]);
        switch (byte) {
            case MenuOp: {
                ++pos_;
                if (menus_.empty()) return;
                const platform::MenuItem& item = *menus_[next() % menus_.size()];
                Event event;
                event.kind = EventKind::Menu;
                event.name = item.name();
                event.index = item.index();
                send(std::move(event));
                return;
            }
            case ClickOp: {
                ++pos_;
                if (controls_.empty()) return;
                const platform::Control& control = *controls_[next() % controls_.size()];
                Event event;
                event.kind = EventKind::Click;
                event.name = control.name();
                event.index = control.index();
                send(std::move(event));
                return;
            }
            case PasteOp: {
                ++pos_;
                const std::size_t length = std::min<std::size_t>(next(), input_.size() - pos_);
                Event event;
                event.kind = EventKind::Clip;
                event.text = std::string(input_.substr(pos_, length));
                pos_ += length;
                send(std::move(event));
                return;
            }
            case ResizeOp: {
                ++pos_;
                const int height = next() << 8 | next();
                const int width = next() << 8 | next();
                Event event;
                event.kind = EventKind::Resize;
                event.height = height;
                event.width = width;
                send(std::move(event));
                return;
            }
            case LoadOp:
                ++pos_;
                session_.load();
                return;
            case MouseOp: {
                ++pos_;
                static constexpr EventKind Mouse[] = {EventKind::DblClick, EventKind::ShiftClick,
                                                      EventKind::RightClick};
                Event event;
                event.kind = Mouse[next() % 3];
                event.name = "Readout";
                send(std::move(event));
                return;
            }
            case CtrlOp: {
                ++pos_;
                const int letter = 'A' + next() % 26;
                key(letter, platform::modifiers::Ctrl, static_cast<char32_t>(letter - 64));
                return;
            }
            case F1Op:
                ++pos_;
                key(platform::keys::F1, 0, 0);
                return;
            case '\r':
            case '\n':
                ++pos_;
                key(platform::keys::Enter, 0, U'\r');
                return;
            case '\t':
                ++pos_;
                key(platform::keys::Tab, 0, U'\t');
                return;
            case 0x08:
                ++pos_;
                key(platform::keys::Backspace, 0, 8);
                return;
            case 0x1B:
                ++pos_;
                key(platform::keys::Escape, 0, 27);
                return;
            case '{':
                if (braceEvent()) return;
                break;
            default:
                break;
        }
        character();
    }

    // "{...}" up to the first "}" as the script parser reads it; a "{" that opens nothing valid
    // is typed as a key.
    bool braceEvent() {
        const std::size_t close = input_.find('}', pos_ + 1);
        if (close == std::string_view::npos) return false;
        std::size_t end = close + 1;
        if (end < input_.size() && input_[end] == '}') ++end;  // "{}}" or a "}}" in a clip
        keyscript::ParsedScript parsed = keyscript::parseScript(input_.substr(pos_, end - pos_));
        if (parsed.error || parsed.events.empty()) {
            parsed = keyscript::parseScript(input_.substr(pos_, close + 1 - pos_));
            end = close + 1;
        }
        if (parsed.error || parsed.events.empty()) return false;
        pos_ = end;
        for (Event& event : parsed.events) send(std::move(event));
        return true;
    }

    // A typed character: a well-formed UTF-8 sequence (full-width digits from an input method),
    // or a byte of its own.
    void character() {
        const std::size_t length = platform::utf8::sequenceLength(input_, pos_);
        char32_t c = static_cast<unsigned char>(input_[pos_]);
        if (length > 0) c = platform::utf8::decode(input_, pos_, length);
        pos_ += length > 0 ? length : 1;
        const platform::KeyStroke stroke = keyscript::keyForCharacter(c);
        key(stroke.keyCode, stroke.shift, stroke.character);
    }

    std::string_view input_;
    std::size_t pos_ = 0;
    keyscript::Session session_;
    std::vector<const platform::MenuItem*> menus_;
    std::vector<const platform::Control*> controls_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Long inputs only repeat what short ones reach; keep each run quick.
    if (size > 4096) return 0;
    Driver(std::string_view(reinterpret_cast<const char*>(data), size)).run();
    return 0;
}
