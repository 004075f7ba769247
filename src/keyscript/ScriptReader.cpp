#include "keyscript/ScriptReader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "keyscript/Utf8.h"
#include "platform/Utf8.h"

namespace vexlo::keyscript {

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;
constexpr std::size_t LongestSequence = 4;
constexpr std::u32string_view ClipPrefix = U"clip:";

}  // namespace

ScriptReader::Source textSource(std::string_view text) {
    return [text](char* buffer, std::size_t size) mutable {
        const std::size_t n = std::min(size, text.size());
        std::memcpy(buffer, text.data(), n);
        text.remove_prefix(n);
        return n;
    };
}

ScriptReader::ScriptReader(Source source, std::size_t expectedSize)
    : source_(std::move(source)), bytes_(std::clamp(expectedSize, LongestSequence, ChunkSize)) {}

// Decodes one more character into the look-ahead; false at the end or at invalid UTF-8 (which
// sets the error).
bool ScriptReader::decodeOne() {
    if (error_) return false;
    if (end_ - begin_ < LongestSequence && !ended_) {
        std::memmove(bytes_.data(), bytes_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        while (end_ < LongestSequence && !ended_) {
            const std::size_t n = source_(bytes_.data() + end_, bytes_.size() - end_);
            if (n == 0) ended_ = true;
            end_ += n;
        }
    }
    if (begin_ == end_) return false;
    const std::string_view rest(bytes_.data() + begin_, end_ - begin_);
    const std::size_t length = platform::utf8::sequenceLength(rest, 0);
    if (length == 0) {
        error_ = ScriptError{charactersDecoded_ + 1,
                             "invalid UTF-8 (byte " + std::to_string(bytesDecoded_ + 1) + ")"};
        return false;
    }
    ahead_[(aheadFirst_ + aheadCount_) % ahead_.size()] = platform::utf8::decode(rest, 0, length);
    ++aheadCount_;
    begin_ += length;
    bytesDecoded_ += length;
    ++charactersDecoded_;
    return true;
}

bool ScriptReader::peek(std::size_t offset, char32_t& character) {
    while (aheadCount_ <= offset) {
        if (!decodeOne()) return false;
    }
    character = ahead_[(aheadFirst_ + offset) % ahead_.size()];
    return true;
}

// Moves the first look-ahead character into the event's source text.
void ScriptReader::take(Event& event) {
    appendUtf8(event.source, ahead_[aheadFirst_]);
    aheadFirst_ = (aheadFirst_ + 1) % ahead_.size();
    --aheadCount_;
    ++taken_;
}

bool ScriptReader::fail(std::size_t position, std::string message) {
    if (error_) return false;  // invalid UTF-8 met while looking ahead
    // Invalid UTF-8 further on outranks this error, as it does in a script parsed whole.
    aheadCount_ = 0;
    while (decodeOne()) aheadCount_ = 0;
    if (!error_) error_ = ScriptError{position, std::move(message)};
    return false;
}

bool ScriptReader::next(Event& event) {
    event = Event{};
    char32_t c = 0;
    if (!peek(0, c)) return false;
    const std::size_t at = taken_;  // 0-based character index of the event
    event.position = at + 1;
    if (c == U'}') return fail(at + 1, "unbalanced \"}\" (type a \"}\" as {}})");
    if (c != U'{') {
        event.key = keyForCharacter(c);
        take(event);
        return true;
    }
    char32_t second = 0;
    char32_t third = 0;
    if (peek(1, second) && peek(2, third) && third == U'}' && (second == U'{' || second == U'}')) {
        event.key = keyForCharacter(second);
        for (int i = 0; i < 3; ++i) take(event);
        return true;
    }
    if (error_) return false;

    bool isClip = true;
    for (std::size_t k = 0; k < ClipPrefix.size() && isClip; ++k) {
        isClip = peek(1 + k, c) && c == ClipPrefix[k];
    }
    if (error_) return false;
    if (isClip) {
        // The text runs to the first single "}"; "}}" stands for one "}" inside it.
        for (std::size_t k = 0; k < 1 + ClipPrefix.size(); ++k) take(event);
        for (;;) {
            if (event.text.size() > MaxClipboardBytes) {
                return fail(at + 1, "{clip: text longer than " + std::string(MaxClipboardText) +
                                        ", the most a clipboard text may hold");
            }
            if (!peek(0, c)) {
                if (error_) return false;
                return fail(at + 1, "unbalanced \"{\": {clip: has no closing \"}\"");
            }
            take(event);
            if (c != U'}') {
                appendUtf8(event.text, c);
                continue;
            }
            char32_t after = 0;
            if (peek(0, after) && after == U'}') {
                take(event);
                event.text.push_back('}');
                continue;
            }
            if (error_) return false;
            event.kind = EventKind::Clip;
            return true;
        }
    }

    take(event);  // "{"
    std::u32string body;
    for (;;) {
        if (!peek(0, c) || c == U'{') {
            if (error_) return false;
            return fail(at + 1, "unbalanced \"{\": no closing \"}\" (type a \"{\" as {{})");
        }
        take(event);
        if (c == U'}') break;
        body.push_back(c);
        // No name is this long: the rest is not held to find out.
        if (event.source.size() > MaxClipboardBytes) {
            return fail(at + 1,
                        "a brace of more than " + std::string(MaxClipboardText) + " names nothing");
        }
    }
    if (auto problem = parseBraceBody(body, event)) return fail(at + 1, std::move(*problem));
    return true;
}

}  // namespace vexlo::keyscript
