#include "shell/settings/QueuedProfileFile.h"

#include <algorithm>

namespace vexlo::shell {

QueuedProfileFile::QueuedProfileFile(const DiskProfileFile& file, Timing timing)
    : file_(file), timing_(timing) {}

QueuedProfileFile::~QueuedProfileFile() {
    std::unique_lock lock(mutex_);
    stopRetrying(lock);
}

namespace {

template <typename Entries>
auto findIn(Entries& entries, std::string_view section, std::string_view key) {
    return std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
        return entry.section == section && entry.key == key;
    });
}

}  // namespace

void QueuedProfileFile::addPending(std::string_view section, std::string_view key,
                                   std::string_view value) {
    const auto found = findIn(pending_, section, key);
    if (found != pending_.end()) {
        found->value = value;
    } else {
        pending_.push_back({std::string(section), std::string(key), std::string(value)});
    }
    changed_.notify_all();
}

std::optional<std::string> QueuedProfileFile::read(std::string_view section,
                                                   std::string_view key) const {
    {
        const std::lock_guard lock(mutex_);
        const auto found = findIn(pending_, section, key);
        if (found != pending_.end()) return found->value;
    }
    return file_.read(section, key);
}

bool QueuedProfileFile::write(std::string_view section, std::string_view key,
                              std::string_view value) {
    std::unique_lock lock(mutex_);
    // Behind a pending write of any key, so that the file takes the keys in the order written.
    if (!pending_.empty() && !finished_) {
        addPending(section, key, value);
        return true;
    }
    lock.unlock();
    const WriteOutcome outcome = file_.writeKey(section, key, value, timing_.firstTry);
    switch (outcome) {
        case WriteOutcome::Written:
        case WriteOutcome::Unchanged:
            return true;
        case WriteOutcome::ReadOnly:
            return false;
        case WriteOutcome::Busy:
            lock.lock();
            if (!finished_) {
                addPending(section, key, value);
                if (!retrier_.joinable()) retrier_ = std::thread([this] { retryLoop(); });
                return true;
            }
            break;
        case WriteOutcome::Failed:
            lock.lock();
            break;
    }
    const auto handler = recordLoss(std::string(key), outcome);
    lock.unlock();
    if (handler) handler();
    return false;
}

void QueuedProfileFile::retryLoop() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (pending_.empty()) {
            changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            continue;
        }
        const Pending first = pending_.front();
        lock.unlock();
        const WriteOutcome outcome =
            file_.writeKey(first.section, first.key, first.value, timing_.retryWait);
        lock.lock();
        if (outcome == WriteOutcome::Busy) {
            changed_.wait_for(lock, timing_.retryPause, [this] { return stopping_; });
            continue;
        }
        const auto found = findIn(pending_, first.section, first.key);
        // A newer value written meanwhile stays pending; its own attempt decides.
        if (found == pending_.end() || found->value != first.value) continue;
        pending_.erase(found);
        changed_.notify_all();
        if (outcome == WriteOutcome::Failed) {
            if (const auto handler = recordLoss(first.key, outcome)) {
                lock.unlock();
                handler();
                lock.lock();
            }
        }
    }
}

void QueuedProfileFile::stopRetrying(std::unique_lock<std::mutex>& lock) {
    stopping_ = true;
    changed_.notify_all();
    if (!retrier_.joinable()) return;
    lock.unlock();
    retrier_.join();
    lock.lock();
}

std::function<void()> QueuedProfileFile::recordLoss(std::string key, WriteOutcome why) {
    lost_.push_back({std::move(key), why});
    if (lossReported_) return {};
    lossReported_ = true;
    return lossHandler_;
}

void QueuedProfileFile::onFirstLoss(std::function<void()> handler) {
    const std::lock_guard lock(mutex_);
    lossHandler_ = std::move(handler);
}

void QueuedProfileFile::finish(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return pending_.empty(); });
    finished_ = true;
    stopRetrying(lock);
    std::function<void()> handler;
    for (const Pending& entry : pending_) {
        if (auto first = recordLoss(entry.key, WriteOutcome::Busy)) handler = std::move(first);
    }
    pending_.clear();
    lock.unlock();
    if (handler) handler();
}

std::vector<LostSetting> QueuedProfileFile::lost() const {
    const std::lock_guard lock(mutex_);
    return lost_;
}

std::size_t QueuedProfileFile::pendingCount() const {
    const std::lock_guard lock(mutex_);
    return pending_.size();
}

}  // namespace vexlo::shell
