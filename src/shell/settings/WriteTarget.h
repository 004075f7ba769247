#pragma once
// Where a write of the settings file goes: the directory it is replaced in, held open, and the
// file's name there. A symbolic link is followed only when it and the file it leads to belong to
// the user running the program (a settings file linked into a dotfiles folder); any other link,
// a dangling one included, is refused, so a link planted beside the program can never redirect
// a write. Directories are created only on the settings file's own path, never along a link's,
// and given to the owner of the folder they are made in (FileMode.h). Anything but a regular file
// in the file's place (a device, a FIFO, a folder) is refused before any lock is made there.

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/UniqueFd.h"

namespace vexlo::shell {

struct WriteTarget {
    platform::UniqueFd directory;  // O_PATH descriptor of the directory holding the file
    std::string name;              // the file's name in it
    bool viaLink = false;
};

// The target of a write to `path`, or nullopt when the write must not happen.
std::optional<WriteTarget> resolveWriteTarget(const std::filesystem::path& path,
                                              uid_t user = ::geteuid());

}  // namespace vexlo::shell
