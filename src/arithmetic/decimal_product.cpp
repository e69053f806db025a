// Multiplication and division on the digit runs of the operands, points put back after.
#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "arithmetic/limbs.hpp"
#include "arithmetic/operand.hpp"

namespace pemu::arith {

namespace {

using detail::Limbs;
using detail::Operand;

// Result text of a run value x standing for x * 10^-fracLength.
std::string FinishLimbs(const ArithContext& ctx, const Limbs& x, int fracLength, bool negative) {
    char digits[detail::kMaxLimbDigits];
    const int count = detail::LimbsToDigits(x, digits);
    return detail::FinishResult(ctx, std::string_view(digits, static_cast<std::size_t>(count)),
                                fracLength, negative);
}

// Both operands of a product or quotient; "" when they are ready, else the result.
std::string ReadFactors(const ArithContext& ctx, std::string_view a, std::string_view b, Operand& x,
                        Operand& y) {
    a = a.substr(0, kOperandMax);
    b = b.substr(0, kOperandMax);
    if (IsZero(a) || IsZero(b)) return "0";
    if (!detail::ReadOperand(a, false, ctx, x) || !detail::ReadOperand(b, false, ctx, y)) {
        return "EF";
    }
    return {};
}

}  // namespace

std::string DecimalMultiply(ArithContext& ctx, std::string_view a, std::string_view b) {
    Operand x;
    Operand y;
    if (std::string early = ReadFactors(ctx, a, b, x, y); !early.empty()) return early;
    Limbs lx;
    Limbs ly;
    Limbs product;
    detail::LimbsFromRun(x, lx);
    detail::LimbsFromRun(y, ly);
    detail::MultiplyLimbs(lx, ly, product);
    return FinishLimbs(ctx, product, x.FracLength() + y.FracLength(), x.negative != y.negative);
}

std::string DecimalDivide(ArithContext& ctx, std::string_view a, std::string_view b,
                          int fracDigits) {
    if (IsZero(b)) {
        ctx.divideError = true;
        return "0";
    }
    Operand x;
    Operand y;
    if (std::string early = ReadFactors(ctx, a, b, x, y); !early.empty()) return early;
    Limbs divisor;
    detail::LimbsFromRun(y, divisor);
    if (divisor.n == 0) {  // every digit of the divisor lay beyond the kept fraction
        ctx.divideError = true;
        return "0";
    }
    // The quotient of the runs gets digits + 1 fraction digits, so that after the point is
    // shifted back at least one digit beyond the kept fraction remains.
    const int digits =
        fracDigits > 0 ? std::min(fracDigits, detail::kMaxFracDigits) : detail::FracDigitsOf(ctx);
    const int shift = y.FracLength() - x.FracLength();
    const int runFraction = digits + std::max(shift, 0) + 1;
    Limbs numerator;
    Limbs quotient;
    detail::LimbsFromRun(x, numerator);
    detail::ShiftLimbs(numerator, runFraction);
    detail::DivideLimbs(numerator, divisor, quotient);
    // A shorter quotient asked for is cut there rather than at workFracDigits.
    ArithContext cut = ctx;
    if (digits < cut.workFracDigits) cut.workFracDigits = digits;
    return FinishLimbs(cut, quotient, runFraction - shift, x.negative != y.negative);
}

}  // namespace pemu::arith
