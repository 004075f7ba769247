#pragma once
// The profile file on disk. Nothing is cached: every read reads the file afresh, and every write
// reads it again, changes one key and replaces the whole file atomically (a temporary file in the
// same directory, flushed to disk, then renamed over it). So a crash or a full disk mid-write
// leaves the old file whole, and two running instances that write different keys both keep them
// (a write holds the lock of WriteLock.h from its read to its rename, and skips the write when
// it cannot have it in time). The replacement keeps the old file's mode, owner, ACL and extended
// attributes; a hard link to the old file keeps the old contents.

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/ProfileFile.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/TextEncoding.h"

namespace vexlo::shell {

// The system calls a write goes through; tests replace them to inject faults.
struct FileCalls {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int directory, const char* from, const char* to)> rename;
    // How long a write waits for another writer to finish before it gives up.
    std::chrono::milliseconds lockWait{10'000};

    static FileCalls system();
};

// What a read of the settings file found: its text, converted to UTF-8 when it is Shift-JIS or
// UTF-16, else the bytes as they are (a stray invalid byte included; values read from it are
// mended). A file is UTF-16 when it begins with a UTF-16 byte order mark; it is Shift-JIS when it
// is not valid UTF-8, has no UTF-8 byte order mark and is clean Shift-JIS throughout.
struct SettingsText {
    enum class State {
        Missing,     // no such file: every key reads as its default
        Whole,       // the whole file
        Cut,         // a file over the size limit: its leading lines, up to the limit
        Unreadable,  // not a regular file, or no permission: every key reads as its default
    };
    State state = State::Missing;
    std::string text;
    FileEncoding encoding = FileEncoding::Utf8;
    // False for UTF-16 that is not well formed (an odd byte, an unpaired surrogate): read with
    // those mended, never rewritten, since writing it back would change them.
    bool exact = true;
};

// How one write ended.
enum class WriteOutcome {
    Written,    // the file now holds the value
    Unchanged,  // the value was there already: nothing was locked or written
    Busy,       // another writer held the lock throughout the wait; the file is as it was
    ReadOnly,   // a file its owner made read-only (no write bit at all, so root too keeps it)
    Failed,     // the file cannot be written (see write); it is as it was
};

class DiskProfileFile : public platform::ProfileFile {
  public:
    // Larger files are not settings files any more: reads use the lines within the first MiB,
    // writes refuse to touch them.
    static constexpr std::size_t MaxFileSize = std::size_t{1} << 20;

    explicit DiskProfileFile(std::filesystem::path path, FileCalls calls = FileCalls::system());
    // The file of `location`, which reads as its seed until it exists; its first write starts
    // from the seed's text (the seed itself is never written).
    explicit DiskProfileFile(SettingsLocation location, FileCalls calls = FileCalls::system());

    std::optional<std::string> read(std::string_view section, std::string_view key) const override;

    // Replaces the key's line and keeps every other byte (a Shift-JIS file is converted to UTF-8
    // as a whole; a UTF-16 file stays UTF-16 with its byte order mark), creating the file and
    // its directory when missing; lines added end as the file's first line does. Writing the
    // value already there leaves the file untouched. Leftovers of killed writers are removed.
    // Returns false, leaving the file as it was, when the link rule of WriteTarget.h refuses,
    // something other than a regular file is in its place, the lock cannot be had, the file
    // cannot be read whole (unreadable, over the size limit, UTF-16 not well formed), is
    // read-only, or the new one (its attributes included) cannot be written completely.
    bool write(std::string_view section, std::string_view key, std::string_view value) override;

    // The same write, telling how it ended, waiting at most `lockWait` for the lock.
    WriteOutcome writeKey(std::string_view section, std::string_view key, std::string_view value,
                          std::chrono::milliseconds lockWait) const;

    const std::filesystem::path& path() const { return path_; }
    const std::optional<std::filesystem::path>& seed() const { return seed_; }

  private:
    std::filesystem::path path_;
    std::optional<std::filesystem::path> seed_;
    FileCalls calls_;
};

// Reads a settings file with the rules above (exposed for tests and tools).
SettingsText loadSettingsText(const std::filesystem::path& path,
                              std::size_t limit = DiskProfileFile::MaxFileSize);

}  // namespace vexlo::shell
