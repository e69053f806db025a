// Sine, cosine and tangent by a Taylor series; the inverse functions by a continued
// fraction for the arc tangent.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "arithmetic/constants.hpp"
#include "arithmetic/functions.hpp"
#include "arithmetic/functions_internal.hpp"

namespace pemu::arith {

using detail::IsNegative;
using detail::Ops;

namespace {

// x - 2k pi with k = trunc(x / 2 pi). Below one turn (k = 0) x is returned as it is.
// Beyond it, k and the turns are taken with as many more digits of pi as x has integer
// digits: with pi cut to F digits, k itself would be off by x / 10^F turns.
std::string ReduceByTurns(ArithContext& ctx, std::string_view x) {
    Ops ops(ctx);
    if (IsZero(IntegerPart(ops.Div(x, ConstPi(ctx, 2))))) return std::string(x);
    ArithContext wide = ctx;
    wide.workFracDigits =
        std::min(ctx.workFracDigits + IntegerPartLength(Fabs(x)) + 2, kConstantFracDigits);
    wide.workIntDigits = ctx.workIntDigits + 1;
    const std::string k = IntegerPart(DecimalDivide(wide, x, ConstPi(wide, 2)));
    const std::string turns =
        DecimalMultiply(wide, DecimalMultiply(wide, "2", k), ConstPi(wide, 0));
    std::string r = DecimalAdd(wide, x, Negate(turns), 0);
    LimitDigits(r, ctx);
    return r;
}

// Depth of the arc tangent's continued fraction. F + 10 levels give about 0.77 digits
// each at |y| = 1, which covers F up to 24; beyond that the depth grows to match.
int AtanDepth(int fracDigits) {
    const int matched = static_cast<int>(std::ceil(1.31 * fracDigits + 3.0));
    return std::max(fracDigits + 10, matched);
}

// atan(y) for |y| <= 1.
std::string AtanOfReduced(Ops& ops, std::string_view y) {
    const std::string y2 = ops.Mul(y, y);
    std::string d = "0";
    for (int k = AtanDepth(ops.ctx().workFracDigits); k >= 1; --k) {
        const std::string numerator = ops.Mul(std::to_string(static_cast<long long>(k) * k), y2);
        d = ops.Div(numerator, ops.Add(std::to_string(2 * k + 1), d));
    }
    return ops.Div(y, ops.Add("1", d));
}

}  // namespace

std::string Sin(ArithContext& ctx, std::string_view x, int terms) {
    if (IsZero(x)) return "0";
    Ops ops(ctx);
    const std::string r = ReduceByTurns(ctx, x);
    const std::string minusR2 = Negate(ops.Mul(r, r));
    std::string sum = r;
    std::string term = r;
    // The caller's count is a floor, not a cut: a series that has not died out by then (a
    // small F with a remainder near 2 pi) goes on, and once a term is zero every later
    // term is zero too, so ending there gives the same sum as running the count out.
    for (long long i = 1; i <= terms || !IsZero(term); ++i) {
        if (IsZero(term)) break;
        const std::string factor = ops.Div(minusR2, std::to_string((2 * i) * (2 * i + 1)));
        term = ops.Mul(term, factor);
        sum = ops.Add(sum, term);
    }
    return sum;
}

std::string Cos(ArithContext& ctx, std::string_view x, int terms) {
    Ops ops(ctx);
    return Sin(ctx, ops.Sub(ConstPi(ctx, -2), x), terms);
}

std::string Tan(ArithContext& ctx, std::string_view x, int terms) {
    Ops ops(ctx);
    return ops.Div(Sin(ctx, x, terms), Cos(ctx, x, terms));
}

std::string Atan(ArithContext& ctx, std::string_view x) {
    if (IsZero(x)) return "0";
    Ops ops(ctx);
    std::string magnitude(x);
    const int side = CompareWithOne(magnitude);
    if (side == 0) return AtanOfReduced(ops, x);
    const std::string inner = AtanOfReduced(ops, ops.Div("1", x));
    const std::string halfPi = ConstPi(ctx, -2);
    return side > 0 ? ops.Sub(halfPi, inner) : ops.Sub(Negate(halfPi), inner);
}

std::string Asin(ArithContext& ctx, std::string_view x) {
    std::string magnitude(x);
    if (CompareWithOne(magnitude) != 0) return detail::DomainError(822);
    if (IsZero(x)) return "0";
    Ops ops(ctx);
    const std::string rest = ops.Sub("1", ops.Mul(x, x));
    if (IsZero(rest)) {
        const std::string halfPi = ConstPi(ctx, -2);
        return IsNegative(x) ? Negate(halfPi) : halfPi;
    }
    return Atan(ctx, ops.Div(x, ops.Sqrt(rest)));
}

std::string Acos(ArithContext& ctx, std::string_view x) {
    std::string magnitude(x);
    if (CompareWithOne(magnitude) != 0) return detail::DomainError(823);
    Ops ops(ctx);
    return ops.Sub(ConstPi(ctx, -2), Asin(ctx, x));
}

}  // namespace pemu::arith
