#include "formula/formula_error.hpp"

namespace pemu::formula {

void RaiseFormulaError(FormulaError& error, std::string& text, MessageNumber code, int position) {
    error.raised = true;
    error.code = code;
    error.position = position;
    if (text.empty()) {
        error.savedFirst = 0;
        text.assign(1, 'E');
    } else {
        error.savedFirst = text.front();
        text.front() = 'E';
    }
}

void RestoreFirstChar(const FormulaError& error, std::string& text) {
    if (!error.raised || text.empty() || text.front() != 'E') return;
    if (error.savedFirst == 0) {
        text.erase(0, 1);
    } else {
        text.front() = error.savedFirst;
    }
}

}  // namespace pemu::formula
