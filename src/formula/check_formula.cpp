#include <string>
#include <string_view>

#include "formula/formula_check.hpp"

namespace pemu::formula {

std::string CheckFormula(FormulaError& error, std::string_view text) {
    std::string out(text);
    if (error.raised) return out;
    if (out.size() > kFormulaMax) {
        RaiseFormulaError(error, out, MessageNumber::kFormulaTooLong, 0);
        return out;
    }
    NormaliseChars(error, out);
    CheckPoints(error, out);
    MergeSigns(error, out);
    ExpandPi(error, out);
    ExpandRoot(error, out);
    ExpandExponents(error, out);
    CheckTokens(error, out);
    return out;
}

}  // namespace pemu::formula
