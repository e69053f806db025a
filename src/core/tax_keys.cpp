// The tax included and tax excluded keys: a price without tax to the price with tax and
// back, the tax amount on a second press, each press recorded in place of the one before.
#include "core/calculator.hpp"
#include "core/tax_codes.hpp"
#include "tape/tax_record.hpp"

namespace pemu::core {
namespace {

// The code of this press: the same key pressed again shows the tax amount.
int PressCode(int lastFunction, int code) {
    if (lastFunction == kKeyTaxIncluded && code == kKeyTaxIncluded) return kMarkTaxIncludedAmount;
    if (lastFunction == kKeyTaxExcluded && code == kKeyTaxExcluded) return kMarkTaxExcludedAmount;
    return code;
}

}  // namespace

void Calculator::TaxKey(int code) {
    auto& s = state_;
    if (RefusedByError()) return;
    const int last = s.lastFunction;
    code = PressCode(last, code);
    const bool noSequence = !IsTaxFunction(last);
    // The other key after a shown tax amount: that amount is the base of a new sequence.
    const bool fromAmount = (last == kMarkTaxExcludedAmount && code == kKeyTaxIncluded) ||
                            (last == kMarkTaxIncludedAmount && code == kKeyTaxExcluded);
    if (noSequence || fromAmount) {
        ShowLabel(DisplayLabel::kLabIpt, s.displayValue);
        s.taxBaseValue = s.displayValue;
        s.taxBaseKey = code;
        // Add mode places the point in a keyed base only, never in a shown tax amount. A
        // price is money wherever it is keyed, also as the operand of x or /.
        if (noSequence && AddModeTakesKeyedNumber()) PlaceAddModePoint(s.taxBaseValue);
    }
    ClearFunctionMarks();

    const std::string& rate = s.taxRate;
    const std::string onePlusRate = ComputeStep("1", false, 0, rate, kKeyAdd);
    std::string tax = ComputeStep(s.taxBaseValue, true, 0, rate, kKeyMultiply);
    std::string gross;
    if (s.taxBaseKey == kKeyTaxIncluded) {
        gross = ComputeStep(s.taxBaseValue, false, 0, tax, kKeyAdd);
        // Back from the price with tax: the tax it contains, computed from that price.
        if (code == kKeyTaxExcluded || code == kMarkTaxExcludedAmount) {
            tax = ComputeStep(ComputeStep(gross, true, 0, rate, kKeyMultiply), false, 0,
                              onePlusRate, kKeyDivide);
        }
    } else {
        gross = s.taxBaseValue;
        tax = ComputeStep(tax, false, 0, onePlusRate, kKeyDivide);
    }
    tax = RoundResult(tax, kWorkSize, s.decimalSelector, s.roundSelector);
    const std::string net = ComputeStep(gross, false, 0, tax, kKeySubtract);

    std::string shown = code == kKeyTaxIncluded ? gross : code == kKeyTaxExcluded ? net : tax;
    SetMark(code, true);
    const bool overflow = IsOverflow(shown);
    // A rate that makes 1 + rate zero must not leave the divide flag to the next key.
    arith_.divideError = false;
    if (overflow) {
        RaiseError(shown, kErrorZero);
    } else {
        TruncateToDigits(shown);
        if (!RoundingOff()) {
            shown = RoundResult(shown, kWorkSize, s.decimalSelector, s.roundSelector);
            shown += DecimalPadding(shown);
        }
        DrawNumber(shown);
    }
    s.entering = overflow ? 0 : 1;
    // The gross and the net keep the places below the rounded tax; on the tape they are
    // rounded like the display, so that base, tax and result add up (1001: 1001 + 80 = 1081,
    // not 1001.08 + 80).
    const auto asShown = [&](const std::string& value) {
        return RoundingOff() ? value
                             : RoundResult(value, kWorkSize, s.decimalSelector, s.roundSelector);
    };
    // Pressed on the shown root or tax amount, the press replaces that record; after a number
    // keyed since then, the earlier record stays on the tape.
    const bool continuesPress = last == kKeyRoot || IsTaxFunction(last);
    tape::RecordTaxSteps(tape_, code, asShown(net), shown, tax, asShown(gross), continuesPress);
    shell_.Refocus();
}

}  // namespace pemu::core
