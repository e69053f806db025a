// Construction, start-up, the dispatch of key codes and the small steps the key groups
// share.
#include "core/calculator.hpp"

#include <algorithm>
#include <utility>

#include "arithmetic/decimal.hpp"

namespace pemu::core {

Calculator::Calculator(DisplayPort& display, ShellPort& shell, tape::TapeRecorder& tape,
                       KeyFamily family)
    : display_(display), shell_(shell), tape_(tape) {
    state_.makerType = family;
    tape_.AttachCore(this);
    ShowLabel(DisplayLabel::kLabAns, "0");
    ShowLabel(DisplayLabel::kLabIpt, "0");
}

Calculator::~Calculator() {
    tape_.AttachCore(nullptr);
}

void Calculator::FirstShow() {
    display_.EraseMarkStrip(StripRegion::kWhole);
    DrawNumber("0");
}

void Calculator::StartAsCasio() {
    state_.makerType = kMakerCasio;
    shell_.RefreshKeys();
}

void Calculator::ApplyStartupSettings(const StartupSettings& settings,
                                      const MemoryStorePort* memory) {
    auto& s = state_;
    s.answerCheckValue = "CLEAR";
    SetRoundSelector(settings.roundSelecter);
    SetDecimalSelector(settings.decimalSelecter);
    SetPanelDigit(settings.panelDigit);
    if (memory != nullptr) RestoreMemory(*memory);
    s.grandTotalOn = settings.grandTotal;
    s.answerCheckOn = settings.answerCK;
    tape_.Options().checkFunctionOn = settings.kenzanCheck;
    tape_.Options().autoDateOn = settings.kenzanAutoDate;
    tape_.Options().twoColourOn = settings.kenzanIsColor;
    s.taxRate = arith::IsNumberText(settings.zeiritu) ? Register(settings.zeiritu) : "0.08";
    WantFocus(Focus::kFocusField);
    s.initialised = true;
}

void Calculator::ExecuteKey(int code) {
    shell_.PressKey(code);
    if (code >= kKeyDigit1 && code <= kKeyDigit1 + 8) {
        EnterDigit(static_cast<char>('1' + (code - kKeyDigit1)));
        return;
    }
    switch (code) {
        case kKeyPercent:
            PercentKey();
            break;
        case kKeyClearEntry:
        case kKeyClear:
        case kKeyClearAll:
            ClearKey(code);
            break;
        case kKeyMemoryClear:
        case kKeyMemoryRecall:
        case kKeyMemoryPlus:
        case kKeyMemoryMinus:
            MemoryKey(code);
            break;
        case kKeyRoot:
            RootKey();
            break;
        case kCheckTapeKey:
            shell_.RunShellKey(code);
            WantFocus(Focus::kFocusField);
            break;
        case kKeyTaxIncluded:
        case kKeyTaxExcluded:
            TaxKey(code);
            break;
        case kKeyBackSpace:
            BackSpaceKey();
            break;
        case kKeySignChange:
            SignChangeKey();
            break;
        case kKeyGrandTotal:
            GrandTotalKey();
            break;
        case kKeyAdd:
        case kKeySubtract:
        case kKeyMultiply:
        case kKeyDivide:
        case kKeyEquals:
            OperatorKey(code);
            break;
        case kKeyPoint:
            EnterDigit('.');
            break;
        case kKeyAssignmentKey:
        case kMiniSizeKey:
        case kEnlargedDisplayKey:
        case kButtonDisplayKey:
        case kFormulaWindowKey:
            shell_.RunShellKey(code);
            break;
        case kKeyDigit0:
            EnterDigit('0');
            break;
        case kKeyDoubleZero:
            EnterDigit('0');
            EnterDigit('0');
            break;
        default:  // 8 and 38 only show their key pressed; other codes do nothing
            break;
    }
}

bool Calculator::RefusedByError() {
    if (state_.errorCode == kNoError) return false;
    WantFocus(Focus::kFocusField);
    return true;
}

void Calculator::WantFocus(Focus focus) {
    focus_ = std::max(focus_, focus);
}

Focus Calculator::TakeFocus() {
    return std::exchange(focus_, Focus::kUnchanged);
}

void Calculator::CopyDisplay() {
    SetMark(kMarkCopy, true);
    shell_.CopyToClipboard(state_.displayValue);
    WantFocus(Focus::kFocusField);
}

bool Calculator::TakeDivideError() {
    const bool raised = arith_.divideError;
    arith_.divideError = false;
    return raised;
}

void Calculator::ResumeFromTape(std::string_view inputText, int op, std::string_view result) {
    auto& s = state_;
    s.answerValue = Register(result);
    // Only an operator can wait for a second operand.
    s.pendingOperator = IsOperatorKey(op) ? op : 0;
    ShowLabel(DisplayLabel::kLabAns, s.answerValue);
    ClearOperatorMarks();
    SetMark(MarkOf(s.pendingOperator), true);
    if (s.entering == 0) DrawNumber(s.answerValue);
    ShowLabel(DisplayLabel::kLabIpt, inputText);
}

void Calculator::ShowLabel(DisplayLabel label, std::string_view value) {
    display_.SetLabel(label, value.empty() ? std::string("0") : arith::GroupThousands(value, 40));
}

std::string Calculator::Register(std::string_view text) {
    return std::string(text.substr(0, kRegisterSize - 1));
}

}  // namespace pemu::core
