#pragma once
// The window program's command line: it takes no operands. --help and --version print and end
// the program before anything of the window (or a display) is needed.

#include <optional>
#include <ostream>

namespace vexlo::app {

// The exit status when the command line ends the program at once (0 after --help or
// --version, 2 with a usage message on `err` for anything else), or nullopt to start the window.
std::optional<int> exitBeforeWindow(int argc, const char* const* argv, std::ostream& out,
                                    std::ostream& err);

}  // namespace vexlo::app
