#pragma once
// Decimal string numbers: optional '-', digits, at most one '.'; no exponent, no grouping.
// "EF" is the overflow marker; it holds no digit 1..9 and so counts as zero.
// Texts are CP932 bytes in std::string; sizes below are the fixed sizes users can see.
#include <cstddef>
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"

namespace pemu::arith {

// Largest operand the operations take: longer texts are cut to this many characters,
// as the fixed working buffers did (599, and 299 for a subtraction).
inline constexpr std::size_t kOperandMax = 599;
inline constexpr std::size_t kSubtractOperandMax = 299;

// Operation codes shared with the operator keys.
inline constexpr int kOpAdd = 17;
inline constexpr int kOpSubtract = 18;
inline constexpr int kOpMultiply = 19;
inline constexpr int kOpDivide = 20;

// ---- Number helpers -------------------------------------------------------------------

// '<', '=' or '>' for |a| against |b|; both unsigned and canonical. Trailing zeros are not
// ignored (1.50 > 1.5).
char CompareMagnitude(std::string_view a, std::string_view b);
// s names no value: the overflow marker "EF", or a function's fault as ResultText writes it.
inline bool IsFailureText(std::string_view s) {
    return !s.empty() && s.front() == 'E';
}
// True when s holds no '1'..'9' ("", "0", "-0.000" and "EF" are zero).
bool IsZero(std::string_view s);
// Only when s has a point: drop trailing zeros, then a trailing point; all zeros -> "0".
void StripTrailingZeros(std::string& s);
void StripFractionZeros(std::string& s);
// Drops leading '0', '+', '-' (a '-' among them is put back); returns the count removed.
int StripLeadingZeros(std::string& s);
void RemoveSign(std::string& s);
bool IsMinus(char ch);
// Characters before the point, sign included; the whole length without a point.
int IntegerPartLength(std::string_view s);
// 1 when s > 1, -1 when s < -1, else 0; leaves s without leading zeros.
int CompareWithOne(std::string& s);
// Overflow test ("EF") and fraction cut to ctx.workFracDigits, in place.
void LimitDigits(std::string& s, const ArithContext& ctx);
// Canonical sign and leading zeros for a number read back from text; size bounds the
// one insertion (the buffer size the caller would have had, terminator included).
void NormaliseNumberText(std::string& s, std::size_t size);
bool IsNumberText(std::string_view s);
// ',' between groups of three integer digits; at most max characters are produced.
std::string GroupThousands(std::string_view s, std::size_t max);
bool IsOperatorChar(char ch);
inline constexpr bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}
bool IsLowerLetter(char ch);
// A digit or the point.
bool IsNumberChar(char ch);

// ---- Labels of setting values ---------------------------------------------------------

const char* RoundSelectorName(int value, bool longName);
const char* DecimalSelectorName(int value, bool longName);
const char* MakerName(int type);
const char* OnOffName(bool on, bool padded);

// ---- The five operations --------------------------------------------------------------
// Common contract:
// - Operands are read, not kept: they may view the caller's own result string.
// - Each operand is first cut to kOperandMax characters (kSubtractOperandMax for both
//   operands of a subtraction, whose flipped subtrahend loses one more when a '-' is put in
//   front), then its sign is taken, trailing fraction zeros and leading zeros are stripped
//   and its fraction is cut (never rounded) to ctx.workFracDigits.
// - A text without a digit 1..9 ("", "0", "-0.00", "EF") counts as zero. An operand whose
//   integer part is longer than 2 x ctx.workIntDigits makes the result "EF".
// - The result is canonical (no leading or trailing zeros, no "-0"), "EF" when its integer
//   part is too long, or, once the fraction is cut to ctx.workFracDigits, a text that may
//   end in zeros: "0." + zeros when every significant digit lay beyond the kept fraction.
// - Text that is not a number (IsNumberText false) is not diagnosed: it gives some number
//   or "EF", never a crash. Nothing is thrown, logged or reported besides the result and
//   ctx.divideError, which only DecimalDivide sets and nothing here clears.

// a + b. limit 0 (or below): no limit. Otherwise, when the operands lined up on the point
// span more than `limit` digits, each loses the excess from its right end (its lined-up
// zeros first, then its own digits) before adding: the display width of the calculator.
std::string DecimalAdd(ArithContext& ctx, std::string_view a, std::string_view b, int limit);
// a - b as a + (b with its sign flipped), with the same limit.
std::string DecimalSubtract(ArithContext& ctx, std::string_view a, std::string_view b, int limit);
// a x b, exact before the fraction cut.
std::string DecimalMultiply(ArithContext& ctx, std::string_view a, std::string_view b);
// a / b truncated (never rounded) after fracDigits fraction digits; 0 or below means
// ctx.workFracDigits, and more than ctx.workFracDigits are still cut there. A divisor that
// is zero, or becomes zero in the fraction cut, gives "0" and sets ctx.divideError. The
// digit after the kept ones decides between "0" and the "0." + zeros form.
std::string DecimalDivide(ArithContext& ctx, std::string_view a, std::string_view b,
                          int fracDigits = 0);
// Square root of a >= 0 cut (never rounded) after workFracDigits fraction digits: the
// value Newton's iteration from a / 2 on the truncating operations ends with, stopped when
// a step leaves it unchanged, a two-value oscillation ending with the smaller value. A
// negative a or one that overflows gives "EF"; divideError is never set.
std::string DecimalSqrt(ArithContext& ctx, std::string_view a);

}  // namespace pemu::arith
