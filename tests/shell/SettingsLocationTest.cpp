#include "shell/settings/SettingsLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <ostream>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "SettingsTestSupport.h"
#include "shell/settings/DiskProfileFile.h"

using namespace vexlo::shell;
using namespace std::chrono_literals;
using vexlo::shell::testing::giveTo;
using vexlo::shell::testing::otherUser;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::runInChild;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
namespace fs = std::filesystem;

namespace vexlo::shell {
void PrintTo(const SettingsLocation& location, std::ostream* out) {
    *out << location.path;
    if (location.seed) *out << " seeded from " << *location.seed;
}
}  // namespace vexlo::shell

namespace {

SettingsLocation at(const fs::path& path) {
    return {path, std::nullopt};
}
SettingsLocation seeded(const fs::path& path, const fs::path& seed) {
    return {path, seed};
}

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
        std::optional<SettingsLocation> expected;
    } rows[] = {
        {"writable, no file", false, [] {}, alwaysWritable, environment, at(program / "VEXLO.INI")},
        {"existing file, any case, writable folder", false,
         [&] { writeBytes(program / "vexlo.ini", ""); }, alwaysWritable, environment,
         at(program / "vexlo.ini")},
        {"existing file, any case, folder not writable: the user's file, seeded from it", false,
         [&] { writeBytes(program / "vexlo.ini", ""); }, neverWritable, environment,
         seeded(userFile, program / "vexlo.ini")},
        {"existing file in mixed case", false, [&] { writeBytes(program / "Vexlo.Ini", ""); },
         neverWritable, environment, seeded(userFile, program / "Vexlo.Ini")},
        {"exact spelling preferred", false,
         [&] {
             writeBytes(program / "vexlo.ini", "");
             writeBytes(program / "VEXLO.INI", "");
         },
         neverWritable, environment, seeded(userFile, program / "VEXLO.INI")},
        {"existing file, folder not writable, no usable home: the file as it is", false,
         [&] { writeBytes(program / "vexlo.ini", ""); }, neverWritable, Environment{"", "relative"},
         at(program / "vexlo.ini")},
        {"a directory of that name is no file", false,
         [&] { fs::create_directory(program / "vexlo.ini"); }, neverWritable, environment,
         at(userFile)},
        {"read-only, no file", false, [] {}, neverWritable, environment, at(userFile)},
        {"relative XDG_CONFIG_HOME ignored", false, [] {}, neverWritable,
         Environment{"/home/user", "cfg"}, at("/home/user/.config/vexlo/VEXLO.INI")},
        {"empty XDG_CONFIG_HOME ignored", false, [] {}, neverWritable,
         Environment{"/home/user", ""}, at("/home/user/.config/vexlo/VEXLO.INI")},
        {"no usable home at all", false, [] {}, neverWritable, Environment{"", "relative"},
         at(program / "VEXLO.INI")},
        {"installed and writable (root): the user's directory", true, [] {}, alwaysWritable,
         environment, at(userFile)},
        {"installed, home only", true, [] {}, alwaysWritable, Environment{"/home/user", ""},
         at("/home/user/.config/vexlo/VEXLO.INI")},
        {"installed with a file beside it", true, [&] { writeBytes(program / "Vexlo.ini", ""); },
         alwaysWritable, environment, at(program / "Vexlo.ini")},
        {"installed with a file beside it in a folder not writable", true,
         [&] { writeBytes(program / "Vexlo.ini", ""); }, neverWritable, environment,
         seeded(userFile, program / "Vexlo.ini")},
        {"installed, no usable home: nowhere", true, [] {}, alwaysWritable,
         Environment{"", "relative"}, std::nullopt},
        {"a marker that is a directory is no marker", false,
         [&] { fs::create_directories(program / std::string(installMarker())); }, alwaysWritable,
         environment, at(program / "VEXLO.INI")},
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
    EXPECT_EQ(settingsFilePath(root.path(), environment), at(root / "VEXLO.INI"));
    EXPECT_EQ(settingsFilePath(root / "missing", environment),
              at(root / "xdg" / "vexlo" / "VEXLO.INI"));
    const fs::path installedBin = root / "bin";
    fs::create_directory(installedBin);
    markInstalled(installedBin);
    EXPECT_EQ(settingsFilePath(installedBin, environment),
              at(root / "xdg" / "vexlo" / "VEXLO.INI"));
}

TEST(SettingsLocation, ConfigurationFileIsCreatedOnFirstWrite) {
    TempDir root;
    const std::optional<SettingsLocation> location =
        settingsFilePath(root / "no-program-dir", Environment{(root / "home").string(), ""});
    EXPECT_EQ(location, at(root / "home" / ".config" / "vexlo" / "VEXLO.INI"));
    EXPECT_FALSE(fs::exists(root / "home"));
    ASSERT_TRUE(location.has_value());
    EXPECT_TRUE(DiskProfileFile(*location).write("VEXLO", "AllFcs", "1"));
    EXPECT_EQ(readBytes(location->path), "[VEXLO]\nAllFcs=1\n");
}

TEST(SettingsLocation, PortableCopyInAFolderTheUserCannotWriteKeepsChangesInTheUsersFile) {
    // The folder is root's and the writer `nobody` where the suite runs as root; else the suite's
    // own user writes, in a folder it made read-only.
    const passwd* user = otherUser();
    TempDir root;
    const fs::path program = root / "program";
    const fs::path home = root / "home";
    fs::create_directories(program);
    fs::create_directories(home);
    const std::string seedText = "; portable\r\n[VEXLO]\r\nFontDef=ＭＳ 明朝\r\nSizeH=900\r\n";
    writeBytes(program / "VEXLO.INI", seedText);
    ASSERT_EQ(::chmod((program / "VEXLO.INI").c_str(), 0666), 0);  // only its folder is closed
    giveTo(home, user);
    ASSERT_EQ(::chmod(root.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(program.c_str(), 0555), 0);
    const Environment environment{home.string(), ""};
    const fs::path userFile = home / ".config" / "vexlo" / "VEXLO.INI";
    const auto steps = [&] {
        const auto location = settingsFilePath(program, environment);
        if (location != seeded(userFile, program / "VEXLO.INI")) return 1;
        DiskProfileFile file(*location);
        if (file.getString("VEXLO", "FontDef", "System") != "ＭＳ 明朝") return 2;
        if (file.writeKey("VEXLO", "SizeH", "900", 5s) != WriteOutcome::Unchanged) return 3;
        if (fs::exists(userFile)) return 4;
        if (file.writeKey("VEXLO", "Dumy", "12.", 5s) != WriteOutcome::Written) return 5;
        if (readBytes(userFile) != seedText + "Dumy=12.\r\n") return 6;
        if (file.writeKey("VEXLO", "SizeH", "1200", 5s) != WriteOutcome::Written) return 7;
        return 0;
    };
    EXPECT_EQ(runInChild(steps, user), 0);
    EXPECT_EQ(readBytes(program / "VEXLO.INI"), seedText);
    EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 1);
    EXPECT_EQ(readBytes(userFile),
              "; portable\r\n[VEXLO]\r\nFontDef=ＭＳ 明朝\r\nSizeH=1200\r\n"
              "Dumy=12.\r\n");

    // Once the user's file exists, the seed is not read any more.
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    writeBytes(program / "VEXLO.INI", "[VEXLO]\nFontDef=Arial\nSizeH=1\n");
    ASSERT_EQ(::chmod(program.c_str(), 0555), 0);
    const auto reread = [&] {
        const DiskProfileFile file(*settingsFilePath(program, environment));
        return file.getString("VEXLO", "FontDef", "") == "ＭＳ 明朝" &&
               file.getInt("VEXLO", "SizeH", 0) == 1200;
    };
    EXPECT_EQ(runInChild([&] { return reread() ? 0 : 1; }, user), 0);
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
