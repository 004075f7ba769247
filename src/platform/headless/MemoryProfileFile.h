#pragma once
// A profile file held in memory: what the tests and `vexlo-keys` use when no file is given.

#include <string>
#include <utility>

#include "platform/IniDocument.h"
#include "platform/ProfileFile.h"

namespace vexlo::platform {

class MemoryProfileFile : public ProfileFile {
  public:
    MemoryProfileFile() = default;
    explicit MemoryProfileFile(std::string text) : document_(std::move(text)) {}

    std::optional<std::string> read(std::string_view section, std::string_view key) const override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override;

    const std::string& text() const { return document_.text(); }
    int writeCount() const { return writeCount_; }

    bool refuseWrites = false;  // simulates a file that cannot be written

  private:
    IniDocument document_;
    int writeCount_ = 0;
};

}  // namespace vexlo::platform
