// The five operations at calculator size (20 digits, 20/20) and at formula size
// (200-character operands, I = F = 105).
#include <benchmark/benchmark.h>

#include <string>

#include "arithmetic/decimal.hpp"

namespace {

using pemu::arith::ArithContext;

struct Operands {
    std::string a;
    std::string b;
    ArithContext ctx;
};

Operands CalculatorSize() {
    return {"12345678.901234567891", "-987.65432109876543210", ArithContext{}};
}

Operands FormulaSize() {
    std::string a;
    std::string b;
    for (int i = 0; i < 100; ++i) {
        a += static_cast<char>('1' + (i * 7) % 9);
        b += static_cast<char>('1' + (i * 5 + 3) % 9);
    }
    Operands op{a + "." + a.substr(0, 99), b + "." + b.substr(0, 99), ArithContext{}};
    op.ctx.workIntDigits = 105;
    op.ctx.workFracDigits = 105;
    return op;
}

template <typename Run>
void Measure(benchmark::State& state, Operands op, Run run) {
    for (auto _ : state) {
        std::string r = run(op.ctx, op.a, op.b);
        benchmark::DoNotOptimize(r);
    }
}

#define PEMU_BENCH_PAIR(Name, Expr)                                                              \
    void Name##Calculator(benchmark::State& state) {                                             \
        Measure(                                                                                 \
            state, CalculatorSize(),                                                             \
            [](ArithContext& ctx, const std::string& a, const std::string& b) { return Expr; }); \
    }                                                                                            \
    void Name##Formula(benchmark::State& state) {                                                \
        Measure(                                                                                 \
            state, FormulaSize(),                                                                \
            [](ArithContext& ctx, const std::string& a, const std::string& b) { return Expr; }); \
    }                                                                                            \
    BENCHMARK(Name##Calculator);                                                                 \
    BENCHMARK(Name##Formula)

PEMU_BENCH_PAIR(Add, pemu::arith::DecimalAdd(ctx, a, b, 0));
PEMU_BENCH_PAIR(AddLimited, pemu::arith::DecimalAdd(ctx, a, b, 12));
PEMU_BENCH_PAIR(Subtract, pemu::arith::DecimalSubtract(ctx, a, b, 0));
PEMU_BENCH_PAIR(Multiply, pemu::arith::DecimalMultiply(ctx, a, b));
PEMU_BENCH_PAIR(Divide, pemu::arith::DecimalDivide(ctx, a, b));
PEMU_BENCH_PAIR(Sqrt, (static_cast<void>(b), pemu::arith::DecimalSqrt(ctx, a.substr(a[0] == '-'))));

}  // namespace
