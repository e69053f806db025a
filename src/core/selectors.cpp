// The setters of the round and decimal selectors, the display width, the family and the
// tax rate; each family keeps F on its own selector.
#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"

namespace pemu::core {
namespace {

RoundSelector CoercedRound(int value, KeyFamily makerType) {
    const RoundSelector selector = RoundSelectorOf(value);
    if (selector == kRoundCut || selector == kRoundUp || selector == kRoundHalfUp) return selector;
    if (makerType == kMakerCasio && selector == kRoundF) return selector;
    return makerType == kMakerCasio ? kRoundF : kRoundCut;
}

DecimalSelector CoercedDecimal(int value, KeyFamily makerType) {
    const DecimalSelector selector = DecimalSelectorOf(value);
    if ((value >= 0 && value <= 5) || selector == kDecimalAddMode) return selector;
    if (makerType != kMakerCasio && selector == kDecimalF) return selector;
    return makerType == kMakerCasio ? DecimalSelectorOf(5) : kDecimalF;
}

}  // namespace

void Calculator::SetRoundSelector(int value) {
    if (value == StoredSelector(state_.roundSelector) && state_.initialised) return;
    state_.roundSelector = CoercedRound(value, state_.makerType);
    // The label names the value chosen, before the family's coercion.
    display_.SetLabel(DisplayLabel::kLabRs, arith::RoundSelectorName(value, false));
    NoteSelectorsIfInitialised();
}

void Calculator::SetDecimalSelector(int value) {
    if (value == StoredSelector(state_.decimalSelector) && state_.initialised) return;
    state_.decimalSelector = CoercedDecimal(value, state_.makerType);
    display_.SetLabel(DisplayLabel::kLabDc, arith::DecimalSelectorName(value, false));
    NoteSelectorsIfInitialised();
}

void Calculator::NoteSelectorsIfInitialised() {
    if (!state_.initialised) return;
    tape_.NoteSelectors(CurrentSelectors());
    WantFocus(Focus::kFocusField);
}

void Calculator::SetPanelDigit(int digits) {
    if (digits == state_.panelDigit) return;
    state_.panelDigit = digits < 8 || digits > 14 ? 14 : digits;
    if (state_.initialised) tape_.NoteDigits(state_.panelDigit);
}

void Calculator::SetMakerType(KeyFamily type) {
    auto& s = state_;
    if (type == s.makerType) return;
    if (s.initialised) {
        s.makerType = type;
        if (type == kMakerCasio) {
            if (s.decimalSelector == kDecimalF) {
                SetRoundSelector(kSelectorF);
                SetDecimalSelector(5);
            }
        } else {
            if (s.roundSelector == kRoundF) {
                SetRoundSelector(StoredSelector(kRoundCut));
                SetDecimalSelector(kSelectorF);
            }
            s.percentBase.clear();
        }
        tape_.NoteFamily(type);
        shell_.RefreshKeys();
        WantFocus(Focus::kFocusField);
    }
    s.makerType = type;
    s.constantValue.assign(1, '0');  // not = "0": GCC 12 warns falsely (-Wrestrict)
    s.constantOperator = 0;
    // The constant is gone, so its mark must not stay on the panel; a function shown
    // (a root, a recalled value) is still the one a new digit replaces.
    if (s.markOn[kMarkConstant]) {
        const int shownFunction = s.lastFunction;
        SetMark(kMarkConstant, false);
        s.lastFunction = shownFunction;
    }
    shell_.FamilyChanged(type);
}

void Calculator::SetTaxRate(std::string_view rate) {
    state_.taxRate = Register(rate);
}

}  // namespace pemu::core
