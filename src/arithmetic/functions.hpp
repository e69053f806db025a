#pragma once
// High-precision functions. Each result is the exact value cut (never rounded) after
// ctx.workFracDigits (F) fraction digits: the value is computed on fixed-point limbs with a
// bound on its error, and again with more digits until every value within the bound cuts
// to the same digits. A value that is exactly a decimal (ln 1, 4^0.5, log10 1000) comes
// out as that decimal. A zero cut is "0"; like the operations' results, a cut result may
// end in zeros (exp(7.120439141) at three digits is 1236.450).
//
// Arguments are read as the operations read an operand: cut to kOperandMax characters, a
// leading '+' allowed, the fraction cut to F digits, "EF" for an integer part longer than
// 2 x workIntDigits (I). A function gives a FunctionValue: a decimal text, or no text and
// the fault: an overflow when the value's integer part is longer than 2 I digits (or beyond
// about 300 digits, the widest the functions work at), or the argument outside the
// function's domain; nothing throws. The power helpers give texts as the operations do.
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"

namespace pemu::arith {

// Why a function gives no value. A domain fault's number is that of the formula message
// naming it.
enum class FunctionFault : int {
    kNone = 0,
    kOverflow = 1,
    kZeroBaseNegativeFraction = 815,
    kNegativeBaseFraction = 817,
    kArcSineArgument = 822,
    kArcCosineArgument = 823,
    kLogarithmOfNegative = 824,
    kLogarithmOfZero = 825,
};

struct FunctionValue {
    std::string text;  // empty with a fault
    FunctionFault fault = FunctionFault::kNone;
    bool Ok() const { return fault == FunctionFault::kNone; }
};

// The value as an operation's result is written: its text, "EF" for an overflow, "E" and
// the message number for a domain fault ("E817").
std::string ResultText(const FunctionValue& value);

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

// x * 2^n for an integer text n, by repeated squaring of 2 (or 0.5 for a negative n), each
// product cut as the multiplication cuts it.
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

// base^e. Outside the domain: "0", kNegativeBaseFraction or kZeroBaseNegativeFraction as
// ClassifyPower says (on the texts
// as given). 0^0 is 1 here; the formula evaluator rejects it before calling. Zero to a
// negative integer power is a division by zero ("0", ctx.divideError set). Both operands
// are cut to kOperandMax characters before anything is worked out, so a long exponent
// costs no more than the operand limit allows.
FunctionValue Power(ArithContext& ctx, std::string_view base, std::string_view e);

// ---- Trigonometric functions (radians) ------------------------------------------------

FunctionValue Sin(ArithContext& ctx, std::string_view x);
FunctionValue Cos(ArithContext& ctx, std::string_view x);
FunctionValue Tan(ArithContext& ctx, std::string_view x);
FunctionValue Atan(ArithContext& ctx, std::string_view x);
// -1 <= x <= 1, else kArcSineArgument.
FunctionValue Asin(ArithContext& ctx, std::string_view x);
// -1 <= x <= 1, else kArcCosineArgument.
FunctionValue Acos(ArithContext& ctx, std::string_view x);
// x times pi.
FunctionValue TimesPi(ArithContext& ctx, std::string_view x);

// ---- Exponential, logarithms, hyperbolic functions -------------------------------------

FunctionValue Exp(ArithContext& ctx, std::string_view x);
// x > 0; kLogarithmOfNegative for a negative x, kLogarithmOfZero for zero (after the
// fraction cut).
FunctionValue Ln(ArithContext& ctx, std::string_view x);
// The same domain as Ln.
FunctionValue Log10(ArithContext& ctx, std::string_view x);
FunctionValue Sinh(ArithContext& ctx, std::string_view x);
FunctionValue Cosh(ArithContext& ctx, std::string_view x);
FunctionValue Tanh(ArithContext& ctx, std::string_view x);

// ---- Rounding --------------------------------------------------------------------------

// The largest integer not above x: floor(-2.5) is -3.
std::string Floor(std::string_view x);
// The smallest integer not below x: ceil(-2.5) is -2, ceil(2.5) is 3.
std::string Ceil(std::string_view x);
// x without a leading '+' or '-'.
std::string Fabs(std::string_view x);

}  // namespace pemu::arith
