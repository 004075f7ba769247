#include "platform/Utf8.h"
#include "shell/settings/DiskProfileFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include "SettingsTestSupport.h"
#include "shell/settings/FileMode.h"
#include "shell/settings/SettingsKeys.h"
#include "shell/settings/TextEncoding.h"

using namespace vexlo::shell;
using vexlo::shell::testing::MsMinchoCp932;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// "ソフト表示" in CP932, with "\" (0x5C) as trail bytes.
const std::string SoftDisplayCp932 = "\x83\x5c\x83\x74\x83\x67\x95\x5c\x8e\xa6";

TEST(DiskProfileFile, MissingFileReadsNothingAndFirstWriteCreatesIt) {
    TempDir dir;
    DiskProfileFile file(dir / "VEXLO.INI");
    EXPECT_EQ(file.read("VEXLO", "FontDef"), std::nullopt);
    EXPECT_EQ(readStoredSettings(file), StoredSettings{});
    EXPECT_TRUE(file.write("VEXLO", "FontDef", "Arial"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\nFontDef=Arial\n");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"}));
}

TEST(DiskProfileFile, CreatesMissingDirectories) {
    TempDir dir;
    DiskProfileFile file(dir.path() / "config" / "vexlo" / "VEXLO.INI");
    EXPECT_TRUE(file.write("VEXLO", "JpFont", "1"));
    EXPECT_EQ(readBytes(dir.path() / "config" / "vexlo" / "VEXLO.INI"), "[VEXLO]\nJpFont=1\n");
}

TEST(DiskProfileFile, WriteKeepsEveryOtherLineAndTheLineEnds) {
    TempDir dir;
    const std::string before =
        "; settings\r\n[Other]\r\nx=1\r\n\r\n[vexlo]\r\nfontdef=MS Gothic\r\nUnknown=7\r\n";
    writeBytes(dir / "VEXLO.INI", before);
    DiskProfileFile file(dir / "VEXLO.INI");
    EXPECT_TRUE(file.write("VEXLO", "FontDef", "Arial"));
    EXPECT_TRUE(file.write("VEXLO", "SizeH", "1200"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"),
              "; "
              "settings\r\n[Other]\r\nx=1\r\n\r\n[vexlo]\r\nfontdef=Arial\r\nUnknown=7\r\nSizeH="
              "1200\r\n");
}

TEST(DiskProfileFile, EveryReadSeesTheFileAsItIsNow) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\nSizeH=1\n");
    const DiskProfileFile file(dir / "VEXLO.INI");
    EXPECT_EQ(file.getInt("VEXLO", "SizeH", 855), 1);
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\nSizeH=2\n");
    EXPECT_EQ(file.getInt("VEXLO", "SizeH", 855), 2);
    fs::remove(dir / "VEXLO.INI");
    EXPECT_EQ(file.getInt("VEXLO", "SizeH", 855), 855);
}

TEST(DiskProfileFile, TwoInstancesWritingDifferentKeysKeepBoth) {
    TempDir dir;
    DiskProfileFile first(dir / "VEXLO.INI");
    DiskProfileFile second(dir / "VEXLO.INI");
    EXPECT_TRUE(first.write("VEXLO", "AllFcs", "1"));
    EXPECT_TRUE(second.write("VEXLO", "JpFont", "1"));
    EXPECT_TRUE(first.write("VEXLO", "Dumy", "12."));
    EXPECT_TRUE(second.write("VEXLO", "AllFcs", "0"));  // the last write of a key wins
    const StoredSettings read = readStoredSettings(DiskProfileFile(dir / "VEXLO.INI"));
    EXPECT_EQ(read.onTop, 0);
    EXPECT_EQ(read.language, 1);
    EXPECT_EQ(read.displayText, "12.");
}

TEST(DiskProfileFile, ProcessesWritingAtTheSameTimeKeepEveryKey) {
    TempDir dir;
    constexpr int Processes = 8;
    constexpr int KeysEach = 25;
    std::vector<pid_t> children;
    for (int p = 0; p < Processes; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FileCalls calls = FileCalls::system();
            if (p == 0) {
                // The first writer stalls for 3 s half way through its third write.
                auto writes = std::make_shared<int>(0);
                calls.write = [writes, system = calls.write](int fd, const void* data,
                                                             std::size_t size) -> ssize_t {
                    if (++*writes == 3 && size > 1) {
                        const ssize_t n = system(fd, data, size / 2);
                        ::sleep(3);
                        return n;
                    }
                    return system(fd, data, size);
                };
            }
            DiskProfileFile file(dir / "VEXLO.INI", calls);
            bool ok = true;
            for (int k = 0; k < KeysEach; ++k) {
                ok = file.write("VEXLO", "P" + std::to_string(p) + "K" + std::to_string(k), "1") &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    // Bounded: a writer that hangs fails the test instead of stalling the suite.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (const pid_t child : children) {
        int status = 0;
        pid_t done = 0;
        while ((done = ::waitpid(child, &status, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            ::usleep(20'000);
        }
        if (done != child) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
        }
        EXPECT_TRUE(done == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const DiskProfileFile file(dir / "VEXLO.INI");
    for (int p = 0; p < Processes; ++p) {
        for (int k = 0; k < KeysEach; ++k) {
            const std::string key = "P" + std::to_string(p) + "K" + std::to_string(k);
            EXPECT_EQ(file.read("VEXLO", key), "1") << key;
        }
    }
    const std::string bytes = readBytes(dir / "VEXLO.INI");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + Processes * KeysEach);
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"}));
}

TEST(DiskProfileFile, ShiftJisFileIsReadAndRewrittenInUtf8) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI",
               "[VEXLO]\r\nFontDef=" + MsMinchoCp932 + "\r\nDumy=" + SoftDisplayCp932 + "\r\n");
    DiskProfileFile file(dir / "VEXLO.INI");
    EXPECT_EQ(file.getString("VEXLO", "FontDef", "System"), "ＭＳ 明朝");
    EXPECT_EQ(file.getString("VEXLO", "Dumy", "0."), "ソフト表示");
    EXPECT_TRUE(file.write("VEXLO", "JpFont", "1"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"),
              "[VEXLO]\r\nFontDef=ＭＳ 明朝\r\nDumy=ソフト表示\r\nJpFont=1\r\n");
    EXPECT_EQ(file.getString("VEXLO", "FontDef", "System"), "ＭＳ 明朝");
}

TEST(DiskProfileFile, Utf8FileIsReadAsItIs) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "\xEF\xBB\xBF[VEXLO]\nFontDef=ＭＳ 明朝\n");
    const SettingsText loaded = loadSettingsText(dir / "VEXLO.INI");
    EXPECT_EQ(loaded.encoding, FileEncoding::Utf8);
    EXPECT_EQ(DiskProfileFile(dir / "VEXLO.INI").getString("VEXLO", "FontDef", ""), "ＭＳ 明朝");
}

TEST(DiskProfileFile, BytesNeitherUtf8NorShiftJisAreReadMendedAndKeptByWrites) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\nDumy=a\x80z\xFF\nSizeH=900\n");
    DiskProfileFile file(dir / "VEXLO.INI");
    EXPECT_EQ(file.getString("VEXLO", "Dumy", ""), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_EQ(file.getInt("VEXLO", "SizeH", 855), 900);
    EXPECT_TRUE(file.write("VEXLO", "SizeW", "6000"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\nDumy=a\x80z\xFF\nSizeH=900\nSizeW=6000\n");
}

TEST(TextEncoding, RecognisesWellFormedUtf8) {
    const struct {
        std::string bytes;
        bool valid;
    } rows[] = {
        {"", true},
        {"ascii\0nul", true},
        {"ＭＳ 明朝", true},
        {"\xF0\x9F\x98\x80", true},
        {MsMinchoCp932, false},
        {"\xC0\xAF", false},          // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xE3\x81", false},          // cut short
        {"\x80", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(vexlo::platform::utf8::isValid(row.bytes), row.valid) << row.bytes;
    EXPECT_EQ(cp932ToUtf8("\xB1\xB2\xB3"), "ｱｲｳ");
    EXPECT_EQ(cp932ToUtf8(MsMinchoCp932 + "\x82"), std::nullopt);  // cut short
    EXPECT_EQ(cp932ToUtf8(MsMinchoCp932 + "\xFF"), std::nullopt);
}

TEST(DiskProfileFile, UnchangedValueLeavesTheFileAlone) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\nDumy=0.\n");
    struct stat before {};
    ASSERT_EQ(::stat((dir / "VEXLO.INI").c_str(), &before), 0);
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "Dumy", "0."));
    struct stat after {};
    ASSERT_EQ(::stat((dir / "VEXLO.INI").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(DiskProfileFile, RewriteKeepsTheFileModeAndNewFilesAreReadable) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\n");
    fs::permissions(dir / "VEXLO.INI", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "A", "1"));
    EXPECT_EQ(fs::status(dir / "VEXLO.INI").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    const mode_t mask = ::umask(027);
    EXPECT_TRUE(DiskProfileFile(dir / "NEW.INI").write("VEXLO", "A", "1"));
    ::umask(mask);
    EXPECT_EQ(fs::status(dir / "NEW.INI").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(DiskProfileFile, SeedIsReadUntilTheFileExistsAndStartsIt) {
    const std::string utf16Seed("\xFF\xFE[\0V\0E\0X\0L\0O\0]\0\n\0A\0=\0x\0\n\0", 26);
    const struct {
        const char* name;
        std::optional<std::string> seed;   // nullopt: no seed file; "/": a folder in its place
        std::optional<std::string> file;   // the file before, if there is one
        std::optional<std::string> a;      // A as read before the write
        WriteOutcome outcome;              // of writing SizeH=1
        std::optional<std::string> after;  // the file after, if there is one
    } rows[] = {
        {"UTF-8 seed", "[VEXLO]\nA=x\n", std::nullopt, "x", WriteOutcome::Written,
         "[VEXLO]\nA=x\nSizeH=1\n"},
        {"Shift-JIS seed, converted", "[VEXLO]\r\nA=" + MsMinchoCp932 + "\r\n", std::nullopt,
         "ＭＳ 明朝", WriteOutcome::Written, "[VEXLO]\r\nA=ＭＳ 明朝\r\nSizeH=1\r\n"},
        {"UTF-16 seed, kept UTF-16", utf16Seed, std::nullopt, "x", WriteOutcome::Written,
         utf16Seed + std::string("S\0i\0z\0e\0H\0=\0001\0\n\0", 16)},
        {"value already in the seed: no file made", "[VEXLO]\nSizeH=1\n", std::nullopt,
         std::nullopt, WriteOutcome::Unchanged, std::nullopt},
        {"no seed file", std::nullopt, std::nullopt, std::nullopt, WriteOutcome::Written,
         "[VEXLO]\nSizeH=1\n"},
        {"a folder for a seed reads as defaults", "/", std::nullopt, std::nullopt,
         WriteOutcome::Written, "[VEXLO]\nSizeH=1\n"},
        {"seed over the size limit is not cut short",
         "[VEXLO]\nA=x\n" + std::string(DiskProfileFile::MaxFileSize, ';'), std::nullopt, "x",
         WriteOutcome::Failed, std::nullopt},
        {"the file exists: the seed is not read", "[VEXLO]\nA=x\n", "[VEXLO]\nA=y\n", "y",
         WriteOutcome::Written, "[VEXLO]\nA=y\nSizeH=1\n"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        const fs::path seed = dir / "program" / "VEXLO.INI";
        const fs::path path = dir / "home" / "vexlo" / "VEXLO.INI";
        fs::create_directories(seed.parent_path());
        if (row.seed == "/") {
            fs::create_directory(seed);
        } else if (row.seed) {
            writeBytes(seed, *row.seed);
            ASSERT_EQ(::chmod(seed.c_str(), 0444), 0);  // the seed's mode is not the new file's
        }
        if (row.file) {
            fs::create_directories(path.parent_path());
            writeBytes(path, *row.file);
        }
        DiskProfileFile file(SettingsLocation{path, seed});
        EXPECT_EQ(file.read("VEXLO", "A"), row.a) << row.name;
        EXPECT_EQ(file.writeKey("VEXLO", "SizeH", "1", std::chrono::seconds(5)), row.outcome)
            << row.name;
        EXPECT_EQ(fs::exists(path), row.after.has_value()) << row.name;
        if (row.after) {
            EXPECT_EQ(readBytes(path), *row.after) << row.name;
        }
        if (row.after && !row.file) {
            EXPECT_EQ(fs::status(path).permissions(), fs::perms(newFileMode())) << row.name;
        }
        if (row.seed && row.seed != "/") {
            EXPECT_EQ(readBytes(seed), *row.seed) << row.name;
        }
        EXPECT_EQ(
            std::distance(fs::directory_iterator(seed.parent_path()), fs::directory_iterator()),
            row.seed ? 1 : 0)
            << row.name;
    }
}

TEST(DiskProfileFile, WriteThroughSymbolicLinkUpdatesTheTarget) {
    TempDir dir;
    fs::create_directory(dir / "dotfiles");
    writeBytes(dir / "dotfiles" / "vexlo.ini", "[VEXLO]\nA=0\n");
    fs::create_symlink("dotfiles/vexlo.ini", dir / "VEXLO.INI");
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "A", "1"));
    EXPECT_TRUE(fs::is_symlink(dir / "VEXLO.INI"));
    EXPECT_EQ(readBytes(dir / "dotfiles" / "vexlo.ini"), "[VEXLO]\nA=1\n");
}

}  // namespace
