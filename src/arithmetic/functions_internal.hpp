#pragma once
// Shorthands shared by the function files: the five operations bound to one context, and
// the tests on result texts they keep repeating.
#include <algorithm>
#include <string>
#include <string_view>

#include "arithmetic/constants.hpp"
#include "arithmetic/context.hpp"
#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"

namespace pemu::arith::detail {

class Ops {
  public:
    explicit Ops(ArithContext& ctx) : ctx_(ctx) {}
    std::string Add(std::string_view a, std::string_view b) { return DecimalAdd(ctx_, a, b, 0); }
    // a + (-b): the subtraction cuts its operands to 299 characters, shorter than the
    // values of the widest settings (2 x 105 integer and 105 fraction digits).
    std::string Sub(std::string_view a, std::string_view b) {
        return DecimalAdd(ctx_, a, Negate(b), 0);
    }
    std::string Mul(std::string_view a, std::string_view b) { return DecimalMultiply(ctx_, a, b); }
    std::string Div(std::string_view a, std::string_view b) { return DecimalDivide(ctx_, a, b); }
    std::string Sqrt(std::string_view a) { return DecimalSqrt(ctx_, a); }
    ArithContext& ctx() { return ctx_; }

  private:
    ArithContext& ctx_;
};

inline bool IsOverflow(std::string_view s) {
    return !s.empty() && s.front() == 'E';
}
inline bool IsNegative(std::string_view s) {
    return !s.empty() && s.front() == '-' && !IsZero(s);
}

// Decimal digits of 2^n for a non-negative integer text n (0.30103 per binary digit).
inline int DigitsOfPowerOfTwo(std::string_view n) {
    long long value = 0;
    for (const char ch : n) {
        if (ch >= '0' && ch <= '9') value = value * 10 + (ch - '0');
        if (value > 100000) break;
    }
    return static_cast<int>(static_cast<double>(value) * 0.30103) + 1;
}

// ctx with `extra` more fraction digits, as far as the stored constants reach and the
// widest values (2 I integer digits, a sign and a point) still fit an operand.
inline ArithContext WithMoreFraction(const ArithContext& ctx, int extra) {
    const int fitting = static_cast<int>(kOperandMax) - 2 * ctx.workIntDigits - 4;
    ArithContext wide = ctx;
    wide.workFracDigits = std::max(
        ctx.workFracDigits, std::min({ctx.workFracDigits + extra, kConstantFracDigits, fitting}));
    return wide;
}

// A domain failure as the functions report it: "E" + the formula message number.
inline std::string DomainError(int code) {
    return "E" + std::to_string(code);
}

}  // namespace pemu::arith::detail
