// Pass 1: one ASCII character for every character typed, comments and blanks dropped,
// open parentheses closed.
#include <array>
#include <string>
#include <utility>

#include "arithmetic/decimal.hpp"
#include "arithmetic/text.hpp"
#include "formula/formula_check.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {

namespace {

bool IsKeptChar(char ch) {
    return arith::IsNumberChar(ch) || arith::IsLowerLetter(ch) || arith::IsOperatorChar(ch) ||
           ch == '(' || ch == ')';
}

// Double-byte symbols with their ASCII spelling; the rest go through the half-width map.
const std::array<std::pair<std::string, std::string>, 8>& SymbolTable() {
    static const std::array<std::pair<std::string, std::string>, 8> table = {{
        {platform::Sjis("÷"), "/"},
        {platform::Sjis("×"), "*"},
        {platform::Sjis("＋"), "+"},
        {platform::Sjis("－"), "-"},
        {platform::Sjis("＊"), "*"},
        {platform::Sjis("π"), "pi"},
        {platform::Sjis("Π"), "pi"},
        {platform::Sjis("√"), "sq"},
    }};
    return table;
}

std::string AsciiOfDoubleByte(const std::string& pair) {
    for (const auto& [symbol, ascii] : SymbolTable()) {
        if (symbol == pair) return ascii;
    }
    std::string half = pair;
    arith::ToHalfWidth3(half);
    return half.substr(0, 1);
}

// The kept characters and what the parentheses among them looked like.
struct Collected {
    std::string text;
    int depth = 0;
    bool closeSeen = false;
    bool closedNothing = false;  // a ')' came with no '(' open
    char lastParen = 0;

    void Take(char ch) {
        if (ch == '{') ch = '(';
        if (ch == '}') ch = ')';
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        if (!IsKeptChar(ch)) return;
        if (ch == '(') {
            ++depth;
            lastParen = ch;
        } else if (ch == ')') {
            closedNothing = closedNothing || depth == 0;
            --depth;
            closeSeen = true;
            lastParen = ch;
        }
        text.push_back(ch);
    }
};

Collected Collect(const std::string& source) {
    Collected kept;
    std::size_t i = 0;
    while (i < source.size()) {
        std::string piece;
        const auto byte = static_cast<unsigned char>(source[i]);
        if (arith::IsLeadByte(byte) && i + 1 < source.size()) {
            piece = AsciiOfDoubleByte(source.substr(i, 2));
            i += 2;
        } else {
            piece.assign(1, source[i]);
            ++i;
        }
        for (const char ch : piece) {
            if (ch != '"') {
                kept.Take(ch);
                continue;
            }
            // A comment runs to the next quote; an unclosed quote is dropped alone.
            const std::size_t close = source.find('"', i);
            if (close != std::string::npos) i = close + 1;
        }
    }
    return kept;
}

}  // namespace

void NormaliseChars(FormulaError& error, std::string& text) {
    if (error.raised) return;
    Collected kept = Collect(text);
    std::string& out = kept.text;
    while (!out.empty()) {
        const char last = out.back();
        if (arith::IsNumberChar(last) || arith::IsLowerLetter(last) || last == ')') break;
        out.pop_back();
    }
    int append = 0;
    if (kept.closedNothing) {
        // Counting alone would let ")(" pass and leave a '(' the evaluation never closes.
        RaiseFormulaError(error, text, MessageNumber::kParenthesisNotClosed, 0);
        return;
    }
    if (kept.depth == 1 && kept.lastParen == '(') {
        append = 1;
    } else if (kept.depth >= 2) {
        append = kept.depth;
    } else if (kept.depth != 0 && kept.closeSeen) {
        RaiseFormulaError(error, text, MessageNumber::kParenthesisNotClosed, 0);
        return;
    }
    for (int n = 0; n < append && out.size() < kFormulaMax; ++n)
        out.push_back(')');
    if (!out.empty() && out.front() == '+') out.erase(0, 1);
    if (out.empty()) {
        RaiseFormulaError(error, text, MessageNumber::kNoExpression, 0);
    } else if (out.size() >= kFormulaMax) {
        RaiseFormulaError(error, text, MessageNumber::kTooLongAfterCharacters, 0);
    } else {
        text = std::move(out);
    }
}

}  // namespace pemu::formula
