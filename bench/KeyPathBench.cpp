// Keys per second through the key path: Form::pressKey -> the key-down and character handlers ->
// the handlers, with the keys they send drained, as vexlo-keys and the window deliver them.

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "keyscript/Script.h"
#include "keyscript/Session.h"

namespace {

using vexlo::keyscript::Session;

// Digits, decimals, the four operators, percent (which sends Enter), memory and clearing, as a
// user types them; no line overflows, so no message is shown.
constexpr std::string_view MixedScript =
    "1234.5+678.25=*3=/7=-12.5=c"
    "200*5%88+12%c"
    "5z3+4=zq250a+1=c"
    "9876543*21=c0.1+0.2=@7-2.75=c"
    "45x6=1.08*1000=c";

std::vector<vexlo::platform::KeyStroke> scriptKeys(std::string_view script) {
    std::vector<vexlo::platform::KeyStroke> keys;
    for (const auto& event : vexlo::keyscript::parseScript(script).events)
        keys.push_back(event.key);
    return keys;
}

void keyPath(benchmark::State& state, std::string_view script, bool tape = true) {
    Session session({});
    session.load();
    if (!tape) session.window().calculator.onStep = nullptr;
    const auto keys = scriptKeys(script);
    for (auto _ : state) {
        for (const auto& key : keys) session.pressKey(key);
        benchmark::DoNotOptimize(session.window().calculator.display().data());
    }
    if (!session.platform().messages.shown.empty()) state.SkipWithError("a message was shown");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
    state.SetLabel("keys");
}

void BM_MixedKeys(benchmark::State& state) {
    keyPath(state, MixedScript);
}
BENCHMARK(BM_MixedKeys);

// The same with no tape recording the steps: what the tape costs a key.
void BM_MixedKeysWithoutTape(benchmark::State& state) {
    keyPath(state, MixedScript, false);
}
BENCHMARK(BM_MixedKeysWithoutTape);

// Digit entry alone, the commonest key: each digit reformats the display.
void BM_DigitKeys(benchmark::State& state) {
    keyPath(state, "123456789012c");
}
BENCHMARK(BM_DigitKeys);

// The whole tool without its process: parse, window, start-up, 20 keys, report.
void BM_ScriptRun(benchmark::State& state) {
    for (auto _ : state) {
        Session session({});
        const auto parsed = vexlo::keyscript::parseScript("12*34+56-7=z89%a/2=c");
        session.prepare(parsed.events);
        session.load();
        session.run();
        benchmark::DoNotOptimize(session.window().calculator.display().data());
    }
}
BENCHMARK(BM_ScriptRun);

}  // namespace
