#pragma once
// Key scripts: every character is one key press; braces name other events. Parsing checks the
// whole text before anything runs, so a malformed script has no effect at all (ScriptReader.h
// reads one as a stream, for scripts of any length).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/Keys.h"

namespace vexlo::keyscript {

enum class EventKind {
    Key,         // a key press (a typed character, {Enter}, {Ctrl+X}, ...)
    Menu,        // {menu:NAME} / {menu:NAME(INDEX)}
    Click,       // {click:NAME}
    DblClick,    // {dblclick:Readout}
    ShiftClick,  // {shiftclick:Readout}
    RightClick,  // {rightclick:Readout}
    Clip,        // {clip:TEXT}
    Resize,      // {resize:HEIGHT,WIDTH}
    Close,       // {close}
    Select,      // {select:NAME,ITEM}: click ITEM in the list box NAME
};

// The most a clipboard text may hold, from an option or a {clip:TEXT} (the display keeps 20
// characters): a text from a file with no end (/dev/zero) is refused, not read into memory.
inline constexpr std::size_t MaxClipboardBytes = 1024 * 1024;
inline constexpr std::string_view MaxClipboardText = "1 MiB (1048576 bytes)";

struct Event {
    EventKind kind = EventKind::Key;
    platform::KeyStroke key;  // Key
    std::string name;         // Menu, Click and the Readout mouse events
    int index = -1;           // the array index of NAME(INDEX), -1 without one
    std::string text;         // Clip; the item of Select
    int height = 0;           // Resize
    int width = 0;
    std::size_t position = 0;  // 1-based character position of the event in the script
    std::string source;        // the event as written in the script

    std::string target() const;  // "NAME" or "NAME(INDEX)"
};

struct ScriptError {
    std::size_t position = 0;  // 1-based character position
    std::string message;
};

struct ParsedScript {
    std::vector<Event> events;
    std::optional<ScriptError> error;
};

// The key press a typed character makes: the capital letter's code for letters (Shift for
// capitals), the digit's code, 32 for a space, 0 for every other character.
platform::KeyStroke keyForCharacter(char32_t character);

ParsedScript parseScript(std::string_view script);

// The event a brace names, from its text without the braces; an error text when it names
// nothing ({clip:TEXT} and the literal braces are read before this).
std::optional<std::string> parseBraceBody(std::u32string_view body, Event& event);

}  // namespace vexlo::keyscript
