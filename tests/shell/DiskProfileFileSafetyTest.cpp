// Writes that never garble, never go without the lock, never follow a foreign link and leave
// no litter. Every row checks the bytes of the files afterwards.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

#include "SettingsTestSupport.h"
#include "shell/settings/DiskProfileFile.h"

using namespace vexlo::shell;
using vexlo::shell::testing::MsMinchoCp932;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// Runs `body` in a child process (as `user` when given) and returns its exit status.
int inChild(const std::function<bool()>& body, const passwd* user = nullptr) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (user && (::setgid(user->pw_gid) != 0 || ::setuid(user->pw_uid) != 0)) {
            ::_exit(3);
        }
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Another user to own files or run a writer, when this process may act for one.
const passwd* otherUser() {
    if (::geteuid() != 0) return nullptr;
    return ::getpwnam("nobody");
}

TEST(DiskProfileFileSafety, WritesKeepEveryLineTheyDoNotChange) {
    const struct {
        const char* name;
        std::string before;
        std::string after;
        std::string fontDef;      // as read afterwards
        std::string dumy = "9.";  // written, and read back
    } rows[] = {
        {"UTF-8 with a stray byte", "; 設定ファイル\n[VEXLO]\nFontDef=ＭＳ ゴシック\n; \xff\n",
         "; 設定ファイル\n[VEXLO]\nFontDef=ＭＳ ゴシック\n; \xff\nDumy=9.\n", "ＭＳ ゴシック"},
        {"clean Shift-JIS, converted whole", "[VEXLO]\r\nFontDef=" + MsMinchoCp932 + "\r\n",
         "[VEXLO]\r\nFontDef=ＭＳ 明朝\r\nDumy=9.\r\n", "ＭＳ 明朝"},
        {"UTF-8, Shift-JIS and junk mixed",
         "[VEXLO]\nFontDef=ＭＳ 明朝\nOld=" + MsMinchoCp932 + "\x80\xff\n",
         "[VEXLO]\nFontDef=ＭＳ 明朝\nOld=" + MsMinchoCp932 + "\x80\xff\nDumy=9.\n", "ＭＳ 明朝"},
        {"stray byte in the line replaced", "[VEXLO]\nDumy=\xfe\nFontDef=明朝\xff\n",
         "[VEXLO]\nDumy=9.\nFontDef=明朝\xff\n", "明朝\xEF\xBF\xBD"},
        {"Shift-JIS but for the line replaced, ASCII value: kept",
         "[VEXLO]\nFontDef=" + MsMinchoCp932 + "\nDumy=\xff\n",
         "[VEXLO]\nFontDef=" + MsMinchoCp932 + "\nDumy=9.\n", "ＭＳ 明朝"},
        {"Shift-JIS but for the line replaced, Japanese value: converted whole",
         "[VEXLO]\nFontDef=" + MsMinchoCp932 + "\nDumy=\xff\n",
         "[VEXLO]\nFontDef=ＭＳ 明朝\nDumy=2019年\n", "ＭＳ 明朝", "2019年"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", row.before);
        DiskProfileFile file(dir / "VEXLO.INI");
        EXPECT_TRUE(file.write("VEXLO", "Dumy", row.dumy)) << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), row.after) << row.name;
        EXPECT_EQ(file.read("VEXLO", "FontDef"), row.fontDef) << row.name;
        EXPECT_EQ(file.read("VEXLO", "Dumy"), row.dumy) << row.name;
        EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"})) << row.name;
    }
}

TEST(DiskProfileFileSafety, NeverWritesWithoutTheLock) {
    const std::string before = "[VEXLO]\nSizeH=900\n";
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", before);
    FileCalls impatient = FileCalls::system();
    impatient.lockWait = std::chrono::milliseconds(200);
    {
        // Another writer holds the lock: the write is skipped, not made without it.
        const int held = ::open((dir / ".VEXLO.INI.lock").c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        EXPECT_FALSE(DiskProfileFile(dir / "VEXLO.INI", impatient).write("VEXLO", "SizeH", "1"));
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), before);
        ::close(held);
    }
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI", impatient).write("VEXLO", "SizeH", "1"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\nSizeH=1\n");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI"}));

    // A directory that may be written but not listed (0300) still gets its lock and its file.
    const passwd* user = otherUser();
    ::chmod(dir.path().c_str(), 0711);
    fs::create_directory(dir / "wx");
    if (user) {
        ASSERT_EQ(::chown((dir / "wx").c_str(), user->pw_uid, user->pw_gid), 0);
    }
    ::chmod((dir / "wx").c_str(), 0300);
    const auto writeTwice = [&] {
        DiskProfileFile file(dir / "wx" / "VEXLO.INI");
        return file.write("VEXLO", "SizeH", "1") && file.write("VEXLO", "SizeW", "2");
    };
    EXPECT_EQ(inChild(writeTwice, user), 0);
    ::chmod((dir / "wx").c_str(), 0700);
    EXPECT_EQ(readBytes(dir / "wx" / "VEXLO.INI"), "[VEXLO]\nSizeH=1\nSizeW=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "wx"), fs::directory_iterator()), 1);
}

TEST(DiskProfileFileSafety, FollowsOnlyTheUsersOwnLinks) {
    const std::string before = "[VEXLO]\nA=0\n";
    const struct {
        const char* name;
        const char* link;  // the link's text; "" for an absolute link to a second link
        bool linkForeign;  // the link belongs to another user
        bool fileForeign;  // so does the file it leads to
        bool written;
    } rows[] = {
        {"own link to own file", "dotfiles/vexlo.ini", false, false, true},
        {"own links, absolute, through a second link", "", false, false, true},
        {"dangling link", "missing/dir/vexlo.ini", false, false, false},
        {"link to a directory", "dotfiles", false, false, false},
        // Rows from here on need files of another user.
        {"another user's link", "dotfiles/vexlo.ini", true, false, false},
        {"own link to another user's file", "dotfiles/vexlo.ini", false, true, false},
    };
    const passwd* user = otherUser();
    for (const auto& row : rows) {
        if ((row.linkForeign || row.fileForeign) && !user) {
            GTEST_SKIP() << "giving files another owner needs root; the rest ran";
        }
        TempDir dir;
        fs::create_directory(dir / "dotfiles");
        writeBytes(dir / "dotfiles" / "vexlo.ini", before);
        if (*row.link == '\0') {
            fs::create_symlink("dotfiles/vexlo.ini", dir / "hop");
            fs::create_symlink(dir / "hop", dir / "VEXLO.INI");
        } else {
            fs::create_symlink(row.link, dir / "VEXLO.INI");
        }
        if (row.linkForeign) {
            ASSERT_EQ(::lchown((dir / "VEXLO.INI").c_str(), user->pw_uid, -1), 0);
        }
        if (row.fileForeign) {
            ASSERT_EQ(::chown((dir / "dotfiles" / "vexlo.ini").c_str(), user->pw_uid, -1), 0);
        }
        EXPECT_EQ(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "A", "1"), row.written)
            << row.name;
        EXPECT_TRUE(fs::is_symlink(dir / "VEXLO.INI")) << row.name;
        EXPECT_EQ(readBytes(dir / "dotfiles" / "vexlo.ini"),
                  row.written ? "[VEXLO]\nA=1\n" : before)
            << row.name;
        // Replaced in its own directory, nothing left there or created along the way.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "dotfiles"), fs::directory_iterator()),
                  1)
            << row.name;
        EXPECT_FALSE(fs::exists(dir / "missing")) << row.name;
    }
}

TEST(DiskProfileFileSafety, LeftoversOfKilledWritersAreRemoved) {
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\nSizeH=900\n");
    FileCalls dying = FileCalls::system();
    dying.write = [system = dying.write](int fd, const void* data, std::size_t size) -> ssize_t {
        system(fd, data, size / 2);
        ::raise(SIGKILL);
        return -1;
    };
    for (int kill = 0; kill < 3; ++kill) {
        const auto write = [&] {
            return DiskProfileFile(dir / "VEXLO.INI", dying).write("VEXLO", "A", "1");
        };
        EXPECT_EQ(inChild(write), -1);
    }
    // Each killed writer removed its predecessor's leftovers: the last one's two remain.
    EXPECT_EQ(dir.entries().size(), 3u);
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\nSizeH=900\n");

    // A live writer's temporary file is kept.
    const int live = ::open((dir / ".VEXLO.INI.Live01").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "SizeW", "2"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\nSizeH=900\nSizeW=2\n");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI", ".VEXLO.INI.Live01"}));
    ::close(live);
}

}  // namespace
