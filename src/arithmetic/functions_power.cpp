// Text helpers of the function library, integer and fractional powers, rounding. Powers
// are exact to the last digit they give: integer powers from the exact product where it
// is not too long, rational results found as such, the rest as exp(e ln b) bounded.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "arithmetic/exact_cut.hpp"
#include "arithmetic/functions.hpp"
#include "arithmetic/functions_internal.hpp"

namespace pemu::arith {

using detail::Approx;
using detail::Argument;
using detail::Fixed;
using detail::IsNegative;
using detail::IsOverflow;
using detail::Limbs;

namespace {

// Products of up to this many digits are worked out exactly.
constexpr int kExactPowerDigits = 1400;
// Roots taken apart to find a rational power, and the widest root tried.
constexpr double kWidestRationalRoot = 2000;

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

bool IsOddNumber(std::string_view digits) {
    return !digits.empty() && (digits.back() - '0') % 2 == 1;
}

// |a| = run x 10^shift with run an integer without leading or trailing zeros.
struct DigitRun {
    std::string run;
    long long shift = 0;
};
DigitRun RunOf(const Argument& a) {
    DigitRun out;
    out.run = std::string(a.IntDigits()) + std::string(a.FracDigits());
    out.shift = -a.fracLength;
    const std::size_t last = out.run.find_last_not_of('0');
    out.shift += static_cast<long long>(out.run.size() - 1 - last);
    out.run.resize(last + 1);
    out.run.erase(0, out.run.find_first_not_of('0'));
    return out;
}

double Log10Of(const DigitRun& r) {
    const std::size_t lead = std::min<std::size_t>(r.run.size(), 17);
    const double mantissa = std::strtod(r.run.substr(0, lead).c_str(), nullptr);
    return std::log10(mantissa) + static_cast<double>(r.run.size() - lead) +
           static_cast<double>(r.shift);
}

Limbs LimbsOfDigits(std::string_view digits) {
    Limbs out;
    detail::Operand op;
    op.intDigits = digits;
    detail::LimbsFromRun(op, out);
    return out;
}

// x^n by squaring, for results within kExactPowerDigits.
Limbs LimbsPower(const Limbs& x, unsigned long long n) {
    Limbs result;
    detail::SetLimbs(result, 1);
    Limbs square = x;
    while (n > 0) {
        if (n & 1) detail::MultiplyLimbs(result, square, result);
        n >>= 1;
        if (n > 0) detail::MultiplyLimbs(square, square, square);
    }
    return result;
}

std::string DigitsOf(const Limbs& x) {
    char digits[detail::kMaxLimbDigits];
    return std::string(digits, static_cast<std::size_t>(detail::LimbsToDigits(x, digits)));
}

std::string Canonical(std::string text) {
    return text != "EF" && IsZero(text) ? "0" : text;
}

// "EF" when 10^ld overflows the integer digits, "0" when it cuts to zero, decided
// roughly with the borderline left to the computation; empty otherwise.
std::string BeyondReach(const ArithContext& ctx, double ld) {
    if (ld > 2.0 * ctx.workIntDigits + 1) return "EF";
    if (ld < -(detail::FracDigitsOf(ctx) + 2.0)) return "0";
    return {};
}

// b^e = exp(e ln b) for b > 0, within its bound; e's digits widen the scale of ln b.
std::string PowerByLogarithm(ArithContext& ctx, const Argument& b, const Argument& e,
                             bool negativeResult) {
    const double ld = e.approx * Log10Of(RunOf(b));
    if (std::string beyond = BeyondReach(ctx, ld); !beyond.empty()) return beyond;
    const int digits = ld > 0 ? static_cast<int>(ld) + 2 : 0;
    if (digits > detail::kWidestIntegerDigits) return "EF";
    const int exponentLimbs = (e.intLength + detail::kLimbDigits) / detail::kLimbDigits + 1;
    return detail::CutExactly(ctx, digits, [&](int scale) {
        const int lnScale = std::min(scale + exponentLimbs, detail::kMaxScale);
        Fixed base = detail::ArgumentAt(b, lnScale);
        base.negative = false;
        const Approx ln = detail::LnKernel(base, lnScale);
        const Fixed t = detail::Multiply(detail::ArgumentAt(e, lnScale), ln.value, lnScale);
        const double tError = (std::fabs(e.approx) * ln.error + 1) *
                                  std::pow(10.0, -detail::kLimbDigits * (lnScale - scale)) +
                              1;
        Approx value = detail::ExpKernel(detail::Rescale(t, lnScale, scale), tError, scale);
        if (negativeResult) value.value = detail::Negated(value.value);
        return value;
    });
}

// b^n for an integer n (its digits), or 1 / b^n: exact while the power has at most
// kExactPowerDigits digits, else by logarithms.
std::string IntegerPowerOf(ArithContext& ctx, const Argument& b, std::string_view n,
                           bool reciprocal, bool negativeResult) {
    if (n.empty()) return "1";
    if (b.zero) {
        if (!reciprocal) return "0";
        ctx.divideError = true;
        return "0";
    }
    if (b.IsOne() || b.text == "-1") return negativeResult ? "-1" : "1";
    const DigitRun r = RunOf(b);
    const double count = std::strtod(std::string(n).c_str(), nullptr);
    const double ld = (reciprocal ? -count : count) * Log10Of(r);
    if (std::string beyond = BeyondReach(ctx, ld); !beyond.empty()) return beyond;
    const int fraction = detail::FracDigitsOf(ctx);
    const double exactDigits = count * static_cast<double>(r.run.size());
    const double scaled = -count * static_cast<double>(r.shift);  // 10^scaled / run^n
    if (exactDigits <= kExactPowerDigits &&
        (!reciprocal || scaled + fraction + 1 < detail::kMaxLimbDigits - 2 * detail::kLimbDigits)) {
        const auto times = static_cast<unsigned long long>(count);
        const Limbs power = LimbsPower(LimbsOfDigits(r.run), times);
        const long long shift = r.shift * static_cast<long long>(times);
        if (!reciprocal) {
            return Canonical(detail::FinishResult(ctx, DigitsOf(power), static_cast<int>(-shift),
                                                  negativeResult));
        }
        // 1 / (power 10^shift), its quotient taken one digit beyond the kept fraction.
        const long long numeratorDigits = -shift + fraction + 1;
        if (numeratorDigits < 0) return "0";
        Limbs numerator;
        detail::SetLimbs(numerator, 1);
        detail::ShiftLimbs(numerator, static_cast<int>(numeratorDigits));
        Limbs quotient;
        detail::DivideLimbs(numerator, power, quotient);
        return Canonical(
            detail::FinishResult(ctx, DigitsOf(quotient), fraction + 1, negativeResult));
    }
    Argument exponent;
    exponent.text = (reciprocal ? "-" : "") + std::string(n);
    exponent.negative = reciprocal;
    exponent.intLength = static_cast<int>(n.size());
    exponent.approx = reciprocal ? -count : count;
    return PowerByLogarithm(ctx, b, exponent, negativeResult);
}

// e = p / q in lowest terms; q is a product of twos and fives.
struct Ratio {
    std::string p;  // digits
    double q = 0;
    unsigned long long qValue = 0;
};
Ratio LowestTerms(const Argument& e) {
    Limbs numerator = LimbsOfDigits(std::string(e.IntDigits()) + std::string(e.FracDigits()));
    int twos = e.fracLength;
    int fives = e.fracLength;
    for (Limbs probe = numerator; twos > 0 && detail::DivideSmallLimbs(probe, 2) == 0; --twos)
        detail::DivideSmallLimbs(numerator, 2);
    for (Limbs probe = numerator; fives > 0 && detail::DivideSmallLimbs(probe, 5) == 0; --fives)
        detail::DivideSmallLimbs(numerator, 5);
    Ratio out;
    out.p = DigitsOf(numerator);
    out.q = std::pow(2.0, twos) * std::pow(5.0, fives);
    if (out.q <= kWidestRationalRoot) out.qValue = static_cast<unsigned long long>(out.q);
    return out;
}

// When b = s^q for a decimal s, b^(p/q) is the rational s^p: s as text, or empty.
std::string RationalRoot(const Argument& b, unsigned long long q) {
    const DigitRun r = RunOf(b);
    if (b.fracLength % static_cast<long long>(q) != 0) return {};
    const int rootFraction = b.fracLength / static_cast<int>(q);
    // The root's digits: from a double while they are few, else from the series.
    const double rootLog10 = Log10Of(r) / static_cast<double>(q) + rootFraction;
    std::string candidate;
    if (rootLog10 < 15) {
        candidate = std::to_string(std::llround(std::pow(10.0, rootLog10)));
    } else {
        if (rootLog10 * static_cast<double>(q) > detail::kMaxLimbDigits / 2.0) return {};
        const int scale = static_cast<int>(rootLog10 / detail::kLimbDigits) + 3;
        const Approx ln = detail::LnKernel(detail::ArgumentAt(b, scale), scale);
        const Approx root = detail::ExpKernel(
            detail::DivideSmall(ln.value, static_cast<std::uint32_t>(q)), ln.error, scale);
        // Nearest integer of the root x 10^rootFraction.
        Limbs shifted = root.value.mag;
        detail::ShiftLimbs(shifted, rootFraction);
        Limbs halfUnit;
        detail::SetLimbs(halfUnit, 5);
        detail::ShiftLimbs(halfUnit, scale * detail::kLimbDigits - 1);
        detail::AddLimbs(shifted, halfUnit, shifted);
        detail::DropLimbs(shifted, scale);
        candidate = DigitsOf(shifted);
    }
    const Limbs root = LimbsOfDigits(candidate);
    if (static_cast<double>(candidate.size()) * static_cast<double>(q) >
        static_cast<double>(r.run.size() + q + 1)) {
        return {};
    }
    Limbs exact = LimbsOfDigits(std::string(b.IntDigits()) + std::string(b.FracDigits()));
    if (detail::CompareLimbs(LimbsPower(root, q), exact) != 0) return {};
    std::string text = candidate;
    if (rootFraction > 0) {
        if (text.size() <= static_cast<std::size_t>(rootFraction)) {
            text.insert(0, static_cast<std::size_t>(rootFraction) + 1 - text.size(), '0');
        }
        text.insert(text.size() - static_cast<std::size_t>(rootFraction), 1, '.');
    }
    return text;
}

std::string FractionalPowerOf(ArithContext& ctx, const Argument& b, const Argument& e) {
    if (b.IsOne()) return "1";
    const Ratio ratio = LowestTerms(e);
    if (ratio.qValue > 1) {
        const std::string root = RationalRoot(b, ratio.qValue);
        if (!root.empty()) {
            return IntegerPowerOf(ctx, detail::ReadArgument(ctx, root), ratio.p, e.negative, false);
        }
    }
    return PowerByLogarithm(ctx, b, e, false);
}

// start * factor^n, n given by its binary digits, by squaring the factor at each step.
// An overflow that reaches the product ends it with "EF": an "EF" operand would count as
// zero in the next product and hide the overflow.
std::string MultiplyByPowers(ArithContext& ctx, std::string start, std::string factor,
                             std::string_view bits) {
    std::string result = std::move(start);
    for (std::size_t i = bits.size(); i-- > 0;) {
        if (bits[i] == '1') {
            if (IsOverflow(factor)) return "EF";
            result = DecimalMultiply(ctx, result, factor);
            if (IsOverflow(result)) return "EF";
            if (IsZero(result)) return "0";
        }
        if (i > 0 && !IsOverflow(factor)) factor = DecimalMultiply(ctx, factor, factor);
    }
    return result;
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
    int count = 0;
    while (CompareMagnitude(a, "0.5") == '<') {
        a = DecimalAdd(ctx, a, a, 0);
        ++count;
    }
    return -count;
}

std::string ScaleByPowerOfTwo(ArithContext& ctx, std::string_view x, std::string_view n) {
    if (IsOverflow(x)) return "EF";
    return MultiplyByPowers(ctx, std::string(x), IsNegative(n) ? "0.5" : "2", ToBinary(n));
}

std::string IntPower(ArithContext& ctx, std::string_view base, std::string_view n) {
    const Argument b = detail::ReadArgument(ctx, base);
    if (b.overflow) return "EF";
    const std::string digits = IntegerDigits(n.substr(0, kOperandMax));
    return IntegerPowerOf(ctx, b, digits, false, b.negative && IsOddNumber(digits));
}

PowerDomain ClassifyPower(std::string_view base, std::string_view e) {
    if (IsWholeNumber(e) || IsPositive(base)) return PowerDomain::kComputable;
    if (!IsZero(base)) return PowerDomain::kNegativeBaseFraction;
    return IsNegative(e) ? PowerDomain::kZeroBaseNegativeFraction : PowerDomain::kZeroResult;
}

FunctionValue Power(ArithContext& ctx, std::string_view base, std::string_view e) {
    // Operands beyond the working buffer are cut before anything is worked out.
    base = base.substr(0, kOperandMax);
    e = e.substr(0, kOperandMax);
    switch (ClassifyPower(base, e)) {
        case PowerDomain::kZeroResult:
            return {"0"};
        case PowerDomain::kNegativeBaseFraction:
            return detail::Refused(FunctionFault::kNegativeBaseFraction);
        case PowerDomain::kZeroBaseNegativeFraction:
            return detail::Refused(FunctionFault::kZeroBaseNegativeFraction);
        case PowerDomain::kComputable:
            break;
    }
    const Argument b = detail::ReadArgument(ctx, base);
    const Argument x = detail::ReadArgument(ctx, e);
    if (b.overflow || x.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (x.zero) return {"1"};
    if (x.fracLength == 0) {
        const std::string_view n = x.IntDigits();
        return detail::FromResult(
            IntegerPowerOf(ctx, b, n, x.negative, b.negative && IsOddNumber(n)));
    }
    if (b.zero) {
        return x.negative ? detail::Refused(FunctionFault::kZeroBaseNegativeFraction)
                          : FunctionValue{"0"};
    }
    return detail::FromResult(FractionalPowerOf(ctx, b, x));
}

std::string ResultText(const FunctionValue& value) {
    switch (value.fault) {
        case FunctionFault::kNone:
            return value.text;
        case FunctionFault::kOverflow:
            return "EF";
        default:
            return "E" + std::to_string(static_cast<int>(value.fault));
    }
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
