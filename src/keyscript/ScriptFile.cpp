#include "keyscript/ScriptFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Utf8.h"

namespace vexlo::keyscript {

namespace {

int createSpool() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string directory = tmp && *tmp == '/' ? tmp : "/tmp";
    int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A file system without O_TMPFILE: a named file, removed at once.
        std::string pattern = directory + "/vexlo-keys-XXXXXX";
        fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd >= 0) ::unlink(pattern.c_str());
    }
    return fd;
}

// The next events of the script, up to a small batch: what a pass holds at any time.
std::vector<Event> nextBatch(ScriptReader& reader) {
    constexpr std::size_t BatchSize = 256;
    std::vector<Event> batch;
    batch.reserve(BatchSize);
    Event event;
    while (batch.size() < BatchSize && reader.next(event)) batch.push_back(std::move(event));
    return batch;
}

// What tells a changed file from the one read before: its size, times and inode.
std::string fileState(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return {};
    return std::to_string(info.st_size) + " " + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + " " + std::to_string(info.st_ctim.tv_sec) + "." +
           std::to_string(info.st_ctim.tv_nsec) + " " + std::to_string(info.st_ino);
}

}  // namespace

ScriptFile::ScriptFile(const std::string& path) {
    if (path == "-") {
        name_ = "standard input";
        fd_ = STDIN_FILENO;
    } else {
        name_ = path;
        opened_ = platform::UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
        if (!opened_) throw ScriptFileError{"cannot open " + path + ": " + std::strerror(errno)};
        fd_ = opened_.get();
    }
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        throw ScriptFileError{name_ + " is a directory"};
    }
    if (::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) start_ = ::lseek(fd_, 0, SEEK_CUR);
}

std::size_t ScriptFile::readSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR)
            throw ScriptFileError{"cannot read " + name_ + ": " + std::strerror(errno)};
    }
}

ScriptReader::Source ScriptFile::firstPass() {
    if (start_ >= 0) {
        ::lseek(fd_, start_, SEEK_SET);
        return [this](char* buffer, std::size_t size) { return readSome(fd_, buffer, size); };
    }
    if (!spool_) spool_ = platform::UniqueFd(createSpool());
    if (!spool_) {
        throw ScriptFileError{"cannot keep " + name_ +
                              " for its second reading: " + std::strerror(errno)};
    }
    return [this](char* buffer, std::size_t size) {
        const std::size_t n = readSome(fd_, buffer, size);
        for (std::size_t written = 0; written < n;) {
            const ssize_t w = ::write(spool_.get(), buffer + written, n - written);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                throw ScriptFileError{"cannot keep " + name_ +
                                      " for its second reading: " + std::strerror(errno)};
            }
            written += static_cast<std::size_t>(w);
        }
        return n;
    };
}

ScriptReader::Source ScriptFile::secondPass() {
    const int fd = start_ >= 0 ? fd_ : spool_.get();
    ::lseek(fd, start_ >= 0 ? start_ : 0, SEEK_SET);
    return [this, fd](char* buffer, std::size_t size) { return readSome(fd, buffer, size); };
}

std::optional<ScriptError> ScriptFile::check(Session& session) {
    if (start_ >= 0) checkedState_ = fileState(fd_);
    ScriptReader reader(firstPass());
    std::optional<ScriptError> unbound;  // reported only when the whole text parses
    for (auto batch = nextBatch(reader); !batch.empty(); batch = nextBatch(reader)) {
        if (unbound) continue;
        // A key press names nothing that must be found, so only the other events are bound.
        std::erase_if(batch, [](const Event& event) { return event.kind == EventKind::Key; });
        unbound = session.prepare(std::move(batch));
    }
    // A file written to while it was checked may not be what runs.
    if (start_ >= 0 && fileState(fd_) != checkedState_) {
        throw ScriptFileError{name_ + " changed while it was checked"};
    }
    if (reader.error()) return reader.error();
    return unbound;
}

void ScriptFile::run(Session& session, const std::function<void(const TraceStep&)>& onTrace) {
    ScriptReader reader(secondPass());
    session.load();
    // After the window has closed, the rest of the script goes nowhere and is not read again.
    while (!session.closed()) {
        auto batch = nextBatch(reader);
        if (batch.empty()) break;
        if (session.prepare(std::move(batch)))
            throw ScriptFileError{name_ + " changed while it ran"};
        session.run();
        if (onTrace) {
            for (const TraceStep& step : session.takeTrace()) onTrace(step);
        }
    }
    if (reader.error() || (start_ >= 0 && fileState(fd_) != checkedState_)) {
        throw ScriptFileError{name_ + " changed while it ran"};
    }
}

std::pair<std::size_t, std::size_t> ScriptFile::lineAndColumn(std::size_t position) {
    const int fd = start_ >= 0 ? fd_ : spool_.get();
    ::lseek(fd, start_ >= 0 ? start_ : 0, SEEK_SET);
    std::size_t line = 1;
    std::size_t column = 1;
    std::size_t characters = 1;  // position of the next character
    char buffer[65536];
    std::size_t n = 0;
    while (characters < position && (n = readSome(fd, buffer, sizeof buffer)) > 0) {
        for (std::size_t i = 0; i < n && characters < position; ++i) {
            const auto byte = static_cast<unsigned char>(buffer[i]);
            if ((byte & 0xC0) == 0x80) continue;  // inside a character
            if (buffer[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
            ++characters;
        }
    }
    return {line, column};
}

}  // namespace vexlo::keyscript
