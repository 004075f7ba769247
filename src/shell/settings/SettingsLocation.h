#pragma once
// Where the settings file lives: beside the program when a VEXLO.INI (in any letter case) is
// already there or the program's directory is writable (portable use); otherwise in the user's
// configuration directory, $XDG_CONFIG_HOME/vexlo/VEXLO.INI (by default ~/.config/vexlo/).
// An installed program (a package, `cmake --install`) never creates a file beside itself, even
// when it could (as root): it takes a VEXLO.INI already there, otherwise the user's directory.
// A VEXLO.INI beside the program in a folder this user cannot write (so it cannot be replaced,
// nor a lock or temporary made beside it) is not written at all: the user's file is used, with
// the one beside the program as its seed, read until the user's file exists and carried into it
// by the first write.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vexlo::shell {

inline constexpr std::string_view SettingsFileName = "VEXLO.INI";

// The environment the rule depends on, passed in as a value so that it can be tested.
struct Environment {
    std::string home;           // $HOME; empty when unknown
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME; empty when unset

    // The running process's environment ($HOME falling back to the password database).
    static Environment current();
};

// True when files can be created in `directory` by this process.
bool isWritableDirectory(const std::filesystem::path& directory);

// The existing file in `directory` whose name is VEXLO.INI in any letter case (the exact
// spelling preferred when several exist), or nullopt.
std::optional<std::filesystem::path> findSettingsFile(const std::filesystem::path& directory);

// The file, relative to the program's directory, that the install step puts in place and a
// build tree or a copied program lacks ("../share/vexlo/installed" for the usual layout).
std::string_view installMarker();

// True when `programDir` holds an installed program: its install marker is a regular file.
bool isInstalledProgram(const std::filesystem::path& programDir);

// The file to read and write, and the file it starts from while it does not exist yet.
struct SettingsLocation {
    std::filesystem::path path;
    std::optional<std::filesystem::path> seed;

    bool operator==(const SettingsLocation&) const = default;
};

// The rule above. A relative or empty $XDG_CONFIG_HOME does not count; with neither it nor an
// absolute $HOME, a portable program uses its directory whatever its state (a file there is
// used as it is, writable or not), and an installed one without a file beside it has nowhere to
// keep settings (nullopt).
std::optional<SettingsLocation> settingsFilePath(
    const std::filesystem::path& programDir, const Environment& environment,
    bool (*isWritable)(const std::filesystem::path&) = isWritableDirectory);

// The directory holding the running program (from /proc/self/exe), or nullopt.
std::optional<std::filesystem::path> programDirectory();

}  // namespace vexlo::shell
