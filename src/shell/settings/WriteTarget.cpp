#include "shell/settings/WriteTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "shell/settings/FileMode.h"

namespace vexlo::shell {

namespace fs = std::filesystem;

namespace {

constexpr int MaxLinkHops = 40;

bool isPlainName(const fs::path& name) {
    return !name.empty() && name != "." && name != "..";
}

platform::UniqueFd openDirectory(int base, const fs::path& directory) {
    const char* where = directory.empty() ? "." : directory.c_str();
    return platform::UniqueFd(::openat(base, where, O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// The text of the link that `link` (an O_PATH | O_NOFOLLOW descriptor) is, so that the link
// whose owner was checked is the one read.
std::optional<std::string> linkText(int link) {
    std::string text(256, '\0');
    for (;;) {
        const ssize_t n = ::readlinkat(link, "", text.data(), text.size());
        if (n < 0) return std::nullopt;
        if (static_cast<std::size_t>(n) < text.size()) {
            text.resize(static_cast<std::size_t>(n));
            return text;
        }
        if (text.size() >= 65536) return std::nullopt;
        text.resize(text.size() * 2);
    }
}

// Creates the missing folders of `directory`, each given to the owner of the folder it is made
// in as FileMode.h says.
bool createFolders(const fs::path& directory) {
    std::vector<fs::path> missing;
    for (fs::path at = directory; !at.empty(); at = at.parent_path()) {
        struct stat info {};
        if (::stat(at.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode)) return false;
            break;
        }
        if (errno != ENOENT) return false;
        missing.push_back(at);
        if (at == at.parent_path()) break;
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        if (::mkdir(folder->c_str(), 0777) != 0) {
            if (errno == EEXIST) continue;  // made meanwhile by another writer
            return false;
        }
        const fs::path parent = folder->has_parent_path() ? folder->parent_path() : ".";
        struct stat above {};
        if (::stat(parent.c_str(), &above) != 0) continue;
        if (const auto owner = ownerForNewEntry(above)) {
            // Best effort: a folder left root's still works for this run.
            [[maybe_unused]] const int ignored =
                ::lchown(folder->c_str(), owner->user, owner->group);
        }
    }
    return true;
}

}  // namespace

std::optional<WriteTarget> resolveWriteTarget(const fs::path& path, uid_t user) {
    WriteTarget target;
    const fs::path name = path.filename();
    if (!isPlainName(name)) return std::nullopt;
    target.name = name.string();
    target.directory = openDirectory(AT_FDCWD, path.parent_path());
    if (!target.directory && errno == ENOENT) {
        if (!createFolders(path.parent_path())) return std::nullopt;
        target.directory = openDirectory(AT_FDCWD, path.parent_path());
    }
    if (!target.directory) return std::nullopt;

    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        const platform::UniqueFd entry(
            ::openat(target.directory.get(), target.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!entry) {
            // A missing file is created, unless a link promised one that is not there.
            if (errno == ENOENT && !target.viaLink) return target;
            return std::nullopt;
        }
        struct stat info {};
        if (::fstat(entry.get(), &info) != 0) return std::nullopt;
        if (!S_ISLNK(info.st_mode)) {
            if (target.viaLink && info.st_uid != user) return std::nullopt;
            // A device, a FIFO or a folder is never written, nor a lock made beside it.
            if (!S_ISREG(info.st_mode)) return std::nullopt;
            return target;
        }
        if (info.st_uid != user) return std::nullopt;
        const auto text = linkText(entry.get());
        if (!text || text->empty()) return std::nullopt;
        const fs::path next(*text);
        if (!isPlainName(next.filename())) return std::nullopt;
        platform::UniqueFd directory = openDirectory(
            next.is_absolute() ? AT_FDCWD : target.directory.get(), next.parent_path());
        if (!directory) return std::nullopt;
        target.directory = std::move(directory);
        target.name = next.filename().string();
        target.viaLink = true;
    }
    return std::nullopt;  // a loop of links
}

}  // namespace vexlo::shell
