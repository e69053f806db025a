#pragma once
// Signed fixed-point numbers for the function library: a magnitude in base-10^9 limbs
// standing for magnitude x 10^(-9 scale). Every value of one computation shares its scale;
// a truncating step is off by less than one unit of the last limb (an "ulp").
#include <cstdint>
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"
#include "arithmetic/limbs.hpp"

namespace pemu::arith::detail {

// The widest scale the functions work at (1080 fraction digits), and the widest integer
// part beside it, so that a product of two values still fits the limbs.
inline constexpr int kMaxScale = 120;
inline constexpr int kMaxIntegerLimbs = 36;

struct Fixed {
    Limbs mag;
    bool negative = false;
};

inline bool IsNil(const Fixed& x) {
    return x.mag.n == 0;
}
// value x 10^(9 scale), value below 10^18.
Fixed FixedInteger(std::uint64_t value, int scale);
// A decimal text (sign, digits, point) cut after 9 scale fraction digits. False when its
// integer part is wider than kMaxIntegerLimbs.
bool FixedFromText(std::string_view text, int scale, Fixed& out);
// Digits of the magnitude with the point 9 scale digits from the right, and the sign:
// "-0.000000001" style, canonical except for trailing zeros.
std::string FixedToText(const Fixed& x, int scale);

Fixed Negated(Fixed x);
Fixed Add(const Fixed& a, const Fixed& b);
Fixed Subtract(const Fixed& a, const Fixed& b);
// |a| against |b|: -1, 0 or 1.
int CompareMagnitude(const Fixed& a, const Fixed& b);
// a x b cut toward zero at the scale, or one ulp less.
Fixed Multiply(const Fixed& a, const Fixed& b, int scale);
// Exact.
Fixed MultiplySmall(Fixed x, std::uint32_t m);
// Cut toward zero; d > 0.
Fixed DivideSmall(Fixed x, std::uint32_t d);
// a / b cut toward zero at the scale; b nonzero.
Fixed Divide(const Fixed& a, const Fixed& b, int scale);
// floor(sqrt(|a| x 10^(9 shift))) as a magnitude: with shift = the scale of a, the root
// at that scale; with shift 0 and a at twice a scale, the root at that scale.
Fixed SquareRoot(const Fixed& a, int shift);
// x at another scale: cut toward zero when narrower, exact when wider.
Fixed Rescale(Fixed x, int from, int to);
// x x 2^n (n may be negative; cut toward zero then).
Fixed ScaleByTwo(Fixed x, int n);
// x roughly, as a double: only for choosing a reduction, never for a digit of a result.
double ApproximateValue(const Fixed& x, int scale);
// log10 |x| roughly, for any nonzero x however small or large.
double ApproximateLog10(const Fixed& x, int scale);
// An integer number of ulps not below `ulps` (which must be finite and >= 0).
Fixed ErrorBound(double ulps);

}  // namespace pemu::arith::detail
