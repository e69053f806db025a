#pragma once
// The four operations written step by step as the text algorithm goes: digit runs in
// 8-digit chunks for sums and differences, 4-digit limbs for products, and long division
// with an 8-digit estimate of each quotient digit. Slow and plain, for comparison only.
#include <string>

#include "arithmetic/context.hpp"

namespace pemu::arith::literal {

std::string Add(ArithContext& ctx, std::string a, std::string b, int limit);
std::string Subtract(ArithContext& ctx, std::string a, std::string b, int limit);
std::string Multiply(ArithContext& ctx, std::string a, std::string b);
std::string Divide(ArithContext& ctx, std::string a, std::string b);

}  // namespace pemu::arith::literal
