#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "SettingsTestSupport.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/SettingsKeys.h"
#include "shell/settings/TextEncoding.h"

using namespace vexlo::shell;
using vexlo::shell::testing::giveTo;
using vexlo::shell::testing::inChild;
using vexlo::shell::testing::otherUser;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::runInChild;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

const std::string OldText = "; mine\r\n[VEXLO]\r\nFontDef=MS Gothic\r\nSizeH=1200\r\n";

// Writes data through, but fails with ENOSPC once `budget` bytes have gone in total.
FileCalls failingAfter(std::size_t budget) {
    FileCalls calls = FileCalls::system();
    auto left = std::make_shared<std::size_t>(budget);
    calls.write = [left, system = calls.write](int fd, const void* data,
                                               std::size_t size) -> ssize_t {
        if (*left == 0) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t n = system(fd, data, std::min(size, *left));
        if (n > 0) *left -= static_cast<std::size_t>(n);
        return n;
    };
    return calls;
}

TEST(DiskProfileFileFaults, FailedWriteLeavesTheOldFileWholeAndNoTemporary) {
    const struct {
        const char* name;
        std::function<FileCalls(std::size_t newSize)> calls;  // newSize: the full new file
    } rows[] = {
        {"disk full at once", [](std::size_t) { return failingAfter(0); }},
        {"disk full half way", [](std::size_t size) { return failingAfter(size / 2); }},
        {"disk full at the last byte", [](std::size_t size) { return failingAfter(size - 1); }},
        {"write makes no progress",
         [](std::size_t) {
             FileCalls calls = FileCalls::system();
             calls.write = [](int, const void*, std::size_t) -> ssize_t { return 0; };
             return calls;
         }},
        {"flush to disk fails",
         [](std::size_t) {
             FileCalls calls = FileCalls::system();
             calls.fsync = [](int) {
                 errno = EIO;
                 return -1;
             };
             return calls;
         }},
        {"rename fails",
         [](std::size_t) {
             FileCalls calls = FileCalls::system();
             calls.rename = [](int, const char*, const char*) {
                 errno = EXDEV;
                 return -1;
             };
             return calls;
         }},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", OldText);
        const std::string font = "A much longer font name than before";
        DiskProfileFile file(dir / "VEXLO.INI", row.calls(OldText.size() - 9 + font.size()));
        EXPECT_FALSE(file.write("VEXLO", "FontDef", font)) << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), OldText) << row.name;
        EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"})) << row.name;

        // With no file yet, a failed first write creates none.
        DiskProfileFile fresh(dir / "NEW.INI",
                              row.calls(std::string("[VEXLO]\nFontDef=Arial\n").size()));
        EXPECT_FALSE(fresh.write("VEXLO", "FontDef", "Arial")) << row.name;
        EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"})) << row.name;
    }
}

TEST(DiskProfileFileFaults, ShortWritesAreContinued) {
    TempDir dir;
    FileCalls calls = FileCalls::system();
    calls.write = [system = calls.write](int fd, const void* data, std::size_t size) {
        return system(fd, data, std::min<std::size_t>(size, 3));
    };
    writeBytes(dir / "VEXLO.INI", OldText);
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI", calls).write("VEXLO", "SizeH", "900"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"),
              "; mine\r\n[VEXLO]\r\nFontDef=MS Gothic\r\nSizeH=900\r\n");
}

TEST(DiskProfileFileFaults, DirectoryThatCannotBeCreatedOrWritten) {
    TempDir dir;
    writeBytes(dir / "plain-file", "not a directory");
    // A parent that is a regular file stops creation even for root.
    DiskProfileFile blocked(dir / "plain-file" / "vexlo" / "VEXLO.INI");
    EXPECT_EQ(blocked.read("VEXLO", "FontDef"), std::nullopt);
    EXPECT_EQ(readStoredSettings(blocked), StoredSettings{});
    EXPECT_FALSE(blocked.write("VEXLO", "FontDef", "Arial"));
    EXPECT_EQ(readBytes(dir / "plain-file"), "not a directory");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"plain-file"}));
}

TEST(DiskProfileFileFaults, ReadOnlyFileIsNotReplaced) {
    // Root writes here as itself and checks the mode bits (it passes every access check); a
    // user is `nobody` when the suite runs as root, else the suite's own user.
    enum Writer { Root, User };
    const struct {
        const char* name;
        mode_t mode;
        Writer owner;   // whose file it is
        Writer writer;  // who writes it
        WriteOutcome outcome;
    } rows[] = {
        {"read-only to all, root writing", 0444, Root, Root, WriteOutcome::ReadOnly},
        {"readable to its owner only, root writing", 0400, User, Root, WriteOutcome::ReadOnly},
        {"one write bit, for the group, root writing", 0464, User, Root, WriteOutcome::Written},
        {"one write bit, for others, root writing", 0446, User, Root, WriteOutcome::Written},
        {"read-only to all, its owner writing", 0444, User, User, WriteOutcome::ReadOnly},
        {"readable to its owner only, its owner writing", 0400, User, User, WriteOutcome::ReadOnly},
        {"writable, its owner writing", 0644, User, User, WriteOutcome::Written},
        {"writable by its owner only, another user writing", 0644, Root, User,
         WriteOutcome::Failed},
    };
    const passwd* user = otherUser();
    int needRoot = 0;
    for (const auto& row : rows) {
        if (!user && (row.owner == Root || row.writer == Root)) {
            ++needRoot;
            continue;
        }
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", OldText);
        giveTo(dir.path(), user);
        if (row.owner == Root) {
            ASSERT_EQ(::chown((dir / "VEXLO.INI").c_str(), 0, 0), 0);
        }
        ASSERT_EQ(::chmod((dir / "VEXLO.INI").c_str(), row.mode), 0);
        const auto write = [&] {
            return static_cast<int>(DiskProfileFile(dir / "VEXLO.INI")
                                        .writeKey("VEXLO", "SizeH", "1", std::chrono::seconds(5)));
        };
        EXPECT_EQ(runInChild(write, row.writer == User ? user : nullptr),
                  static_cast<int>(row.outcome))
            << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI") == OldText, row.outcome != WriteOutcome::Written)
            << row.name;
        struct stat after {};
        ASSERT_EQ(::stat((dir / "VEXLO.INI").c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, row.mode) << row.name;
        EXPECT_EQ(after.st_uid, row.owner == Root || !user ? ::geteuid() : user->pw_uid)
            << row.name;
        EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"})) << row.name;
    }
    if (needRoot > 0) GTEST_SKIP() << needRoot << " rows need root; the others ran";
}

TEST(DiskProfileFileFaults, ReadOnlyDirectoryIsLeftAsItIs) {
    // Root may write any folder: the writer is an unprivileged user in a folder of its own.
    const passwd* user = otherUser();
    TempDir dir;
    fs::create_directory(dir / "ro");
    writeBytes(dir / "ro" / "VEXLO.INI", OldText);
    giveTo(dir.path(), user);
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const auto write = [&] {
        const auto wait = std::chrono::seconds(5);
        return DiskProfileFile(dir / "ro" / "VEXLO.INI").writeKey("VEXLO", "SizeH", "1", wait) ==
                   WriteOutcome::Failed &&
               DiskProfileFile(dir / "ro" / "NEW.INI").writeKey("VEXLO", "SizeH", "1", wait) ==
                   WriteOutcome::Failed;
    };
    EXPECT_EQ(inChild(write, user), 0);
    fs::permissions(dir / "ro", fs::perms::owner_all);
    EXPECT_EQ(readBytes(dir / "ro" / "VEXLO.INI"), OldText);
    EXPECT_EQ(fs::directory_iterator(dir / "ro")->path().filename(), "VEXLO.INI");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "ro"), fs::directory_iterator()), 1);
}

TEST(DiskProfileFileFaults, SomethingOtherThanAFileInItsPlace) {
    TempDir dir;
    fs::create_directory(dir / "DIR.INI");
    ASSERT_EQ(::mkfifo((dir / "FIFO.INI").c_str(), 0600), 0);
    fs::create_symlink("LOOP.INI", dir / "LOOP.INI");
    fs::create_symlink("FIFO.INI", dir / "TOFIFO.INI");
    // The lock a write would take is the one of the file a link leads to.
    const std::pair<const char*, const char*> names[] = {{"DIR.INI", "DIR.INI"},
                                                         {"FIFO.INI", "FIFO.INI"},
                                                         {"LOOP.INI", "LOOP.INI"},
                                                         {"TOFIFO.INI", "FIFO.INI"}};
    for (const auto& [name, locked] : names) {
        DiskProfileFile file(dir / name);
        EXPECT_EQ(file.read("VEXLO", "FontDef"), std::nullopt) << name;  // and no hang
        EXPECT_FALSE(file.write("VEXLO", "FontDef", "Arial")) << name;
        // Refused before its lock is tried: with the lock held elsewhere it is not busy.
        const fs::path lockFile = dir / ("." + std::string(locked) + ".lock");
        const int held = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        EXPECT_EQ(file.writeKey("VEXLO", "FontDef", "Arial", std::chrono::milliseconds(100)),
                  WriteOutcome::Failed)
            << name;
        ::close(held);
        fs::remove(lockFile);
    }
    EXPECT_TRUE(fs::is_directory(dir / "DIR.INI"));
    EXPECT_TRUE(fs::is_fifo(dir / "FIFO.INI"));
    EXPECT_EQ(dir.entries(),
              (std::set<std::string>{"DIR.INI", "FIFO.INI", "LOOP.INI", "TOFIFO.INI"}));

    // A device, as `--settings /dev/null` names one: nothing is made beside it.
    EXPECT_FALSE(DiskProfileFile("/dev/null").write("VEXLO", "FontDef", "Arial"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_FALSE(fs::exists(fs::symlink_status("/dev/.null.lock")));
}

TEST(DiskProfileFileFaults, Utf16NotWellFormedIsReadMendedAndNeverRewritten) {
    const std::string lines = std::string("[\0V\0E\0X\0L\0O\0]\0\n\0A\0=\0", 20);
    const struct {
        const char* name;
        std::string bytes;
        std::string a;  // A as read
    } rows[] = {
        {"unpaired high surrogate", "\xFF\xFE" + lines + std::string("x\0\x00\xD8\n\0", 6),
         "x\xEF\xBF\xBD"},
        {"unpaired low surrogate", "\xFF\xFE" + lines + std::string("\x00\xDCx\0\n\0", 6),
         "\xEF\xBF\xBDx"},
        {"odd last byte", "\xFF\xFE" + lines + std::string("x\0\n\0z", 5), "x"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", row.bytes);
        DiskProfileFile file(dir / "VEXLO.INI");
        EXPECT_EQ(file.read("VEXLO", "A"), row.a) << row.name;
        EXPECT_EQ(file.writeKey("VEXLO", "B", "1", std::chrono::seconds(5)), WriteOutcome::Failed)
            << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), row.bytes) << row.name;
        EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"})) << row.name;
    }
}

std::string randomJunk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string junk(size, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    return junk;
}

TEST(DiskProfileFileCorrupt, WhatCanBeReadIsUsedAndTheRestDefaults) {
    const std::string tenMegabytes(10'000'000, 'x');
    const std::string longLine(100'000, 'f');
    const struct {
        const char* name;
        std::string content;
        int formTop;          // windowTop as read
        std::string fontDef;  // displayFont as read
        int form2Top;         // fontWindowTop as read
    } rows[] = {
        {"NUL bytes", std::string("[VEXLO]\n\0\0junk\0\nFormTop=7\nFontDef=A\0B\n", 38), 7, "A",
         1830},
        {"binary junk around the section",
         randomJunk(65536, 1) + "\n[VEXLO]\nFormTop=7\n" + randomJunk(65536, 2), 7, "System", 1830},
        {"10 MB file, keys at the start", "[VEXLO]\nFormTop=7\n" + tenMegabytes + "\n", 7, "System",
         1830},
        {"10 MB file, keys past the first MiB", tenMegabytes + "\n[VEXLO]\nFormTop=7\n", 0,
         "System", 1830},
        {"10 MB line", "[VEXLO]\nFormTop=7\nFontDef=" + tenMegabytes, 7, "System", 1830},
        {"100,000-character line", "[VEXLO]\nFontDef=" + longLine + "\nFormTop=7\n", 7,
         std::string(49, 'f'), 1830},
        {"duplicate keys", "[VEXLO]\nFormTop=7\nFormTop=8\n[VEXLO]\nFormTop=9\n", 7, "System",
         1830},
        {"no section", "FormTop=7\nForm2Top=5\n", 0, "System", 1830},
        {"letters for numbers", "[VEXLO]\nForm2Top=twelve\n", 0, "System", 0},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", row.content);
        const StoredSettings read = readStoredSettings(DiskProfileFile(dir / "VEXLO.INI"));
        EXPECT_EQ(read.windowTop, row.formTop) << row.name;
        EXPECT_EQ(read.displayFont, row.fontDef) << row.name;
        EXPECT_EQ(read.fontWindowTop, row.form2Top) << row.name;
        EXPECT_EQ(read.windowWidth, 5295) << row.name;
    }
}

TEST(DiskProfileFileCorrupt, WritesToDamagedFilesKeepWhatIsThere) {
    const std::string longLine(100'000, 'f');
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } rows[] = {
        {"100,000-character line", "[VEXLO]\nFontDef=" + longLine + "\n",
         "[VEXLO]\nFontDef=" + longLine + "\nSizeH=1\n"},
        {"duplicate keys", "[VEXLO]\nSizeH=7\nSizeH=8\n", "[VEXLO]\nSizeH=1\nSizeH=8\n"},
        {"no section", "SizeH=7\n", "SizeH=7\n\n[VEXLO]\nSizeH=1\n"},
        {"NUL bytes", std::string("[VEXLO]\n\0\0\n", 11),
         std::string("[VEXLO]\n\0\0\nSizeH=1\n", 19)},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", row.before);
        EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "SizeH", "1")) << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), row.after) << row.name;
    }
}

TEST(DiskProfileFileCorrupt, BinaryJunkFileTakesAWriteAndKeepsItsBytes) {
    TempDir dir;
    const std::string junk = randomJunk(200'000, 3);
    writeBytes(dir / "VEXLO.INI", junk);
    DiskProfileFile file(dir / "VEXLO.INI");
    readStoredSettings(file);
    EXPECT_TRUE(file.write("VEXLO", "FontDef", "Arial"));
    EXPECT_EQ(file.getString("VEXLO", "FontDef", "System"), "Arial");
    const std::string after = readBytes(dir / "VEXLO.INI");
    EXPECT_EQ(after.substr(0, junk.size()), junk);
    EXPECT_LT(after.size(), junk.size() + 30);
}

TEST(DiskProfileFileCorrupt, OversizedFileIsNeverRewritten) {
    TempDir dir;
    const std::string big = "[VEXLO]\nFormTop=7\n" + std::string(DiskProfileFile::MaxFileSize, 'x');
    writeBytes(dir / "VEXLO.INI", big);
    EXPECT_FALSE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "FormTop", "8"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), big);
}

TEST(DiskProfileFileCorrupt, SizeLimitKeepsWholeLines) {
    TempDir dir;
    const struct {
        std::string content;
        SettingsText::State state;
        std::string text;
    } rows[] = {
        {"[VEXLO]\nA=1234\n", SettingsText::State::Whole, "[VEXLO]\nA=1234\n"},  // 15 bytes
        {"[VEXLO]\nA=12345\n", SettingsText::State::Whole,
         "[VEXLO]\nA=12345\n"},  // 16: at the limit
        {"[VEXLO]\nA=123456\n", SettingsText::State::Cut, "[VEXLO]\n"},
        {"[VEXLO]A=123456789\n", SettingsText::State::Cut, ""},
    };
    for (const auto& row : rows) {
        writeBytes(dir / "VEXLO.INI", row.content);
        const SettingsText loaded = loadSettingsText(dir / "VEXLO.INI", 16);
        EXPECT_EQ(loaded.state, row.state) << row.content;
        EXPECT_EQ(loaded.text, row.text) << row.content;
    }
}

}  // namespace
