#include "platform/IniDocument.h"

#include <utility>

#include "platform/AsciiCase.h"

namespace vexlo::platform {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool isQuoted(std::string_view s) {
    return s.size() >= 2 && s.front() == s.back() && (s.front() == '"' || s.front() == '\'');
}

// Where the line starting at `pos` ends: at its "\n", "\r\n" or lone "\r" (old Mac files), or at
// the end of the text.
std::size_t findLineEnd(std::string_view text, std::size_t pos) {
    const char* const begin = text.data() + pos;
    const char* const end = text.data() + text.size();
    for (const char* at = begin; at != end; ++at) {
        if (*at == '\n' || *at == '\r') return static_cast<std::size_t>(at - text.data());
    }
    return text.size();
}

// The size of the line end at `end` (a position findLineEnd returned).
std::size_t lineEndSize(std::string_view text, std::size_t end) {
    if (end >= text.size()) return 0;
    return (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
}

// One line of the text: [begin, contentEnd) is what the line says, [contentEnd, next) its line
// end ("\r\n", "\n", "\r" or nothing at the end of the text).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name, trimmed; points into the text
    std::string_view value;  // key value, trimmed, quotes still on
};

class LineScanner {
  public:
    explicit LineScanner(std::string_view text) : text_(text) {
        if (text_.substr(0, Utf8Bom.size()) == Utf8Bom) pos_ = Utf8Bom.size();
    }

    bool next(Line& line) {
        if (pos_ >= text_.size()) return false;
        line.begin = pos_;
        const std::size_t end = findLineEnd(text_, pos_);
        line.contentEnd = end;
        line.next = end + lineEndSize(text_, end);
        pos_ = line.next;
        return true;
    }

    std::string_view content(const Line& line) const {
        return text_.substr(line.begin, line.contentEnd - line.begin);
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

ParsedLine parseLine(std::string_view content) {
    ParsedLine parsed;
    const std::string_view line = trim(content);
    if (line.empty() || line.front() == ';') return parsed;
    if (line.front() == '[') {
        const std::size_t close = line.find(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = trim(line.substr(1, close - 1));
        }
        return parsed;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = trim(line.substr(0, equals));
    parsed.value = trim(line.substr(equals + 1));
    return parsed;
}

bool isWritableSection(std::string_view section) {
    return section == trim(section) && section.find(']') == std::string_view::npos &&
           !hasLineBreak(section);
}

bool isWritableKey(std::string_view key) {
    return !key.empty() && key == trim(key) && key.find('=') == std::string_view::npos &&
           !hasLineBreak(key) && key.front() != ';' && key.front() != '[';
}

std::string encodeValue(std::string_view value) {
    std::string text(value);
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    if (!text.empty() && (isBlank(text.front()) || isBlank(text.back()) || isQuoted(text))) {
        return '"' + text + '"';
    }
    return text;
}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {}

std::string_view IniDocument::lineEnd() const {
    const std::size_t end = findLineEnd(text_, 0);
    if (end >= text_.size()) return "\n";
    return std::string_view(text_).substr(end, lineEndSize(text_, end));
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    section = trim(section);
    key = trim(key);
    LineScanner scanner(text_);
    Line line;
    bool inSection = false;
    while (scanner.next(line)) {
        const ParsedLine parsed = parseLine(scanner.content(line));
        if (parsed.kind == LineKind::Section) {
            inSection = sameNameIgnoringCase(parsed.name, section);
        } else if (parsed.kind == LineKind::Key && inSection &&
                   sameNameIgnoringCase(parsed.name, key)) {
            std::string_view found = parsed.value;
            if (isQuoted(found)) found = found.substr(1, found.size() - 2);
            return std::string(found);
        }
    }
    return std::nullopt;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (!isWritableSection(section) || !isWritableKey(key)) return false;
    const std::string encoded = encodeValue(value);
    const std::string_view eol = lineEnd();

    LineScanner scanner(text_);
    Line line;
    bool inSection = false;
    bool firstSectionSeen = false;
    bool inFirstSection = false;
    std::size_t insertAt = 0;         // after the last non-blank line of the first section
    bool insertAfterUnended = false;  // that line is the last one and has no line end
    bool sawContent = false;
    bool lastLineBlank = true;
    while (scanner.next(line)) {
        const std::string_view content = scanner.content(line);
        const ParsedLine parsed = parseLine(content);
        const bool blank = trim(content).empty();
        sawContent = sawContent || !blank;
        lastLineBlank = blank;
        if (parsed.kind == LineKind::Section) {
            inSection = sameNameIgnoringCase(parsed.name, section);
            inFirstSection = inSection && !firstSectionSeen;
            firstSectionSeen = firstSectionSeen || inSection;
        } else if (parsed.kind == LineKind::Key && inSection &&
                   sameNameIgnoringCase(parsed.name, key)) {
            const std::size_t keyStart =
                static_cast<std::size_t>(parsed.name.data() - text_.data());
            std::string replacement(parsed.name);
            replacement += '=';
            replacement += encoded;
            text_.replace(keyStart, line.contentEnd - keyStart, replacement);
            return true;
        }
        if (inFirstSection && !blank) {
            insertAt = line.next;
            insertAfterUnended = line.next == line.contentEnd;
        }
    }

    const std::string keyLine = std::string(key) + '=' + encoded;
    if (firstSectionSeen) {
        if (insertAfterUnended) {
            text_.insert(insertAt, std::string(eol) + keyLine);
        } else {
            text_.insert(insertAt, keyLine + std::string(eol));
        }
        return true;
    }

    std::string added;
    const bool ended = !text_.empty() && (text_.back() == '\n' || text_.back() == '\r');
    if (!text_.empty() && !ended && text_ != Utf8Bom) added += eol;
    if (sawContent && !lastLineBlank) added += eol;
    added += '[';
    added += section;
    added += ']';
    added += eol;
    added += keyLine;
    added += eol;
    text_ += added;
    return true;
}

}  // namespace vexlo::platform
