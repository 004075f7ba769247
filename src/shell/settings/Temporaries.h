#pragma once
// The temporary files a write prepares the new settings file in: ".VEXLO.INI.vexlo-tmp-XXXXXXXX"
// beside it (eight letters or digits), locked by their writer until renamed or removed. A writer
// killed mid-write leaves its file behind unlocked; the next write removes such leftovers, and
// only files of exactly that form.

#include <string>

#include "platform/UniqueFd.h"

namespace vexlo::shell {

struct Temporary {
    platform::UniqueFd fd;
    std::string name;
};

// A new, empty, locked temporary file for `name` in `directory`; no descriptor on failure.
Temporary createTemporary(int directory, const std::string& name);

// Removes the temporary files of `name` in `directory` that no live writer holds. Needs a
// readable directory; in one that cannot be listed nothing is removed.
void removeStaleTemporaries(int directory, const std::string& name);

}  // namespace vexlo::shell
