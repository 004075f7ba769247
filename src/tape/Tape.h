#pragma once
// The calculation tape: the lines a printing calculator would print, oldest first, at most a
// fixed number of them (the oldest go first). Observers hear of every change, so a view can
// follow it a line at a time.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vexlo::tape {

struct Line {
    enum class Kind {
        Operand,  // a number with the operator pressed after it
        Result,   // a result or a function's value
        Warning,  // a message the calculator showed
    };
    Kind kind = Kind::Result;
    std::string number;      // as printed: "1,234", "平31", or empty
    std::string function;    // the operator or function column: "×", "=", "税込10%", a message
    std::string value;       // what a double click puts into the display, where it is not the
                             // number's own value (an era year's Western year)
    bool ruleBelow = false;  // a rule under the line: a block ends here (after "=" or C)
    bool operator==(const Line&) const = default;

    // The number a double click puts into the display; "" for a line with none.
    std::string valueForDisplay() const;
};

class Tape {
  public:
    static constexpr std::size_t DefaultCapacity = 10'000;
    explicit Tape(std::size_t capacity = DefaultCapacity) : capacity_(capacity) {}

    const std::deque<Line>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::size_t capacity() const { return capacity_; }

    void append(Line line);
    void replaceLast(Line line);  // the last line changes in place (an operator pressed again)
    void clear();
    void assign(std::vector<Line> lines);  // a kept tape at start-up; the newest are kept

    struct Change {
        enum class Kind { Appended, LastReplaced, FirstDropped, Reset };
        Kind kind;
    };
    using Observer = std::function<void(const Change&)>;
    void subscribe(Observer observer) { observers_.push_back(std::move(observer)); }

  private:
    void notify(Change::Kind kind);
    std::size_t capacity_;
    std::deque<Line> lines_;
    std::vector<Observer> observers_;
};

}  // namespace vexlo::tape
