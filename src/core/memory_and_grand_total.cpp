// The memory keys MC MR M+ M-, the grand total key GT and the accumulation of results into
// the grand total, with their overflow errors and the memory kept across a restart.
#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"

namespace pemu::core {
namespace {

// A memory text as the registers hold it: an optional "-", digits, at most one point, and
// at least one digit.
bool IsRegisterNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    return arith::IsNumberText(text) && text.front() != '+' && text.front() != '-' &&
           text.find_first_of("0123456789") != std::string_view::npos;
}

std::size_t DigitCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

// A register that takes a sum: rounded like a result of =, padded when rounding is on.
std::string RoundedRegister(Calculator& calculator, std::string_view sum) {
    const CalculatorState& s = calculator.State();
    std::string value = calculator.RoundResult(
        sum, kWorkSize, {.round = s.roundSelector, .decimal = s.decimalSelector});
    if (s.decimalSelector != kDecimalF && s.roundSelector != kRoundF) {
        value += calculator.DecimalPadding(value);
    }
    return value.substr(0, kRegisterSize - 1);
}

}  // namespace

void Calculator::MemoryKey(int code) {
    auto& s = state_;
    if (RefusedByError()) return;
    if (code == kKeyMemoryClear) {
        s.memoryValue = "0";
        // The display is unchanged, so a shown function value must stay replaceable.
        const int lastFunction = s.lastFunction;
        SetMark(kMarkMemoryRecall, false);
        s.lastFunction = lastFunction;
    } else if (code == kKeyMemoryRecall) {
        ClearFunctionMarks();
        DrawNumber(s.memoryValue);
        SetMark(kMarkMemoryRecall, true);
    } else {
        // M+ and M-: the pending calculation (or the shown number) first, then the memory.
        const bool operatorWaiting = s.pendingOperator != 0 && s.entering == 0;
        OperatorKey(code);
        if (operatorWaiting) {
            s.constantValue = "0";
            s.constantOperator = 0;
            s.pendingOperator = 0;
            // The K mark must not outlive the constant it shows.
            if (IsCasio() && s.markOn[kMarkConstant]) SetMark(kMarkConstant, false);
        }
        if (s.errorCode == kNoError) {
            const std::string sum =
                ComputeStep(s.memoryValue, false, tape::StepForm::kPlain, s.displayValue,
                            code == kKeyMemoryPlus ? kKeyAdd : kKeySubtract);
            if (IsOverflow(sum)) {
                RaiseError("0", kErrorMemory);
                SetMark(kMarkMemoryOverflow, true);
                SetMark(kMarkRegisterOverflow, true);
                // The error line comes after the step's own refresh: a tape window shows it
                // now, not with the next key.
                tape_.RefreshView(0);
            } else {
                s.memoryValue = RoundedRegister(*this, sum);
                SetMark(kMarkEquals, true);
            }
        }
    }
    // MC and MR pressed again write no second line.
    if ((code == kKeyMemoryClear || code == kKeyMemoryRecall) && tape_.LastLineCode() != code) {
        if (tape_.IsCalculationEmpty()) tape_.AppendLine("", tape::kLineSeparator);
        tape_.AppendLine(code == kKeyMemoryClear ? "" : s.memoryValue, code);
        tape_.RefreshView(0);
    }
    SetMark(kMarkMemory, !arith::IsZero(s.memoryValue));
    if (code == kKeyMemoryRecall) s.entering = 1;
    WantFocus(Focus::kFocusField);
}

void Calculator::GrandTotalKey() {
    auto& s = state_;
    if (RefusedByError()) return;
    int lineCode = tape::kLineGrandTotalRecall;
    if (s.lastFunction == CodeOf(kMarkGrandTotalRecall)) {
        ClearFunctionMarks();
        s.grandTotalValue = "0";
        SetMark(kMarkGrandTotal, false);
        SetMark(kMarkGrandTotalRecall, false);
        lineCode = tape::kLineGrandTotalClear;
        // The recalled total stays shown; a digit must still start a new number.
        s.lastFunction = CodeOf(kMarkGrandTotalCleared);
    } else {
        ClearFunctionMarks();
        DrawNumber(s.grandTotalValue);
        SetMark(kMarkGrandTotalRecall, true);
    }
    if (tape_.IsCalculationEmpty()) tape_.AppendLine("", tape::kLineSeparator);
    tape_.AppendLine(s.grandTotalValue, lineCode);
    tape_.RefreshView(0);
    s.entering = 1;
    WantFocus(Focus::kFocusField);
}

void Calculator::AddToGrandTotal(int key, std::string_view value) {
    auto& s = state_;
    const bool accumulates = key == kKeyEquals || (key == kKeyPercent && !IsCasio());
    if (s.errorCode != kNoError || !s.grandTotalOn || !accumulates) return;
    const std::string sum =
        ComputeStep(s.grandTotalValue, false, tape::StepForm::kPlain, value, kKeyAdd);
    if (IsOverflow(sum)) {
        RaiseError("0", kErrorGrandTotal);
        SetMark(kMarkGrandTotalOverflow, true);
        SetMark(kMarkRegisterOverflow, true);
        tape_.RefreshView(0);  // the error line follows the result's refresh
        return;
    }
    s.grandTotalValue = RoundedRegister(*this, sum);
    SetMark(kMarkGrandTotal, !arith::IsZero(s.grandTotalValue));
}

void Calculator::SwitchGrandTotal(bool on) {
    auto& s = state_;
    if (on == s.grandTotalOn) return;
    s.grandTotalOn = on;
    s.grandTotalValue = "0";
    // Not a key: the function whose value is shown stays as it was.
    const int lastFunction = s.lastFunction;
    SetMark(kMarkGrandTotal, false);
    s.lastFunction = lastFunction;
}

void Calculator::RestoreMemory(const MemoryStorePort& store) {
    if (!store.MemoryRead() || !store.MemoryOn()) return;
    // A damaged settings file must not put a non-number into the register, nor a number
    // wider than the display: MR would show only its last digits and every step an error.
    const std::string kept = Register(store.Memory());
    if (!IsRegisterNumber(kept) || DigitCount(kept) > static_cast<std::size_t>(state_.panelDigit))
        return;
    state_.memoryValue = kept;
    SetMark(kMarkMemory, !arith::IsZero(kept));
}

void Calculator::SaveMemory(MemoryStorePort& store) const {
    store.SetMemoryOn(state_.memoryMark);
    store.SetMemory(state_.memoryValue);
}

}  // namespace pemu::core
