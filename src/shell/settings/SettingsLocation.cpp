#include "shell/settings/SettingsLocation.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/AsciiCase.h"

#ifndef VEXLO_INSTALL_MARKER
#define VEXLO_INSTALL_MARKER "../share/vexlo/installed"
#endif

namespace vexlo::shell {

namespace fs = std::filesystem;

namespace {

std::string userHomeFromPasswordDatabase() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

}  // namespace

Environment Environment::current() {
    Environment environment;
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        environment.home = home;
    } else {
        environment.home = userHomeFromPasswordDatabase();
    }
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr) {
        environment.xdgConfigHome = config;
    }
    return environment;
}

bool isWritableDirectory(const fs::path& directory) {
    std::error_code error;
    return !directory.empty() && fs::is_directory(directory, error) &&
           ::faccessat(AT_FDCWD, directory.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::optional<fs::path> findSettingsFile(const fs::path& directory) {
    std::error_code error;
    const fs::path exact = directory / SettingsFileName;
    if (fs::is_regular_file(exact, error)) return exact;
    std::optional<fs::path> best;
    fs::directory_iterator entries(directory, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::path& candidate = entries->path();
        if (!platform::sameNameIgnoringCase(candidate.filename().native(), SettingsFileName))
            continue;
        std::error_code statError;
        if (!fs::is_regular_file(candidate, statError)) continue;
        // Several spellings can exist side by side: take the same one every time.
        if (!best || candidate.filename() < best->filename()) best = candidate;
    }
    return best;
}

std::string_view installMarker() {
    return VEXLO_INSTALL_MARKER;
}

bool isInstalledProgram(const fs::path& programDir) {
    std::error_code error;
    return !programDir.empty() && fs::is_regular_file(programDir / installMarker(), error);
}

std::optional<SettingsLocation> settingsFilePath(const fs::path& programDir,
                                                 const Environment& environment,
                                                 bool (*isWritable)(const fs::path&)) {
    fs::path configHome(environment.xdgConfigHome);
    if (!configHome.is_absolute()) {
        const fs::path home(environment.home);
        configHome = home.is_absolute() ? home / ".config" : fs::path();
    }
    const fs::path userFile =
        configHome.empty() ? fs::path() : configHome / "vexlo" / SettingsFileName;
    const bool installed = isInstalledProgram(programDir);
    if (!programDir.empty()) {
        const bool writable = isWritable(programDir);
        if (std::optional<fs::path> existing = findSettingsFile(programDir)) {
            // Every write there would fail: keep the user's changes in their own file instead.
            if (!writable && !userFile.empty()) return SettingsLocation{userFile, *existing};
            return SettingsLocation{*existing, std::nullopt};
        }
        if (!installed && writable)
            return SettingsLocation{programDir / SettingsFileName, std::nullopt};
    }
    if (!userFile.empty()) return SettingsLocation{userFile, std::nullopt};
    if (installed) return std::nullopt;
    return SettingsLocation{programDir / SettingsFileName, std::nullopt};
}

std::optional<fs::path> programDirectory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) return std::nullopt;
    return program.parent_path();
}

}  // namespace vexlo::shell
