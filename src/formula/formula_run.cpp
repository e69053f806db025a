#include "formula/formula_run.hpp"

#include "formula/formula_check.hpp"

namespace pemu::formula {

FormulaOutcome RunFormula(arith::ArithContext& ctx, std::string_view text,
                          const FormulaSettings& settings) {
    FormulaOutcome outcome;
    std::string value = CheckFormula(outcome.error, text);
    outcome.normalised = value;
    RestoreFirstChar(outcome.error, outcome.normalised);
    EvaluateFormula(ctx, outcome.error, value, settings.limits);
    CheckResultDigits(outcome.error, value, settings.limits);
    outcome.ok = !outcome.error.raised;
    if (outcome.ok) {
        outcome.result = value;
        outcome.shown = FormatGrouped(value, settings.group);
    } else {
        outcome.shown = FormulaMessage(outcome.error.code);
    }
    return outcome;
}

}  // namespace pemu::formula
