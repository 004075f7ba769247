#include "tape/Tape.h"

#include <utility>

#include "tape/TapeText.h"

namespace vexlo::tape {

std::string Line::valueForDisplay() const {
    if (kind == Kind::Warning) return {};
    return value.empty() ? plainValue(number) : value;
}

void Tape::notify(Change::Kind kind) {
    for (const Observer& observer : observers_) observer({kind});
}

void Tape::append(Line line) {
    if (capacity_ == 0) return;
    if (lines_.size() == capacity_) {
        lines_.pop_front();
        notify(Change::Kind::FirstDropped);
    }
    lines_.push_back(std::move(line));
    notify(Change::Kind::Appended);
}

void Tape::replaceLast(Line line) {
    if (lines_.empty()) return append(std::move(line));
    lines_.back() = std::move(line);
    notify(Change::Kind::LastReplaced);
}

void Tape::clear() {
    lines_.clear();
    notify(Change::Kind::Reset);
}

void Tape::assign(std::vector<Line> lines) {
    lines_.clear();
    const std::size_t skip = lines.size() > capacity_ ? lines.size() - capacity_ : 0;
    for (std::size_t i = skip; i < lines.size(); ++i) lines_.push_back(std::move(lines[i]));
    notify(Change::Kind::Reset);
}

}  // namespace vexlo::tape
