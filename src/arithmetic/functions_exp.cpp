// The exponential by a continued fraction after taking out powers of two, the natural
// logarithm by the series of atanh, and the hyperbolic functions built on them.
#include <algorithm>
#include <string>
#include <string_view>

#include "arithmetic/constants.hpp"
#include "arithmetic/functions.hpp"
#include "arithmetic/functions_internal.hpp"

namespace pemu::arith {

using detail::IsNegative;
using detail::IsOverflow;
using detail::Ops;

namespace {

// A power of two beyond these bounds makes exp overflow the integer digits or vanish
// below the fraction digits whatever the remainder (0.7 < exp(r) < 1.42): about
// 3.33 binary digits per decimal digit, plus slack.
bool ExponentOutOfReach(const ArithContext& ctx, std::string_view n, bool negative) {
    const long long bound =
        negative ? (ctx.workFracDigits * 10LL + 2) / 3 + 2 : (ctx.workIntDigits * 20LL + 2) / 3 + 2;
    std::string_view digits = n;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    if (digits.size() > 12) return true;
    long long value = 0;
    for (const char ch : digits)
        value = value * 10 + (ch - '0');
    return value > bound;
}

// e^x and e^-x, each by Exp.
struct ExpPair {
    std::string plus;
    std::string minus;
};
ExpPair ExpBothWays(ArithContext& ctx, std::string_view x) {
    return {Exp(ctx, x), Exp(ctx, Negate(x))};
}

// ln 10 for the precision in force, computed once per precision.
const std::string& LnOfTen(ArithContext& ctx) {
    thread_local int intDigits = -1;
    thread_local int fracDigits = -1;
    thread_local std::string value;
    if (intDigits != ctx.workIntDigits || fracDigits != ctx.workFracDigits) {
        value = Ln(ctx, "10");
        intDigits = ctx.workIntDigits;
        fracDigits = ctx.workFracDigits;
    }
    return value;
}

// exp(x) as exp(r) 2^n with r = x - n ln 2, exp(r) by a continued fraction.
std::string ExpOfReduced(ArithContext& ctx, std::string_view x, const std::string& n) {
    Ops ops(ctx);
    const std::string r = ops.Sub(x, ops.Mul(n, ConstLn2(ctx)));
    const std::string r2 = ops.Mul(r, r);
    const int depth = 4 * ((ctx.workIntDigits + ctx.workFracDigits) / 4) + 6;
    std::string p = ops.Div(r2, std::to_string(depth));
    for (int j = depth - 4; j >= 6; j -= 4)
        p = ops.Div(r2, ops.Add(std::to_string(j), p));
    const std::string numerator = ops.Add(ops.Add("2", r), p);
    const std::string denominator = ops.Add(ops.Sub("2", r), p);
    return ScaleByPowerOfTwo(ctx, ops.Div(numerator, denominator), n);
}

}  // namespace

std::string Exp(ArithContext& ctx, std::string_view x) {
    Ops ops(ctx);
    const bool negative = IsNegative(x);
    const std::string quotient = ops.Div(x, ConstLn2(ctx));
    if (IsOverflow(quotient)) return negative ? "0" : "EF";
    const std::string n = IntegerPart(ops.Add(quotient, negative ? "-0.5" : "0.5"));
    if (ExponentOutOfReach(ctx, n, IsNegative(n))) return IsNegative(n) ? "0" : "EF";
    // The cut ln 2 and the cut exp(r) carry their error times 2^n into the result: a
    // result of more than three integer digits is computed with that many more fraction
    // digits and cut back.
    const int extra = IsNegative(n) ? 0 : detail::DigitsOfPowerOfTwo(n) - 3;
    if (extra <= 0) return ExpOfReduced(ctx, x, n);
    ArithContext wide = detail::WithMoreFraction(ctx, extra);
    std::string value = ExpOfReduced(wide, x, n);
    ctx.divideError = ctx.divideError || wide.divideError;
    if (!IsOverflow(value)) LimitDigits(value, ctx);
    return value;
}

std::string Ln(ArithContext& ctx, std::string_view argument) {
    // As an operation sees it: cut to the fraction digits, "EF" when too wide.
    std::string x(argument);
    LimitDigits(x, ctx);
    if (IsOverflow(x)) return x;
    if (IsNegative(x)) return detail::DomainError(824);
    if (IsZero(x)) return detail::DomainError(825);
    Ops ops(ctx);
    // k with sqrt2/2 <= x / 2^k < sqrt2. When x / sqrt2 vanishes below the fraction
    // digits (x = 10^-F), k comes from x itself and is corrected by one where needed.
    const std::string y = ops.Div(x, ConstSqrt2(ctx));
    int k = BinaryExponent(ctx, IsZero(y) ? x : y);
    // 2^|k| may be one digit wider than the integer digits allow, or as wide as the
    // fraction digits are long for a small x; m itself always lies near 1. A negative k
    // multiplies by 2^|k| exactly instead of dividing by a cut 1 / 2^|k|.
    ArithContext wide = ctx;
    wide.workIntDigits = std::max(ctx.workIntDigits + 1, ctx.workFracDigits / 2 + 2);
    auto reduce = [&](int exponent) {
        const std::string power = IntPower(wide, "2", std::to_string(std::abs(exponent)));
        return exponent >= 0 ? DecimalDivide(wide, x, power) : DecimalMultiply(wide, x, power);
    };
    std::string m = reduce(k);
    if (IsZero(y) && CompareMagnitude(m, ops.Div(ConstSqrt2(ctx), "2")) == '<') m = reduce(--k);
    const std::string z = ops.Div(ops.Sub(m, "1"), ops.Add(m, "1"));
    const std::string z2 = ops.Mul(z, z);
    std::string sum = z;
    std::string power = z;
    for (long long odd = 3;; odd += 2) {
        power = ops.Mul(power, z2);
        std::string next = ops.Add(sum, ops.Div(power, std::to_string(odd)));
        if (next == sum) break;
        sum = std::move(next);
    }
    return ops.Add(ops.Mul(std::to_string(k), ConstLn2(ctx)), ops.Mul("2", sum));
}

std::string Log10(ArithContext& ctx, std::string_view x) {
    std::string ln = Ln(ctx, x);
    if (IsOverflow(ln)) return ln;
    Ops ops(ctx);
    return ops.Div(ln, LnOfTen(ctx));
}

std::string Sinh(ArithContext& ctx, std::string_view x) {
    if (IsZero(x)) return "0";
    const ExpPair e = ExpBothWays(ctx, x);
    if (IsOverflow(e.plus) || IsOverflow(e.minus)) return "EF";
    Ops ops(ctx);
    return ops.Div(ops.Sub(e.plus, e.minus), "2");
}

std::string Cosh(ArithContext& ctx, std::string_view x) {
    const ExpPair e = ExpBothWays(ctx, x);
    if (IsOverflow(e.plus) || IsOverflow(e.minus)) return "EF";
    Ops ops(ctx);
    return ops.Div(ops.Add(e.plus, e.minus), "2");
}

std::string Tanh(ArithContext& ctx, std::string_view x) {
    if (IsZero(x)) return "0";
    const ExpPair e = ExpBothWays(ctx, x);
    Ops ops(ctx);
    if (IsOverflow(e.plus) || IsOverflow(e.minus)) {
        // The same quotient divided through by the overflowing exponential:
        // (1 - s^2) / (1 + s^2) with s the small one, signed like x.
        const std::string& small = IsOverflow(e.plus) ? e.minus : e.plus;
        const std::string s2 = ops.Mul(small, small);
        const std::string t = ops.Div(ops.Sub("1", s2), ops.Add("1", s2));
        return IsNegative(x) ? Negate(t) : t;
    }
    return ops.Div(ops.Sub(e.plus, e.minus), ops.Add(e.plus, e.minus));
}

}  // namespace pemu::arith
