#include "shell/settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "SettingsTestSupport.h"
#include "shell/settings/DiskProfileFile.h"

using namespace vexlo::shell;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

bool neverWritable(const fs::path&) {
    return false;
}
bool alwaysWritable(const fs::path&) {
    return true;
}

// Lays out an installed program's marker for `program`, as the install step does.
void markInstalled(const fs::path& program) {
    const fs::path marker = program / std::string(installMarker());
    fs::create_directories(marker.parent_path());
    writeBytes(marker, "");
}

TEST(SettingsLocation, ChoosesByTheProgramDirectoryAndTheEnvironment) {
    TempDir root;
    const fs::path program = root / "program";
    const Environment environment{"/home/user", "/xdg/config"};
    const fs::path userFile = "/xdg/config/vexlo/VEXLO.INI";
    const struct {
        const char* name;
        bool installed;
        std::function<void()> prepare;
        bool (*writable)(const fs::path&);
        Environment environment;
        std::optional<fs::path> expected;
    } rows[] = {
        {"writable, no file", false, [] {}, alwaysWritable, environment, program / "VEXLO.INI"},
        {"existing file, any case, even read-only", false,
         [&] { writeBytes(program / "vexlo.ini", ""); }, neverWritable, environment,
         program / "vexlo.ini"},
        {"existing file in mixed case", false, [&] { writeBytes(program / "Vexlo.Ini", ""); },
         neverWritable, environment, program / "Vexlo.Ini"},
        {"exact spelling preferred", false,
         [&] {
             writeBytes(program / "vexlo.ini", "");
             writeBytes(program / "VEXLO.INI", "");
         },
         neverWritable, environment, program / "VEXLO.INI"},
        {"a directory of that name is no file", false,
         [&] { fs::create_directory(program / "vexlo.ini"); }, neverWritable, environment,
         userFile},
        {"read-only, no file", false, [] {}, neverWritable, environment, userFile},
        {"relative XDG_CONFIG_HOME ignored", false, [] {}, neverWritable,
         Environment{"/home/user", "cfg"}, "/home/user/.config/vexlo/VEXLO.INI"},
        {"empty XDG_CONFIG_HOME ignored", false, [] {}, neverWritable,
         Environment{"/home/user", ""}, "/home/user/.config/vexlo/VEXLO.INI"},
        {"no usable home at all", false, [] {}, neverWritable, Environment{"", "relative"},
         program / "VEXLO.INI"},
        {"installed and writable (root): the user's directory", true, [] {}, alwaysWritable,
         environment, userFile},
        {"installed, home only", true, [] {}, alwaysWritable, Environment{"/home/user", ""},
         "/home/user/.config/vexlo/VEXLO.INI"},
        {"installed with a file beside it", true, [&] { writeBytes(program / "Vexlo.ini", ""); },
         alwaysWritable, environment, program / "Vexlo.ini"},
        {"installed, no usable home: nowhere", true, [] {}, alwaysWritable,
         Environment{"", "relative"}, std::nullopt},
        {"a marker that is a directory is no marker", false,
         [&] { fs::create_directories(program / std::string(installMarker())); }, alwaysWritable,
         environment, program / "VEXLO.INI"},
    };
    for (const auto& row : rows) {
        fs::remove_all(root.path());
        fs::create_directories(program);
        if (row.installed) markInstalled(program);
        row.prepare();
        EXPECT_EQ(isInstalledProgram(program), row.installed) << row.name;
        EXPECT_EQ(settingsFilePath(program, row.environment, row.writable), row.expected)
            << row.name;
    }
}

TEST(SettingsLocation, RealWritabilityOfDirectories) {
    TempDir root;
    writeBytes(root / "file", "");
    EXPECT_TRUE(isWritableDirectory(root.path()));
    EXPECT_FALSE(isWritableDirectory(root / "missing"));
    EXPECT_FALSE(isWritableDirectory(root / "file"));
    EXPECT_FALSE(isWritableDirectory(""));
    const Environment environment{"/home/user", (root / "xdg").string()};
    EXPECT_EQ(settingsFilePath(root.path(), environment), root / "VEXLO.INI");
    EXPECT_EQ(settingsFilePath(root / "missing", environment),
              root / "xdg" / "vexlo" / "VEXLO.INI");
    const fs::path installedBin = root / "bin";
    fs::create_directory(installedBin);
    markInstalled(installedBin);
    EXPECT_EQ(settingsFilePath(installedBin, environment), root / "xdg" / "vexlo" / "VEXLO.INI");
}

TEST(SettingsLocation, ConfigurationFileIsCreatedOnFirstWrite) {
    TempDir root;
    const std::optional<fs::path> path =
        settingsFilePath(root / "no-program-dir", Environment{(root / "home").string(), ""});
    EXPECT_EQ(path, root / "home" / ".config" / "vexlo" / "VEXLO.INI");
    EXPECT_FALSE(fs::exists(root / "home"));
    ASSERT_TRUE(path.has_value());
    EXPECT_TRUE(DiskProfileFile(*path).write("VEXLO", "AllFcs", "1"));
    EXPECT_EQ(readBytes(*path), "[VEXLO]\nAllFcs=1\n");
}

TEST(SettingsLocation, EnvironmentOfTheProcess) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(Environment::current().xdgConfigHome, "/somewhere/config");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Environment::current().xdgConfigHome, "");
    EXPECT_FALSE(Environment::current().home.empty());
    if (saved) ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
}

TEST(SettingsLocation, ProgramDirectoryHoldsTheRunningProgram) {
    const std::optional<fs::path> directory = programDirectory();
    ASSERT_TRUE(directory.has_value());
    EXPECT_TRUE(directory->is_absolute());
    EXPECT_TRUE(fs::equivalent(*directory, fs::canonical("/proc/self/exe").parent_path()));
}

}  // namespace
