#include "shell/settings/WriteLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "shell/settings/FileMode.h"

namespace vexlo::shell {

namespace {

platform::UniqueFd openLockFile(int directory, const std::string& name) {
    constexpr int Flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    platform::UniqueFd fd(::openat(directory, name.c_str(), O_RDWR | Flags, newFileMode()));
    // Another user's lock file may be read-only to us; a read-only descriptor locks as well.
    if (!fd && errno == EACCES)
        fd = platform::UniqueFd(::openat(directory, name.c_str(), O_RDONLY | Flags));
    struct stat info {};
    if (fd && (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))) fd.reset();
    return fd;
}

// The locked file is still the one under the lock file's name (its holder removes it when done).
bool stillInPlace(int directory, const std::string& lockName, int fd) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && held.st_nlink > 0 &&
           ::fstatat(directory, lockName.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

std::string lockFileName(const std::string& name) {
    return "." + name + ".lock";
}

WriteLock::WriteLock(int directory, const std::string& name, std::chrono::milliseconds wait)
    : directory_(directory), lockName_(lockFileName(name)) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    platform::UniqueFd fd;
    for (;;) {
        if (!fd) fd = openLockFile(directory_, lockName_);
        if (!fd) return;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            if (stillInPlace(directory_, lockName_, fd.get())) {
                fd_ = std::move(fd);
                return;
            }
            fd.reset();  // its holder removed it: lock the new one
            if (std::chrono::steady_clock::now() >= deadline) {
                busy_ = true;
                return;
            }
            continue;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            busy_ = true;
            return;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

WriteLock::~WriteLock() {
    // Removed while still held, so no other writer can be holding it.
    if (fd_) ::unlinkat(directory_, lockName_.c_str(), 0);
}

}  // namespace vexlo::shell
