#pragma once
// Starting a program on an X display and catching the moment its first window is mapped: the
// root window's SubstructureNotify events announce every top-level map, and the window's owner
// is told by the X-Resource extension (or, without it, by _NET_WM_PID).

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <optional>

namespace vexlo::bench {

using Clock = std::chrono::steady_clock;

struct Launched {
    pid_t pid = -1;
    Clock::time_point started;  // just before the exec
};

// Selects SubstructureNotify on the root window (call before launching, so no map is missed),
// then forks and execs argv.
Launched launch(Display* display, char* const argv[]);

struct Mapped {
    Window window = 0;
    Clock::time_point at;
};

// Waits for the MapNotify of a top-level window of `pid`; nothing when the process ends first
// or `timeout` passes.
std::optional<Mapped> waitForMap(Display* display, pid_t pid, std::chrono::milliseconds timeout);

// The process that owns `window`, 0 when it cannot be told.
pid_t windowOwner(Display* display, Window window);

// Peak resident set size (VmHWM) in KiB, 0 when unreadable.
long peakRssKib(pid_t pid);

// Ends the program and reaps it.
void stop(pid_t pid);

double millisecondsBetween(Clock::time_point from, Clock::time_point to);

}  // namespace vexlo::bench
