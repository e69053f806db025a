// The exponential, the logarithms and the hyperbolic functions, each exact to the last
// digit it gives.
#include <cmath>
#include <string>
#include <string_view>

#include "arithmetic/exact_cut.hpp"
#include "arithmetic/functions.hpp"
#include "arithmetic/functions_internal.hpp"

namespace pemu::arith {

using detail::Approx;
using detail::Argument;
using detail::Fixed;

namespace {

constexpr double kLn10 = 2.302585092994046;

// Integer digits of e^|x| plus one, or -1 when they are beyond every working width.
int ExpIntegerDigits(double x) {
    const double digits = x > 0 ? x / kLn10 + 2 : 0;
    return digits > detail::kWidestIntegerDigits ? -1 : static_cast<int>(digits);
}

// |x| beyond which e^|x| / 2 overflows the integer digits.
double HyperbolicLimit(const ArithContext& ctx) {
    return 2.0 * ctx.workIntDigits * kLn10 + 1.5;
}

// e^|x| and e^-|x| at a scale.
struct ExpPair {
    Approx plus;
    Approx minus;
};
ExpPair ExpBothWays(const Argument& a, int scale) {
    Fixed x = detail::ArgumentAt(a, scale);
    x.negative = false;
    ExpPair pair;
    pair.plus = detail::ExpKernel(x, 0, scale);
    pair.minus.value = detail::Divide(detail::FixedInteger(1, scale), pair.plus.value, scale);
    // 1/e^|x| <= 1: its bound shrinks with the square of e^|x|.
    pair.minus.error = detail::RatioOfBound(pair.plus.error,
                                            2 * detail::ApproximateLog10(pair.plus.value, scale)) +
                       1;
    return pair;
}

// The result of a hyperbolic function: sum or difference of the pair, halved.
Approx HalfOf(const ExpPair& pair, bool difference, bool negative) {
    Fixed value = difference ? detail::Subtract(pair.plus.value, pair.minus.value)
                             : detail::Add(pair.plus.value, pair.minus.value);
    value = detail::DivideSmall(value, 2);
    if (negative) value = detail::Negated(value);
    return {value, (pair.plus.error + pair.minus.error) / 2 + 1};
}

// sinh x = (e^x - e^-x) / 2 (difference) or cosh x = (e^x + e^-x) / 2.
FunctionValue HalfSumOrDifference(const ArithContext& ctx, std::string_view x, bool difference) {
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return {difference ? "0" : "1"};
    const int digits = ExpIntegerDigits(std::fabs(a.approx));
    if (std::fabs(a.approx) > HyperbolicLimit(ctx) || digits < 0)
        return detail::Refused(FunctionFault::kOverflow);
    return detail::FromResult(detail::CutExactly(ctx, digits, [&](int scale) {
        return HalfOf(ExpBothWays(a, scale), difference, difference && a.negative);
    }));
}

// Ten to an integer power, for log10 of such an x: the exponent, or empty.
std::string PowerOfTenExponent(const Argument& a) {
    const std::string_view whole = a.IntDigits();
    const std::string_view fraction = a.FracDigits();
    if (!whole.empty()) {
        if (!fraction.empty() || whole.front() != '1' ||
            whole.find_first_not_of('0', 1) != std::string_view::npos) {
            return {};
        }
        return std::to_string(whole.size() - 1);
    }
    if (fraction.back() != '1' || fraction.find_first_not_of('0') != fraction.size() - 1) return {};
    return "-" + std::to_string(fraction.size());
}

}  // namespace

FunctionValue Exp(ArithContext& ctx, std::string_view x) {
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return {"1"};
    // e^x >= 10^(2I) overflows; e^x below 10^-F cuts to zero.
    if (a.approx > 2.0 * ctx.workIntDigits * kLn10 + 1)
        return detail::Refused(FunctionFault::kOverflow);
    if (a.approx < -(detail::FracDigitsOf(ctx) + 1) * kLn10 - 1) return {"0"};
    const int digits = ExpIntegerDigits(a.approx);
    if (digits < 0) return detail::Refused(FunctionFault::kOverflow);
    return detail::FromResult(detail::CutExactly(ctx, digits, [&](int scale) {
        return detail::ExpKernel(detail::ArgumentAt(a, scale), 0, scale);
    }));
}

FunctionValue Ln(ArithContext& ctx, std::string_view x) {
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return detail::Refused(FunctionFault::kLogarithmOfZero);
    if (a.negative) return detail::Refused(FunctionFault::kLogarithmOfNegative);
    if (a.IsOne()) return {"0"};
    return detail::FromResult(detail::CutExactly(
        ctx, 4, [&](int scale) { return detail::LnKernel(detail::ArgumentAt(a, scale), scale); }));
}

FunctionValue Log10(ArithContext& ctx, std::string_view x) {
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return detail::Refused(FunctionFault::kLogarithmOfZero);
    if (a.negative) return detail::Refused(FunctionFault::kLogarithmOfNegative);
    if (std::string exponent = PowerOfTenExponent(a); !exponent.empty()) return {exponent};
    return detail::FromResult(detail::CutExactly(ctx, 4, [&](int scale) {
        const Approx ln = detail::LnKernel(detail::ArgumentAt(a, scale), scale);
        const Fixed value = detail::Divide(ln.value, detail::Ln10At(scale), scale);
        return Approx{value, (ln.error + 3) / kLn10 + 2};
    }));
}

FunctionValue Sinh(ArithContext& ctx, std::string_view x) {
    return HalfSumOrDifference(ctx, x, true);
}

FunctionValue Cosh(ArithContext& ctx, std::string_view x) {
    return HalfSumOrDifference(ctx, x, false);
}

FunctionValue Tanh(ArithContext& ctx, std::string_view x) {
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return {"0"};
    // 1 - tanh|x| = 2 / (e^2|x| + 1) lies below 10^-F: every kept digit is a 9.
    const int fraction = detail::FracDigitsOf(ctx);
    if (2 * std::fabs(a.approx) > (fraction + 1) * kLn10 + 1) {
        if (fraction == 0) return {"0"};
        return {(a.negative ? "-0." : "0.") + std::string(static_cast<std::size_t>(fraction), '9')};
    }
    return detail::FromResult(detail::CutExactly(ctx, 0, [&](int scale) {
        const ExpPair pair = ExpBothWays(a, scale);
        const Fixed sum = detail::Add(pair.plus.value, pair.minus.value);
        Fixed value =
            detail::Divide(detail::Subtract(pair.plus.value, pair.minus.value), sum, scale);
        if (a.negative) value = detail::Negated(value);
        const double sumLog10 = detail::ApproximateLog10(sum, scale);
        return Approx{value,
                      detail::RatioOfBound(2 * (pair.plus.error + pair.minus.error), sumLog10) + 1};
    }));
}

}  // namespace pemu::arith
