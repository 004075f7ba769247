#include "shell/settings/DiskProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/IniDocument.h"
#include "platform/Utf8.h"
#include "shell/settings/FileMode.h"
#include "shell/settings/Temporaries.h"
#include "shell/settings/WriteLock.h"
#include "shell/settings/WriteTarget.h"

namespace vexlo::shell {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

struct RawFile {
    SettingsText::State state = SettingsText::State::Missing;
    std::string bytes;  // for a Cut file, the first `limit` bytes
    mode_t mode = 0;    // kept by a rewrite, with the owner and the attributes
    uid_t owner = 0;
    gid_t group = 0;
    platform::UniqueFd fd;  // the file read, whose attributes a rewrite copies
};

RawFile loadRaw(int base, const char* name, std::size_t limit, int extraFlags = 0) {
    RawFile raw;
    // Non-blocking, so that a FIFO in the file's place cannot stall start-up.
    platform::UniqueFd fd(
        ::openat(base, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | extraFlags));
    if (!fd) {
        raw.state = (errno == ENOENT || errno == ENOTDIR) ? SettingsText::State::Missing
                                                          : SettingsText::State::Unreadable;
        return raw;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
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
        const ssize_t n = ::read(fd.get(), raw.bytes.data() + got, raw.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            raw.state = SettingsText::State::Unreadable;
            break;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    raw.bytes.resize(got);
    if (raw.state == SettingsText::State::Unreadable) {
        raw.bytes.clear();
        return raw;
    }
    if (got > limit) {
        raw.bytes.resize(limit);
        raw.state = SettingsText::State::Cut;
    }
    raw.fd = std::move(fd);
    return raw;
}

// Only whole lines of a file cut at the size limit, so no value is read cut short and no
// character is split.
std::string_view wholeLines(std::string_view text) {
    const std::size_t lastLineEnd = text.find_last_of("\r\n");
    return lastLineEnd == std::string_view::npos ? std::string_view()
                                                 : text.substr(0, lastLineEnd + 1);
}

// Shift-JIS only when the whole file says so: a UTF-8 file with a stray byte, or one that says
// it is UTF-8 by its byte order mark, stays UTF-8, so a write cannot turn its Japanese text into
// mojibake.
SettingsText decode(const RawFile& raw) {
    SettingsText result;
    result.state = raw.state;
    const bool cut = raw.state == SettingsText::State::Cut;
    std::string_view bytes = raw.bytes;
    if (const auto utf16 = utf16ByOrderMark(bytes)) {
        if (cut) bytes.remove_suffix(bytes.size() % 2);
        Utf16Text decoded = utf16ToUtf8(bytes, *utf16);
        result.encoding = *utf16;
        result.exact = decoded.exact;
        result.text = cut ? std::string(wholeLines(decoded.text)) : std::move(decoded.text);
        return result;
    }
    if (cut) bytes = wholeLines(bytes);
    if (!bytes.starts_with(Utf8Bom) && !platform::utf8::isValid(bytes)) {
        if (auto converted = cp932ToUtf8(bytes)) {
            result.text = std::move(*converted);
            result.encoding = FileEncoding::Cp932;
            return result;
        }
    }
    result.text = std::string(bytes);
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
    const platform::UniqueFd fd(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) ::fsync(fd.get());  // best effort: the rename itself has already happened
}

// The names of a file's extended attributes; nullopt when they cannot be listed.
std::optional<std::vector<std::string>> attributeNames(int fd) {
    std::string list;
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0) {
            if (errno == ENOTSUP) return std::vector<std::string>{};
            return std::nullopt;
        }
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::flistxattr(fd, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) return std::nullopt;  // ERANGE: it grew meanwhile
    }
    std::vector<std::string> names;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = list.find('\0', at);
        const std::size_t stop = end == std::string::npos ? list.size() : end;
        if (stop > at) names.emplace_back(list, at, stop - at);
        at = stop + 1;
    }
    return names;
}

std::optional<std::string> attributeValue(int fd, const std::string& name) {
    std::string value;
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0) return std::nullopt;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return value;
        }
        if (errno != ERANGE) return std::nullopt;
    }
}

// What the user set on a file themselves: losing it would change who may read the file or what
// their tools know of it. Other attributes (security labels, trusted.*) are the system's, and
// copied only where the system lets us.
bool mustKeep(const std::string& name) {
    return name.starts_with("user.") || name == "system.posix_acl_access";
}

// Gives `to` the extended attributes of `from` (its ACL among them), and no others: an ACL the
// folder's default gave the new file is taken off again.
bool copyAttributes(int from, int to) {
    const auto wanted = attributeNames(from);
    if (!wanted) return false;
    if (const auto present = attributeNames(to)) {
        for (const std::string& name : *present) {
            if (std::find(wanted->begin(), wanted->end(), name) == wanted->end()) {
                ::fremovexattr(to, name.c_str());
            }
        }
    }
    for (const std::string& name : *wanted) {
        const auto value = attributeValue(from, name);
        const bool copied =
            value && ::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) == 0;
        if (!copied && mustKeep(name)) return false;
    }
    return true;
}

bool replaceFile(const FileCalls& calls, const WriteTarget& target, std::string_view text,
                 const RawFile& old) {
    const int directory = target.directory.get();
    Temporary temporary = createTemporary(directory, target.name);
    if (!temporary.fd) return false;
    const int fd = temporary.fd.get();
    bool ok = true;
    // Owner first (a change of owner clears set-id bits), then the mode, then the ACL, which the
    // mode would otherwise overwrite.
    if (old.state != SettingsText::State::Missing) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.owner, old.group);
        ok = ::fchmod(fd, old.mode) == 0 && copyAttributes(old.fd.get(), fd);
    } else {
        struct stat folder {};
        if (::fstat(directory, &folder) == 0) {
            if (const auto owner = ownerForNewEntry(folder)) {
                [[maybe_unused]] const int ignored = ::fchown(fd, owner->user, owner->group);
            }
        }
        ok = ::fchmod(fd, newFileMode()) == 0;
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

DiskProfileFile::DiskProfileFile(SettingsLocation location, FileCalls calls)
    : path_(std::move(location.path)), seed_(std::move(location.seed)), calls_(std::move(calls)) {}

std::optional<std::string> DiskProfileFile::read(std::string_view section,
                                                 std::string_view key) const {
    SettingsText loaded = loadSettingsText(path_);
    if (loaded.state == SettingsText::State::Missing && seed_) loaded = loadSettingsText(*seed_);
    if (loaded.state == SettingsText::State::Missing ||
        loaded.state == SettingsText::State::Unreadable) {
        return std::nullopt;
    }
    auto value = platform::IniDocument(std::move(loaded.text)).value(section, key);
    // A stray byte in a UTF-8 file reaches the program mended; the file keeps it.
    if (value && !platform::utf8::isValid(*value)) value = platform::utf8::replaceInvalid(*value);
    return value;
}

bool DiskProfileFile::write(std::string_view section, std::string_view key,
                            std::string_view value) {
    const WriteOutcome outcome = writeKey(section, key, value, calls_.lockWait);
    return outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged;
}

namespace {

// The file's new bytes with the key set, in the file's own encoding, or nullopt when the
// document refuses the key or the file cannot be rewritten without changing other bytes.
std::optional<std::string> withValue(const RawFile& raw, std::string_view section,
                                     std::string_view key, std::string_view value) {
    const SettingsText decoded = decode(raw);
    const bool utf16 =
        decoded.encoding == FileEncoding::Utf16Le || decoded.encoding == FileEncoding::Utf16Be;
    if (!decoded.exact) return std::nullopt;
    platform::IniDocument document(decoded.text);
    if (!document.setValue(section, key, value)) return std::nullopt;
    if (utf16) return utf8ToUtf16(document.text(), decoded.encoding);
    std::string written = document.text();
    // Replacing the one line that kept a Shift-JIS file from reading as such would make the next
    // read decode the new UTF-8 value as Shift-JIS; such a file becomes UTF-8 as a whole instead.
    if (!written.starts_with(Utf8Bom) && !platform::utf8::isValid(written)) {
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
    const auto loadSeed = [&] { return loadRaw(AT_FDCWD, seed_->c_str(), MaxFileSize); };
    // A value already in the file needs no lock: the window never waits for one it has.
    {
        RawFile before = loadRaw(directory, target->name.c_str(), MaxFileSize, O_NOFOLLOW);
        if (before.state == SettingsText::State::Missing && seed_) before = loadSeed();
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
    if (raw.state == SettingsText::State::Whole) {
        // Read-only by its mode, for root as well, who passes every access check.
        if ((raw.mode & 0222) == 0) return WriteOutcome::ReadOnly;
        // Writable by someone else only: replacing it would take it from its owner.
        if (::faccessat(directory, target->name.c_str(), W_OK, AT_EACCESS) != 0) {
            return WriteOutcome::Failed;
        }
    }
    // The user's file does not exist yet: it starts as a copy of the seed. A seed that cannot be
    // read read as defaults, so the new file starts empty; one over the limit is not cut short.
    RawFile seed;
    if (raw.state == SettingsText::State::Missing && seed_) {
        seed = loadSeed();
        if (seed.state == SettingsText::State::Cut) return WriteOutcome::Failed;
    }
    const RawFile& source = seed.state == SettingsText::State::Whole ? seed : raw;
    const auto written = withValue(source, section, key, value);
    if (!written) return WriteOutcome::Failed;
    if (source.state == SettingsText::State::Whole && *written == source.bytes) {
        return WriteOutcome::Unchanged;
    }
    return replaceFile(calls_, *target, *written, raw) ? WriteOutcome::Written
                                                       : WriteOutcome::Failed;
}

}  // namespace vexlo::shell
