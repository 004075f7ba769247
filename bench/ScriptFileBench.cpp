// Long scripts through `vexlo-keys --script-file`'s runner: both passes (check, then run) over
// a file of one hundred thousand to four million keys. Target: a million keys well under 2 s,
// with a peak of heap memory that stays the same whatever the script's length. For contrast,
// the same million keys parsed and held whole first.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "keyscript/Script.h"
#include "keyscript/ScriptFile.h"
#include "keyscript/Session.h"

namespace {

// Live heap bytes of the whole program and their peak, counted by the operators below.
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void* allocate(std::size_t size) {
    // The size is kept in front of the block, so that delete knows what it frees.
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) throw std::bad_alloc();
    *block = size;
    const long long live = liveBytes += static_cast<long long>(size);
    long long peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void release(void* pointer) {
    if (pointer == nullptr) return;
    char* block = static_cast<char*>(pointer) - sizeof(std::max_align_t);
    liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

// Keys as a user types them; each line closes with "c", so no display ever overflows.
std::string scriptOf(std::size_t keys) {
    constexpr std::string_view Line = "12*34+56-7=z89%a/2=c";
    std::string script;
    script.reserve(keys);
    while (script.size() < keys) script += Line;
    script.resize(keys);
    return script;
}

std::string writeScriptFile(std::size_t keys) {
    char name[] = "/tmp/vexlo-script-bench-XXXXXX";
    const int fd = ::mkstemp(name);
    ::close(fd);
    std::ofstream(name, std::ios::binary) << scriptOf(keys);
    return name;
}

void reportPeak(benchmark::State& state, long long peak) {
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ScriptFile(benchmark::State& state) {
    const std::string path = writeScriptFile(static_cast<std::size_t>(state.range(0)));
    long long peak = 0;
    for (auto _ : state) {
        const long long before = liveBytes.load();
        peakBytes = before;
        vexlo::keyscript::Session session({});
        vexlo::keyscript::ScriptFile file(path);
        if (file.check(session)) state.SkipWithError("the script did not check");
        file.run(session);
        benchmark::DoNotOptimize(session.window().calculator.display().data());
        peak = std::max(peak, peakBytes.load() - before);
    }
    std::remove(path.c_str());
    reportPeak(state, peak);
}
BENCHMARK(BM_ScriptFile)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(4'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// What a script given whole costs: every event parsed and bound before the first runs.
void BM_WholeScript(benchmark::State& state) {
    const std::string script = scriptOf(static_cast<std::size_t>(state.range(0)));
    long long peak = 0;
    for (auto _ : state) {
        const long long before = liveBytes.load();
        peakBytes = before;
        vexlo::keyscript::Session session({});
        if (runScript(session, script)) state.SkipWithError("the script did not run");
        benchmark::DoNotOptimize(session.window().calculator.display().data());
        peak = std::max(peak, peakBytes.load() - before);
    }
    reportPeak(state, peak);
}
BENCHMARK(BM_WholeScript)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* pointer) noexcept {
    release(pointer);
}
void operator delete[](void* pointer) noexcept {
    release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    release(pointer);
}
