#pragma once
// Scripts of any length, from a file or standard input, read twice and never held whole. The
// first pass reads and binds every event and runs nothing (the settings file is not even read),
// so a malformed script still has no effect at all; the second loads the calculator and runs
// each event as it is read. Input that cannot be read twice (standard input, a pipe) is copied
// during the first pass into an unlinked temporary file, which the second pass reads.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "keyscript/ScriptReader.h"
#include "keyscript/Session.h"
#include "platform/UniqueFd.h"

namespace vexlo::keyscript {

// The input cannot be opened or read (thrown, with a message for the user).
struct ScriptFileError {
    std::string message;
};

class ScriptFile {
  public:
    // FILE, or "-" for standard input.
    explicit ScriptFile(const std::string& path);
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;

    // How messages name the input: the file name, or "standard input".
    const std::string& name() const { return name_; }

    // First pass: the error a script parsed whole would report, or nullopt.
    std::optional<ScriptError> check(Session& session);

    // Second pass: the load step, then every event until the window closes. With `onTrace`,
    // each trace step goes there as it happens instead of staying in the session.
    void run(Session& session, const std::function<void(const TraceStep&)>& onTrace = {});

    // The 1-based line and column of the character at `position`, for messages.
    std::pair<std::size_t, std::size_t> lineAndColumn(std::size_t position);

  private:
    ScriptReader::Source firstPass();
    ScriptReader::Source secondPass();
    std::size_t readSome(int fd, char* buffer, std::size_t size);

    std::string name_;
    platform::UniqueFd opened_;  // the file named; standard input is not ours to close
    int fd_ = -1;                // what is read: the file named or standard input
    long long start_ = -1;       // where a seekable input starts; -1 when it must be spooled
    std::string checkedState_;   // size, times and inode of a seekable input when checked
    platform::UniqueFd spool_;
};

}  // namespace vexlo::keyscript
