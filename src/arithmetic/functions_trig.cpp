// Sine, cosine and tangent after taking out quarter turns, the inverse functions through
// the arc tangent, and multiples of pi; each exact to the last digit it gives.
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

constexpr double kPi = 3.141592653589793;
// Arguments below this many radians are reduced without a long division.
constexpr double kFewTurns = 1e9;

Fixed HalfPi(int scale) {
    return detail::DivideSmall(detail::PiAt(scale), 2);
}

// x = q pi/2 + r with q the nearest integer: r, its bound and q mod 4. The quarter turns
// are taken with as many more digits of pi as x has integer digits.
struct Reduced {
    Fixed r;
    double error = 0;
    int quadrant = 0;
};
Reduced ReduceByQuarterTurns(const Argument& a, int scale) {
    Reduced out;
    if (std::fabs(a.approx) < kFewTurns) {
        // Few turns: q from the rough value (one off at worst, which leaves |r| a little
        // above pi/4), the turns taken off with one more limb of pi.
        const long long q = std::llround(a.approx / (kPi / 2));
        const auto turns = static_cast<std::uint32_t>(std::llabs(q));
        const int wide = scale + 1;
        const Fixed taken = detail::MultiplySmall(HalfPi(wide), turns);
        const Fixed x = detail::ArgumentAt(a, wide);
        out.r = detail::Rescale(q < 0 ? detail::Add(x, taken) : detail::Subtract(x, taken), wide,
                                scale);
        out.error = (turns + 1) * 1e-9 + 1;
        out.quadrant = static_cast<int>(((q % 4) + 4) % 4);
        return out;
    }
    const int wide = std::min(scale + a.intLength / detail::kLimbDigits + 2, detail::kMaxScale);
    const Fixed x = detail::ArgumentAt(a, wide);
    const Fixed halfPi = HalfPi(wide);
    Fixed q = detail::Divide(x, halfPi, wide);
    const Fixed half = detail::DivideSmall(detail::FixedInteger(1, wide), 2);
    q = detail::Add(q, q.negative ? detail::Negated(half) : half);
    detail::DropLimbs(q.mag, wide);  // the nearest integer, halves away from zero
    const int low = q.mag.n == 0 ? 0 : static_cast<int>(q.mag.v[0] % 4);  // 10^9 = 0 mod 4
    out.quadrant = q.negative ? (4 - low) % 4 : low;
    const double turns = std::fabs(detail::ApproximateValue(q, 0));
    q = detail::Rescale(q, 0, wide);
    const Fixed r = detail::Subtract(x, detail::Multiply(q, halfPi, wide));
    out.r = detail::Rescale(r, wide, scale);
    out.error = (turns + 1) * std::pow(10.0, -detail::kLimbDigits * (wide - scale)) + 1;
    return out;
}

// sin x and cos x from the reduced argument.
struct SinCosOf {
    Fixed sin;
    Fixed cos;
    double error = 0;
};
SinCosOf SinCosAt(const Argument& a, int scale) {
    const Reduced reduced = ReduceByQuarterTurns(a, scale);
    const detail::SinCos sc = detail::SinCosKernel(reduced.r, reduced.error, scale);
    SinCosOf out;
    out.error = sc.error;
    switch (reduced.quadrant) {
        case 0:
            out.sin = sc.sin;
            out.cos = sc.cos;
            break;
        case 1:
            out.sin = sc.cos;
            out.cos = detail::Negated(sc.sin);
            break;
        case 2:
            out.sin = detail::Negated(sc.sin);
            out.cos = detail::Negated(sc.cos);
            break;
        default:
            out.sin = detail::Negated(sc.cos);
            out.cos = sc.sin;
            break;
    }
    return out;
}

// pi/2 - atan(y) for x > 1 and -pi/2 - atan(y) for x < -1, y = 1/x; atan x within one.
Approx AtanAt(const Argument& a, int scale) {
    const Fixed x = detail::ArgumentAt(a, scale);
    const Fixed one = detail::FixedInteger(1, scale);
    if (detail::CompareMagnitude(x, one) <= 0) return detail::AtanKernel(x, 0, scale);
    const Approx inner = detail::AtanKernel(detail::Divide(one, x, scale), 1, scale);
    const Fixed halfPi = HalfPi(scale);
    const Fixed side = x.negative ? detail::Negated(halfPi) : halfPi;
    return {detail::Subtract(side, inner.value), inner.error + 2};
}

// asin x through the arc tangent of x / sqrt(1 - x^2) or, nearer to +-1, of
// sqrt(1 - x^2) / |x|. 1 - x^2 is exact at twice the scale, so the root is exact to the ulp.
Approx AsinAt(const Argument& a, int scale) {
    const Fixed x = detail::ArgumentAt(a, scale);
    const Fixed square = detail::Multiply(x, x, 0);  // at twice the scale
    const Fixed rest = detail::Subtract(detail::FixedInteger(1, 2 * scale), square);
    const Fixed root = detail::SquareRoot(rest, 0);
    Fixed magnitude = x;
    magnitude.negative = false;
    if (detail::CompareMagnitude(root, magnitude) >= 0) {
        return detail::AtanKernel(detail::Divide(x, root, scale), 3, scale);
    }
    const Approx inner = detail::AtanKernel(detail::Divide(root, magnitude, scale), 3, scale);
    Fixed value = detail::Subtract(HalfPi(scale), inner.value);
    if (x.negative) value = detail::Negated(value);
    return {value, inner.error + 2};
}

}  // namespace

FunctionValue Sin(ArithContext& ctx, std::string_view x) {
    return detail::CutFunction(ctx, x, "0", [](const Argument& a, int scale) {
        const SinCosOf sc = SinCosAt(a, scale);
        return Approx{sc.sin, sc.error};
    });
}

FunctionValue Cos(ArithContext& ctx, std::string_view x) {
    return detail::CutFunction(ctx, x, "1", [](const Argument& a, int scale) {
        const SinCosOf sc = SinCosAt(a, scale);
        return Approx{sc.cos, sc.error};
    });
}

FunctionValue Tan(ArithContext& ctx, std::string_view x) {
    return detail::CutFunction(ctx, x, "0", [](const Argument& a, int scale) {
        const SinCosOf sc = SinCosAt(a, scale);
        if (detail::IsNil(sc.cos)) return Approx{Fixed(), 1e300};  // too close to call
        const Fixed value = detail::Divide(sc.sin, sc.cos, scale);
        // (e + |tan| e) / |cos|, with |cos| taken a little low.
        const double cosLog10 = detail::ApproximateLog10(sc.cos, scale);
        const double tanValue = std::fabs(detail::ApproximateValue(value, scale));
        const double error =
            detail::RatioOfBound(sc.error * (1 + tanValue) + 1, cosLog10 - 0.01) + 1;
        return Approx{value, error};
    });
}

FunctionValue Atan(ArithContext& ctx, std::string_view x) {
    return detail::CutFunction(ctx, x, "0", AtanAt);
}

FunctionValue Asin(ArithContext& ctx, std::string_view x) {
    std::string magnitude(x);
    if (CompareWithOne(magnitude) != 0) return detail::Refused(FunctionFault::kArcSineArgument);
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return {"0"};
    return detail::FromResult(
        detail::CutExactly(ctx, 0, [&](int scale) { return AsinAt(a, scale); }));
}

FunctionValue Acos(ArithContext& ctx, std::string_view x) {
    std::string magnitude(x);
    if (CompareWithOne(magnitude) != 0) return detail::Refused(FunctionFault::kArcCosineArgument);
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.IsOne()) return {"0"};
    return detail::FromResult(detail::CutExactly(ctx, 0, [&](int scale) {
        if (a.zero) return Approx{HalfPi(scale), 1};
        const Approx asin = AsinAt(a, scale);
        return Approx{detail::Subtract(HalfPi(scale), asin.value), asin.error + 1};
    }));
}

FunctionValue TimesPi(ArithContext& ctx, std::string_view x) {
    const Argument a = detail::ReadArgument(ctx, x);
    if (a.overflow) return detail::Refused(FunctionFault::kOverflow);
    if (a.zero) return {"0"};
    return detail::FromResult(detail::CutExactly(ctx, a.intLength + 1, [&](int scale) {
        const Fixed value =
            detail::Multiply(detail::ArgumentAt(a, scale), detail::PiAt(scale), scale);
        return Approx{value, std::fabs(a.approx) + 2};
    }));
}

}  // namespace pemu::arith
