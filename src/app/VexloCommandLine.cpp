#include "app/VexloCommandLine.h"

#include <string_view>

#ifndef VEXLO_VERSION
#define VEXLO_VERSION "unknown"
#endif

namespace vexlo::app {

namespace {

constexpr std::string_view ShortUsage = "Usage: vexlo [--help | --version]\n";

constexpr std::string_view Help = R"(
Vexlo: a desktop calculator for Japanese users, worked from the keyboard like a hand-held
calculator. The four operations with percent, a memory register, consumption tax (10 % and
8 %), Japanese era years both ways, unit conversion, clipboard copy and paste, Japanese and
English menus. Every command is in the menus; Esc or Tab closes the window.

Settings are kept in VEXLO.INI beside the program when one is already there, or when a program
that was not installed runs from a writable folder; otherwise in $XDG_CONFIG_HOME/vexlo/ (by
default ~/.config/vexlo/).

Options:
  -h, --help     print this help and exit
      --version  print the version and exit

vexlo-keys runs the same calculator without a window, for scripts (see vexlo-keys --help).
)";

}  // namespace

std::optional<int> exitBeforeWindow(int argc, const char* const* argv, std::ostream& out,
                                    std::ostream& err) {
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    const auto usageError = [&](std::string_view what, std::string_view arg) {
        err << "vexlo: " << what << " '" << arg << "'\n"
            << ShortUsage << "Try 'vexlo --help' for more information.\n";
        return 2;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || !arg.starts_with('-')) return usageError("unexpected argument", arg);
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else {
            return usageError("unknown option", arg);
        }
    }
    if (help) {
        out << ShortUsage << Help;
        return 0;
    }
    if (version) {
        out << "vexlo " VEXLO_VERSION "\n";
        return 0;
    }
    return std::nullopt;
}

}  // namespace vexlo::app
