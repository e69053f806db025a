// The % key: the percent forms of the four operations in the two families, and the "CASIO"
// add-on and discount that follow a multiplication by a percentage.
#include "core/calculator.hpp"

namespace pemu::core {

void Calculator::PercentKey() {
    OperatorKey(kKeyPercent);
}

std::string Calculator::ComputePercent(std::string_view left, std::string_view right, int op) {
    // Every partial result is cut to the display width before the next step uses it.
    const auto step = [this](std::string_view a, int stepOp, std::string_view b) {
        return ComputeStep(a, true, tape::StepForm::kPlain, b, stepOp);
    };
    const auto refuse = [this] {
        arith_.divideError = true;
        return std::string("0");
    };
    const std::string rate = step(right, kKeyMultiply, "0.01");
    switch (op) {
        case kKeyAdd:
            if (!IsCasio()) return step(left, kKeyMultiply, step("1", kKeyAdd, rate));
            // The guards compare the keyed text: 100.0 reaches the division and fails there.
            if (right == "100") return refuse();
            return step(left, kKeyDivide, step("1", kKeySubtract, rate));
        case kKeySubtract:
            if (!IsCasio()) return step(left, kKeyMultiply, step("1", kKeySubtract, rate));
            if (right == "0") return refuse();
            return step(step("100", kKeySubtract, step(left, kKeyDivide, rate)), kKeyMultiply,
                        "-1");
        case kKeyMultiply:
            return step(left, kKeyMultiply, rate);
        case kKeyDivide:
            return step(left, kKeyDivide, rate);
        default:
            return step(left, kKeyMultiply, "0");
    }
}

void Calculator::ApplyPercentAddOn(std::string_view value, int key) {
    auto& s = state_;
    const std::string amount(value);
    const std::string base = s.percentBase;
    const std::string sum = ComputeStep(base, false, tape::StepForm::kPlain, amount, key);
    ClearFunctionMarks();
    ClearOperatorMarks();
    s.entering = 0;
    if (IsOverflow(sum)) {
        RaiseError(sum, kErrorOverflow);
    } else {
        DrawNumber(sum);
        tape_.AppendLine("", tape::kLineSeparator);
        tape_.AppendLine(base, tape::kLineTaxIncluded);
        tape_.AppendLine(
            amount, key == kKeyAdd ? tape::kLineTaxIncludedAmount : tape::kLineTaxExcludedAmount);
        tape_.AppendLine(sum, tape::kLineTaxIncluded);
        tape_.RefreshView(0);
    }
    s.percentBase.clear();
    WantFocus(Focus::kFocusField);
}

}  // namespace pemu::core
