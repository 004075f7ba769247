#pragma once
// A temporary directory for the settings-file tests, removed with everything in it afterwards,
// and the unprivileged user that permission tests run their writers as.

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>

namespace vexlo::shell::testing {

class TempDir {
  public:
    TempDir() : TempDir(std::filesystem::temp_directory_path()) {}
    explicit TempDir(const std::filesystem::path& base) {
        std::string pattern = (base / "vexlo-settings-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Names of the entries directly inside the directory.
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

  private:
    std::filesystem::path path_;
};

// "ＭＳ 明朝" in CP932, as older settings files hold it.
inline const std::string MsMinchoCp932 = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Another user to own files or run a writer as, when this process may act for one (root): the
// permission tests run their writers as this user, since root passes every access check.
inline const passwd* otherUser() {
    if (::geteuid() != 0) return nullptr;
    return ::getpwnam("nobody");
}

// Runs `body` in a child process (as `user` when given) and returns what it returned, or -1
// when it did not exit (killed), 255 when it could not become `user`.
inline int runInChild(const std::function<int()>& body, const passwd* user = nullptr) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (user && (::setgroups(0, nullptr) != 0 || ::setgid(user->pw_gid) != 0 ||
                     ::setuid(user->pw_uid) != 0)) {
            ::_exit(255);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The same for a check that passes or fails: 0 when `body` returned true.
inline int inChild(const std::function<bool()>& body, const passwd* user = nullptr) {
    return runInChild([&] { return body() ? 0 : 1; }, user);
}

// Gives `path` and everything in it to `user` (nothing to do without one), so that its writer
// works in a folder of its own.
inline void giveTo(const std::filesystem::path& path, const passwd* user) {
    if (user == nullptr) return;
    if (::lchown(path.c_str(), user->pw_uid, user->pw_gid) != 0) std::abort();
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(path))) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
        if (::lchown(entry.path().c_str(), user->pw_uid, user->pw_gid) != 0) std::abort();
    }
}

}  // namespace vexlo::shell::testing
