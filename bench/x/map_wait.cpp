// x-map-wait PROGRAM [ARG...]: starts PROGRAM on $DISPLAY, waits for the MapNotify of its first
// top-level window, waits one second more, and prints
//   map_ms=<exec to map, ms> hwm_kib=<peak RSS one second after the map, KiB>
// Then ends the program. Exit status 1 when no window of the program was mapped within 30 s.

#include <unistd.h>

#include <cstdio>

#include "x/ProcessWindow.h"

int main(int argc, char** argv) {
    using namespace vexlo::bench;
    if (argc < 2) {
        std::fprintf(stderr, "usage: x-map-wait PROGRAM [ARG...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x-map-wait: cannot open the display\n");
        return 2;
    }
    const Launched launched = launch(display, argv + 1);
    const auto mapped = waitForMap(display, launched.pid, std::chrono::seconds(30));
    if (!mapped) {
        std::fprintf(stderr, "x-map-wait: no window of %s was mapped\n", argv[1]);
        stop(launched.pid);
        return 1;
    }
    sleep(1);
    const long kib = peakRssKib(launched.pid);
    stop(launched.pid);
    std::printf("map_ms=%.2f hwm_kib=%ld\n", millisecondsBetween(launched.started, mapped->at),
                kib);
    XCloseDisplay(display);
    return 0;
}
