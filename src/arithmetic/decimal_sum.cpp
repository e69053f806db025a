// Addition and subtraction: both operands lined up on the point, cut to the display width
// when a limit is given, then added or subtracted digit by digit.
#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "arithmetic/operand.hpp"

namespace pemu::arith {

namespace {

using detail::Operand;

struct RawOperand {
    std::string_view text;
    bool minusPrefix = false;
};

// Digits of an operand counted in units of 10^-scale from the right, low-order digits
// beyond the scale dropped.
class UnitDigits {
  public:
    UnitDigits(const Operand& op, int scale)
        : op_(op),
          top_(static_cast<long long>(op.intDigits.size()) - 1 + scale),
          length_(static_cast<long long>(op.RunLength())) {}
    // Number of unit positions the operand fills.
    long long Width() const { return top_ + 1 > 0 ? top_ + 1 : 0; }
    int At(long long position) const {
        const long long index = top_ - position;
        return index >= 0 && index < length_ ? op_.RunDigit(static_cast<std::size_t>(index)) : 0;
    }

  private:
    const Operand& op_;
    long long top_;
    long long length_;
};

// -1, 0 or 1 for x against y, both taken over the positions below width.
int CompareUnits(const UnitDigits& x, const UnitDigits& y, long long width) {
    for (long long p = width - 1; p >= 0; --p) {
        const int dx = x.At(p);
        const int dy = y.At(p);
        if (dx != dy) return dx < dy ? -1 : 1;
    }
    return 0;
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
    const UnitDigits ux(x, scale);
    const UnitDigits uy(y, scale);
    const long long positions = std::max(ux.Width(), uy.Width());

    char buffer[2 * kOperandMax + detail::kMaxFracDigits + 2];
    char* digits = buffer;
    const long long length = positions + 1;
    bool negative = x.negative;
    if (x.negative == y.negative) {
        int carry = 0;
        for (long long p = 0; p < positions; ++p) {
            const int s = ux.At(p) + uy.At(p) + carry;
            carry = s >= 10 ? 1 : 0;
            digits[length - 1 - p] = static_cast<char>('0' + s - 10 * carry);
        }
        digits[0] = static_cast<char>('0' + carry);
    } else {
        const int order = CompareUnits(ux, uy, positions);
        if (order == 0) return "0";
        const UnitDigits& big = order > 0 ? ux : uy;
        const UnitDigits& small = order > 0 ? uy : ux;
        negative = order > 0 ? x.negative : y.negative;
        int borrow = 0;
        for (long long p = 0; p < positions; ++p) {
            int d = big.At(p) - small.At(p) - borrow;
            borrow = d < 0 ? 1 : 0;
            digits[length - 1 - p] = static_cast<char>('0' + d + 10 * borrow);
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
