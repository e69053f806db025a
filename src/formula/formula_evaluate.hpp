#pragma once
// Evaluation of a checked formula: groups from the innermost parentheses outwards, each
// through a postfix form with deferred division, at the precision the user chose; then
// the result checked against the chosen digit counts and grouped for display.
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"
#include "formula/formula_error.hpp"

namespace pemu::formula {

// A value of the evaluation, or the message that says why there is none.
struct Evaluated {
    std::string value;  // empty when refused
    MessageNumber error = MessageNumber::kNone;
    int position = 0;  // 1-based place the message names, 0 when it names none
    bool Ok() const { return error == MessageNumber::kNone; }
};

// The user's maxima: S integer and Y fraction digits, each 1 to 100.
struct DigitLimits {
    int intDigits = 56;
    int fracDigits = 28;
};

// Evaluates text (the output of CheckFormula) in place with ctx at S + 5 integer and
// Y + 5 fraction digits, and puts ctx back to 20 and 20 afterwards whatever happened.
// Afterwards text holds the result, or an error text with error set: the one place the
// evaluation's refusals become the formula's error state. When error is already set only
// the division check runs. A division by zero anywhere is kDivisionByZero.
void EvaluateFormula(arith::ArithContext& ctx, FormulaError& error, std::string& text,
                     DigitLimits limits);

// One parenthesis-free piece: the operators, then the function `name` (may be empty),
// then the coefficient (may be empty). position is the 1-based place of the piece in the
// whole text, for the messages of the functions' domain checks.
Evaluated EvaluateGroup(arith::ArithContext& ctx, std::string_view coefficient, int position,
                        std::string_view inner, std::string_view name);

// The operators of a parenthesis-free piece. ToPostfix gives tokens separated by ':'.
std::string ToPostfix(std::string_view inner);
Evaluated EvaluateExpression(arith::ArithContext& ctx, std::string_view inner);

// Only when no error is set: an integer part longer than S (S + 1 with a sign) is
// kIntegerDigits; otherwise the fraction is cut after Y digits.
void CheckResultDigits(FormulaError& error, std::string& text, DigitLimits limits);

// The answer as the answer area shows it with digit grouping 2, 3, 4 or 5 (0: as it is):
// blocks of digits separated by blanks, a leading blank or sign, long answers wrapped
// into lines joined by '\n'.
std::string FormatGrouped(std::string_view text, int group);

}  // namespace pemu::formula
