#include "tape/TapeText.h"

#include <algorithm>

namespace vexlo::tape {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view RuleText = "----------";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters, not bytes: the numbers are ASCII, the functions may be Japanese.
std::size_t characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string csvField(std::string_view text) {
    std::string field = "\"";
    for (char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + "\"";
}

}  // namespace

std::string groupedNumber(std::string_view display) {
    // One pass over the text, as it is printed on every step: the sign, the whole part's digits
    // (the display's own commas skipped), the fraction.
    std::string_view rest = display;
    const bool negative = rest.starts_with('-');
    if (negative) rest.remove_prefix(1);
    const std::size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : rest.substr(point + 1);
    std::size_t digits = 0;
    for (char c : whole) {
        if (isDigit(c)) {
            ++digits;
        } else if (c != ',') {
            return std::string(display);
        }
    }
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit) ||
        (digits == 0 && fraction.empty()))
        return std::string(display);

    std::string text;
    text.reserve(display.size() + digits / 3 + 2);
    if (negative) text += '-';
    if (digits == 0) text += '0';
    std::size_t left = digits;
    for (char c : whole) {
        if (!isDigit(c)) continue;
        text += c;
        if (--left > 0 && left % 3 == 0) text += ',';
    }
    if (!fraction.empty()) text.append(".").append(fraction);
    return text;
}

std::string plainValue(std::string_view printed) {
    std::string value;
    for (char c : printed) {
        if (c == ',') continue;
        if (isDigit(c) || c == '.' || (c == '-' && value.empty())) {
            value += c;
        } else if (!value.empty()) {
            break;  // "2019年": the number ends at the first other character
        }
    }
    if (std::none_of(value.begin(), value.end(), isDigit)) return {};
    return value;
}

std::string tabText(const std::deque<Line>& lines, std::size_t first, std::size_t count) {
    std::string text;
    const std::size_t end = std::min(lines.size(), first + count);
    for (std::size_t i = first; i < end; ++i) {
        text.append(lines[i].number).append("\t").append(lines[i].function).append("\n");
    }
    return text;
}

std::string fileText(const std::deque<Line>& lines, FileFormat format) {
    std::string text(ByteOrderMark);
    if (format == FileFormat::Csv) {
        for (const Line& line : lines) {
            text.append(csvField(line.number)).append(",").append(csvField(line.function));
            text.append("\r\n");
        }
        return text;
    }
    std::size_t width = 0;
    for (const Line& line : lines) width = std::max(width, characters(line.number));
    const std::string rule(std::max(width + 8, RuleText.size()), '-');
    for (const Line& line : lines) {
        text.append(width - characters(line.number), ' ').append(line.number);
        if (!line.function.empty()) text.append(" ").append(line.function);
        text.append("\r\n");
        if (line.ruleBelow) text.append(rule).append("\r\n");
    }
    return text;
}

}  // namespace vexlo::tape
