// Addition and subtraction: both operands lined up on the point, cut to the display width
// when a limit is given, then added or subtracted digit by digit.
#include <algorithm>
#include <string>

#include "arithmetic/decimal.hpp"
#include "arithmetic/operand.hpp"

namespace pemu::arith {

namespace {

using detail::Operand;

struct RawOperand {
    std::string_view text;
    bool minusPrefix = false;
};

// Writes the digits of op counted in units of 10^-scale into out[0, width), most
// significant first and right-aligned: low-order digits beyond the scale are dropped and
// stray characters of malformed text become '0'.
void FillUnits(const Operand& op, int scale, long long width, char* out) {
    const long long top = static_cast<long long>(op.intDigits.size()) - 1 + scale;
    const long long first = top - width + 1;  // run index that lands on out[0]
    std::fill(out, out + width, '0');
    const auto copy = [&](std::string_view segment, long long runStart) {
        const long long begin = std::max(runStart, first);
        const long long end =
            std::min(runStart + static_cast<long long>(segment.size()), first + width);
        for (long long r = begin; r < end; ++r) {
            out[r - first] = static_cast<char>('0' + detail::DigitOf(segment[r - runStart]));
        }
    };
    copy(op.intDigits, 0);
    copy(op.fracDigits, static_cast<long long>(op.intDigits.size()));
}

long long UnitWidth(const Operand& op, int scale) {
    const long long width = static_cast<long long>(op.intDigits.size()) + scale;
    return width > 0 ? width : 0;
}

std::string AddOperands(ArithContext& ctx, RawOperand a, RawOperand b, int limit) {
    const bool aZero = IsZero(a.text);
    const bool bZero = IsZero(b.text);
    if (aZero && bZero) return "0";
    if (aZero) a = {"0", false};
    if (bZero) b = {"0", false};
    Operand x;
    Operand y;
    if (!detail::ReadOperand(a.text, a.minusPrefix, ctx, x)) return "EF";
    if (!detail::ReadOperand(b.text, b.minusPrefix, ctx, y)) return "EF";

    const int fraction = std::max(x.FracLength(), y.FracLength());
    const int width = std::max(x.IntLength(), y.IntLength()) + fraction;
    const int scale = limit > 0 && width > limit ? fraction - (width - limit) : fraction;
    const long long positions = std::max(UnitWidth(x, scale), UnitWidth(y, scale));

    // digits[0] takes a carry; the operands' units fill the positions after it.
    char digits[2 * kOperandMax + detail::kMaxFracDigits + 2];
    char ux[sizeof digits];
    char uy[sizeof digits];
    const long long length = positions + 1;
    FillUnits(x, scale, positions, ux);
    FillUnits(y, scale, positions, uy);
    bool negative = x.negative;
    if (x.negative == y.negative) {
        int carry = 0;
        for (long long k = positions - 1; k >= 0; --k) {
            const int s = (ux[k] - '0') + (uy[k] - '0') + carry;
            carry = s >= 10 ? 1 : 0;
            digits[k + 1] = static_cast<char>('0' + s - 10 * carry);
        }
        digits[0] = static_cast<char>('0' + carry);
    } else {
        const int order =
            std::char_traits<char>::compare(ux, uy, static_cast<std::size_t>(positions));
        if (order == 0) return "0";
        const char* big = order > 0 ? ux : uy;
        const char* small = order > 0 ? uy : ux;
        negative = order > 0 ? x.negative : y.negative;
        int borrow = 0;
        for (long long k = positions - 1; k >= 0; --k) {
            const int d = (big[k] - '0') - (small[k] - '0') - borrow;
            borrow = d < 0 ? 1 : 0;
            digits[k + 1] = static_cast<char>('0' + d + 10 * borrow);
        }
        digits[0] = '0';
    }
    return detail::FinishResult(ctx, std::string_view(digits, static_cast<std::size_t>(length)),
                                scale, negative);
}

}  // namespace

std::string DecimalAdd(ArithContext& ctx, std::string_view a, std::string_view b, int limit) {
    return AddOperands(ctx, {a.substr(0, kOperandMax)}, {b.substr(0, kOperandMax)}, limit);
}

std::string DecimalSubtract(ArithContext& ctx, std::string_view a, std::string_view b, int limit) {
    a = a.substr(0, kSubtractOperandMax);
    b = b.substr(0, kSubtractOperandMax);
    // The flipped subtrahend lives in the same small buffer: a '-' put in front pushes its
    // last character out.
    const RawOperand flipped = !b.empty() && b.front() == '-'
                                   ? RawOperand{b.substr(1), false}
                                   : RawOperand{b.substr(0, kSubtractOperandMax - 1), true};
    return AddOperands(ctx, {a}, flipped, limit);
}

}  // namespace pemu::arith
