// What one settings write costs the window's thread: with the file free, with the value
// already there, and while another program holds the file's lock (the write then stays pending;
// target: well under a millisecond, so a key is never held up by it).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "shell/settings/QueuedProfileFile.h"

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path path;
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "vexlo-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
        std::ofstream(path / "VEXLO.INI") << "[VEXLO]\nFontDef=System\nJpFont=0\n";
    }
    ~Folder() { fs::remove_all(path); }
};

void writeFree(benchmark::State& state) {
    const Folder folder;
    const vexlo::shell::DiskProfileFile disk(folder.path / "VEXLO.INI");
    vexlo::shell::QueuedProfileFile queue(disk);
    int value = 0;
    for (auto _ : state) queue.write("VEXLO", "FormTop", std::to_string(++value));
}

void writeUnchanged(benchmark::State& state) {
    const Folder folder;
    const vexlo::shell::DiskProfileFile disk(folder.path / "VEXLO.INI");
    vexlo::shell::QueuedProfileFile queue(disk);
    for (auto _ : state) queue.write("VEXLO", "JpFont", "0");
}

void writeWhileLocked(benchmark::State& state) {
    const Folder folder;
    const int lock = ::open((folder.path / ".VEXLO.INI.lock").c_str(), O_RDWR | O_CREAT, 0600);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) std::abort();
    const vexlo::shell::DiskProfileFile disk(folder.path / "VEXLO.INI");
    // A queue of its own each time, so that every write makes its own attempt at the lock.
    for (auto _ : state) {
        state.PauseTiming();
        auto queue = std::make_unique<vexlo::shell::QueuedProfileFile>(disk);
        state.ResumeTiming();
        queue->write("VEXLO", "FormTop", "15");
        state.PauseTiming();
        queue.reset();
        state.ResumeTiming();
    }
    ::close(lock);
}

}  // namespace

BENCHMARK(writeFree)->Unit(benchmark::kMicrosecond);
BENCHMARK(writeUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(writeWhileLocked)->Unit(benchmark::kMicrosecond)->Iterations(30);
