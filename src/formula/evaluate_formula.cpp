// The formula from the innermost parentheses outwards: each group is evaluated, its
// function and coefficient applied, and the value written back into the text.
#include <array>
#include <string>
#include <string_view>

#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"
#include "formula/formula_evaluate.hpp"

namespace pemu::formula {

namespace {

constexpr int kDefaultDigits = 20;
constexpr int kGuardDigits = 5;

using arith::IsFailureText;
using enum MessageNumber;

bool IsNegative(std::string_view s) {
    return !s.empty() && s.front() == '-' && !arith::IsZero(s);
}

// The message a function refuses its argument with, kNone when it takes it.
using DomainCheck = MessageNumber (*)(const std::string& x);
using Compute = arith::FunctionValue (*)(arith::ArithContext& ctx, std::string_view x);

MessageNumber AnyArgument(const std::string&) {
    return kNone;
}
MessageNumber NotNegative(const std::string& x) {
    return IsNegative(x) ? kRootOfNegative : kNone;
}
MessageNumber LogArgument(const std::string& x) {
    if (IsNegative(x)) return kLogarithmOfNegative;
    return arith::IsZero(x) ? kLogarithmOfZero : kNone;
}
template <MessageNumber kCode>
MessageNumber WithinOne(const std::string& x) {
    std::string magnitude = x;
    return arith::CompareWithOne(magnitude) != 0 ? kCode : kNone;
}

template <std::string (*kRounding)(std::string_view)>
arith::FunctionValue WithoutContext(arith::ArithContext&, std::string_view x) {
    return {kRounding(x)};
}
arith::FunctionValue SquareRoot(arith::ArithContext& ctx, std::string_view x) {
    std::string root = arith::DecimalSqrt(ctx, x);
    if (IsFailureText(root)) return {{}, arith::FunctionFault::kOverflow};
    return {std::move(root)};
}

struct FunctionEntry {
    std::string_view name;
    DomainCheck check;
    Compute compute;
};

constexpr std::array<FunctionEntry, 21> kFunctions = {{
    {"pi", AnyArgument, arith::TimesPi},
    {"sq", NotNegative, SquareRoot},
    {"sqrt", NotNegative, SquareRoot},
    {"sin", AnyArgument, arith::Sin},
    {"cos", AnyArgument, arith::Cos},
    {"tan", AnyArgument, arith::Tan},
    {"asin", WithinOne<kArcSineArgument>, arith::Asin},
    {"asn", WithinOne<kArcSineArgument>, arith::Asin},
    {"acos", WithinOne<kArcCosineArgument>, arith::Acos},
    {"acs", WithinOne<kArcCosineArgument>, arith::Acos},
    {"atan", AnyArgument, arith::Atan},
    {"atn", AnyArgument, arith::Atan},
    {"log", LogArgument, arith::Log10},
    {"ln", LogArgument, arith::Ln},
    {"sinh", AnyArgument, arith::Sinh},
    {"cosh", AnyArgument, arith::Cosh},
    {"tanh", AnyArgument, arith::Tanh},
    {"exp", AnyArgument, arith::Exp},
    {"ceil", AnyArgument, WithoutContext<arith::Ceil>},
    {"floor", AnyArgument, WithoutContext<arith::Floor>},
    {"fabs", AnyArgument, WithoutContext<arith::Fabs>},
}};

const FunctionEntry* FindFunction(std::string_view name) {
    for (const FunctionEntry& entry : kFunctions) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

// Where the innermost group around the first ')' lies in the text.
struct Group {
    std::size_t start = 0;       // first character of the coefficient (or name, or '(')
    std::size_t nameStart = 0;   // first letter of the name
    std::size_t innerStart = 0;  // first character inside the parentheses
    std::size_t close = 0;       // the ')'
};

Group FindInnermostGroup(const std::string& text, std::size_t close) {
    Group group;
    group.close = close;
    const std::size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
    if (open == std::string::npos) return group;
    group.innerStart = open + 1;
    group.nameStart = open;
    while (group.nameStart > 0 && arith::IsLowerLetter(text[group.nameStart - 1])) {
        --group.nameStart;
    }
    group.start = group.nameStart;
    while (group.start > 0 && arith::IsNumberChar(text[group.start - 1]))
        --group.start;
    return group;
}

// Whether the '+' or '-' at `at` joins two operands rather than signing the one after it.
// Groups left of the first ')' are already values, so only a number can precede it.
bool IsBinaryAt(const std::string& text, std::size_t at) {
    return at > 0 && arith::IsNumberChar(text[at - 1]);
}

// Writes one group's value back; a refusal is returned and the text left as it was. The sign of a
// negative value folds into a '+' or '-' before it, except where a power follows a binary
// one: 2-(-3)^2 is 2 - 9, and folding would make it 2 + 3^2.

Evaluated ReplaceGroup(arith::ArithContext& ctx, std::string& text, const Group& group) {
    const std::string_view view(text);
    const std::string_view name =
        group.innerStart == 0
            ? std::string_view()
            : view.substr(group.nameStart, group.innerStart - 1 - group.nameStart);
    Evaluated evaluated =
        EvaluateGroup(ctx, view.substr(group.start, group.nameStart - group.start),
                      static_cast<int>(group.innerStart + 1),
                      view.substr(group.innerStart, group.close - group.innerStart), name);
    if (!evaluated.Ok()) return evaluated;
    std::string& result = evaluated.value;
    const std::size_t after = group.close + 1;
    if (after < text.size() &&
        (arith::IsNumberChar(text[after]) || arith::IsLowerLetter(text[after]))) {
        result.push_back('@');  // (1+2)3 is 3@3: an implied multiplication
    }
    std::size_t start = group.start;
    if (!result.empty() && result.front() == '-' && start > 0 &&
        (text[start - 1] == '+' || text[start - 1] == '-') &&
        !(IsBinaryAt(text, start - 1) && after < text.size() && text[after] == '^')) {
        text[start - 1] = text[start - 1] == '+' ? '-' : '+';
        result.erase(0, 1);
    }
    std::string rewritten = text.substr(0, start) + result + text.substr(after);
    if (rewritten.size() > kFormulaMax) return {{}, kTextTooLongInEvaluation};
    text = std::move(rewritten);
    return {};
}

}  // namespace

Evaluated EvaluateGroup(arith::ArithContext& ctx, std::string_view coefficient, int position,
                        std::string_view inner, std::string_view name) {
    if (inner.size() > kFormulaMax) return {{}, kTextTooLongInEvaluation};
    Evaluated evaluated = EvaluateExpression(ctx, inner);
    if (!evaluated.Ok()) return evaluated;
    std::string& value = evaluated.value;
    if (const FunctionEntry* function = FindFunction(name)) {
        if (const MessageNumber refused = function->check(value); refused != kNone)
            return {{}, refused, position};
        arith::FunctionValue computed = function->compute(ctx, value);
        // A fault inside a function (its domain was checked above) is reported like an
        // overflow between operators.
        if (!computed.Ok()) return {{}, kValueTooLarge};
        value = std::move(computed.text);
    }
    if (!coefficient.empty()) {
        value = arith::DecimalMultiply(ctx, coefficient, value);
        if (IsFailureText(value)) return {{}, kValueTooLarge};
    }
    return evaluated;
}

void EvaluateFormula(arith::ArithContext& ctx, FormulaError& error, std::string& text,
                     DigitLimits limits) {
    ctx.workIntDigits = limits.intDigits + kGuardDigits;
    ctx.workFracDigits = limits.fracDigits + kGuardDigits;
    if (!error.raised) {
        Evaluated evaluated;
        for (std::size_t close = text.find(')'); close != std::string::npos && evaluated.Ok();
             close = text.find(')')) {
            evaluated = ReplaceGroup(ctx, text, FindInnermostGroup(text, close));
        }
        if (evaluated.Ok()) {
            if (!text.empty() && text.back() == '@') text.pop_back();
            evaluated = EvaluateGroup(ctx, {}, 1, text, {});
        }
        if (evaluated.Ok()) {
            text = std::move(evaluated.value);
        } else {
            text.clear();
            RaiseFormulaError(error, text, evaluated.error, evaluated.position);
        }
    }
    if (ctx.divideError) {
        text = "E999";
        RaiseFormulaError(error, text, kDivisionByZero, 0);
        ctx.divideError = false;
    }
    ctx.workIntDigits = kDefaultDigits;
    ctx.workFracDigits = kDefaultDigits;
}

}  // namespace pemu::formula
