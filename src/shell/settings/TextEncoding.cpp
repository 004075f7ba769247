#include "shell/settings/TextEncoding.h"

#include "platform/Utf8.h"

#include <iconv.h>

#include <cerrno>

namespace vexlo::shell {

namespace {

class Converter {
  public:
    Converter() {
        for (const char* name : {"CP932", "SHIFT_JIS", "SJIS"}) {
            handle_ = iconv_open("UTF-8", name);
            if (handle_ != invalid()) return;
        }
    }
    ~Converter() {
        if (handle_ != invalid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view bytes) {
        if (handle_ == invalid()) return std::nullopt;
        std::string out;
        out.reserve(bytes.size() * 3 / 2 + 16);
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            // A byte that is no CP932, or a character cut short at the end.
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
        }
        return out;
    }

  private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

    iconv_t handle_ = invalid();
};

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view bytes) {
    Converter converter;
    return converter.convert(bytes);
}

std::optional<FileEncoding> utf16ByOrderMark(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return FileEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF")) return FileEncoding::Utf16Be;
    return std::nullopt;
}

Utf16Text utf16ToUtf8(std::string_view bytes, FileEncoding encoding) {
    const bool big = encoding == FileEncoding::Utf16Be;
    const auto unit = [&](std::size_t at) -> char16_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char16_t>(big ? (first << 8) | second : (second << 8) | first);
    };
    Utf16Text result;
    result.text.reserve(bytes.size() * 3 / 2);
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t code = unit(2 * i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units) {
            const char16_t low = unit(2 * i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                platform::utf8::append(result.text, 0x10000 + ((char32_t{code} - 0xD800) << 10) +
                                                        (char32_t{low} - 0xDC00));
                ++i;
                continue;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF) {
            platform::utf8::append(result.text, 0xFFFD);
            result.exact = false;
            continue;
        }
        platform::utf8::append(result.text, code);
    }
    if (bytes.size() % 2 != 0) {
        platform::utf8::append(result.text, 0xFFFD);
        result.exact = false;
    }
    return result;
}

std::optional<std::string> utf8ToUtf16(std::string_view text, FileEncoding encoding) {
    const bool big = encoding == FileEncoding::Utf16Be;
    std::string out;
    out.reserve(text.size() * 2);
    const auto put = [&](char32_t code) {
        const auto high = static_cast<char>(code >> 8);
        const auto low = static_cast<char>(code & 0xFF);
        out += big ? high : low;
        out += big ? low : high;
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = platform::utf8::sequenceLength(text, pos);
        if (length == 0) return std::nullopt;
        const char32_t code = platform::utf8::decode(text, pos, length);
        pos += length;
        if (code < 0x10000) {
            put(code);
        } else {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}

}  // namespace vexlo::shell
