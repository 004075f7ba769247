#pragma once
// The lock that keeps writers of one settings file apart from their read of the file to their
// rename over it, so two instances writing at the same moment both keep their key. It is an
// advisory lock on a lock file beside the settings file (".VEXLO.INI.lock"), which works in any
// directory a write could work in, unreadable ones included. The holder removes the lock file
// when it is done, so nothing is left beside the settings file; a writer that locked a file
// removed meanwhile sees so and starts again.

#include <chrono>
#include <string>

#include "platform/UniqueFd.h"

namespace vexlo::shell {

class WriteLock {
  public:
    // Waits up to `wait` for the lock on `name`'s lock file in `directory` (an open directory).
    WriteLock(int directory, const std::string& name, std::chrono::milliseconds wait);
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    // False when the lock could not be had in time or the lock file cannot be used; then the
    // write must not happen.
    bool held() const { return static_cast<bool>(fd_); }
    // Not held because another writer held it throughout the wait (not for a fault).
    bool busy() const { return busy_; }

  private:
    int directory_;
    std::string lockName_;
    platform::UniqueFd fd_;  // closing it releases the lock
    bool busy_ = false;
};

std::string lockFileName(const std::string& name);

}  // namespace vexlo::shell
