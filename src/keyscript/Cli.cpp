#include "keyscript/Cli.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "keyscript/Report.h"
#include "keyscript/Script.h"
#include "keyscript/ScriptFile.h"
#include "keyscript/Session.h"
#include "keyscript/Utf8.h"
#include "platform/UniqueFd.h"
#include "platform/Utf8.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/QueuedProfileFile.h"

#ifndef VEXLO_VERSION
#define VEXLO_VERSION "unknown"
#endif

namespace vexlo::keyscript {

namespace {

constexpr std::string_view Usage = R"(Usage: vexlo-keys [options] [--] SCRIPT
       vexlo-keys [options] --script-file FILE

Starts a fresh calculator without a window, runs its start-up, types SCRIPT and prints the
final state.

Options:
  --lang ja|en        start language for this run (the settings file is not changed)
  --warnings on|off   overflow warnings for this run (the settings file is not changed)
  --settings FILE     use FILE as the settings file: read at start-up, written as the
                      calculator writes it; without it nothing touches the disk
  --clipboard TEXT    clipboard text at start (at most 1 MiB)
  --colour-answer A   how the colour dialog is answered: a colour as a decimal 0x00BBGGRR
                      value (255 is red, 16711680 blue) or "cancel"; A,A,... answers the
                      dialogs in turn, the last answer standing for every later one. A value
                      outside 0 to 16777215 (up to 32 bits) is a colour the window refuses.
                      Without it every dialog is cancelled.
  --fonts NAME,...    the screen's font families, in order, for the font window's list
                      (a name holds no comma; without the option the list is empty)
  --clipboard-file FILE
                      clipboard text at start, the whole of FILE ("-": standard input);
                      a FILE longer than 1 MiB (1048576 bytes) is refused
  --script-file FILE  read SCRIPT from FILE ("-": standard input) instead of the command
                      line: any length, run as it is read, checked whole before anything
                      runs. The file's text is the script exactly, line ends included (a
                      line feed is a key the calculator ignores, a carriage return is Enter)
  --json              print the whole state as one JSON object
  --trace             also print the display after every event
  --tape              also print the calculation tape: a "tape: NUMBER | FUNCTION" line per
                      line of the tape and "tape: ----" for each rule (the end of a block);
                      with --json, a "tape" array
  --help, --version
Options may also be written --name=VALUE. A SCRIPT that begins with "--" follows "--".

SCRIPT: every character is one key press (full-width characters included). Braces name
other events:
  {Enter} {Esc} {Tab} {Backspace} {Space} {F1}
  {Ctrl+X}               a Ctrl combination (X a letter)
  {menu:NAME}            choose a menu item, {menu:NAME(INDEX)} for an item of an array
  {click:NAME}           click a button, check box or option button (NAME or NAME(INDEX))
                         such as the unit panel's: {menu:TNN(1)}{click:Check5}{click:Option6}
  {dblclick:Readout} {shiftclick:Readout} {rightclick:Readout}
  {clip:TEXT}            another program puts TEXT on the clipboard; "}}" in TEXT is one "}";
                         TEXT holds at most 1 MiB (the display keeps 20 characters)
  {select:LIST,ITEM}     click ITEM in a list box ({select:Lstfontname,Serif})
  {resize:HEIGHT,WIDTH}  the user drags the window to this size (twips)
  {close}                close the window (later events are ignored)
  {{} {}}                type "{" or "}"

Output: "display:", "mem2:", "mem1:", "clipboard:" lines, then "message: TITLE | TEXT" per
message box (each answered OK). Backslashes and control characters are written as \\, \n, \r,
\t, \xHH. With --trace, "trace: EVENT | DISPLAY" lines come first; with --tape, the tape's
lines follow, and with --json too they are its "tape" array.

Secondary windows: the font window ({menu:font2(0)}), help ({menu:HHH(0)}, {F1}), version
({menu:VER_FORM}) and tape ({menu:Tape}, {Ctrl+P}) windows appear under "forms" in --json
while open; {click:NAME} reaches their controls ({click:OK}, {click:END}). While the version
window is open the calculator takes no input: {Enter}, {Esc} or {Space} or {click:Command1}
closes it, other events go nowhere.
{rightclick:Readout} opens the edit menu as a popup (under "forms" as "popup"); the next
{menu:NAME} chooses from it, a key closes it, any other event dismisses it first.
A malformed script is reported with its character position ("SCRIPT, character 7: ...";
from a file also its line and column) and nothing runs.

Exit status: 0 after a run, 2 for bad options, a script file that cannot be read, a
clipboard text longer than 1 MiB or a malformed script (then nothing runs), 3 after a run
whose settings were not all written to the --settings file (each lost key is named on standard
error; a write waits at most 2 s for another program that holds the file's lock), 1 for an
unexpected failure.
)";

struct CliOptions {
    RunOptions run;
    std::optional<std::string> settingsPath;
    std::optional<std::string> script;
    std::optional<std::string> scriptFile;
    std::optional<std::string> clipboardFile;
    bool json = false;
    bool tape = false;
    bool help = false;
    bool version = false;
};

struct UsageError {
    std::string message;
};

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        parts.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

// "cancel", or a whole decimal number that fits 32 bits (signed or not).
std::optional<long long> colourAnswer(const std::string& text) {
    if (text == "cancel") return std::nullopt;
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    const bool wellFormed = text.size() > digits && text.size() - digits <= 10 &&
                            text.find_first_not_of("0123456789", digits) == std::string::npos;
    const long long value = wellFormed ? std::stoll(text) : 0;
    if (!wellFormed || value < -2147483648LL || value > 4294967295LL) {
        throw UsageError{
            "--colour-answer takes a colour value (0 to 16777215, or another "
            "32-bit value the window refuses) or cancel, not \"" +
            text + "\""};
    }
    return value;
}

// The option's value: after "=", or the next argument.
std::string takeValue(std::string_view name, std::optional<std::string_view> inlineValue, int& i,
                      int argc, const char* const* argv) {
    if (inlineValue) return std::string(*inlineValue);
    if (i + 1 >= argc) throw UsageError{"--" + std::string(name) + " needs a value"};
    return argv[++i];
}

CliOptions parseArguments(int argc, const char* const* argv) {
    CliOptions options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || !arg.starts_with("--")) {
            if (options.script) throw UsageError{"more than one SCRIPT given"};
            options.script = std::string(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg.substr(2);
        std::optional<std::string_view> inlineValue;
        if (const auto equals = name.find('='); equals != std::string_view::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto flag = [&](bool& field) {
            if (inlineValue) throw UsageError{"--" + std::string(name) + " takes no value"};
            field = true;
        };
        if (name == "lang") {
            const std::string value = takeValue(name, inlineValue, i, argc, argv);
            if (value == "ja") {
                options.run.language = 0;
            } else if (value == "en") {
                options.run.language = 1;
            } else {
                throw UsageError{"--lang takes ja or en, not \"" + value + "\""};
            }
        } else if (name == "warnings") {
            const std::string value = takeValue(name, inlineValue, i, argc, argv);
            if (value == "on") {
                options.run.warningMode = 0;
            } else if (value == "off") {
                options.run.warningMode = 1;
            } else {
                throw UsageError{"--warnings takes on or off, not \"" + value + "\""};
            }
        } else if (name == "settings") {
            options.settingsPath = takeValue(name, inlineValue, i, argc, argv);
            if (options.settingsPath->empty()) throw UsageError{"--settings needs a file name"};
        } else if (name == "clipboard") {
            options.run.clipboard = takeValue(name, inlineValue, i, argc, argv);
            if (!platform::utf8::isValid(*options.run.clipboard)) {
                throw UsageError{"--clipboard text is not valid UTF-8"};
            }
            if (options.run.clipboard->size() > MaxClipboardBytes) {
                throw UsageError{"--clipboard text is longer than " +
                                 std::string(MaxClipboardText) +
                                 ", the most a clipboard text may hold"};
            }
        } else if (name == "colour-answer") {
            options.run.colourAnswers.clear();
            for (const std::string& answer :
                 splitList(takeValue(name, inlineValue, i, argc, argv))) {
                options.run.colourAnswers.push_back(colourAnswer(answer));
            }
        } else if (name == "fonts") {
            const std::string value = takeValue(name, inlineValue, i, argc, argv);
            if (!platform::utf8::isValid(value))
                throw UsageError{"--fonts names are not valid UTF-8"};
            options.run.fonts.clear();
            for (std::string& font : splitList(value)) {
                if (!font.empty()) options.run.fonts.push_back(std::move(font));
            }
        } else if (name == "script-file" || name == "clipboard-file") {
            auto& field = name == "script-file" ? options.scriptFile : options.clipboardFile;
            field = takeValue(name, inlineValue, i, argc, argv);
            if (field->empty()) throw UsageError{"--" + std::string(name) + " needs a file name"};
        } else if (name == "json") {
            flag(options.json);
        } else if (name == "tape") {
            flag(options.tape);
        } else if (name == "trace") {
            flag(options.run.trace);
        } else if (name == "help") {
            flag(options.help);
        } else if (name == "version") {
            flag(options.version);
        } else {
            throw UsageError{"unknown option " + std::string(arg) + " (see --help)"};
        }
    }
    return options;
}

// The whole of a clipboard file, or of standard input for "-". Reading stops past the limit,
// so a file with no end (/dev/zero) is refused at once.
std::string readClipboardFile(const std::string& path) {
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : path;
    platform::UniqueFd opened;
    if (!standardInput) opened = platform::UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = standardInput ? STDIN_FILENO : opened.get();
    if (fd < 0) throw UsageError{"cannot open " + path + ": " + std::strerror(errno)};
    std::string text;
    char buffer[65536];
    while (text.size() <= MaxClipboardBytes) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return text;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw UsageError{"cannot read " + name + ": " + std::strerror(errno)};
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    throw UsageError{"--clipboard-file " + name + " is longer than " +
                     std::string(MaxClipboardText) + ", the most a clipboard text may hold"};
}

void checkCombinations(const CliOptions& options) {
    if (options.script && options.scriptFile) {
        throw UsageError{"give SCRIPT or --script-file, not both"};
    }
    if (!options.script && !options.scriptFile) throw UsageError{"no SCRIPT given (see --help)"};
    if (options.run.clipboard && options.clipboardFile) {
        throw UsageError{"give --clipboard or --clipboard-file, not both"};
    }
    if (options.scriptFile == "-" && options.clipboardFile == "-") {
        throw UsageError{"--script-file and --clipboard-file cannot both read standard input"};
    }
}

int runFile(const CliOptions& options, Session& session, std::ostream& out, std::ostream& err) {
    std::optional<ScriptFile> file;
    try {
        file.emplace(*options.scriptFile);
        if (const auto error = file->check(session)) {
            const auto [line, column] = file->lineAndColumn(error->position);
            err << "vexlo-keys: " << file->name() << ", character " << error->position << " (line "
                << line << ", column " << column << "): " << error->message << "\n";
            return ExitUsage;
        }
    } catch (const ScriptFileError& error) {
        err << "vexlo-keys: " << error.message << "\n";
        return ExitUsage;  // nothing has run
    }
    try {
        // The text trace goes out as it happens, so a long run holds none of it.
        std::function<void(const TraceStep&)> onTrace;
        if (!options.json) onTrace = [&out](const TraceStep& step) { out << traceLine(step); };
        file->run(session, onTrace);
    } catch (const ScriptFileError& error) {
        err << "vexlo-keys: " << error.message << "\n";
        return 1;
    }
    out << (options.json ? jsonReport(session, options.tape) : textReport(session, options.tape));
    return 0;
}

int run(CliOptions options, std::ostream& out, std::ostream& err) {
    checkCombinations(options);
    if (options.clipboardFile) {
        options.run.clipboard = readClipboardFile(*options.clipboardFile);
        if (!platform::utf8::isValid(*options.run.clipboard)) {
            throw UsageError{"--clipboard-file " + *options.clipboardFile + " is not valid UTF-8"};
        }
    }
    std::optional<shell::DiskProfileFile> file;
    std::optional<shell::QueuedProfileFile> queued;
    if (options.settingsPath) {
        file.emplace(*options.settingsPath);
        queued.emplace(*file);
    }
    Session session(options.run, queued ? &*queued : nullptr);
    int status = 0;
    if (options.scriptFile) {
        status = runFile(options, session, out, err);
    } else if (const auto error = runScript(session, *options.script)) {
        err << "vexlo-keys: SCRIPT, character " << error->position << ": " << error->message
            << "\n";
        status = ExitUsage;
    } else {
        out << (options.json ? jsonReport(session, options.tape)
                             : textReport(session, options.tape));
    }
    if (queued) {
        queued->finish(shell::SettingsCloseWait);
        const auto lost = queued->lost();
        for (const shell::LostSetting& setting : lost) {
            err << "vexlo-keys: " << queued->path().string() << ": " << setting.key
                << " not written: "
                << (setting.why == shell::WriteOutcome::Busy
                        ? "another program held the file's lock"
                        : "the file cannot be written")
                << "\n";
        }
        if (!lost.empty() && status == 0) status = ExitSettingsLost;
    }
    return status;
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    try {
        const CliOptions options = parseArguments(argc, argv);
        if (options.help) {
            out << Usage;
            return 0;
        }
        if (options.version) {
            out << "vexlo-keys " VEXLO_VERSION "\n";
            return 0;
        }
        return run(options, out, err);
    } catch (const UsageError& error) {
        err << "vexlo-keys: " << error.message << "\n";
        return ExitUsage;
    } catch (const std::exception& error) {
        err << "vexlo-keys: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace vexlo::keyscript
