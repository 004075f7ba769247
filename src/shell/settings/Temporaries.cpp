#include "shell/settings/Temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string_view>

namespace vexlo::shell {

namespace {

constexpr std::string_view Letters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t SuffixLength = 8;

// Names no user would pick for a file of their own (".VEXLO.INI.backup" is left alone).
std::string prefix(const std::string& name) {
    return "." + name + ".vexlo-tmp-";
}

bool isTemporaryOf(std::string_view entry, const std::string& name) {
    const std::string start = prefix(name);
    if (entry.size() != start.size() + SuffixLength || !entry.starts_with(start)) return false;
    return entry.substr(start.size()).find_first_not_of(Letters) == std::string_view::npos;
}

std::string randomSuffix() {
    unsigned char bytes[SuffixLength] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        // No entropy yet: any spread of values will do, O_EXCL keeps names unique.
        static unsigned calls = 0;
        const auto seed = static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::clock()) ^
                          (++calls * 2654435761u);
        for (std::size_t i = 0; i < SuffixLength; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string suffix;
    for (const unsigned char byte : bytes) suffix += Letters[byte % Letters.size()];
    return suffix;
}

}  // namespace

Temporary createTemporary(int directory, const std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        Temporary temporary{platform::UniqueFd{}, prefix(name) + randomSuffix()};
        temporary.fd =
            platform::UniqueFd(::openat(directory, temporary.name.c_str(),
                                        O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (temporary.fd) {
            // Marks it as in use for removeStaleTemporaries; a fresh file is never locked.
            ::flock(temporary.fd.get(), LOCK_EX | LOCK_NB);
            return temporary;
        }
        if (errno != EEXIST) break;
    }
    return {};
}

void removeStaleTemporaries(int directory, const std::string& name) {
    const int listing = ::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* entries = ::fdopendir(listing);
    if (entries == nullptr) {
        ::close(listing);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (!isTemporaryOf(entry->d_name, name)) continue;
        const platform::UniqueFd fd(::openat(
            directory, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat info {};
        if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        // A live writer holds the lock on its temporary file until it is renamed.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        ::unlinkat(directory, entry->d_name, 0);
    }
    ::closedir(entries);
}

}  // namespace vexlo::shell
