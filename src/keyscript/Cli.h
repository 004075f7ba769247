#pragma once
// The `vexlo-keys` command: options, script, run, report. Exit status 0 after a run, 2 for bad
// options or a malformed script (nothing runs then), 3 when a setting could not be written to the
// settings file, 1 for an unexpected failure.

#include <iosfwd>

namespace vexlo::keyscript {

inline constexpr int ExitUsage = 2;
inline constexpr int ExitSettingsLost = 3;

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vexlo::keyscript
