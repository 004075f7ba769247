#include "platform/headless/MemoryProfileFile.h"

namespace vexlo::platform {

std::optional<std::string> MemoryProfileFile::read(std::string_view section,
                                                   std::string_view key) const {
    return document_.value(section, key);
}

bool MemoryProfileFile::write(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (refuseWrites) return false;
    if (!document_.setValue(section, key, value)) return false;
    ++writeCount_;
    return true;
}

}  // namespace vexlo::platform
