// Pass 6: exponent notation (1.5e3, 2e-3) becomes a plain decimal number.
#include <string>

#include "arithmetic/context.hpp"
#include "arithmetic/decimal.hpp"
#include "formula/formula_check.hpp"

namespace pemu::formula {

namespace {

constexpr std::size_t kNotationMax = 300;
constexpr int kExponentMax = 300;
// Stands in for the 'e' of ceil and exp while the pass looks for exponents.
constexpr char kHiddenE = '#';

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
}

// 10^exponent (10^-exponent when negative) as the digit 1 with zeros.
std::string PowerOfTen(int exponent, bool negative) {
    if (exponent == 0) return "1";
    if (!negative) return "1" + std::string(static_cast<std::size_t>(exponent), '0');
    return "0." + std::string(static_cast<std::size_t>(exponent - 1), '0') + "1";
}

// The first 'e' of text replaced by the number it stands for; false after raising.
bool ExpandFirstExponent(FormulaError& error, std::string& text, std::size_t at) {
    const auto raise = [&](MessageNumber code, std::size_t position) {
        RaiseFormulaError(error, text, code, static_cast<int>(position));
        return false;
    };
    if (at == 0 || at + 1 == text.size()) return raise(MessageNumber::kExponentAtEdge, at + 1);
    std::size_t start = at;
    bool point = false;
    while (start > 0 && (arith::IsDigit(text[start - 1]) || (text[start - 1] == '.' && !point))) {
        point = point || text[start - 1] == '.';
        --start;
    }
    if (start == at) return raise(MessageNumber::kExponentWithoutMantissa, at + 1);
    std::size_t digits = at + 1;
    const bool negative = text[digits] == '-';
    if (text[digits] == '+' || text[digits] == '-') ++digits;
    std::size_t end = digits;
    while (end < text.size() && arith::IsDigit(text[end]))
        ++end;
    if (end == digits) return raise(MessageNumber::kExponentWithoutDigits, end + 1);
    if (end < text.size() && text[end] == '.')
        return raise(MessageNumber::kExponentWithoutDigits, end + 1);
    if (end - start > kNotationMax) return raise(MessageNumber::kNotationTooLong, at + 1);

    const std::string exponentDigits = text.substr(digits, end - digits);
    const std::size_t significant = exponentDigits.find_first_not_of('0');
    int exponent = 0;
    if (significant != std::string::npos) {
        if (exponentDigits.size() - significant > 3)
            return raise(MessageNumber::kExponentOutOfRange, 0);
        exponent = std::stoi(exponentDigits.substr(significant));
        if (exponent > kExponentMax) return raise(MessageNumber::kExponentOutOfRange, 0);
    }
    // The product is taken at the precision the arithmetic has outside an evaluation.
    arith::ArithContext ctx;
    const std::string product =
        arith::DecimalMultiply(ctx, text.substr(start, at - start), PowerOfTen(exponent, negative));
    if (!product.empty() && product.front() == 'E')
        return raise(MessageNumber::kExponentBeyondIntegerDigits, 0);
    if (text.size() - (end - start) + product.size() > kFormulaMax)
        return raise(MessageNumber::kExpandedTooLong, 0);
    text.replace(start, end - start, product);
    return true;
}

}  // namespace

void ExpandExponents(FormulaError& error, std::string& text) {
    if (error.raised) return;
    ReplaceAll(text, "ceil", std::string("c") + kHiddenE + "il");
    ReplaceAll(text, "exp", std::string(1, kHiddenE) + "xp");
    for (char& ch : text) {
        if (ch == 'E') ch = 'e';
    }
    for (std::size_t at = text.find('e'); at != std::string::npos; at = text.find('e')) {
        if (!ExpandFirstExponent(error, text, at)) break;
    }
    for (char& ch : text) {
        if (ch == kHiddenE) ch = 'e';
    }
}

}  // namespace pemu::formula
