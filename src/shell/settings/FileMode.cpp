#include "shell/settings/FileMode.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

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

}  // namespace vexlo::shell
