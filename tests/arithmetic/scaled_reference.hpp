#pragma once
// A slow reference for the five operations: the operands are prepared with the public
// number helpers step by step as the algorithm describes, their values are scaled to
// whole numbers and computed with a digit-string big integer, and the result goes back
// through a plain point shift and the public helpers. Shares no code with the operations.
#include <string>

#include "arithmetic/context.hpp"

namespace pemu::arith::reference {

// Whole numbers as decimal digit strings, most significant first, no leading zeros.
namespace big {
std::string Normalise(std::string digits);
int Compare(const std::string& a, const std::string& b);
std::string Add(const std::string& a, const std::string& b);
std::string Subtract(const std::string& a, const std::string& b);  // a >= b
std::string Multiply(const std::string& a, const std::string& b);
std::string Divide(const std::string& a, const std::string& b);  // floor, b > 0
}  // namespace big

// Steps shared with the literal reference: the point moved n places to the right (left
// when n < 0), and the end of add, multiply and divide.
std::string ShiftPoint(std::string s, int n);
std::string NormaliseResult(std::string s, int shift, bool negative, const ArithContext& ctx);
// The operands of a - b as they reach the addition: both cut to the subtraction's buffers,
// b flipped in its buffer.
void FlipForSubtract(std::string& a, std::string& b);

std::string Add(ArithContext& ctx, std::string a, std::string b, int limit);
std::string Subtract(ArithContext& ctx, std::string a, std::string b, int limit);
std::string Multiply(ArithContext& ctx, std::string a, std::string b);
std::string Divide(ArithContext& ctx, std::string a, std::string b);
std::string Sqrt(ArithContext& ctx, const std::string& a);

}  // namespace pemu::arith::reference
