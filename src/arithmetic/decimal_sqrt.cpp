// Square root: the integer root X of the operand's digits scaled to twice the fraction
// digits, on limbs. Newton's iteration from a / 2 on the truncating operations, stopped
// when a step leaves the value unchanged or (the two-value oscillation) at the smaller
// value, ends at exactly X; it is computed here directly. Its last step halved a sum that
// was odd exactly when N - X^2 >= X, and then the text kept every fraction digit, zeros
// included: that text is kept too.
#include "arithmetic/decimal.hpp"
#include "arithmetic/limbs.hpp"
#include "arithmetic/operand.hpp"

namespace pemu::arith {

std::string DecimalSqrt(ArithContext& ctx, std::string_view a) {
    a = a.substr(0, kOperandMax);
    if (IsZero(a)) return "0";
    detail::Operand x;
    if (!detail::ReadOperand(a, false, ctx, x)) return "EF";
    detail::Limbs run;
    detail::LimbsFromRun(x, run);
    if (run.n == 0) return "0";   // nothing left within the fraction digits
    if (x.negative) return "EF";  // no root to give
    const int fraction = detail::FracDigitsOf(ctx);
    detail::ShiftLimbs(run, 2 * fraction - x.FracLength());
    detail::Limbs root;
    detail::SquareRootLimbs(run, root);
    detail::Limbs rest;
    detail::MultiplyLimbs(root, root, rest);
    detail::SubtractLimbs(run, rest, rest);
    const bool oddHalving = detail::CompareLimbs(rest, root) >= 0;
    char digits[detail::kMaxLimbDigits + 1];
    int count = detail::LimbsToDigits(root, digits);
    if (oddHalving) digits[count++] = '5';
    return detail::FinishResult(ctx, std::string_view(digits, static_cast<std::size_t>(count)),
                                fraction + (oddHalving ? 1 : 0), false);
}

}  // namespace pemu::arith
