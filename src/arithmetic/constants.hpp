#pragma once
// The five stored constants of the function library, at 500 fraction digits, and their
// forms cut (never rounded) to the fraction digits of a context.
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"

namespace pemu::arith {

// Fraction digits of the stored texts; a context may ask for at most this many.
inline constexpr int kConstantFracDigits = 500;

extern const std::string_view kPiText;
extern const std::string_view kTwoPiText;
extern const std::string_view kHalfPiText;
extern const std::string_view kSqrt2Text;
extern const std::string_view kLn2Text;

// which 0: pi; 2: 2 pi; -2: pi / 2; any other value: "0". Cut after ctx.workFracDigits
// fraction digits, so the result may end in zeros (3.14159265358979323846264338327950).
std::string ConstPi(const ArithContext& ctx, int which);
std::string ConstSqrt2(const ArithContext& ctx);
std::string ConstLn2(const ArithContext& ctx);

}  // namespace pemu::arith
