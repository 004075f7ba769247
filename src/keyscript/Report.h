#pragma once
// What `vexlo-keys` prints after a run: the text form (one "name: value" line each) or the JSON
// object with the whole state of the main window.

#include <string>
#include <string_view>

#include "keyscript/Session.h"

namespace vexlo::keyscript {

// A value on one line: backslash and control characters written as \\, \n, \r, \t, \xHH;
// everything else (Japanese text included) exactly as held.
std::string oneLine(std::string_view text);

// "display: ...", "mem2: ...", "mem1: ...", "clipboard: ...", then "message: TITLE | TEXT" per
// message; preceded by "trace: EVENT | DISPLAY" lines when the run kept a trace; with `tape`,
// followed by "tape: NUMBER | FUNCTION" per tape line and "tape: ----" for each rule.
std::string textReport(Session& session, bool tape = false);

// One "trace: EVENT | DISPLAY" line, as textReport writes them.
std::string traceLine(const TraceStep& step);

// The JSON object (UTF-8, two-space indent, ending in a newline); with a trace, it also holds
// "trace": [{"event": ..., "display": ...}, ...]; with `tape`, "tape" holds the tape's lines:
// [{"number": ..., "function": ..., "kind": "operand"|"result"|"warning", "rule": ...}, ...].
std::string jsonReport(Session& session, bool tape = false);

}  // namespace vexlo::keyscript
