// x-key-latency [--keys N] [--samples FILE] PROGRAM [ARG...]: starts PROGRAM on $DISPLAY, waits
// for its window, then sends N keys (default 500) with XTEST: digits, operators, Enter, an era
// conversion (h 3 0 Space) and a clear, in a cycle in which every key changes what it shows. For
// each key it takes the time from the key event to the first XDamage notification of the window
// that follows, then waits for the window to settle before the next key. Prints the median, p99
// and maximum in ms, and how many keys drew nothing within a second; with --samples, appends
// each key's latency in ms and its key name to FILE, a line each, for a caller that pools runs.

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "x/ProcessWindow.h"

namespace {

using namespace vexlo::bench;

// 1 2 + 3 4 * 5 Enter / 4 Enter c 9 - 2 Enter h 3 0 Space c: every key changes the display or
// its mark, and the clear at the end starts each round from the same state.
const KeySym Cycle[] = {XK_1, XK_2,           XK_KP_Add,    XK_3,      XK_4,      XK_KP_Multiply,
                        XK_5, XK_Return,      XK_KP_Divide, XK_4,      XK_Return, XK_c,
                        XK_9, XK_KP_Subtract, XK_2,         XK_Return, XK_h,      XK_3,
                        XK_0, XK_space,       XK_c};

// Waits until a damage event arrives or `until` passes; true when one arrived.
bool waitForDamage(Display* display, int damageEvent, Clock::time_point until,
                   Clock::time_point* at) {
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) {
                if (at) *at = Clock::now();
                return true;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0) return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long>(left.count(), 50)));
    }
}

// Swallows damage until the window has drawn nothing for `quiet`.
void settle(Display* display, int damageEvent, std::chrono::milliseconds quiet) {
    while (waitForDamage(display, damageEvent, Clock::now() + quiet, nullptr)) {
    }
}

double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const std::size_t rank =
        static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(rank, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    int keys = 500;
    const char* samplesPath = nullptr;
    int first = 1;
    for (; first + 1 < argc; first += 2) {
        if (std::strcmp(argv[first], "--keys") == 0)
            keys = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--samples") == 0)
            samplesPath = argv[first + 1];
        else
            break;
    }
    if (argc <= first || keys <= 0) {
        std::fprintf(stderr, "usage: x-key-latency [--keys N] [--samples FILE] PROGRAM [ARG...]\n");
        return 2;
    }
    FILE* samples = samplesPath ? std::fopen(samplesPath, "a") : nullptr;
    if (samplesPath && !samples) {
        std::fprintf(stderr, "x-key-latency: cannot open %s\n", samplesPath);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x-key-latency: cannot open the display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0, major = 0, minor = 0, xtestEvent = 0, xtestError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError) ||
        !XTestQueryExtension(display, &xtestEvent, &xtestError, &major, &minor)) {
        std::fprintf(stderr, "x-key-latency: the display lacks DAMAGE or XTEST\n");
        return 2;
    }

    const Launched launched = launch(display, argv + first);
    const auto mapped = waitForMap(display, launched.pid, std::chrono::seconds(30));
    if (!mapped) {
        std::fprintf(stderr, "x-key-latency: no window of %s was mapped\n", argv[first]);
        stop(launched.pid);
        return 1;
    }
    const Window window = mapped->window;
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    settle(display, damageEvent, std::chrono::milliseconds(500));

    std::vector<double> latencies;
    std::vector<std::pair<double, KeySym>> byKey;
    int missed = 0;
    for (int i = 0; i < keys; ++i) {
        const KeySym sym = Cycle[i % std::size(Cycle)];
        const KeyCode code = XKeysymToKeycode(display, sym);
        const Clock::time_point sent = Clock::now();
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XFlush(display);
        Clock::time_point drawn;
        const bool damaged =
            waitForDamage(display, damageEvent, sent + std::chrono::seconds(1), &drawn);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XFlush(display);
        if (damaged) {
            latencies.push_back(millisecondsBetween(sent, drawn));
            byKey.emplace_back(latencies.back(), sym);
            if (samples) std::fprintf(samples, "%.4f %s\n", latencies.back(), XKeysymToString(sym));
        } else {
            ++missed;
        }
        settle(display, damageEvent, std::chrono::milliseconds(20));
    }
    stop(launched.pid);
    XCloseDisplay(display);
    if (samples) std::fclose(samples);

    std::sort(latencies.begin(), latencies.end());
    // The slowest keys, to tell a slow handler from a busy machine.
    std::sort(byKey.rbegin(), byKey.rend());
    std::fprintf(stderr, "slowest:");
    for (std::size_t i = 0; i < std::min<std::size_t>(5, byKey.size()); ++i) {
        std::fprintf(stderr, " %s %.3f ms;", XKeysymToString(byKey[i].second), byKey[i].first);
    }
    std::fprintf(stderr, "\n");
    const auto over =
        std::count_if(latencies.begin(), latencies.end(), [](double ms) { return ms >= 1.5; });
    std::printf(
        "keys=%d drawn=%zu missed=%d over_1.5ms=%ld median_ms=%.3f p99_ms=%.3f max_ms=%.3f\n", keys,
        latencies.size(), missed, static_cast<long>(over), percentile(latencies, 0.5),
        percentile(latencies, 0.99), latencies.empty() ? 0.0 : latencies.back());
    return missed == 0 ? 0 : 1;
}
