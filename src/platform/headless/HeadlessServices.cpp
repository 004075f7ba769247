#include "platform/headless/HeadlessServices.h"

namespace vexlo::platform {

bool MemoryClipboard::clear() {
    if (refuse) return false;
    contents.reset();
    return true;
}

bool MemoryClipboard::setText(std::string_view text) {
    if (refuse) return false;
    contents = std::string(text);
    return true;
}

std::optional<std::string> MemoryClipboard::text() {
    if (refuse) return std::nullopt;
    return contents;
}

}  // namespace vexlo::platform
