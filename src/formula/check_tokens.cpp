// Pass 7: the order of numbers, names, operators and parentheses, with parentheses put
// around the bare argument of a function (sin30, sin-30).
#include <string>

#include "arithmetic/decimal.hpp"
#include "formula/formula_check.hpp"

namespace pemu::formula {

namespace {

constexpr std::size_t kNumberMax = 300;
constexpr std::size_t kNameMax = 20;
// Implied parentheses are added only while the text holds at most this many characters.
constexpr std::size_t kParenInsertMax = 4997;

enum class Token { kNumber, kFunction, kOperator, kOpen, kClose };

std::size_t EndOfNumber(const std::string& text, std::size_t from) {
    while (from < text.size() && arith::IsNumberChar(text[from]))
        ++from;
    return from;
}

class TokenChecker {
  public:
    TokenChecker(FormulaError& error, std::string& text) : error_(error), text_(text) {}

    void Run() {
        while (i_ < text_.size() && !error_.raised)
            Step();
    }

  private:
    bool Raise(MessageNumber code, std::size_t position) {
        RaiseFormulaError(error_, text_, code, static_cast<int>(position));
        return false;
    }

    // "(" before the number that starts at `from`, ")" after it; the scan then goes on at
    // the new '(' so that the wrapped argument is checked like any other.
    void WrapArgument(std::size_t from, std::size_t numberStart, MessageNumber code) {
        if (text_.size() > kParenInsertMax) {
            Raise(code, 0);
            return;
        }
        text_.insert(EndOfNumber(text_, numberStart), 1, ')');
        text_.insert(from, 1, '(');
    }

    void Step() {
        const char ch = text_[i_];
        if (arith::IsNumberChar(ch)) return Number();
        if (arith::IsLowerLetter(ch)) return Name();
        if (arith::IsOperatorChar(ch)) return Operator(ch);
        if (ch == '(') {
            state_ = Token::kOpen;
        } else if (ch == ')') {
            if (state_ == Token::kFunction)
                return void(Raise(MessageNumber::kNoExpressionBeforeClose, i_ + 1));
            if (state_ == Token::kOperator)
                return void(Raise(MessageNumber::kOperatorBeforeClose, i_ + 1));
            if (state_ == Token::kOpen)
                return void(Raise(MessageNumber::kEmptyParentheses, i_ + 1));
            state_ = Token::kClose;
        }
        atStart_ = false;
        ++i_;
    }

    void Number() {
        if (state_ == Token::kFunction) {
            WrapArgument(i_, i_, MessageNumber::kTooLongWrappingArgument);
            return Paren();
        }
        const std::size_t end = EndOfNumber(text_, i_);
        if (end - i_ > kNumberMax)
            return void(Raise(MessageNumber::kNumberTooLong, i_ + kNumberMax + 1));
        i_ = end;
        state_ = Token::kNumber;
        atStart_ = false;
    }

    // Consumes the '(' just inserted before a function's argument.
    void Paren() {
        if (error_.raised) return;
        state_ = Token::kOpen;
        atStart_ = false;
        ++i_;
    }

    void Name() {
        std::size_t length = 0;
        while (i_ + length < text_.size() && length < kNameMax &&
               arith::IsLowerLetter(text_[i_ + length])) {
            ++length;
        }
        const std::size_t after = i_ + length;
        if (length >= kNameMax) return void(Raise(MessageNumber::kLongUnknownName, after + 1));
        if (!IsFunctionName(text_.substr(i_, length)))
            return void(Raise(MessageNumber::kNotAFunctionName, after + 1));
        if (after >= text_.size())
            return void(Raise(MessageNumber::kFunctionWithoutArgument, after + 2));
        i_ = after;
        state_ = Token::kFunction;
        atStart_ = false;
    }

    void Operator(char ch) {
        const bool sign = ch == '+' || ch == '-';
        switch (state_) {
            case Token::kFunction:
                if (sign && i_ + 1 < text_.size() && arith::IsNumberChar(text_[i_ + 1])) {
                    WrapArgument(i_, i_ + 1, MessageNumber::kTooLongWrappingSignedArgument);
                    return Paren();
                }
                return void(Raise(MessageNumber::kOperatorAfterBareArgument, i_ + 1));
            case Token::kOperator:
                if (!sign) return void(Raise(MessageNumber::kConsecutiveOperators, i_ + 1));
                break;
            case Token::kOpen:
                if (!sign)
                    return void(Raise(atStart_ ? MessageNumber::kLeadingOperator
                                               : MessageNumber::kOperatorAfterOpen,
                                      i_ + 1));
                break;
            default:
                break;
        }
        state_ = Token::kOperator;
        atStart_ = false;
        ++i_;
    }

    FormulaError& error_;
    std::string& text_;
    std::size_t i_ = 0;
    Token state_ = Token::kOpen;
    bool atStart_ = true;
};

}  // namespace

void CheckTokens(FormulaError& error, std::string& text) {
    if (error.raised) return;
    TokenChecker(error, text).Run();
}

}  // namespace pemu::formula
