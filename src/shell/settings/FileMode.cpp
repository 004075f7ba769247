#include "shell/settings/FileMode.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace vexlo::shell {

// Read from /proc, since umask() cannot be queried without changing it under other threads' feet.
mode_t newFileMode() {
    mode_t mask = 022;
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
        ::close(fd);
        if (n > 0) {
            buffer[n] = '\0';
            if (const char* line = std::strstr(buffer, "\nUmask:")) {
                mask = static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8)) & 0777;
            }
        }
    }
    return 0666 & ~mask;
}

std::optional<Owner> ownerForNewEntry(const struct stat& folder) {
    if (::geteuid() != 0 || folder.st_uid == 0) return std::nullopt;
    Owner owner{folder.st_uid, folder.st_gid};
    if ((folder.st_mode & S_ISGID) == 0) {
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (::getpwuid_r(folder.st_uid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
            found != nullptr) {
            owner.group = found->pw_gid;
        }
    }
    return owner;
}

}  // namespace vexlo::shell
