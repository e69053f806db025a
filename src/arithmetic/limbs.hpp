#pragma once
// Natural numbers in base 10^9 limbs, fixed capacity, for products, quotients and the
// fixed-point numbers of the function library.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "arithmetic/operand.hpp"

namespace pemu::arith::detail {

inline constexpr std::uint32_t kLimbBase = 1000000000;
inline constexpr int kLimbDigits = 9;
// Enough for a 599-digit run shifted by kMaxFracDigits + 599 digits, plus one limb of
// normalisation, and for the product of two fixed-point values of the widest working
// precision of the functions.
inline constexpr int kMaxLimbs = 320;
inline constexpr int kMaxLimbDigits = kMaxLimbs * kLimbDigits;

struct Limbs {
    std::uint32_t v[kMaxLimbs];  // least significant first; left uninitialised on purpose
    int n = 0;                   // no zero limb at the top; 0 for the value zero

    Limbs() {}  // NOLINT: user-provided, so that Limbs() leaves v uninitialised too
    // Copies only the limbs in use: most values are far shorter than the capacity.
    Limbs(const Limbs& other) : n(other.n) {
        std::memcpy(v, other.v, sizeof(std::uint32_t) * static_cast<std::size_t>(n));
    }
    Limbs& operator=(const Limbs& other) {
        n = other.n;
        std::memmove(v, other.v, sizeof(std::uint32_t) * static_cast<std::size_t>(n));
        return *this;
    }
};

// The run of op (its integer and fraction digits, point removed) as a number.
void LimbsFromRun(const Operand& op, Limbs& out);
// A value below 10^18.
void SetLimbs(Limbs& x, std::uint64_t value);
// Decimal digits, most significant first ("0" for zero); returns their count.
int LimbsToDigits(const Limbs& x, char* out);
// -1, 0 or 1 for a against b.
int CompareLimbs(const Limbs& a, const Limbs& b);
// out = a + b; out may be a or b.
void AddLimbs(const Limbs& a, const Limbs& b, Limbs& out);
// out = a - b for a >= b; out may be a or b.
void SubtractLimbs(const Limbs& a, const Limbs& b, Limbs& out);
// a.n + b.n must not exceed kMaxLimbs; out may be a or b.
void MultiplyLimbs(const Limbs& a, const Limbs& b, Limbs& out);
// floor(a b / 10^(9 drop)) or one less: the limbs far below the drop are not formed.
void MultiplyLimbsHigh(const Limbs& a, const Limbs& b, int drop, Limbs& out);
// x = x * m, exactly.
void MultiplySmallLimbs(Limbs& x, std::uint32_t m);
// x = floor(x / d) for d > 0; returns the remainder.
std::uint32_t DivideSmallLimbs(Limbs& x, std::uint32_t d);
// x times 10^digits.
void ShiftLimbs(Limbs& x, int digits);
// floor(x / 10^(9 count)).
void DropLimbs(Limbs& x, int count);
// floor(num / den); den must not be zero.
void DivideLimbs(const Limbs& num, const Limbs& den, Limbs& quotient);
// floor(sqrt(x)).
void SquareRootLimbs(const Limbs& x, Limbs& root);

}  // namespace pemu::arith::detail
