#pragma once
// The syntax check of a formula, which is also its normaliser: full-width and symbol
// characters become ASCII, blanks and "quoted" comments go, parentheses are closed,
// numbers completed (.5, 5.), sign runs merged, pi and roots rewritten, exponent notation
// expanded, implied parentheses put around bare function arguments, and the token order
// checked. Texts are CP932 bytes.
#include <string>
#include <string_view>

#include "formula/formula_error.hpp"

namespace pemu::formula {

// Runs the seven passes below in order on a copy of text and returns it: the normalised
// expression, or an error text (first character 'E', error set). A text of more than
// kFormulaMax characters is error 1. Nothing runs when error is already set.
std::string CheckFormula(FormulaError& error, std::string_view text);

// The passes, each in place and each doing nothing once an error is set.
void NormaliseChars(FormulaError& error, std::string& text);  // 101, 102, 103
void CheckPoints(FormulaError& error, std::string& text);     // 201, 202, 203
void MergeSigns(FormulaError& error, std::string& text);
void ExpandPi(FormulaError& error, std::string& text);         // 301
void ExpandRoot(FormulaError& error, std::string& text);       // 501 .. 505
void ExpandExponents(FormulaError& error, std::string& text);  // 601 .. 632
void CheckTokens(FormulaError& error, std::string& text);      // 701 .. 722

// The function names the check accepts, exactly as written.
bool IsFunctionName(std::string_view name);

}  // namespace pemu::formula
