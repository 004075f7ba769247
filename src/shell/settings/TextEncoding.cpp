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

bool isValidUtf8(std::string_view bytes) {
    return platform::utf8::isValid(bytes);
}

std::optional<std::string> cp932ToUtf8(std::string_view bytes) {
    Converter converter;
    return converter.convert(bytes);
}

}  // namespace vexlo::shell
