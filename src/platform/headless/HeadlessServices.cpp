#include "platform/headless/HeadlessServices.h"

#include <algorithm>

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

long long AnsweringColourDialog::choose(Colour initial) {
    shownWith.push_back(initial);
    if (answers.empty()) return initial;
    const std::size_t next = std::min(shownWith.size(), answers.size()) - 1;
    return answers[next].value_or(initial);
}

}  // namespace vexlo::platform
