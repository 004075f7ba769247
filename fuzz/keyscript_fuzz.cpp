// Any bytes as a key script: rejected with a message or run to the end, never a crash or hang.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "keyscript/Session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexlo::keyscript;
    // Long scripts only repeat what short ones reach; keep each run quick.
    if (size > 4096) return 0;
    Session session(RunOptions{});
    runScript(session, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
