// + - x / = and % (and the first half of M+ M-): which operands a key combines, the
// constant of the two families, and the fixed sequence every result goes through.
#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"

namespace pemu::core {
namespace {

bool IsAddOrSubtract(int op) {
    return op == kKeyAdd || op == kKeySubtract;
}

bool IsMemoryKey(int key) {
    return key == kKeyMemoryPlus || key == kKeyMemoryMinus;
}

}  // namespace

// What one operator key decided before the common result sequence.
struct OperatorStep {
    std::string result;
    std::string operandText;
    bool constantUsed = false;
    bool operatorSwap = false;
    bool stop = false;  // the key was ignored or handled completely
};

std::string Calculator::ComputeStep(std::string_view left, bool cut, tape::StepForm form,
                                    std::string_view right, int op) {
    std::string out;
    if (form == tape::StepForm::kPercent) {
        out = ComputePercent(left, right, op);
    } else {
        switch (op) {
            case kKeyAdd:
                out = arith::DecimalAdd(arith_, left, right, state_.panelDigit);
                break;
            case kKeySubtract:
                out = arith::DecimalSubtract(arith_, left, right, state_.panelDigit);
                break;
            case kKeyMultiply:
                out = arith::DecimalMultiply(arith_, left, right);
                break;
            case kKeyDivide:
                out = arith::DecimalDivide(arith_, left, right, 0);
                break;
            default:
                out = "0";
                break;
        }
    }
    if (out.size() > kWorkSize - 1) out.resize(kWorkSize - 1);
    if (cut) TruncateToDigits(out);
    return out;
}

void Calculator::OperatorKey(int key) {
    auto& s = state_;
    if (RefusedByError()) return;
    ApplyAddMode(s.displayValue, key);

    OperatorStep step;
    if (s.pendingOperator == 0) {
        step = NoPendingOperator(key);
    } else if (s.entering != 0) {
        step = PendingWithNumber(key);
    } else {
        step = PendingWithoutNumber(key);
    }
    if (step.stop) return;

    if (!step.constantUsed && !IsMemoryKey(key)) UpdateConstant(key, step.operandText);
    if (!step.operatorSwap) {
        ShowLabel(DisplayLabel::kLabIpt,
                  step.operandText.empty() ? s.displayValue : step.operandText);
    }
    s.repeatCount = step.constantUsed && IsCasio() && s.repeatCount < 100 ? s.repeatCount + 1 : 0;
    tape_.RecordStep(step.operandText.empty() ? s.answerValue : step.operandText, key,
                     tape::StepRole::kStep);
    FinishOperatorStep(key, step.result);
}

void Calculator::FinishOperatorStep(int key, std::string result) {
    auto& s = state_;
    if (arith_.divideError) {
        s.errorCode = kErrorStepDivide;
    } else if (IsOverflow(result)) {
        s.errorCode = kErrorStepOverflow;
    } else {
        result = FinishResult(result, kWorkSize, key);
    }
    ClearFunctionMarks();
    ClearOperatorMarks();
    SetMark(MarkOf(key), true);
    if (s.errorCode == kNoError) {
        DrawNumber(result);
    } else {
        const bool zero = IsMemoryKey(key) || s.errorCode == kErrorStepDivide;
        result = RaiseError(result, zero ? kErrorZero : kErrorOverflow);
    }
    arith_.divideError = false;
    s.answerValue = Register(result);
    if (s.errorCode == kNoError && !IsOperatorKey(key))
        tape_.RecordStep(s.answerValue, key, tape::StepRole::kResult);
    tape_.RefreshView(0);
    s.pendingOperator = IsOperatorKey(key) ? key : 0;
    AnswerCheck(key, s.answerValue);
    AddToGrandTotal(key, s.answerValue);
    ShowLabel(DisplayLabel::kLabAns, s.answerValue);
    s.entering = 0;
    WantFocus(Focus::kMainWindow);
}

OperatorStep Calculator::NoPendingOperator(int key) {
    auto& s = state_;
    OperatorStep step;
    s.answerValue = s.displayValue;
    const int kop = s.constantOperator;
    const bool keyed = s.entering != 0;
    const bool percent = key == kKeyPercent;
    // The rows that apply the constant: K x A for the "SHARP" multiplier, else A op K.
    auto applyConstant = [&](bool constantFirst) {
        s.entering = 1;
        step.constantUsed = true;
        s.pendingOperator = kop;
        const std::string a = s.answerValue;
        const std::string k = s.constantValue;
        if (constantFirst) {
            step.result = ComputeStep(k, false, FormOf(key), a, kKeyMultiply);
            tape_.RecordStep(k, kKeyMultiply, tape::StepRole::kStep);
            step.operandText = a;
        } else {
            step.result = ComputeStep(a, false, FormOf(key), k, kop);
            tape_.RecordStep(a, kop, tape::StepRole::kStep);
            step.operandText = k;
        }
    };
    if (!IsCasio() && percent) {
        if (kop == 0 && !keyed) return Ignored();
        if (IsAddOrSubtract(kop) && !keyed) return Ignored();
        if (kop == 0) {
            s.answerValue = "0";
            step.result = "0";
        } else {
            applyConstant(kop == kKeyMultiply && keyed);
        }
    } else if (!IsCasio() && key == kKeyEquals) {
        if (kop == 0) {
            step.result = s.answerValue;
        } else {
            applyConstant(kop == kKeyMultiply);
        }
    } else if (IsCasio() && (percent || key == kKeyEquals)) {
        if (kop == 0) {
            step.result = s.answerValue;
        } else {
            applyConstant(false);
        }
    } else if (IsCasio() && IsAddOrSubtract(key) && !s.percentBase.empty() && !keyed) {
        // Only the shown percentage amount is added on or taken off; a number keyed or
        // recalled since then starts a calculation of its own (1000 x 15 % 5 + is 5 +).
        ApplyPercentAddOn(s.answerValue, key);
        step.stop = true;
        return step;
    } else {
        step.result = s.answerValue;
    }
    s.percentBase.clear();
    return step;
}

OperatorStep Calculator::PendingWithNumber(int key) {
    auto& s = state_;
    OperatorStep step;
    s.percentBase.clear();
    step.operandText = s.displayValue;
    if (IsCasio() && s.constantOperator != 0 && (key == kKeyPercent || key == kKeyEquals)) {
        s.answerValue = s.displayValue;
        step.result =
            ComputeStep(s.displayValue, false, FormOf(key), s.constantValue, s.constantOperator);
        step.constantUsed = true;
    } else {
        step.result =
            ComputeStep(s.answerValue, false, FormOf(key), s.displayValue, s.pendingOperator);
        if (IsCasio() && key == kKeyPercent && s.pendingOperator == kKeyMultiply) {
            s.percentBase = s.answerValue;
        }
    }
    return step;
}

OperatorStep Calculator::PendingWithoutNumber(int key) {
    auto& s = state_;
    OperatorStep step;
    s.percentBase.clear();
    const int p = s.pendingOperator;
    const std::string a = s.answerValue;
    if (IsOperatorKey(key)) {
        step.result = a;
        step.operatorSwap = true;
        return step;
    }
    if (IsAddOrSubtract(p)) {
        if (!IsCasio() && key == kKeyPercent) return Ignored();
        if (s.constantOperator != 0) {
            step.result = ComputeStep(s.constantValue, false, FormOf(key), a, p);
            step.operandText = s.constantValue;
            s.entering = 1;
        } else if (IsCasio()) {
            step.result = a;
        } else {
            // Plain multiplication, also for %: 5 + = gives 5, 5 - = gives -5.
            step.result = ComputeStep(a, false, tape::StepForm::kPlain, p == kKeyAdd ? "1" : "-1",
                                      kKeyMultiply);
        }
    } else if (p == kKeyMultiply) {
        step.result = ComputeStep(a, false, FormOf(key), a, kKeyMultiply);
        if (IsCasio() && key == kKeyPercent) s.percentBase = a;
    } else if (p == kKeyDivide) {
        step.result = IsCasio() ? ComputeStep(a, false, FormOf(key), a, kKeyDivide)
                                : ComputeStep("1", false, FormOf(key), a, kKeyDivide);
    }
    if (IsCasio() && s.constantOperator != 0) step.constantUsed = true;
    return step;
}

OperatorStep Calculator::Ignored() {
    WantFocus(Focus::kFocusField);
    OperatorStep step;
    step.stop = true;
    return step;
}

void Calculator::UpdateConstant(int key, std::string_view operandText) {
    auto& s = state_;
    const int p = s.pendingOperator;
    if (!IsCasio()) {
        if (p == 0) return;
        if (IsOperatorKey(key)) {
            s.constantValue = "0";
            s.constantOperator = 0;
            return;
        }
        s.constantOperator = p;
        const bool keyedBecomesK =
            !operandText.empty() &&
            ((key == kKeyEquals && p != kKeyMultiply) || (key == kKeyPercent && p == kKeyDivide));
        s.constantValue = Register(keyedBecomesK ? operandText : s.answerValue);
        return;
    }
    if (!IsOperatorKey(key)) return;
    if (key == p && s.entering == 0 && s.constantOperator == 0) {
        s.constantOperator = p;
        if (operandText.empty()) s.constantValue = s.answerValue;
        return;
    }
    s.constantValue = "0";
    s.constantOperator = 0;
}

}  // namespace pemu::core
