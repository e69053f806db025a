// Text helpers of the function library, integer and fractional powers, rounding.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "arithmetic/functions.hpp"
#include "arithmetic/functions_internal.hpp"

namespace pemu::arith {

using detail::IsNegative;
using detail::IsOverflow;
using detail::Ops;

namespace {

std::string_view Unsigned(std::string_view x) {
    if (!x.empty() && (x.front() == '-' || x.front() == '+')) x.remove_prefix(1);
    return x;
}

// Digits of a non-negative integer text without leading zeros ("" for zero).
std::string IntegerDigits(std::string_view n) {
    n = Unsigned(n);
    n = n.substr(0, n.find('.'));
    const std::size_t first = n.find_first_not_of('0');
    return first == std::string_view::npos ? std::string() : std::string(n.substr(first));
}

// The fraction of x is absent or all zeros.
bool IsWholeNumber(std::string_view x) {
    const std::size_t point = x.find('.');
    return point == std::string_view::npos ||
           x.find_first_not_of('0', point + 1) == std::string_view::npos;
}

// start * factor^n, n given by its binary digits, by squaring the factor at each step.
// An overflow that reaches the product ends it with "EF": an "EF" operand would count as
// zero in the next product and hide the overflow.
std::string MultiplyByPowers(Ops& ops, std::string start, std::string factor,
                             std::string_view bits) {
    std::string result = std::move(start);
    for (std::size_t i = bits.size(); i-- > 0;) {
        if (bits[i] == '1') {
            if (IsOverflow(factor)) return "EF";
            result = ops.Mul(result, factor);
            if (IsOverflow(result)) return "EF";
            if (IsZero(result)) return "0";
        }
        // The square after the most significant digit would never be used.
        if (i > 0 && !IsOverflow(factor)) factor = ops.Mul(factor, factor);
    }
    return result;
}

// 1 / p for p = |base|^n, n > 0: room for a power wider than the integer digits, and a
// power that vanished below the fraction digits taken from 1 / base instead.
std::string ReciprocalOfPower(Ops& ops, std::string_view base, std::string_view n,
                              std::string_view p) {
    ArithContext& ctx = ops.ctx();
    if (IsZero(p) && !IsZero(base)) {
        return IntPower(ctx, ops.Div("1", base), n);
    }
    if (!IsOverflow(p)) return ops.Div("1", p);
    // A power of more than F + 2 integer digits has a reciprocal below the kept fraction.
    ArithContext wide = ctx;
    wide.workIntDigits = std::max(ctx.workIntDigits, ctx.workFracDigits / 2 + 2);
    const std::string power = IntPower(wide, base, n);
    if (IsOverflow(power)) return "0";
    std::string result = DecimalDivide(wide, "1", power);
    ctx.divideError = ctx.divideError || wide.divideError;
    return result;
}

std::string IntegerPowerOf(Ops& ops, std::string_view base, std::string_view e) {
    const std::string n = IntegerDigits(e);
    const std::string p = IntPower(ops.ctx(), base, n);
    if (!IsNegative(e) || n.empty()) return p;
    return ReciprocalOfPower(ops, base, n, p);
}

// exp(|e| ln base), inverted for a negative e; base > 0.
std::string FractionalPowerAt(ArithContext& ctx, std::string_view base, std::string_view e) {
    Ops ops(ctx);
    const std::string logBase = Ln(ctx, base);
    const std::string t = ops.Mul(Unsigned(e), logBase);
    const bool negative = IsNegative(e);
    if (IsOverflow(t)) {
        // |e ln base| beyond the integer digits: the power is huge or vanishes.
        return (IsNegative(logBase) != negative) ? "0" : "EF";
    }
    const std::string x = Exp(ctx, t);
    if (!negative) return x;
    if (IsOverflow(x)) return "0";
    if (IsZero(x)) return "EF";
    return ops.Div("1", x);
}

// The cut ln base carries its error times e times the result into the result: a result
// of more than three integer digits is computed with that many more fraction digits (and
// as many as e has integer digits) and cut back by the caller.
std::string FractionalPowerOf(Ops& ops, std::string_view base, std::string_view e) {
    ArithContext& ctx = ops.ctx();
    const double exponent = std::strtod(std::string(e).c_str(), nullptr);
    const double logResult = exponent * std::log(std::strtod(std::string(base).c_str(), nullptr));
    const double resultDigits = logResult > 0 ? logResult / std::log(10.0) + 1 : 0;
    // A result wider than the integer digits overflows whatever the fraction digits.
    if (!(resultDigits > 3) || resultDigits > 2.0 * ctx.workIntDigits + 1) {
        return FractionalPowerAt(ctx, base, e);
    }
    // The result is within the integer digits here; e's own digits are capped alike.
    const double exponentDigits = std::log10(std::max(1.0, std::fabs(exponent))) + 1;
    const int extra = static_cast<int>(resultDigits) - 3 +
                      static_cast<int>(std::min(exponentDigits, 2.0 * ctx.workIntDigits + 1));
    if (extra <= 0) return FractionalPowerAt(ctx, base, e);
    ArithContext wide = detail::WithMoreFraction(ctx, extra);
    std::string value = FractionalPowerAt(wide, base, e);
    ctx.divideError = ctx.divideError || wide.divideError;
    return value;
}

}  // namespace

std::string Negate(std::string_view x) {
    if (!x.empty() && x.front() == '-') return std::string(x.substr(1));
    if (!x.empty() && x.front() == '+') return "-" + std::string(x.substr(1));
    return "-" + std::string(x);
}

std::string IntegerPart(std::string_view x) {
    const std::size_t point = x.find('.');
    if (point == std::string_view::npos) return std::string(x);
    std::string_view head = x.substr(0, point);
    if (Unsigned(head).empty()) return "0";
    return std::string(head);
}

bool IsPositive(std::string_view x) {
    return (x.empty() || x.front() != '-') && !IsZero(x);
}

std::string ToBinary(std::string_view n) {
    std::string digits = IntegerDigits(n);
    std::string bits;
    // Halve the decimal digits in place until nothing is left, collecting the remainders.
    while (!digits.empty()) {
        int carry = 0;
        std::string half;
        half.reserve(digits.size());
        for (const char ch : digits) {
            const int value = carry * 10 + (ch - '0');
            if (!half.empty() || value >= 2) half.push_back(static_cast<char>('0' + value / 2));
            carry = value % 2;
        }
        bits.push_back(static_cast<char>('0' + carry));
        digits = std::move(half);
    }
    std::reverse(bits.begin(), bits.end());
    return bits;
}

int BinaryExponent(ArithContext& ctx, std::string_view x) {
    std::string a(Unsigned(x));
    LimitDigits(a, ctx);  // digits beyond the fraction would never double into range
    StripTrailingZeros(a);
    StripLeadingZeros(a);
    if (IsZero(a)) return 0;
    // |x| >= 1: halving until below 1 takes as many steps as the integer part has bits.
    const std::string whole = IntegerDigits(a);
    if (!whole.empty()) return static_cast<int>(ToBinary(whole).size());
    Ops ops(ctx);
    int count = 0;
    while (CompareMagnitude(a, "0.5") == '<') {
        a = ops.Add(a, a);
        ++count;
    }
    return -count;
}

std::string ScaleByPowerOfTwo(ArithContext& ctx, std::string_view x, std::string_view n) {
    if (IsOverflow(x)) return "EF";
    Ops ops(ctx);
    return MultiplyByPowers(ops, std::string(x), IsNegative(n) ? "0.5" : "2", ToBinary(n));
}

std::string IntPower(ArithContext& ctx, std::string_view base, std::string_view n) {
    Ops ops(ctx);
    return MultiplyByPowers(ops, "1", std::string(base), ToBinary(n));
}

PowerDomain ClassifyPower(std::string_view base, std::string_view e) {
    if (IsWholeNumber(e) || IsPositive(base)) return PowerDomain::kComputable;
    if (!IsZero(base)) return PowerDomain::kNegativeBaseFraction;
    return IsNegative(e) ? PowerDomain::kZeroBaseNegativeFraction : PowerDomain::kZeroResult;
}

std::string Power(ArithContext& ctx, std::string_view base, std::string_view e) {
    switch (ClassifyPower(base, e)) {
        case PowerDomain::kZeroResult:
            return "0";
        case PowerDomain::kNegativeBaseFraction:
            return detail::DomainError(817);
        case PowerDomain::kZeroBaseNegativeFraction:
            return detail::DomainError(815);
        case PowerDomain::kComputable:
            break;
    }
    Ops ops(ctx);
    std::string result =
        IsWholeNumber(e) ? IntegerPowerOf(ops, base, e) : FractionalPowerOf(ops, base, e);
    if (!IsOverflow(result)) LimitDigits(result, ctx);
    return result;
}

// The calculator's floor has always cut toward zero (floor of -2.5 is -2); formulas
// people keep rely on that.
std::string Floor(std::string_view x) {
    std::string whole = IntegerPart(x);
    return IsZero(whole) ? "0" : whole;
}

// A true ceiling: below zero the integer part already lies above x (-2.5 gives -2).
std::string Ceil(std::string_view x) {
    std::string whole = IntegerPart(x);
    if (IsWholeNumber(x) || IsNegative(x)) return IsZero(whole) ? "0" : whole;
    ArithContext ctx;
    ctx.workIntDigits = static_cast<int>(x.size());
    return DecimalAdd(ctx, whole, "1", 0);
}

std::string Fabs(std::string_view x) {
    return std::string(Unsigned(x));
}

}  // namespace pemu::arith
