// Writes that never garble, never go without the lock, never follow a foreign link and leave
// no litter. Every row checks the bytes of the files afterwards.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SettingsTestSupport.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/WriteTarget.h"

using namespace vexlo::shell;
using vexlo::shell::testing::giveTo;
using vexlo::shell::testing::inChild;
using vexlo::shell::testing::MsMinchoCp932;
using vexlo::shell::testing::otherUser;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::runInChild;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// UTF-16 bytes of `text`, little-endian unless `big`.
std::string utf16(std::u16string_view text, bool big = false) {
    std::string bytes;
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += big ? high : low;
        bytes += big ? low : high;
    }
    return bytes;
}

// A POSIX access ACL as the kernel stores it in system.posix_acl_access: version 2, then
// entries of tag, permissions and id, in order of tag and id.
struct AclEntry {
    std::uint16_t tag;  // 0x01 owner, 0x02 a user, 0x04 group, 0x10 mask, 0x20 others
    std::uint16_t permissions;
    std::uint32_t id = 0xFFFFFFFF;
};
std::string acl(const std::vector<AclEntry>& entries) {
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(2, 4);
    for (const AclEntry& entry : entries) {
        put(entry.tag, 2);
        put(entry.permissions, 2);
        put(entry.id, 4);
    }
    return bytes;
}

// Every extended attribute of `path`, by name.
std::map<std::string, std::string> attributesOf(const fs::path& path) {
    std::map<std::string, std::string> attributes;
    std::string names(65536, '\0');
    const ssize_t size = ::listxattr(path.c_str(), names.data(), names.size());
    if (size < 0) return attributes;
    names.resize(static_cast<std::size_t>(size));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const std::string name = names.c_str() + at;
        std::string value(65536, '\0');
        const ssize_t length = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
        value.resize(length < 0 ? 0 : static_cast<std::size_t>(length));
        attributes[name] = value;
    }
    return attributes;
}

bool setAttribute(const fs::path& path, const std::string& name, const std::string& value) {
    return ::setxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) == 0;
}

// A folder whose filesystem keeps user attributes and ACLs: the temporary folder's if it does,
// else another that does; `tried` lists what was tried.
std::optional<fs::path> folderKeepingAttributes(std::string& tried) {
    std::vector<fs::path> candidates{fs::temp_directory_path(), "/var/tmp", "/dev/shm",
                                     fs::current_path()};
    if (const char* home = std::getenv("HOME")) candidates.emplace_back(home);
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (!fs::is_directory(candidate, error)) continue;
        tried += " " + candidate.string();
        TempDir probe(candidate);
        writeBytes(probe / "probe", "");
        if (setAttribute(probe / "probe", "user.vexlo-probe", "1") &&
            setAttribute(probe / "probe", "system.posix_acl_access",
                         acl({{0x01, 6}, {0x02, 6, 65534}, {0x04, 4}, {0x10, 6}, {0x20, 4}}))) {
            return candidate;
        }
    }
    return std::nullopt;
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
        {"UTF-16 little-endian, as Notepad saves it",
         utf16(u"\uFEFF; 設定\r\n[VEXLO]\r\nFontDef=ＭＳ ゴシック\r\n"),
         utf16(u"\uFEFF; 設定\r\n[VEXLO]\r\nFontDef=ＭＳ ゴシック\r\nDumy=2019年\r\n"),
         "ＭＳ ゴシック", "2019年"},
        {"UTF-16 big-endian", utf16(u"\uFEFF[VEXLO]\nFontDef=ＭＳ ゴシック\n", true),
         utf16(u"\uFEFF[VEXLO]\nFontDef=ＭＳ ゴシック\nDumy=9.\n", true), "ＭＳ ゴシック"},
        {"UTF-16 beyond the first plane", utf16(u"\uFEFF[VEXLO]\nFontDef=𠮷野家\n"),
         utf16(u"\uFEFF[VEXLO]\nFontDef=𠮷野家\nDumy=9.\n"), "𠮷野家"},
        {"UTF-16, the line replaced", utf16(u"\uFEFF[VEXLO]\nDumy=0.\nFontDef=明朝\n"),
         utf16(u"\uFEFF[VEXLO]\nDumy=9.\nFontDef=明朝\n"), "明朝"},
        {"UTF-8 with its byte order mark", "\xEF\xBB\xBF[VEXLO]\nFontDef=ＭＳ ゴシック\n",
         "\xEF\xBB\xBF[VEXLO]\nFontDef=ＭＳ ゴシック\nDumy=9.\n", "ＭＳ ゴシック"},
        {"UTF-8 byte order mark and Shift-JIS bytes: UTF-8 still",
         "\xEF\xBB\xBF[VEXLO]\nFontDef=ＭＳ ゴシック\n;" + MsMinchoCp932 + "\n",
         "\xEF\xBB\xBF[VEXLO]\nFontDef=ＭＳ ゴシック\n;" + MsMinchoCp932 + "\nDumy=9.\n",
         "ＭＳ ゴシック"},
        {"lone CR line ends", "; 設定\r[VEXLO]\rFontDef=ＭＳ ゴシック\r",
         "; 設定\r[VEXLO]\rFontDef=ＭＳ ゴシック\rDumy=9.\r", "ＭＳ ゴシック"},
        {"lone CR line ends, none after the last line", "[VEXLO]\rFontDef=Arial",
         "[VEXLO]\rFontDef=Arial\rDumy=9.", "Arial"},
        {"lone CR line ends in Shift-JIS", "[VEXLO]\rFontDef=" + MsMinchoCp932 + "\r",
         "[VEXLO]\rFontDef=ＭＳ 明朝\rDumy=9.\r", "ＭＳ 明朝"},
        {"CRLF line ends, new section", "[Other]\r\nFontDef=x\r\n",
         "[Other]\r\nFontDef=x\r\n\r\n[VEXLO]\r\nDumy=9.\r\n", ""},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", row.before);
        DiskProfileFile file(dir / "VEXLO.INI");
        EXPECT_TRUE(file.write("VEXLO", "Dumy", row.dumy)) << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), row.after) << row.name;
        EXPECT_EQ(file.getString("VEXLO", "FontDef", ""), row.fontDef) << row.name;
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
        bool hopForeign = false;  // so does the second link
    } rows[] = {
        {"own link to own file", "dotfiles/vexlo.ini", false, false, true},
        {"own links, absolute, through a second link", "", false, false, true},
        {"dangling link", "missing/dir/vexlo.ini", false, false, false},
        {"link to a directory", "dotfiles", false, false, false},
        // Rows from here on need files of another user.
        {"another user's link", "dotfiles/vexlo.ini", true, false, false},
        {"own link to another user's file", "dotfiles/vexlo.ini", false, true, false},
        {"own links through a second link to another user's file", "", false, true, false},
        {"own link to another user's second link", "", false, false, false, true},
    };
    const passwd* user = otherUser();
    for (const auto& row : rows) {
        if ((row.linkForeign || row.fileForeign || row.hopForeign) && !user) {
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
        if (row.hopForeign) {
            ASSERT_EQ(::lchown((dir / "hop").c_str(), user->pw_uid, -1), 0);
        }
        // Each owner is checked where the link is followed, not only once the file is open.
        EXPECT_EQ(resolveWriteTarget(dir / "VEXLO.INI").has_value(), row.written) << row.name;
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

TEST(DiskProfileFileSafety, ReplacementKeepsTheAttributesAndTheAcl) {
    std::string tried;
    const std::optional<fs::path> base = folderKeepingAttributes(tried);
    ASSERT_TRUE(base) << "no filesystem here keeps user attributes and ACLs; tried" << tried;
    const std::string othersMayWrite =
        acl({{0x01, 6}, {0x02, 6, 65534}, {0x04, 4}, {0x10, 6}, {0x20, 4}});
    const std::string narrowMask =
        acl({{0x01, 6}, {0x02, 6, 65534}, {0x04, 6}, {0x10, 4}, {0x20, 0}});
    const struct {
        const char* name;
        std::map<std::string, std::string> attributes;  // set on the file
        std::string folderDefault;                      // the folder's default ACL, if any
    } rows[] = {
        {"user attributes",
         {{"user.origin", "dotfiles"},
          {"user.empty", ""},
          {"user.binary", std::string("\0\xFF", 2)}},
         ""},
        {"ACL: another user may write, the group may only read",
         {{"system.posix_acl_access", othersMayWrite}},
         ""},
        {"ACL with a mask narrower than the group",
         {{"system.posix_acl_access", narrowMask}, {"user.origin", "x"}},
         ""},
        {"no ACL, in a folder whose default would give one", {}, othersMayWrite},
    };
    for (const auto& row : rows) {
        TempDir dir(*base);
        const fs::path path = dir / "VEXLO.INI";
        writeBytes(path, "[VEXLO]\n");
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        for (const auto& [name, value] : row.attributes) {
            ASSERT_TRUE(setAttribute(path, name, value)) << row.name << ": " << name;
        }
        if (!row.folderDefault.empty()) {
            ASSERT_TRUE(setAttribute(dir.path(), "system.posix_acl_default", row.folderDefault));
        }
        const auto before = attributesOf(path);
        struct stat old {};
        ASSERT_EQ(::stat(path.c_str(), &old), 0);
        EXPECT_TRUE(DiskProfileFile(path).write("VEXLO", "A", "1")) << row.name;
        EXPECT_EQ(readBytes(path), "[VEXLO]\nA=1\n") << row.name;
        struct stat now {};
        ASSERT_EQ(::stat(path.c_str(), &now), 0);
        EXPECT_NE(now.st_ino, old.st_ino) << row.name;  // replaced, not written in place
        EXPECT_EQ(now.st_mode, old.st_mode) << row.name;
        EXPECT_EQ(attributesOf(path), before) << row.name;
        for (const auto& [name, value] : row.attributes) {
            EXPECT_EQ(attributesOf(path)[name], value) << row.name << ": " << name;
        }
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
    const int live =
        ::open((dir / ".VEXLO.INI.vexlo-tmp-Live0123").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "SizeW", "2"));
    EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\nSizeH=900\nSizeW=2\n");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"VEXLO.INI", ".VEXLO.INI.vexlo-tmp-Live0123"}));
    ::close(live);
}

TEST(DiskProfileFileSafety, OnlyTheProgramsOwnTemporariesAreRemoved) {
    const struct {
        const char* name;
        bool removed;
    } rows[] = {
        {".VEXLO.INI.vexlo-tmp-Ab3dEf7h", true},
        {".VEXLO.INI.vexlo-tmp-zZ09aA19", true},
        {".VEXLO.INI.backup", false},
        {".VEXLO.INI.Ab3dEf", false},  // six letters, as a user might name a copy
        {".VEXLO.INI.vexlo-tmp-", false},
        {".VEXLO.INI.vexlo-tmp-Ab3dEf7", false},    // one short
        {".VEXLO.INI.vexlo-tmp-Ab3dEf7hi", false},  // one over
        {".VEXLO.INI.vexlo-tmp-Ab3dEf7-", false},
        {".VEXLO.INI.vexlo-tmp-Ab3d.f7h", false},
        {".VEXLO.INI.vexlo-tmp-Ab3d f7h", false},
        {".VEXLO.INI.VEXLO-TMP-Ab3dEf7h", false},
        {".VEXLO.INI.vexlo-tmpXAb3dEf7h", false},
        {"VEXLO.INI.vexlo-tmp-Ab3dEf7h", false},
        {"_VEXLO.INI.vexlo-tmp-Ab3dEf7h", false},
        {".VEXLO_INI.vexlo-tmp-Ab3dEf7h", false},
        {".OTHER.INI.vexlo-tmp-Ab3dEf7h", false},  // another file's
        {"..VEXLO.INI.vexlo-tmp-Ab3dEf7", false},
    };
    TempDir dir;
    writeBytes(dir / "VEXLO.INI", "[VEXLO]\n");
    std::set<std::string> kept{"VEXLO.INI", ".VEXLO.INI.vexlo-tmp-Folder00"};
    fs::create_directory(dir / ".VEXLO.INI.vexlo-tmp-Folder00");  // not a file: kept
    for (const auto& row : rows) {
        writeBytes(dir / row.name, "mine");
        if (!row.removed) kept.insert(row.name);
    }
    EXPECT_TRUE(DiskProfileFile(dir / "VEXLO.INI").write("VEXLO", "A", "1"));
    EXPECT_EQ(dir.entries(), kept);
    for (const auto& row : rows) {
        if (!row.removed) {
            EXPECT_EQ(readBytes(dir / row.name), "mine") << row.name;
        }
    }
}

TEST(DiskProfileFileSafety, RootWritingInAnotherUsersHomeLeavesEverythingTheirs) {
    const passwd* user = otherUser();
    if (!user) GTEST_SKIP() << "only root writes in another user's folders";
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const fs::path home = dir / "home";
    fs::create_directory(home);
    giveTo(home, user);
    // A home in a shared group: what is made in it takes the user's own group, as theirs would.
    ASSERT_EQ(::chown(home.c_str(), user->pw_uid, 0), 0);
    const fs::path file = home / ".config" / "vexlo" / "VEXLO.INI";
    EXPECT_TRUE(DiskProfileFile(file).write("VEXLO", "SizeH", "1"));
    for (const fs::path& made : {home / ".config", home / ".config" / "vexlo", file}) {
        struct stat info {};
        ASSERT_EQ(::stat(made.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, user->pw_uid) << made;
        EXPECT_EQ(info.st_gid, user->pw_gid) << made;
    }
    // The user's own later writes work, in the file and beside it.
    const auto later = [&] {
        return DiskProfileFile(file).write("VEXLO", "SizeW", "2") &&
               DiskProfileFile(home / ".config" / "vexlo" / "OTHER.INI").write("VEXLO", "A", "1");
    };
    EXPECT_EQ(inChild(later, user), 0);
    EXPECT_EQ(readBytes(file), "[VEXLO]\nSizeH=1\nSizeW=2\n");

    // In root's own folders what root makes stays root's.
    const fs::path own = dir / "root" / "vexlo" / "VEXLO.INI";
    EXPECT_TRUE(DiskProfileFile(own).write("VEXLO", "SizeH", "1"));
    for (const fs::path& made : {dir / "root", own}) {
        struct stat info {};
        ASSERT_EQ(::stat(made.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 0u) << made;
    }
}

}  // namespace
