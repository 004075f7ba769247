#include "keyscript/Script.h"

#include <array>
#include <charconv>

#include "keyscript/ScriptReader.h"
#include "keyscript/Utf8.h"

namespace vexlo::keyscript {

namespace {

using platform::KeyStroke;
namespace keys = platform::keys;

struct NamedKey {
    std::u32string_view name;
    KeyStroke key;
};

constexpr std::array<NamedKey, 6> NamedKeys{{
    {U"Enter", {keys::Enter, 0, U'\r'}},
    {U"Esc", {keys::Escape, 0, 27}},
    {U"Tab", {keys::Tab, 0, U'\t'}},
    {U"Backspace", {keys::Backspace, 0, 8}},
    {U"Space", {keys::Space, 0, U' '}},
    {U"F1", {keys::F1, 0, 0}},
}};

struct MouseEvent {
    std::u32string_view prefix;
    EventKind kind;
};

constexpr std::array<MouseEvent, 3> ReadoutEvents{{
    {U"dblclick:", EventKind::DblClick},
    {U"shiftclick:", EventKind::ShiftClick},
    {U"rightclick:", EventKind::RightClick},
}};

bool isNameCharacter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
           c == U'_';
}

std::optional<int> parseCount(std::u32string_view digits, int limit) {
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    int value = 0;
    for (char32_t c : digits) {
        if (c < U'0' || c > U'9') return std::nullopt;
        value = value * 10 + static_cast<int>(c - U'0');
    }
    if (value > limit) return std::nullopt;
    return value;
}

// "NAME" or "NAME(INDEX)" with a name of letters, digits and underscores.
bool parseTarget(std::u32string_view text, Event& event) {
    std::size_t end = 0;
    while (end < text.size() && isNameCharacter(text[end])) ++end;
    if (end == 0) return false;
    event.name = toUtf8(text.substr(0, end));
    event.index = -1;
    if (end == text.size()) return true;
    if (text[end] != U'(' || text.back() != U')') return false;
    const auto index = parseCount(text.substr(end + 1, text.size() - end - 2), 32767);
    if (!index) return false;
    event.index = *index;
    return true;
}

// The body of a brace (without the braces) as an event; an error text when it names nothing.
std::optional<std::string> parseBody(std::u32string_view body, Event& event) {
    for (const auto& named : NamedKeys) {
        if (body == named.name) {
            event.kind = EventKind::Key;
            event.key = named.key;
            return std::nullopt;
        }
    }
    if (body == U"close") {
        event.kind = EventKind::Close;
        return std::nullopt;
    }
    if (body.starts_with(U"Ctrl+")) {
        const auto rest = body.substr(5);
        char32_t letter = rest.size() == 1 ? rest[0] : 0;
        if (letter >= U'a' && letter <= U'z') letter -= 32;
        if (letter < U'A' || letter > U'Z') {
            return "a Ctrl combination takes one letter, as in {Ctrl+C}";
        }
        event.kind = EventKind::Key;
        // The control character a real keyboard sends: Ctrl+M arrives as a carriage return.
        event.key = {static_cast<int>(letter), platform::modifiers::Ctrl,
                     static_cast<char32_t>(letter - 64)};
        return std::nullopt;
    }
    if (body.starts_with(U"menu:")) {
        event.kind = EventKind::Menu;
        if (!parseTarget(body.substr(5), event)) return "malformed menu item name";
        return std::nullopt;
    }
    if (body.starts_with(U"click:")) {
        event.kind = EventKind::Click;
        if (!parseTarget(body.substr(6), event)) return "malformed control name";
        return std::nullopt;
    }
    if (body.starts_with(U"select:")) {
        const auto rest = body.substr(7);
        const auto comma = rest.find(U',');
        event.kind = EventKind::Select;
        if (comma == std::u32string_view::npos || !parseTarget(rest.substr(0, comma), event)) {
            return "a selection names a list box and an item, as in {select:Lstfontname,Serif}";
        }
        event.text = toUtf8(rest.substr(comma + 1));
        return std::nullopt;
    }
    for (const auto& mouse : ReadoutEvents) {
        if (!body.starts_with(mouse.prefix)) continue;
        event.kind = mouse.kind;
        if (body.substr(mouse.prefix.size()) != U"Readout") {
            return "only the display can be named here: {" + toUtf8(mouse.prefix) + "Readout}";
        }
        event.name = "Readout";
        return std::nullopt;
    }
    if (body.starts_with(U"resize:")) {
        const auto sizes = body.substr(7);
        const auto comma = sizes.find(U',');
        constexpr int Limit = 1'000'000;
        const auto height = parseCount(sizes.substr(0, comma), Limit);
        const auto width = comma == std::u32string_view::npos
                               ? std::nullopt
                               : parseCount(sizes.substr(comma + 1), Limit);
        if (!height || !width) {
            return "a resize takes a height and a width in twips, as in {resize:1500,5000}";
        }
        event.kind = EventKind::Resize;
        event.height = *height;
        event.width = *width;
        return std::nullopt;
    }
    return "unknown name \"" + toUtf8(body) +
           "\" (known: Enter Esc Tab Backspace Space F1 Ctrl+X menu: click: dblclick: "
           "shiftclick: rightclick: clip: resize: select: close)";
}

}  // namespace

std::string Event::target() const {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

KeyStroke keyForCharacter(char32_t c) {
    if (c >= U'a' && c <= U'z') return {static_cast<int>(c - 32), 0, c};
    if (c >= U'A' && c <= U'Z') return {static_cast<int>(c), platform::modifiers::Shift, c};
    if ((c >= U'0' && c <= U'9') || c == U' ') return {static_cast<int>(c), 0, c};
    return {0, 0, c};
}

std::optional<std::string> parseBraceBody(std::u32string_view body, Event& event) {
    return parseBody(body, event);
}

ParsedScript parseScript(std::string_view script) {
    ParsedScript result;
    ScriptReader reader(textSource(script), script.size());
    Event event;
    while (reader.next(event)) result.events.push_back(std::move(event));
    if (reader.error()) {
        result.events.clear();
        result.error = reader.error();
    }
    return result;
}

}  // namespace vexlo::keyscript
