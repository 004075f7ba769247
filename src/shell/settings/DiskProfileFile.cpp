#include "shell/settings/DiskProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/IniDocument.h"
#include "platform/Utf8.h"
#include "shell/settings/FileMode.h"
#include "shell/settings/Temporaries.h"
#include "shell/settings/TextEncoding.h"
#include "shell/settings/WriteLock.h"
#include "shell/settings/WriteTarget.h"

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

RawFile loadRaw(int base, const char* name, std::size_t limit, int extraFlags = 0) {
    RawFile raw;
    // Non-blocking, so that a FIFO in the file's place cannot stall start-up.
    const int fd = ::openat(base, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | extraFlags);
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

// Shift-JIS only when the whole file says so: a UTF-8 file with a stray byte stays UTF-8, so a
// write cannot turn its Japanese text into mojibake.
SettingsText decode(RawFile raw) {
    SettingsText result;
    result.state = raw.state;
    if (!isValidUtf8(raw.bytes)) {
        if (auto converted = cp932ToUtf8(raw.bytes)) {
            result.text = std::move(*converted);
            result.fromCp932 = true;
            return result;
        }
    }
    result.text = std::move(raw.bytes);
    return result;
}

bool writeAll(const FileCalls& calls, int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = calls.write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncDirectory(int directory) {
    const UniqueFd fd(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) ::fsync(fd.get());  // best effort: the rename itself has already happened
}

bool replaceFile(const FileCalls& calls, const WriteTarget& target, std::string_view text,
                 const RawFile& old) {
    const int directory = target.directory.get();
    Temporary temporary = createTemporary(directory, target.name);
    if (!temporary.fd) return false;
    const int fd = temporary.fd.get();
    const bool existed = old.state != SettingsText::State::Missing;
    bool ok = ::fchmod(fd, existed ? old.mode : newFileMode()) == 0;
    if (existed) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.owner, old.group);
    }
    ok = ok && writeAll(calls, fd, text) && calls.fsync(fd) == 0;
    ok = ok && calls.rename(directory, temporary.name.c_str(), target.name.c_str()) == 0;
    if (!ok) {
        ::unlinkat(directory, temporary.name.c_str(), 0);
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
        [](int directory, const char* from, const char* to) {
            return ::renameat(directory, from, directory, to);
        },
    };
}

SettingsText loadSettingsText(const fs::path& path, std::size_t limit) {
    return decode(loadRaw(AT_FDCWD, path.c_str(), limit));
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
    auto value = platform::IniDocument(std::move(loaded.text)).value(section, key);
    // A stray byte in a UTF-8 file reaches the program mended; the file keeps it.
    if (value && !isValidUtf8(*value)) value = platform::utf8::replaceInvalid(*value);
    return value;
}

bool DiskProfileFile::write(std::string_view section, std::string_view key,
                            std::string_view value) {
    const WriteOutcome outcome = writeKey(section, key, value, calls_.lockWait);
    return outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged;
}

namespace {

// The file's new bytes with the key set, or nullopt when the document refuses the key.
std::optional<std::string> withValue(const RawFile& raw, std::string_view section,
                                     std::string_view key, std::string_view value) {
    platform::IniDocument document(decode(raw).text);
    if (!document.setValue(section, key, value)) return std::nullopt;
    std::string written = document.text();
    // Replacing the one line that kept a Shift-JIS file from reading as such would make the next
    // read decode the new UTF-8 value as Shift-JIS; such a file becomes UTF-8 as a whole instead.
    if (!isValidUtf8(written)) {
        if (auto asCp932 = cp932ToUtf8(written)) {
            platform::IniDocument reread(std::move(*asCp932));
            if (reread.value(section, key) != document.value(section, key)) {
                reread.setValue(section, key, value);
                written = reread.text();
            }
        }
    }
    return written;
}

}  // namespace

WriteOutcome DiskProfileFile::writeKey(std::string_view section, std::string_view key,
                                       std::string_view value,
                                       std::chrono::milliseconds lockWait) const {
    const auto target = resolveWriteTarget(path_);
    if (!target) return WriteOutcome::Failed;
    const int directory = target->directory.get();
    // A value already in the file needs no lock: the window never waits for one it has.
    {
        const RawFile before = loadRaw(directory, target->name.c_str(), MaxFileSize, O_NOFOLLOW);
        if (before.state == SettingsText::State::Whole) {
            const auto written = withValue(before, section, key, value);
            if (written && *written == before.bytes) return WriteOutcome::Unchanged;
        }
    }
    const WriteLock lock(directory, target->name, lockWait);
    if (!lock.held()) return lock.busy() ? WriteOutcome::Busy : WriteOutcome::Failed;
    removeStaleTemporaries(directory, target->name);
    const RawFile raw = loadRaw(directory, target->name.c_str(), MaxFileSize, O_NOFOLLOW);
    if (raw.state == SettingsText::State::Unreadable || raw.state == SettingsText::State::Cut) {
        return WriteOutcome::Failed;
    }
    // What a link leads to is checked again as it was opened: it must still be the user's own.
    if (target->viaLink &&
        (raw.state == SettingsText::State::Missing || raw.owner != ::geteuid())) {
        return WriteOutcome::Failed;
    }
    // A file its owner made read-only stays as it is.
    if (raw.state == SettingsText::State::Whole &&
        ::faccessat(directory, target->name.c_str(), W_OK, AT_EACCESS) != 0) {
        return WriteOutcome::ReadOnly;
    }
    const auto written = withValue(raw, section, key, value);
    if (!written) return WriteOutcome::Failed;
    if (raw.state == SettingsText::State::Whole && *written == raw.bytes) {
        return WriteOutcome::Unchanged;
    }
    return replaceFile(calls_, *target, *written, raw) ? WriteOutcome::Written
                                                       : WriteOutcome::Failed;
}

}  // namespace vexlo::shell
