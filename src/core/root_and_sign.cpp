// The square root and sign change keys. Both act on the shown number the way keying would:
// the root becomes the keyed operand, a sign change while keying edits the entry in place.
#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"
#include "core/tax_codes.hpp"

namespace pemu::core {

void Calculator::RootKey() {
    auto& s = state_;
    if (RefusedByError()) return;
    const int last = s.lastFunction;
    ClearFunctionMarks();
    // The root of a shown tax amount or root replaces that record. A number keyed since then
    // is a new operation: the record before it stays on the tape.
    if (IsTaxFunction(last)) tape_.UndoTaxLines();
    if (tape_.IsCalculationEmpty()) tape_.AppendLine("", tape::kLineSeparator);
    if (last == kKeyRoot && tape_.LastLineCode() == tape::kLineRootResult) tape_.RemoveLastLines(2);

    const std::string operand = s.displayValue;
    tape_.AppendLine(operand, tape::kLineRootOperand);
    // "-0" is zero, not a negative number: its root is 0.
    if (operand[0] == '-' && !arith::IsZero(operand)) {
        RaiseError("0", kErrorRootNegative);
    } else {
        std::string root = "0";
        if (!arith::IsZero(operand)) {
            root = arith::DecimalSqrt(arith_, operand);
            TruncateToDigits(root);
        }
        tape_.AppendLine(root, tape::kLineRootResult);
        s.entering = 1;
        DrawNumber(root);
        SetMark(kMarkRoot, true);
    }
    tape_.RefreshView(0);
    WantFocus(Focus::kFocusField);
}

void Calculator::SignChangeKey() {
    auto& s = state_;
    if (RefusedByError()) return;
    ClearFunctionMarks();
    std::string value = s.displayValue;
    if (!value.empty() && value[0] == '-') {
        value.erase(0, 1);
    } else {
        value.insert(0, 1, '-');
    }
    s.displayValue = Register(value);
    if (s.entering == 0) {
        // A result's sign change is a step of its own; pressed again, it replaces itself.
        if (tape_.LastWasSignChange()) tape_.RemoveLastLines(1);
        const int code = s.displayValue[0] == '-' ? kSignToNegative : kSignToPositive;
        tape_.RecordStep("0", code, tape::StepRole::kStep);
        s.lastFunction = code;
        tape_.RefreshView(0);
        s.answerValue = s.displayValue;
    }
    DrawNumber(s.displayValue);
    if (s.lastFunction != 0) s.entering = 0;
    WantFocus(Focus::kFocusField);
}

}  // namespace pemu::core
