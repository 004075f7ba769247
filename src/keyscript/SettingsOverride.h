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
    SettingsOverride(platform::ProfileFile& file, std::optional<int> JpFont,
                     std::optional<int> AtsNoA)
        : file_(file), JpFont_(JpFont), AtsNoA_(AtsNoA) {}

    std::optional<std::string> read(std::string_view section, std::string_view key) const override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override {
        return file_.write(section, key, value);
    }

  private:
    platform::ProfileFile& file_;
    std::optional<int> JpFont_;
    std::optional<int> AtsNoA_;
};

}  // namespace vexlo::keyscript
