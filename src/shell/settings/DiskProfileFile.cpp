#include "shell/settings/DiskProfileFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/IniDocument.h"
#include "shell/settings/TextEncoding.h"

namespace vexlo::shell {

namespace fs = std::filesystem;

namespace {

struct RawFile {
    SettingsText::State state = SettingsText::State::Missing;
    std::string bytes;
    mode_t mode = 0;  // kept by a rewrite
    uid_t owner = 0;
    gid_t group = 0;
};

RawFile loadRaw(const fs::path& path, std::size_t limit) {
    RawFile raw;
    // Non-blocking, so that a FIFO in the file's place cannot stall start-up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        raw.state = (errno == ENOENT || errno == ENOTDIR) ? SettingsText::State::Missing
                                                          : SettingsText::State::Unreadable;
        return raw;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        raw.state = SettingsText::State::Unreadable;
        return raw;
    }
    raw.mode = info.st_mode & 07777;
    raw.owner = info.st_uid;
    raw.group = info.st_gid;
    raw.state = SettingsText::State::Whole;
    // One byte past the limit tells a file that is exactly at the limit from a larger one. The
    // buffer starts at the file's size and grows only if the file grows while being read.
    const std::size_t wanted = limit + 1;
    const auto hint = static_cast<std::size_t>(info.st_size) + 1;
    raw.bytes.resize(std::min(wanted, std::max<std::size_t>(hint, 4096)));
    std::size_t got = 0;
    while (got < wanted) {
        if (got == raw.bytes.size()) raw.bytes.resize(std::min(wanted, raw.bytes.size() * 2));
        const ssize_t n = ::read(fd, raw.bytes.data() + got, raw.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            raw.state = SettingsText::State::Unreadable;
            break;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    raw.bytes.resize(got);
    if (raw.state == SettingsText::State::Unreadable) {
        raw.bytes.clear();
    } else if (got > limit) {
        // Only whole lines, so no value is read cut short and no character is split.
        const std::size_t lastLineEnd = raw.bytes.rfind('\n', limit - 1);
        raw.bytes.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
        raw.state = SettingsText::State::Cut;
    }
    return raw;
}

SettingsText decode(RawFile raw) {
    SettingsText result;
    result.state = raw.state;
    if (isValidUtf8(raw.bytes)) {
        result.text = std::move(raw.bytes);
    } else {
        result.text = cp932ToUtf8(raw.bytes);
        result.fromCp932 = true;
    }
    return result;
}

// The mode a new file gets, as if created by open(): 0666 less the process's umask. Read from
// /proc, since umask() cannot be queried without changing it under other threads' feet.
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

// The file a write replaces: a symbolic link is followed, so the link itself stays in place.
fs::path resolveLinks(fs::path path) {
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
        const fs::path target = fs::read_symlink(path, error);
        if (error) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Keeps other instances' writes out between our read of the file and our rename over it, so two
// instances writing at the same moment both keep their key. Advisory, on the directory (the file
// itself is replaced, so its lock would not hold); gives up after a while rather than hang.
class DirectoryLock {
  public:
    explicit DirectoryLock(const fs::path& directory)
        : fd_(::open(directory.empty() ? "." : directory.c_str(),
                     O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
            if (errno != EWOULDBLOCK && errno != EINTR) return;
            ::usleep(10'000);
        }
    }
    ~DirectoryLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

  private:
    int fd_;
};

bool writeAll(const FileCalls& calls, int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = calls.write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncDirectory(const fs::path& directory) {
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename itself has already happened
    ::close(fd);
}

bool replaceFile(const FileCalls& calls, const fs::path& target, std::string_view text,
                 const RawFile& old) {
    const fs::path directory = target.parent_path();
    std::string temporary = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const bool existed = old.state != SettingsText::State::Missing;
    bool ok = ::fchmod(fd, existed ? old.mode : newFileMode()) == 0;
    if (existed) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.owner, old.group);
    }
    ok = ok && writeAll(calls, fd, text) && calls.fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && calls.rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(directory);
    return true;
}

}  // namespace

FileCalls FileCalls::system() {
    return FileCalls{
        [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return std::rename(from, to); },
    };
}

SettingsText loadSettingsText(const fs::path& path, std::size_t limit) {
    return decode(loadRaw(path, limit));
}

DiskProfileFile::DiskProfileFile(fs::path path, FileCalls calls)
    : path_(std::move(path)), calls_(std::move(calls)) {}

std::optional<std::string> DiskProfileFile::read(std::string_view section,
                                                 std::string_view key) const {
    SettingsText loaded = loadSettingsText(path_);
    if (loaded.state == SettingsText::State::Missing ||
        loaded.state == SettingsText::State::Unreadable) {
        return std::nullopt;
    }
    return platform::IniDocument(std::move(loaded.text)).value(section, key);
}

bool DiskProfileFile::write(std::string_view section, std::string_view key,
                            std::string_view value) {
    const fs::path target = resolveLinks(path_);
    const fs::path directory = target.parent_path();
    if (!directory.empty()) {
        std::error_code error;
        fs::create_directories(directory, error);
        if (error) return false;
    }
    const DirectoryLock lock(directory);
    RawFile raw = loadRaw(target, MaxFileSize);
    if (raw.state == SettingsText::State::Unreadable || raw.state == SettingsText::State::Cut) {
        return false;
    }
    // A file its owner made read-only stays as it is.
    if (raw.state == SettingsText::State::Whole &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return false;
    }
    platform::IniDocument document(decode(raw).text);
    if (!document.setValue(section, key, value)) return false;
    if (raw.state == SettingsText::State::Whole && document.text() == raw.bytes) return true;
    return replaceFile(calls_, target, document.text(), raw);
}

}  // namespace vexlo::shell
