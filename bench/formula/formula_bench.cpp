// A dozen function-heavy formulas through the whole run (check, evaluation, digit check)
// at 100 integer and 100 fraction digits.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"
#include "formula/formula_run.hpp"

namespace {

constexpr std::array<std::string_view, 12> kFormulas = {
    "sin(1.234)",   "cos(2.5)+tan(0.7)", "atan(0.5)*4",       "asin(0.3)+acos(0.3)",
    "exp(2.5)",     "ln(12345.678)",     "log(2)+log(3)",     "sinh(1.5)-cosh(0.5)",
    "2^0.5*3^0.25", "sqrt(2)+sqrt(3)",   "sin(1)^2+cos(1)^2", "exp(ln(7.5))/tanh(0.3)",
};

// The whole run of one formula at 100 integer and 100 fraction digits.
void RunAt100Digits(benchmark::State& state, std::string_view formula, bool answerExpected = true) {
    pemu::formula::FormulaSettings settings;
    settings.limits = {100, 100};
    pemu::arith::ArithContext ctx;
    for (auto _ : state) {
        const pemu::formula::FormulaOutcome outcome =
            pemu::formula::RunFormula(ctx, formula, settings);
        benchmark::DoNotOptimize(outcome.result.data());
        if (outcome.ok != answerExpected) state.SkipWithError("unexpected outcome");
    }
}

void BM_Formula(benchmark::State& state) {
    const std::string_view formula = kFormulas[static_cast<std::size_t>(state.range(0))];
    RunAt100Digits(state, formula);
    state.SetLabel(std::string(formula));
}
BENCHMARK(BM_Formula)
    ->DenseRange(0, static_cast<int>(kFormulas.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

// The slowest formula found within the 5000 characters the formula window takes, at 100
// and 100 digits: some 500 powers with fraction exponents, no two alike (9a.b^9c.d+...).
// Its sum has more than 100 integer digits, so the run ends in E981 after all the work.
// The window runs formulas off its thread and shows a busy cursor after 200 ms.
void BM_SlowestWindowFormula(benchmark::State& state) {
    std::string formula;
    unsigned seed = 1;
    const auto digit = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<char>('1' + (seed >> 16) % 9);
    };
    for (;;) {
        const std::string term = {'9', digit(), '.', digit(), '^', '9', digit(), '.', digit()};
        if (formula.size() + term.size() + 1 > 5000) break;
        if (!formula.empty()) formula += '+';
        formula += term;
    }
    RunAt100Digits(state, formula, false);
    state.SetLabel(std::to_string(formula.size()) + " characters");
}
BENCHMARK(BM_SlowestWindowFormula)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
