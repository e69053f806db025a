// Keying a number: digits, 00, the point, backspace and the three clear keys.
#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"

namespace pemu::core {
namespace {

// Backspace on the keyed text. A trailing point looks like no point on the display, so
// removing it takes the digit the user sees last as well.
std::string Shortened(const std::string& s) {
    const std::size_t n = s.size();
    if (n <= 1) return "0";
    if (n == 2) {
        if (s[1] == '.') return "0";
        if (s[0] == '-') return "-0";
        return s.substr(0, 1);
    }
    if (s.back() == '.') {
        if (n == 3 && s[0] == '-') return "-0";
        return s.substr(0, n - 2);
    }
    return s.substr(0, n - 1);
}

}  // namespace

void Calculator::EnterDigit(char ch) {
    auto& s = state_;
    if (RefusedByError()) return;
    if (s.entering == 0 || s.lastFunction > 0) s.displayValue = "0";
    const bool hasPoint = s.displayValue.find('.') != std::string::npos;
    if (ch == '.' && hasPoint) {
        WantFocus(Focus::kFocusField);
        return;
    }
    std::size_t limit = static_cast<std::size_t>(s.panelDigit);
    if (s.displayValue[0] == '-') ++limit;
    if (hasPoint) ++limit;
    if (s.displayValue.size() < limit) {
        std::string text = s.displayValue;
        if (arith::IsDigit(ch) && (text == "0" || text == "-0")) {
            text.back() = ch;
        } else {
            text += ch;
        }
        ClearFunctionMarks();
        DrawNumber(text);
        s.entering = 1;
    } else if (ch != '.' && !hasPoint) {
        s.errorCode = kErrorEntryOverflow;
        s.entering = 0;
        SetMark(kMarkError, true);
    }
    WantFocus(Focus::kFocusField);
}

void Calculator::BackSpaceKey() {
    auto& s = state_;
    if (s.errorCode != kNoError) {
        if (s.errorCode != kErrorEntryOverflow) tape_.StartNewCalculation();
        ClearKey(kKeyClearEntry);
        return;
    }
    ClearFunctionMarks();
    DrawNumber(Shortened(s.displayValue));
    WantFocus(Focus::kFocusField);
}

void Calculator::ClearKey(int kind) {
    auto& s = state_;
    if (kind == kKeyClearEntry && s.entering == 0) {
        if (s.errorCode != kErrorOverflow && s.errorCode != kErrorEntryOverflow) return;
        // The overflowed value stays and becomes the keyed operand.
        SetMark(kMarkError, false);
        ClearFunctionMarks();
        if (s.errorCode == kErrorOverflow) SetMark(kMarkEquals, true);
        DrawNumber(s.displayValue);
        s.errorCode = kNoError;
        s.entering = 1;
        WantFocus(Focus::kFocusField);
        return;
    }
    DrawNumber("0");
    ClearFunctionMarks();
    SetMark(kMarkError, false);
    // The strip erase took the memory-overflow glyph; its flag must follow, or a skin
    // change would draw it again.
    s.markOn[kMarkMemoryOverflow] = false;
    ShowLabel(DisplayLabel::kLabIpt, "0");
    s.errorCode = kNoError;
    if (kind != kKeyClearEntry) {
        ClearOperatorMarks();
        ShowLabel(DisplayLabel::kLabAns, "0");
        s.answerValue = "0";
        s.pendingOperator = 0;
        s.entering = 0;
        s.constantOperator = 0;
        s.constantValue = "0";
        if (IsCasio()) SetMark(kMarkConstant, false);
        tape_.StartNewCalculation();
        s.percentBase.clear();
    }
    if (kind == kKeyClearAll) {
        s.memoryValue = "0";
        SetMark(kMarkMemory, false);
    }
    if (kind == kKeyClearAll || (kind == kKeyClear && IsCasio())) {
        s.grandTotalValue = "0";
        SetMark(kMarkGrandTotal, false);
        s.answerCheckValue = "CLEAR";
    }
    WriteClearLine(kind);
    tape_.RefreshView(0);
    WantFocus(Focus::kFocusField);
}

void Calculator::WriteClearLine(int kind) {
    const int last = tape_.LastLineCode();
    const bool write =
        (kind == kKeyClear && last != tape::kLineClear && last != tape::kLineClearAll) ||
        (kind == kKeyClearAll && last != tape::kLineClearAll);
    if (!write) return;
    if (tape_.LineCount() == 0) tape_.AppendLine("", tape::kLineSeparator);
    tape_.AppendLine("", kind);
}

}  // namespace pemu::core
