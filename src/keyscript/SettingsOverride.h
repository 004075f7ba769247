#pragma once
// A settings file seen through the run's options: the language and the warning switch given on
// the command line are what start-up reads, while the file keeps its own values. Every write
// goes through to the file.

#include <optional>
#include <string>

#include "platform/ProfileFile.h"

namespace vexlo::keyscript {

class SettingsOverride : public platform::ProfileFile {
  public:
    SettingsOverride(platform::ProfileFile& file, std::optional<int> language,
                     std::optional<int> warningMode)
        : file_(file), language_(language), warningMode_(warningMode) {}

    std::optional<std::string> read(std::string_view section, std::string_view key) const override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override {
        return file_.write(section, key, value);
    }

  private:
    platform::ProfileFile& file_;
    std::optional<int> language_;
    std::optional<int> warningMode_;
};

}  // namespace vexlo::keyscript
