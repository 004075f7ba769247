#pragma once
// The mode a new file gets, as if created by open(): 0666 less the process's umask.

#include <sys/types.h>

namespace vexlo::shell {

mode_t newFileMode();

}  // namespace vexlo::shell
