#pragma once
// A key script read as a stream: bytes come from a source piece by piece and events leave one
// at a time, so a script of any length is parsed in constant memory (only the event being read
// is held). The grammar and the errors are those of Script.h; parseScript is built on this.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "keyscript/Script.h"

namespace vexlo::keyscript {

class ScriptReader {
  public:
    // Fills the buffer with up to `size` bytes of the script and returns how many; 0 at its end.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;

    // `expectedSize` sizes the buffer for a short script (at most one chunk is ever held).
    explicit ScriptReader(Source source, std::size_t expectedSize = SIZE_MAX);

    // The next event into `event`; false at the end of the script or at its first error. As
    // with a script parsed whole, invalid UTF-8 anywhere is the error reported, so before any
    // other error is reported the rest of the source is read and checked.
    bool next(Event& event);
    const std::optional<ScriptError>& error() const { return error_; }

  private:
    bool peek(std::size_t offset, char32_t& character);
    void take(Event& event);
    bool decodeOne();
    bool fail(std::size_t position, std::string message);

    Source source_;
    std::vector<char> bytes_;
    std::size_t begin_ = 0;  // the undecoded bytes are [begin_, end_)
    std::size_t end_ = 0;
    bool ended_ = false;
    std::size_t bytesDecoded_ = 0;
    std::size_t charactersDecoded_ = 0;
    std::array<char32_t, 8> ahead_{};  // decoded, not yet taken
    std::size_t aheadFirst_ = 0;
    std::size_t aheadCount_ = 0;
    std::size_t taken_ = 0;  // characters taken into events so far
    std::optional<ScriptError> error_;
};

// A source reading from `text`, which must outlive it.
ScriptReader::Source textSource(std::string_view text);

}  // namespace vexlo::keyscript
