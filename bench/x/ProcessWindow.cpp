#include "x/ProcessWindow.h"

#include <X11/Xatom.h>
#include <X11/extensions/XRes.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vexlo::bench {

Launched launch(Display* display, char* const argv[]) {
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    Launched launched;
    launched.started = Clock::now();
    launched.pid = fork();
    if (launched.pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return launched;
}

pid_t windowOwner(Display* display, Window window) {
    int event = 0, error = 0;
    if (XResQueryExtension(display, &event, &error)) {
        XResClientIdSpec query{window, XRES_CLIENT_ID_PID_MASK};
        long count = 0;
        XResClientIdValue* values = nullptr;
        pid_t pid = 0;
        if (XResQueryClientIds(display, 1, &query, &count, &values) == Success) {
            for (long i = 0; i < count; ++i) {
                if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID) {
                    pid = XResGetClientPid(&values[i]);
                }
            }
            XResClientIdsDestroy(count, values);
        }
        if (pid > 0) return pid;
    }
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data && items == 1 && format == 32) {
        pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data) XFree(data);
    return pid;
}

std::optional<Mapped> waitForMap(Display* display, pid_t pid, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify) continue;
            const Clock::time_point at = Clock::now();
            if (windowOwner(display, event.xmap.window) == pid)
                return Mapped{event.xmap.window, at};
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return std::nullopt;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 5);
    }
    return std::nullopt;
}

long peakRssKib(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    FILE* file = std::fopen(path, "r");
    if (!file) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
    }
    std::fclose(file);
    return kib;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) return;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace vexlo::bench
