#include "shell/settings/TextEncoding.h"

#include "platform/Utf8.h"

#include <iconv.h>

#include <cerrno>

namespace vexlo::shell {

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";  // U+FFFD

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

    std::string convert(std::string_view bytes) {
        std::string out;
        out.reserve(bytes.size() * 3 / 2 + 16);
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            const std::size_t used = convertRun(bytes.substr(pos), out);
            pos += used;
            if (pos < bytes.size() && used == 0) {
                // A byte iconv refuses (or no converter at all): keep ASCII, replace the rest.
                const auto byte = static_cast<unsigned char>(bytes[pos]);
                if (byte < 0x80)
                    out += static_cast<char>(byte);
                else
                    out += Replacement;
                ++pos;
            }
        }
        return out;
    }

  private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `bytes` as iconv accepts; returns how many bytes it consumed.
    std::size_t convertRun(std::string_view bytes, std::string& out) {
        if (handle_ == invalid()) return 0;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) break;
            if (result == static_cast<std::size_t>(-1) && outPtr == buffer) break;  // no progress
        }
        return bytes.size() - inLeft;
    }

    iconv_t handle_ = invalid();
};

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    return platform::utf8::isValid(bytes);
}

std::string cp932ToUtf8(std::string_view bytes) {
    Converter converter;
    return converter.convert(bytes);
}

}  // namespace vexlo::shell
