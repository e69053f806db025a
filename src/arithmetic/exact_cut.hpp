#pragma once
// The last digit of a function value: a value is only given out when every value within
// its bound cuts to the same digits; otherwise it is computed again with more digits.
#include <string>
#include <string_view>

#include "arithmetic/function_kernels.hpp"
#include "arithmetic/functions_internal.hpp"
#include "arithmetic/operand.hpp"

namespace pemu::arith::detail {

// Guard digits of the first try; each further try has three times as many.
inline constexpr int kFirstGuardDigits = 20;

// The cut (toward zero) of value at the context's fraction digits, written as the
// operations write a result; "0" for a zero cut, "EF" beyond the integer digits.
std::string CutText(const ArithContext& ctx, const Fixed& value, int scale);

// That cut when every value within the bound has it; empty when the bound leaves it open.
std::string DecidedCut(const ArithContext& ctx, const Approx& approx, int scale);

// attempt(scale) -> Approx, at scales with room for the fraction digits, extraDigits more
// (the integer digits of a large value) and the guard digits, until the cut is decided.
// At the widest scale the cut of the value is given as it is.
template <class Attempt>
std::string CutExactly(const ArithContext& ctx, int extraDigits, Attempt attempt) {
    const int fraction = FracDigitsOf(ctx) + (extraDigits > 0 ? extraDigits : 0);
    for (int guard = kFirstGuardDigits;; guard *= 3) {
        int scale = (fraction + guard + kLimbDigits - 1) / kLimbDigits;
        const bool last = scale >= kMaxScale;
        if (last) scale = kMaxScale;
        const Approx approx = attempt(scale);
        std::string text = DecidedCut(ctx, approx, scale);
        if (!text.empty()) return text;
        if (last) return CutText(ctx, approx.value, scale);
    }
}

// A function's argument as the operations read an operand: cut to the operand buffer,
// sign, leading and trailing zeros taken off, fraction cut to the context's digits.
struct Argument {
    bool overflow = false;  // integer part longer than 2 x workIntDigits
    bool zero = false;
    bool negative = false;
    double approx = 0;  // roughly, only for choosing a way to compute
    std::string text;   // "-12.5" style, canonical
    int intLength = 0;  // digits before the point, 0 below one
    int fracLength = 0;
    std::string_view IntDigits() const {
        return std::string_view(text).substr(negative ? 1 : 0, static_cast<std::size_t>(intLength));
    }
    std::string_view FracDigits() const {
        return std::string_view(text).substr(text.size() - static_cast<std::size_t>(fracLength));
    }
    bool IsOne() const { return text == "1"; }
};
Argument ReadArgument(const ArithContext& ctx, std::string_view text);
// The argument at a scale; exact, since its fraction fits every scale the functions use.
Fixed ArgumentAt(const Argument& a, int scale);

// f(x) for a function whose value at zero is atZero: an overflow for an argument that
// overflows, atZero for zero, else attempt(argument, scale) cut exactly.
template <class Attempt>
FunctionValue CutFunction(const ArithContext& ctx, std::string_view x, const char* atZero,
                          Attempt attempt) {
    const Argument a = ReadArgument(ctx, x);
    if (a.overflow) return Refused(FunctionFault::kOverflow);
    if (a.zero) return {atZero};
    return FromResult(CutExactly(ctx, 0, [&](int scale) { return attempt(a, scale); }));
}

}  // namespace pemu::arith::detail
