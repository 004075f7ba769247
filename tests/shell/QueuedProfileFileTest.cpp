// Writes that never wait for another program's lock: pending until it is free, lost (and told
// once) when it never is or the file cannot be written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "SettingsTestSupport.h"
#include "shell/settings/QueuedProfileFile.h"

using namespace vexlo::shell;
using vexlo::shell::testing::readBytes;
using vexlo::shell::testing::TempDir;
using vexlo::shell::testing::writeBytes;
using namespace std::chrono_literals;

namespace {

// Another program's hold on the settings file's lock.
class HeldLock {
  public:
    explicit HeldLock(const TempDir& dir)
        : fd_(::open((dir / ".VEXLO.INI.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) std::abort();
    }
    ~HeldLock() { release(); }
    void release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

struct Write {
    std::string key;
    std::string value;
};

TEST(QueuedProfileFile, WritesHeldUpByTheLockArriveOnceItIsFree) {
    const struct {
        const char* name;
        std::string before;
        std::vector<Write> whileHeld;
        std::size_t pending;  // while the lock is held
        std::string after;
        mode_t mode = 0644;
    } rows[] = {
        {"each key in the order first written",
         "[VEXLO]\n",
         {{"FormTop", "15"}, {"FormLeft", "30"}, {"Dumy", "1."}},
         3,
         "[VEXLO]\nFormTop=15\nFormLeft=30\nDumy=1.\n"},
        {"the newest value of a key wins",
         "[VEXLO]\n",
         {{"SizeH", "855"}, {"JpFont", "1"}, {"SizeH", "1800"}},
         2,
         "[VEXLO]\nSizeH=1800\nJpFont=1\n"},
        {"a value already in the file needs no lock",
         "[VEXLO]\nJpFont=1\n",
         {{"JpFont", "1"}},
         0,
         "[VEXLO]\nJpFont=1\n"},
        {"behind a pending key, a value already there waits its turn",
         "[VEXLO]\nJpFont=1\n",
         {{"SizeW", "7000"}, {"JpFont", "1"}},
         2,
         "[VEXLO]\nJpFont=1\nSizeW=7000\n"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", row.before);
        ::chmod((dir / "VEXLO.INI").c_str(), row.mode);
        const DiskProfileFile disk(dir / "VEXLO.INI");
        QueuedProfileFile queue(disk);
        int told = 0;
        queue.onFirstLoss([&told] { ++told; });
        HeldLock lock(dir);
        for (const Write& write : row.whileHeld) {
            EXPECT_TRUE(queue.write("VEXLO", write.key, write.value)) << row.name;
            // What the program reads back is what it wrote, pending or not.
            EXPECT_EQ(queue.read("VEXLO", write.key), write.value) << row.name;
        }
        EXPECT_EQ(queue.pendingCount(), row.pending) << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), row.before) << row.name;
        lock.release();
        queue.finish(60s);
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), row.after) << row.name;
        EXPECT_TRUE(queue.lost().empty()) << row.name;
        EXPECT_EQ(told, 0) << row.name;
        auto entries = dir.entries();
        entries.erase(".VEXLO.INI.lock");  // the other program's, when no write needed the lock
        EXPECT_EQ(entries, (std::set<std::string>{"VEXLO.INI"})) << row.name;
    }
}

TEST(QueuedProfileFile, AWriteGivenUpIsToldOnce) {
    const struct {
        const char* name;
        bool lockHeld;
        bool fileInPlaceOfFolder;  // the settings folder is a file: nothing can be written
        std::vector<Write> writes;
        std::vector<std::string> lostKeys;
        WriteOutcome why;
        bool written;  // what the first write returned
    } rows[] = {
        {"held throughout the close wait",
         true,
         false,
         {{"FormTop", "0"}, {"FormLeft", "0"}, {"FormTop", "15"}},
         {"FormTop", "FormLeft"},
         WriteOutcome::Busy,
         true},
        {"a file that cannot be written",
         false,
         true,
         {{"JpFont", "1"}, {"AtsNoA", "1"}},
         {"JpFont", "AtsNoA"},
         WriteOutcome::Failed,
         false},
        {"nothing lost without a write", true, false, {}, {}, WriteOutcome::Busy, true},
    };
    for (const auto& row : rows) {
        TempDir dir;
        writeBytes(dir / "VEXLO.INI", "[VEXLO]\n");
        writeBytes(dir / "file", "");
        const DiskProfileFile disk(row.fileInPlaceOfFolder ? dir / "file" / "VEXLO.INI"
                                                           : dir / "VEXLO.INI");
        QueuedProfileFile queue(disk);
        int told = 0;
        queue.onFirstLoss([&told] { ++told; });
        std::optional<HeldLock> lock;
        if (row.lockHeld) lock.emplace(dir);
        for (std::size_t i = 0; i < row.writes.size(); ++i) {
            const bool written = queue.write("VEXLO", row.writes[i].key, row.writes[i].value);
            if (i == 0) {
                EXPECT_EQ(written, row.written) << row.name;
            }
        }
        queue.finish(50ms);
        std::vector<std::string> lostKeys;
        for (const LostSetting& lost : queue.lost()) {
            lostKeys.push_back(lost.key);
            EXPECT_EQ(lost.why, row.why) << row.name;
        }
        EXPECT_EQ(lostKeys, row.lostKeys) << row.name;
        EXPECT_EQ(told, row.lostKeys.empty() ? 0 : 1) << row.name;
        EXPECT_EQ(readBytes(dir / "VEXLO.INI"), "[VEXLO]\n") << row.name;
        EXPECT_EQ(queue.pendingCount(), 0u) << row.name;
    }
}

}  // namespace
