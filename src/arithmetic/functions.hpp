#pragma once
// High-precision functions built from the five decimal operations alone. Every
// intermediate is cut to ctx.workFracDigits fraction digits, so the last digits follow the
// cuts and are not correctly rounded. The series lengths grow with ctx.workIntDigits (I)
// and ctx.workFracDigits (F), not with the argument.
//
// Arguments are decimal texts as the operations accept them (a leading '+' is allowed).
// Results are decimal texts, "EF" when a value overflows the integer digits, or, for an
// argument outside a function's domain, "E" followed by the number of the formula message
// that names the fault ("E817"); nothing throws. Division by a zero intermediate sets
// ctx.divideError, as the division does.
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"

namespace pemu::arith {

// ---- Helpers on the text --------------------------------------------------------------

// x with its sign changed: a leading '-' is removed, a leading '+' becomes '-', otherwise
// '-' is put in front.
std::string Negate(std::string_view x);
// The characters before the point, sign kept (truncation toward zero); x when it has no
// point; "0" when nothing stands before the point.
std::string IntegerPart(std::string_view x);
// x does not start with '-' and is not zero.
bool IsPositive(std::string_view x);
// Binary digits, most significant first, of a non-negative integer text (a sign is
// ignored); empty for zero.
std::string ToBinary(std::string_view n);
// The integer k with 0.5 <= |x| / 2^k < 1; 0 for a zero x.
int BinaryExponent(ArithContext& ctx, std::string_view x);

// ---- Powers -----------------------------------------------------------------------------

// x * 2^n for an integer text n, by repeated squaring of 2 (or 0.5 for a negative n).
std::string ScaleByPowerOfTwo(ArithContext& ctx, std::string_view x, std::string_view n);
// base^n for a non-negative integer text n (its sign is ignored); 1 for n = 0.
std::string IntPower(ArithContext& ctx, std::string_view base, std::string_view n);

// How a power with this base and exponent is computed. An exponent whose fraction is zero
// (2.0) counts as an integer.
enum class PowerDomain {
    kComputable,
    kZeroResult,                // zero to a positive fractional power
    kNegativeBaseFraction,      // a negative base with a fractional exponent (E817)
    kZeroBaseNegativeFraction,  // zero to a negative fractional power (E815)
};
PowerDomain ClassifyPower(std::string_view base, std::string_view e);

// base^e. An integer e by IntPower (a negative one as 1 / base^|e|); otherwise
// exp(e ln base). Outside the domain: "0", "E817" or "E815" as ClassifyPower says.
// 0^0 is 1 here; the formula evaluator rejects it before calling.
std::string Power(ArithContext& ctx, std::string_view base, std::string_view e);

// ---- Trigonometric functions (radians) ------------------------------------------------

// Taylor series with `terms` terms after the first, on x reduced by whole turns.
std::string Sin(ArithContext& ctx, std::string_view x, int terms);
// sin(pi/2 - x).
std::string Cos(ArithContext& ctx, std::string_view x, int terms);
// sin / cos; a zero cosine is a division by zero.
std::string Tan(ArithContext& ctx, std::string_view x, int terms);
// Continued fraction of depth F + 10.
std::string Atan(ArithContext& ctx, std::string_view x);
// -1 <= x <= 1, else "E822".
std::string Asin(ArithContext& ctx, std::string_view x);
// pi/2 - asin(x); -1 <= x <= 1, else "E823".
std::string Acos(ArithContext& ctx, std::string_view x);

// ---- Exponential, logarithms, hyperbolic functions -------------------------------------

// exp(r) 2^n with |r| <= ln 2 / 2, exp(r) by a continued fraction.
std::string Exp(ArithContext& ctx, std::string_view x);
// x > 0; "E824" for a negative x and "E825" for zero. Series in (m - 1) / (m + 1) with
// m = x / 2^k in [sqrt2/2, sqrt2), run until a term no longer changes the sum.
std::string Ln(ArithContext& ctx, std::string_view x);
// ln x / ln 10, with the same domain as Ln.
std::string Log10(ArithContext& ctx, std::string_view x);
std::string Sinh(ArithContext& ctx, std::string_view x);
std::string Cosh(ArithContext& ctx, std::string_view x);
std::string Tanh(ArithContext& ctx, std::string_view x);

// ---- Rounding --------------------------------------------------------------------------

// The largest integer not above x: floor(-2.5) is -3.
std::string Floor(std::string_view x);
// The smallest integer not below x: ceil(-2.5) is -2, ceil(2.5) is 3.
std::string Ceil(std::string_view x);
// x without a leading '+' or '-'.
std::string Fabs(std::string_view x);

}  // namespace pemu::arith
