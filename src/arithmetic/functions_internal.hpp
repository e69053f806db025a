#pragma once
// Shorthands shared by the function files: the five operations bound to one context, and
// the tests on result texts they keep repeating.
#include <string>
#include <string_view>

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

inline bool HasPoint(std::string_view s) {
    return s.find('.') != std::string_view::npos;
}

// A domain failure as the functions report it: "E" + the formula message number.
inline std::string DomainError(int code) {
    return "E" + std::to_string(code);
}

}  // namespace pemu::arith::detail
