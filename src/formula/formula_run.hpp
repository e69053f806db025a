#pragma once
// One run of the formula calculator as its window does it: check, evaluate, check the
// digits, and the text the answer area (or the message area, on an error) shows.
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"
#include "formula/formula_error.hpp"
#include "formula/formula_evaluate.hpp"

namespace pemu::formula {

struct FormulaSettings {
    DigitLimits limits;
    int group = 0;  // 0, 2, 3, 4 or 5
};

struct FormulaOutcome {
    bool ok = false;
    FormulaError error;
    std::string normalised;  // the checked formula, its first character restored
    std::string result;      // the value (ok only), cut to the fraction digits
    std::string shown;       // the grouped answer, or the error's message (CP932)
};

// ctx is at 20 and 20 again afterwards.
FormulaOutcome RunFormula(arith::ArithContext& ctx, std::string_view text,
                          const FormulaSettings& settings);

}  // namespace pemu::formula
