#pragma once
// How the operations read an operand and write a result; shared by the five operations.
#include <cstddef>
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"

namespace pemu::arith::detail {

// Quotient digits asked for beyond this act as this many (the buffers are sized for it).
inline constexpr int kMaxFracDigits = 1000;

inline int DigitOf(char ch) {
    const unsigned d = static_cast<unsigned char>(ch) - static_cast<unsigned>('0');
    return d < 10 ? static_cast<int>(d) : 0;  // stray characters of malformed text count as 0
}

inline int FracDigitsOf(const ArithContext& ctx) {
    return ctx.workFracDigits < 0
               ? 0
               : (ctx.workFracDigits > kMaxFracDigits ? kMaxFracDigits : ctx.workFracDigits);
}

// An operand as the operations take it: its text cut to the working buffer, sign recorded,
// trailing fraction zeros and leading zeros stripped, fraction cut to workFracDigits.
struct Operand {
    bool negative = false;
    std::string_view intDigits;   // no leading zeros; empty for a value below one
    std::string_view fracDigits;  // may end in zeros left by the fraction cut
    int IntLength() const { return intDigits.empty() ? 1 : static_cast<int>(intDigits.size()); }
    int FracLength() const { return static_cast<int>(fracDigits.size()); }
    std::size_t RunLength() const { return intDigits.size() + fracDigits.size(); }
    // Digit i of the run intDigits + fracDigits (0 = most significant).
    int RunDigit(std::size_t i) const {
        return DigitOf(i < intDigits.size() ? intDigits[i] : fracDigits[i - intDigits.size()]);
    }
};

// Reads a nonzero operand; false when its integer part overflows (the result is "EF").
// minusPrefix stands for a '-' put in front of text (the flipped subtrahend).
bool ReadOperand(std::string_view text, bool minusPrefix, const ArithContext& ctx, Operand& out);

// The result text of digits (most significant first, leading zeros allowed) standing for
// digits x 10^-fracLength: "0" when no digit is nonzero; else canonical with the sign,
// "EF" when the integer part is longer than 2 x workIntDigits, and the fraction cut to
// workFracDigits after the zeros are stripped.
std::string FinishResult(const ArithContext& ctx, std::string_view digits, int fracLength,
                         bool negative);

}  // namespace pemu::arith::detail
