// Random CP932 bytes with random S, Y and grouping through the check and the evaluation:
// every input must end in an answer or a numbered message, with the precision put back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "arithmetic/context.hpp"
#include "arithmetic/decimal.hpp"
#include "formula/formula_run.hpp"

namespace {

constexpr int kGroups[] = {0, 2, 3, 4, 5};

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    pemu::formula::FormulaSettings settings;
    settings.limits.intDigits = 1 + data[0] % 100;
    settings.limits.fracDigits = 1 + data[1] % 100;
    settings.group = kGroups[data[2] % 5];
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    pemu::arith::ArithContext ctx;
    const pemu::formula::FormulaOutcome outcome = pemu::formula::RunFormula(ctx, text, settings);

    Require(ctx.workIntDigits == 20 && ctx.workFracDigits == 20 && !ctx.divideError);
    if (outcome.ok) {
        Require(pemu::arith::IsNumberText(outcome.result));
        Require(!outcome.shown.empty());
    } else {
        Require(outcome.error.code != pemu::formula::MessageNumber::kNone);
        const bool silent =
            outcome.error.code == pemu::formula::MessageNumber::kTooLongClosingRootNumber ||
            outcome.error.code == pemu::formula::MessageNumber::kTooLongClosingRoot;
        Require(silent == outcome.shown.empty());
    }
    return 0;
}
