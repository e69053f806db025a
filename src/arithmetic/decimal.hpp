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
bool IsLowerLetter(char ch);
bool IsNumberChar(char ch);

// ---- Labels of setting values ---------------------------------------------------------

const char* RoundSelectorName(int value, bool longName);
const char* DecimalSelectorName(int value, bool longName);
const char* MakerName(int type);
const char* OnOffName(bool on, bool padded);

// ---- The five operations --------------------------------------------------------------
// Each takes its operands by value semantics (they may alias the destination of the
// caller), cuts them to ctx.workFracDigits, and returns a canonical result, "EF" on
// overflow, or "0." + zeros when every significant digit lies beyond the kept fraction.

// a + b. limit 0: no limit; otherwise at most `limit` lined-up digits take part, the
// low-order ones beyond it dropped before adding (the display width of the calculator).
std::string DecimalAdd(ArithContext& ctx, std::string_view a, std::string_view b, int limit);
std::string DecimalSubtract(ArithContext& ctx, std::string_view a, std::string_view b,
                            int limit);
std::string DecimalMultiply(ArithContext& ctx, std::string_view a, std::string_view b);
// a / b truncated after fracDigits (0: ctx.workFracDigits) fraction digits. A zero divisor
// gives "0" and sets ctx.divideError.
std::string DecimalDivide(ArithContext& ctx, std::string_view a, std::string_view b,
                          int fracDigits = 0);
// Square root of a >= 0 by Newton's iteration on the truncating division; a two-value
// oscillation ends with the smaller value.
std::string DecimalSqrt(ArithContext& ctx, std::string_view a);

}  // namespace pemu::arith
