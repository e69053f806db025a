#pragma once
// The function codes of a running tax sequence: the two tax keys and their second presses.
#include "core/key_codes.hpp"

namespace pemu::core {

inline constexpr bool IsTaxFunction(int code) {
    return code == kKeyTaxIncluded || code == kKeyTaxExcluded ||
           code == CodeOf(kMarkTaxIncludedAmount) || code == CodeOf(kMarkTaxExcludedAmount);
}

}  // namespace pemu::core
