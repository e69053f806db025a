#pragma once
// Natural numbers in base 10^9 limbs, fixed capacity, for products and quotients.
#include <cstddef>
#include <cstdint>

#include "arithmetic/operand.hpp"

namespace pemu::arith::detail {

inline constexpr std::uint32_t kLimbBase = 1000000000;
inline constexpr int kLimbDigits = 9;
// Enough for a 599-digit run shifted by kMaxFracDigits + 599 digits, plus one limb of
// normalisation.
inline constexpr int kMaxLimbs = 256;
inline constexpr int kMaxLimbDigits = kMaxLimbs * kLimbDigits;

struct Limbs {
    std::uint32_t v[kMaxLimbs];  // least significant first; left uninitialised on purpose
    int n = 0;                   // no zero limb at the top; 0 for the value zero
};

// The run of op (its integer and fraction digits, point removed) as a number.
void LimbsFromRun(const Operand& op, Limbs& out);
// Decimal digits, most significant first ("0" for zero); returns their count.
int LimbsToDigits(const Limbs& x, char* out);
void MultiplyLimbs(const Limbs& a, const Limbs& b, Limbs& out);
// x times 10^digits.
void ShiftLimbs(Limbs& x, int digits);
// floor(num / den); den must not be zero.
void DivideLimbs(const Limbs& num, const Limbs& den, Limbs& quotient);

}  // namespace pemu::arith::detail
