// Any bytes, as a display text and as the bits of a double, go through every number-text
// function; the functions must not crash, must keep their promises about lengths, and a value
// formatted and read again must come back as its 15-significant-digit value.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// The reader agrees with strtod, which rounds correctly, on every text the formatter writes.
double strtodWithoutCommas(const std::string& text) {
    std::string bare;
    for (char c : text) {
        if (c != ',') bare += c;
    }
    return std::strtod(bare.c_str(), nullptr);
}

// Half a unit of the 15th significant digit of `value`, plus half of the last decimal a pattern
// writes (it rounds the 15-digit value again), plus the rounding of the text read back.
double allowedError(double value, int decimals) {
    const double magnitude = std::fabs(value);
    double error =
        magnitude == 0 ? 0 : 0.5 * std::pow(10.0, std::floor(std::log10(magnitude)) - 14);
    if (decimals >= 0) error += 0.5 * std::pow(10.0, -decimals);
    const double ulp = std::nextafter(magnitude, INFINITY) - magnitude;
    return error * (1 + 1e-9) + 2 * ulp + 2 * DBL_TRUE_MIN;
}

void checkReadBack(double value, const std::string& text, int decimals) {
    if (text.empty() || text == "-") return;  // "#" writes no digit for zero
    const auto back = readNumber(text);
    check(back.has_value());
    const double exact = strtodWithoutCommas(text);
    // The largest double's 15-digit text lies beyond it and reads as it.
    check(*back == exact || (std::isinf(exact) && std::fabs(*back) == DBL_MAX));
    check(std::fabs(*back - value) <= allowedError(value, decimals));
}

void formatValue(double value) {
    const bool finite = std::isfinite(value);
    for (const Pattern* pattern : All) {
        const std::string text = format(value, *pattern);
        check(entryRule(value, *pattern, 20) == rightmost(text, 20));
        if (finite) checkReadBack(value, text, pattern->maxDecimals);
    }
    const std::string plain = plainText(value);
    if (finite) {
        checkReadBack(value, plain, -1);
        // At most 15 significant digits: the text is its own 15-digit form.
        const double back = *readNumber(plain);
        char digits[64];
        std::snprintf(digits, sizeof digits, "%.14e", back);
        check(std::strtod(digits, nullptr) == back || std::fabs(back) == DBL_MAX);
    }
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
