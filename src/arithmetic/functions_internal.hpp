#pragma once
// Shorthands shared by the function files.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "arithmetic/constants.hpp"
#include "arithmetic/context.hpp"
#include "arithmetic/decimal.hpp"
#include "arithmetic/fixed_point.hpp"
#include "arithmetic/functions.hpp"

namespace pemu::arith::detail {

// Integer digits a function value may have and still be worked on beside its fraction.
inline constexpr int kWidestIntegerDigits = (kMaxIntegerLimbs - 2) * kLimbDigits;

inline bool IsOverflow(std::string_view s) {
    return IsFailureText(s);
}
inline bool IsNegative(std::string_view s) {
    return !s.empty() && s.front() == '-' && !IsZero(s);
}

// A value worked out as the operations write one: their "EF" is the overflow.
inline FunctionValue FromResult(std::string text) {
    if (IsFailureText(text)) return {{}, FunctionFault::kOverflow};
    return {std::move(text)};
}
inline FunctionValue Refused(FunctionFault fault) {
    return {{}, fault};
}

// bound / 10^log10Divisor without overflowing a double on the way.
inline double RatioOfBound(double bound, double log10Divisor) {
    if (bound <= 0) return 0;
    return std::pow(10.0, std::log10(bound) - log10Divisor);
}

}  // namespace pemu::arith::detail
