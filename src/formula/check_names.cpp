// Passes 4 and 5: pi becomes a function of a dummy argument, and a root gets parentheses
// around its argument. Also the list of function names.
#include <array>
#include <string>
#include <string_view>

#include "arithmetic/decimal.hpp"
#include "formula/formula_check.hpp"

namespace pemu::formula {

namespace {

// Pass 4 keeps the text below this length.
constexpr std::size_t kPiExpansionMax = 4996;

std::size_t EndOfNumber(const std::string& text, std::size_t from) {
    while (from < text.size() && arith::IsNumberChar(text[from]))
        ++from;
    return from;
}

// Where the argument of a root that starts at `start` ends: after the first number at
// depth 0 (wrapped in parentheses of its own when the argument is a function name), or
// after the ')' that brings the depth back to 0. Returns the end, or npos after raising.
std::size_t CloseRootArgument(FormulaError& error, std::string& text, std::size_t start,
                              bool startsWithName) {
    int depth = 0;
    for (std::size_t k = start; k < text.size(); ++k) {
        const char ch = text[k];
        if (arith::IsNumberChar(ch) && depth == 0) {
            const std::size_t end = EndOfNumber(text, k);
            if (!startsWithName) return end;
            if (text.size() + 2 > kFormulaMax) {
                RaiseFormulaError(error, text, MessageNumber::kTooLongClosingRootNumber, 0);
                return std::string::npos;
            }
            text.insert(end, 1, ')');
            text.insert(k, 1, '(');
            return end + 2;
        }
        if (ch == '(') {
            ++depth;
        } else if (ch == ')') {
            if (depth == 0) return k;
            if (--depth == 0) return k + 1;
        }
    }
    return text.size();
}

}  // namespace

bool IsFunctionName(std::string_view name) {
    static constexpr std::array<std::string_view, 20> kNames = {
        "sin",  "cos",  "tan", "asin", "acos", "atan", "asn",   "acs",  "atn", "sinh",
        "cosh", "tanh", "log", "ln",   "exp",  "ceil", "floor", "fabs", "sq",  "pi"};
    for (const std::string_view known : kNames) {
        if (known == name) return true;
    }
    return false;
}

void ExpandPi(FormulaError& error, std::string& text) {
    if (error.raised) return;
    for (std::size_t pos = text.find("pi"); pos != std::string::npos; pos = text.find("pi", pos)) {
        if (text.size() + 3 >= kPiExpansionMax) {
            RaiseFormulaError(error, text, MessageNumber::kTooLongAfterPi, 0);
            return;
        }
        text.insert(pos + 2, "(1)");
        pos += 5;
    }
}

void ExpandRoot(FormulaError& error, std::string& text) {
    if (error.raised) return;
    for (std::size_t pos = text.find("sqrt"); pos != std::string::npos;
         pos = text.find("sqrt", pos)) {
        text.erase(pos + 2, 2);
    }
    for (std::size_t pos = text.find("sq"); pos != std::string::npos; pos = text.find("sq", pos)) {
        const std::size_t after = pos + 2;
        if (after >= text.size()) {
            RaiseFormulaError(error, text, MessageNumber::kNoNumberAfterRoot,
                              static_cast<int>(after + 1));
            return;
        }
        // A '+' right after the root stays but does not decide what follows.
        const std::size_t first = text[after] == '+' ? after + 1 : after;
        const char ch = first < text.size() ? text[first] : '\0';
        if (arith::IsOperatorChar(ch)) {
            RaiseFormulaError(
                error, text,
                ch == '-' ? MessageNumber::kMinusAfterRoot : MessageNumber::kOperatorAfterRoot,
                static_cast<int>(first + 1));
            return;
        }
        if (arith::IsNumberChar(ch) || arith::IsLowerLetter(ch)) {
            const bool startsWithName = arith::IsLowerLetter(ch);
            if (text.size() + 1 > kFormulaMax) {
                RaiseFormulaError(error, text,
                                  startsWithName ? MessageNumber::kOperatorAfterRoot
                                                 : MessageNumber::kMinusAfterRoot,
                                  0);
                return;
            }
            text.insert(after, 1, '(');
            const std::size_t end = CloseRootArgument(error, text, first + 1, startsWithName);
            if (end == std::string::npos) return;
            if (text.size() + 1 > kFormulaMax) {
                RaiseFormulaError(error, text, MessageNumber::kTooLongClosingRoot, 0);
                return;
            }
            text.insert(end, 1, ')');
        }
        pos = after;
    }
}

}  // namespace pemu::formula
