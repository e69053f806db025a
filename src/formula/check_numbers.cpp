// Passes 2 and 3: decimal points checked and completed, sign runs merged.
#include <string>

#include "arithmetic/decimal.hpp"
#include "formula/formula_check.hpp"

namespace pemu::formula {

void CheckPoints(FormulaError& error, std::string& text) {
    if (error.raised) return;
    if (text == ".") {
        RaiseFormulaError(error, text, MessageNumber::kMisplacedPoint, 1);
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '.') continue;
        std::size_t start = i;
        while (start > 0 && arith::IsNumberChar(text[start - 1]))
            --start;
        const bool secondPoint = text.find('.', start) < i;
        const bool pointAfter = i + 1 < text.size() && text[i + 1] == '.';
        const bool digitBefore = i > 0 && arith::IsDigit(text[i - 1]);
        const bool digitAfter = i + 1 < text.size() && arith::IsDigit(text[i + 1]);
        if (secondPoint || pointAfter || (!digitBefore && !digitAfter)) {
            RaiseFormulaError(error, text, MessageNumber::kMisplacedPoint, static_cast<int>(i + 1));
            return;
        }
        if (digitBefore && !digitAfter) {
            if (text.size() >= kFormulaMax) {
                RaiseFormulaError(error, text, MessageNumber::kTooLongCompletingInteger, 0);
                return;
            }
            text.insert(i + 1, 1, '0');
        } else if (!digitBefore && digitAfter) {
            if (text.size() >= kFormulaMax) {
                RaiseFormulaError(error, text, MessageNumber::kTooLongCompletingFraction, 0);
                return;
            }
            text.insert(i, 1, '0');
            ++i;
        }
    }
}

void MergeSigns(FormulaError& error, std::string& text) {
    if (error.raised) return;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '+' && text[i] != '-') {
            out.push_back(text[i++]);
            continue;
        }
        int minus = 0;
        for (; i < text.size() && (text[i] == '+' || text[i] == '-'); ++i) {
            if (text[i] == '-') ++minus;
        }
        out.push_back(minus % 2 == 1 ? '-' : '+');
    }
    text = std::move(out);
}

}  // namespace pemu::formula
