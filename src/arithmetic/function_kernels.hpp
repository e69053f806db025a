#pragma once
// The series behind the functions, on fixed-point values at one scale, each with a bound
// on its distance from the true value. The callers reduce the arguments into the ranges
// named here and decide the last digit from the bound (exact_cut.hpp).
#include "arithmetic/fixed_point.hpp"

namespace pemu::arith::detail {

// A value and a bound, in ulps of its scale, on its distance from the true value.
struct Approx {
    Fixed value;
    double error = 0;
};

// pi, ln 2 and ln 10 at a scale, within one ulp; computed once per scale.
const Fixed& PiAt(int scale);
const Fixed& Ln2At(int scale);
const Fixed& Ln10At(int scale);

// e^x for an x within xError ulps, with e^x below 10^(9 kMaxIntegerLimbs - 9).
Approx ExpKernel(const Fixed& x, double xError, int scale);
// ln x for an exact x > 0.
Approx LnKernel(const Fixed& x, int scale);
// atan y for |y| <= 1 within yError ulps.
Approx AtanKernel(const Fixed& y, double yError, int scale);

struct SinCos {
    Fixed sin;
    Fixed cos;
    double error = 0;  // for both
};
// sin r and cos r for |r| <= 0.8 within rError ulps.
SinCos SinCosKernel(const Fixed& r, double rError, int scale);

}  // namespace pemu::arith::detail
