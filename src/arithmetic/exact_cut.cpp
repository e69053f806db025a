#include "arithmetic/exact_cut.hpp"

#include <cstdlib>

#include "arithmetic/decimal.hpp"

namespace pemu::arith::detail {

std::string CutText(const ArithContext& ctx, const Fixed& value, int scale) {
    char digits[kMaxLimbDigits];
    const int count = LimbsToDigits(value.mag, digits);
    std::string text = FinishResult(ctx, std::string_view(digits, static_cast<std::size_t>(count)),
                                    scale * kLimbDigits, value.negative);
    if (text != "EF" && IsZero(text)) return "0";
    return text;
}

std::string DecidedCut(const ArithContext& ctx, const Approx& approx, int scale) {
    const Fixed bound = ErrorBound(approx.error);
    std::string low = CutText(ctx, Subtract(approx.value, bound), scale);
    if (low != CutText(ctx, Add(approx.value, bound), scale)) return {};
    return low;
}

Argument ReadArgument(const ArithContext& ctx, std::string_view text) {
    Argument a;
    text = text.substr(0, kOperandMax);
    if (IsZero(text)) {
        a.zero = true;
        a.text = "0";
        return a;
    }
    Operand op;
    if (!ReadOperand(text, false, ctx, op)) {
        a.overflow = true;
        return a;
    }
    while (!op.fracDigits.empty() && op.fracDigits.back() == '0')
        op.fracDigits.remove_suffix(1);
    if (op.intDigits.empty() && op.fracDigits.empty()) {  // nothing left within the digits
        a.zero = true;
        a.text = "0";
        return a;
    }
    a.negative = op.negative;
    a.text = (a.negative ? "-" : "") +
             (op.intDigits.empty() ? std::string("0") : std::string(op.intDigits));
    if (!op.fracDigits.empty()) a.text += "." + std::string(op.fracDigits);
    a.intLength = static_cast<int>(op.intDigits.size());
    a.fracLength = static_cast<int>(op.fracDigits.size());
    a.approx = std::strtod(a.text.c_str(), nullptr);
    return a;
}

Fixed ArgumentAt(const Argument& a, int scale) {
    Fixed x;
    FixedFromText(a.text, scale, x);
    return x;
}

}  // namespace pemu::arith::detail
