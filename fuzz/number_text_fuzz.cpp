// Any bytes, as a display text and as the bits of a double, go through every number-text
// function; the functions must not crash and must keep their promises about lengths.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/NumberText.h"

using namespace vexlo::engine;

namespace {

constexpr const Pattern* All[] = {&patterns::Entry,  &patterns::Final,    &patterns::Candidate,
                                  &patterns::Scaled, &patterns::TaxAdded, &patterns::TaxRemoved,
                                  &patterns::Year5,  &patterns::Year6};

void check(bool condition) {
    if (!condition) __builtin_trap();
}

void formatValue(double value) {
    for (const Pattern* pattern : All) {
        const std::string text = format(value, *pattern);
        check(entryRule(value, *pattern, 20) == rightmost(text, 20));
        if (std::isfinite(value) && !text.empty() && text != "-")
            check(readNumber(text).has_value());
    }
    const std::string plain = plainText(value);
    if (std::isfinite(value)) check(readNumber(plain).has_value());
    plainTextSingle(static_cast<float>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t length = textLength(text);
    const std::size_t width = size > 0 ? data[0] % 32 : 0;
    const std::string kept = rightmost(text, width);
    check(textLength(kept) == std::min(width, length));
    check(text.size() >= kept.size() && text.substr(text.size() - kept.size()) == kept);

    leadingNumber(text);
    if (const auto value = readNumber(text)) formatValue(*value);
    for (const Pattern* pattern : All) {
        formatText(text, *pattern);
        entryRule(text, *pattern, width);
    }

    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        formatValue(value);
        float single;
        std::memcpy(&single, data, sizeof single);
        plainTextSingle(single);
    }
    return 0;
}
