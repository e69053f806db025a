// The operators of one parenthesis-free piece, through a postfix form. Division is
// deferred: a/b*c is (a*c)/b and a/b/c is a/(b*c), so that 6/4*2 is exactly 3.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"
#include "formula/formula_evaluate.hpp"

namespace pemu::formula {

namespace {

constexpr double kExponentMax = 100.0;

int Priority(char op) {
    switch (op) {
        case '+':
        case '-':
            return 1;
        case '@':
            return 2;
        case '*':
        case '/':
            return 3;
        default:
            return 4;
    }
}

bool IsPostfixOperator(char ch) {
    return std::string_view("+-*/@^").find(ch) != std::string_view::npos;
}

using arith::IsFailureText;
using enum MessageNumber;

class PostfixMachine {
  public:
    explicit PostfixMachine(arith::ArithContext& ctx) : ctx_(ctx) {}

    Evaluated Run(std::string_view postfix) {
        std::size_t start = 0;
        while (start < postfix.size()) {
            std::size_t end = postfix.find(':', start);
            if (end == std::string_view::npos) end = postfix.size();
            const std::string_view token = postfix.substr(start, end - start);
            start = end + 1;
            if (token.empty()) continue;
            if (arith::IsDigit(token.front()) || token.size() > 1) {
                Push(token);
            } else if (!Apply(token.front())) {
                return {{}, failure_};
            }
        }
        if (slots_.size() != 1) return {{}, kStackUnreadable};
        if (!applied_) {
            // A number that met no operation is cut like an operand would be.
            std::string value = Canonical(slots_.front());
            arith::LimitDigits(value, ctx_);
            return Value(value);
        }
        if (pending_.empty()) return {slots_.front()};
        return Value(arith::DecimalDivide(ctx_, slots_.front(), pending_));
    }

  private:
    static Evaluated Value(const std::string& value) {
        if (IsFailureText(value)) return {{}, kValueTooLarge};
        return {value};
    }

    bool Refuse(MessageNumber code) {
        failure_ = code;
        return false;
    }

    void Push(std::string_view number) {
        slots_.emplace_back(number);
        pushedAfterNumber_ = lastWasNumber_;
        lastWasNumber_ = true;
    }

    // A lone number comes back as the operations would write it: "-0", "+5" or "007"
    // from the text (or from folded signs) are no answers.
    static std::string Canonical(std::string number) {
        arith::NormaliseNumberText(number, number.size() + 2);
        arith::StripTrailingZeros(number);
        if (arith::IsZero(number)) return "0";
        return number;
    }

    bool Apply(char op) {
        if (slots_.size() < 2) return Refuse(kOperandMissing);
        applied_ = true;
        const bool freshPair = lastWasNumber_ && pushedAfterNumber_;
        lastWasNumber_ = false;
        if (!pending_.empty() && (op == '+' || op == '-' || freshPair)) {
            std::string& dividend = slots_[latest_ < slots_.size() ? latest_ : slots_.size() - 1];
            dividend = arith::DecimalDivide(ctx_, dividend, pending_);
            pending_.clear();
            if (IsFailureText(dividend)) return Refuse(kValueTooLarge);
        }
        std::string right = std::move(slots_.back());
        slots_.pop_back();
        std::string& left = slots_.back();
        latest_ = slots_.size() - 1;
        switch (op) {
            case '*':
            case '@':
                left = arith::DecimalMultiply(ctx_, left, right);
                break;
            case '+':
                left = arith::DecimalAdd(ctx_, left, right, 0);
                break;
            case '-':
                // As an addition: the subtraction would cut operands of the widest
                // settings (up to 2 x 105 + 105 digits) to 299 characters.
                left = arith::DecimalAdd(ctx_, left, arith::Negate(right), 0);
                break;
            case '/':
                if (!Defer(left, right)) return false;
                break;
            default:
                if (!RaiseToPower(left, right)) return false;
                break;
        }
        if (IsFailureText(left)) return Refuse(kValueTooLarge);
        return true;
    }

    // The divisor joins the pending one; its sign moves onto the dividend.
    bool Defer(std::string& dividend, std::string divisor) {
        if (!divisor.empty() && divisor.front() == '-') {
            divisor.erase(0, 1);
            dividend = arith::Negate(dividend);
        }
        pending_ = pending_.empty() ? divisor : arith::DecimalMultiply(ctx_, pending_, divisor);
        if (IsFailureText(pending_)) return Refuse(kStackUnreadable);
        return true;
    }

    bool RaiseToPower(std::string& base, const std::string& exponent) {
        if (std::strtod(exponent.c_str(), nullptr) > kExponentMax) return Refuse(kPowerTooLarge);
        if (arith::IsZero(base) && arith::IsZero(exponent)) return Refuse(kZeroToTheZero);
        switch (arith::ClassifyPower(base, exponent)) {
            case arith::PowerDomain::kNegativeBaseFraction:
                return Refuse(kNegativeBaseFraction);
            case arith::PowerDomain::kZeroBaseNegativeFraction:
                return Refuse(kZeroBaseNegativeFraction);
            default:
                break;
        }
        // A fault the check above let through (a base that cuts to zero) is reported like
        // an overflow.
        arith::FunctionValue power = arith::Power(ctx_, base, exponent);
        if (!power.Ok()) return Refuse(kValueTooLarge);
        base = std::move(power.text);
        return true;
    }

    arith::ArithContext& ctx_;
    std::vector<std::string> slots_;
    std::string pending_;
    MessageNumber failure_ = kNone;
    std::size_t latest_ = 0;
    bool lastWasNumber_ = false;
    bool applied_ = false;
    bool pushedAfterNumber_ = false;
};

}  // namespace

std::string ToPostfix(std::string_view inner) {
    std::string out;
    std::string stack;
    bool expectOperand = true;
    for (const char ch : inner) {
        if ((ch == '+' || ch == '-') && expectOperand) {
            out.push_back(ch);  // a sign belongs to the number after it
        } else if (arith::IsDigit(ch) || ch == '.') {
            out.push_back(ch);
            expectOperand = false;
        } else if (IsPostfixOperator(ch)) {
            while (!stack.empty() && Priority(stack.back()) >= Priority(ch)) {
                out.push_back(':');
                out.push_back(stack.back());
                stack.pop_back();
            }
            out.push_back(':');
            stack.push_back(ch);
            expectOperand = true;
        }
    }
    while (!stack.empty()) {
        out.push_back(':');
        out.push_back(stack.back());
        stack.pop_back();
    }
    out.push_back(':');
    return out;
}

Evaluated EvaluateExpression(arith::ArithContext& ctx, std::string_view inner) {
    return PostfixMachine(ctx).Run(ToPostfix(inner));
}

}  // namespace pemu::formula
