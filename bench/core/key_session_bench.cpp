// A session of 1,000 keys through ExecuteKey with the tape recording, in both families:
// columns of figures with the operators, constants, rounding and clears a user keys.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/calculator.hpp"
#include "core/recording_display.hpp"

namespace {

using namespace pemu::core;

// The display that draws nothing, so the figure is the engine's own.
class NullDisplay : public DisplayPort {
  public:
    void DrawNumber(std::string_view) override {}
    void CopyMarkGlyph(Mark) override {}
    void BlankMarkGlyph(Mark) override {}
    void EraseMarkStrip(StripRegion) override {}
    void ErasePanelMark(Mark) override {}
    void SetLabel(DisplayLabel, std::string_view) override {}
};

std::vector<int> SessionKeys(std::size_t count) {
    // 1234.5 + 678 x 9 = , 12 / 7 = = , 99 - 100 = , C
    const std::vector<int> block = {27, 28, 29, 30, 21, 31, 17, 32, 33, 34, 19, 35, 99, 27,
                                    28, 20, 33, 99, 99, 35, 35, 18, 27, 36, 36, 99, 7};
    std::vector<int> keys;
    while (keys.size() < count)
        keys.insert(keys.end(), block.begin(), block.end());
    keys.resize(count);
    return keys;
}

void RunSession(benchmark::State& state, KeyFamily family, int round, int decimal) {
    const std::vector<int> keys = SessionKeys(1000);
    for (auto _ : state) {
        NullDisplay display;
        NullShell shell;
        pemu::tape::TapeRecorder tape;
        Calculator calc(display, shell, tape, family);
        StartupSettings settings;
        settings.roundSelecter = round;
        settings.decimalSelecter = decimal;
        settings.kenzanAutoDate = false;
        calc.ApplyStartupSettings(settings, nullptr);
        for (int key : keys)
            calc.ExecuteKey(key);
        benchmark::DoNotOptimize(calc.State().displayValue);
        benchmark::DoNotOptimize(tape.Log().TapeText());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
    // Seconds per key (shown with an SI prefix, e.g. 370n).
    state.counters["per_key"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * keys.size(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SharpSession(benchmark::State& state) {
    RunSession(state, kMakerSharp, 999, 999);
}
void BM_SharpRoundedSession(benchmark::State& state) {
    RunSession(state, kMakerSharp, 4, 2);
}
void BM_CasioSession(benchmark::State& state) {
    RunSession(state, kMakerCasio, 999, 5);
}

BENCHMARK(BM_SharpSession)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SharpRoundedSession)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CasioSession)->Unit(benchmark::kMicrosecond);

}  // namespace
