#pragma once
// The settings file as the window writes it: a write never keeps the window waiting for another
// writer. A write that cannot have the file's lock at once stays pending (the newest value of
// each key wins, and reads see it) and is retried on a thread of its own until it is made. At
// the close the program waits a bounded time for what is pending; a write given up, then or for
// a fault of the file, is a lost setting, and the program is told once.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/ProfileFile.h"
#include "shell/settings/DiskProfileFile.h"

namespace vexlo::shell {

// How long the program's end waits for writes that another program's lock holds up.
inline constexpr std::chrono::milliseconds SettingsCloseWait{2000};

struct LostSetting {
    std::string key;
    WriteOutcome why = WriteOutcome::Failed;  // Busy: the lock was never free in time
};

class QueuedProfileFile : public platform::ProfileFile {
  public:
    struct Timing {
        std::chrono::milliseconds firstTry{0};     // the window's own attempt: no wait at all
        std::chrono::milliseconds retryWait{100};  // each later attempt, off the window's thread
        std::chrono::milliseconds retryPause{20};  // between attempts
    };

    explicit QueuedProfileFile(const DiskProfileFile& file) : QueuedProfileFile(file, Timing{}) {}
    QueuedProfileFile(const DiskProfileFile& file, Timing timing);
    ~QueuedProfileFile() override;
    QueuedProfileFile(const QueuedProfileFile&) = delete;
    QueuedProfileFile& operator=(const QueuedProfileFile&) = delete;

    std::optional<std::string> read(std::string_view section, std::string_view key) const override;

    // True when the value is in the file or pending; false when it is lost or the file is one
    // its owner made read-only (which is kept as it is, and is no loss).
    bool write(std::string_view section, std::string_view key, std::string_view value) override;

    // Runs once, on the thread that finds the first lost setting (the retrying thread included).
    void onFirstLoss(std::function<void()> handler);

    // Waits up to `limit` for every pending write, then gives up what is still pending. The
    // queue takes no more writes to retry afterwards: each is tried once, at once.
    void finish(std::chrono::milliseconds limit);

    std::vector<LostSetting> lost() const;
    std::size_t pendingCount() const;
    const std::filesystem::path& path() const { return file_.path(); }

  private:
    struct Pending {
        std::string section;
        std::string key;
        std::string value;
    };

    // Called with mutex_ held.
    void addPending(std::string_view section, std::string_view key, std::string_view value);
    void retryLoop();
    void stopRetrying(std::unique_lock<std::mutex>& lock);
    // Called with mutex_ held; returns the handler to run once it is released.
    std::function<void()> recordLoss(std::string key, WriteOutcome why);

    const DiskProfileFile& file_;
    Timing timing_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Pending> pending_;  // in the order first written; kept until its write is made
    std::vector<LostSetting> lost_;
    std::function<void()> lossHandler_;
    bool lossReported_ = false;
    bool finished_ = false;
    bool stopping_ = false;
    std::thread retrier_;
};

}  // namespace vexlo::shell
