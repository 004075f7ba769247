// Paste of long and awkward clipboard texts: each must be shown and cut in well under 50 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "keyscript/Session.h"

namespace {

using vexlo::keyscript::Session;

void paste(benchmark::State& state, const std::string& text) {
    Session session({});
    session.load();
    auto& window = session.window();
    for (auto _ : state) {
        session.platform().clipboard.contents = text;
        window.pasteClipboard(false);
        benchmark::DoNotOptimize(window.calculator.display().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_PasteMegabyteOfDigits(benchmark::State& state) {
    paste(state, std::string(1 << 20, '7'));
}
BENCHMARK(BM_PasteMegabyteOfDigits)->Unit(benchmark::kMillisecond);

void BM_PasteMegabyteOfLines(benchmark::State& state) {
    std::string text;
    while (text.size() < (1 << 20)) text += "12,345.\r\n合計\t\x01";
    paste(state, text);
}
BENCHMARK(BM_PasteMegabyteOfLines)->Unit(benchmark::kMillisecond);

void BM_PasteMegabyteOfBrokenUtf8(benchmark::State& state) {
    std::string text;
    while (text.size() < (1 << 20)) text += "\xE3\x81\xFF\x80 1";
    paste(state, text);
}
BENCHMARK(BM_PasteMegabyteOfBrokenUtf8)->Unit(benchmark::kMillisecond);

}  // namespace
