#pragma once
// The mode and owner a new file or folder gets.

#include <sys/stat.h>
#include <sys/types.h>

#include <optional>

namespace vexlo::shell {

// As if created by open(): 0666 less the process's umask.
mode_t newFileMode();

struct Owner {
    uid_t user;
    gid_t group;
};

// Who should own an entry this process creates in the folder `folder` describes: root writing
// in a folder of another user's (run with that user's HOME, say) makes the entry that user's, in
// that user's own group (the folder's, if the folder passes its group on), so that the user's
// own later writes work. Nothing to change otherwise.
std::optional<Owner> ownerForNewEntry(const struct stat& folder);

}  // namespace vexlo::shell
