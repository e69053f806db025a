// Between the arithmetic and the display: cutting to the display width, the round and
// decimal selectors, add mode, the overflow test and the error states.
#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"

namespace pemu::core {
namespace {

int DecimalPlaces(DecimalSelector decimalSelector) {
    return decimalSelector == kDecimalAddMode ? 2 : StoredSelector(decimalSelector);
}

// [-]digits[.digits] with at least one digit: anything else ("EF", "") cannot be shown.
bool IsPlainNumber(std::string_view s) {
    std::size_t i = !s.empty() && s[0] == '-' ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (arith::IsDigit(s[i])) {
            digit = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// The unit of the last kept place: "1", "0.1" .. "0.00001"; "0" beyond five places.
std::string PlaceUnit(int places) {
    if (places == 0) return "1";
    if (places < 1 || places > 5) return "0";
    return "0." + std::string(static_cast<std::size_t>(places - 1), '0') + "1";
}

// A value cut or rounded to zero keeps no sign: "-0" and "-0.00" are shown as 0.
void DropSignOfZero(std::string& value) {
    if (!value.empty() && value[0] == '-' &&
        value.find_first_not_of("0.", 1) == std::string::npos) {
        value.erase(0, 1);
    }
}

char RoundThreshold(RoundSelector roundSelector) {
    switch (roundSelector) {
        case kRoundUp:
            return '0';
        case kRoundHalfUp:
            return '4';
        default:
            return '9';
    }
}

}  // namespace

void Calculator::TruncateToDigits(std::string& value) const {
    if (value.find('.') == std::string::npos) return;
    std::size_t keep = static_cast<std::size_t>(state_.panelDigit) + 1;
    if (!value.empty() && value[0] == '-') ++keep;
    if (value.size() <= keep) return;
    value.resize(keep);
    arith::StripTrailingZeros(value);
    DropSignOfZero(value);
}

std::string Calculator::RoundResult(std::string_view src, std::size_t maxLen,
                                    tape::Selectors selectors) {
    std::string dst(src.substr(0, maxLen > 0 ? maxLen - 1 : src.size()));
    if (selectors.round != kRoundF && selectors.decimal != kDecimalF) {
        const int places = DecimalPlaces(selectors.decimal);
        const std::size_t point = dst.find('.');
        if (point != std::string::npos && places >= 0 &&
            dst.size() - point - 1 > static_cast<std::size_t>(places)) {
            const std::size_t kept = point + 1 + static_cast<std::size_t>(places);
            const char dropped = dst[kept];
            const bool negative = dst[0] == '-';
            dst.resize(kept);
            // Rounded to whole units: no point left dangling, so 2 and a rounded 2 agree.
            if (places == 0) dst.pop_back();
            if (dropped > RoundThreshold(selectors.round)) {
                dst = ComputeStep(dst, false, tape::StepForm::kPlain, PlaceUnit(places),
                                  negative ? kKeySubtract : kKeyAdd);
            }
        }
    }
    TruncateToDigits(dst);
    DropSignOfZero(dst);
    return dst;
}

std::string Calculator::DecimalPadding(std::string_view value) const {
    const int places = DecimalPlaces(state_.decimalSelector);
    const bool hasPoint = value.find('.') != std::string_view::npos;
    int room = state_.panelDigit;
    if (!value.empty() && value[0] == '-') ++room;
    if (hasPoint) ++room;
    const int length = static_cast<int>(value.size());
    if (length >= room) return "";
    room -= length;
    if (hasPoint) {
        const int p = static_cast<int>(value.find('.')) + 1;
        const int n = std::min(places - (length - p), room);
        return n >= 1 && n <= 5 ? std::string(static_cast<std::size_t>(n), '0') : "";
    }
    const int n = std::min(places, room);
    return n >= 1 && n <= 5 ? "." + std::string(static_cast<std::size_t>(n), '0') : "";
}

std::string Calculator::FinishResult(std::string_view src, std::size_t maxLen, int key) {
    std::string dst(src.substr(0, maxLen > 0 ? maxLen - 1 : src.size()));
    if (state_.errorCode != kNoError) return dst;
    if (IsOperatorKey(key)) {
        TruncateToDigits(dst);
        return dst;
    }
    dst = RoundResult(dst, maxLen, CurrentSelectors());
    if (!RoundingOff()) {
        dst += DecimalPadding(dst);
        if (maxLen > 0 && dst.size() > maxLen - 1) dst.resize(maxLen - 1);
    }
    return dst;
}

bool Calculator::AddModeTakesKeyedNumber() const {
    // Only a keyed number gets its point: a shown result is already in units, even a
    // full-width one that had no room for its padding.
    return state_.roundSelector != kRoundF && state_.decimalSelector == kDecimalAddMode &&
           state_.entering != 0 && state_.lastFunction == 0;
}

void Calculator::ApplyAddMode(std::string& value, int key) const {
    // Multipliers, divisors and percentages are counts and rates, taken as keyed.
    if (!AddModeTakesKeyedNumber() || key == kKeyPercent ||
        state_.pendingOperator == kKeyMultiply || state_.pendingOperator == kKeyDivide) {
        return;
    }
    PlaceAddModePoint(value);
}

void Calculator::PlaceAddModePoint(std::string& value) {
    if (value.find('.') != std::string::npos) return;
    std::string sign;
    std::string digits = value;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        sign = digits.substr(0, 1);
        digits.erase(0, 1);
    }
    if (digits.size() == 1) {
        digits = "0.0" + digits;
    } else if (digits.size() == 2) {
        digits = "0." + digits;
    } else if (digits.size() > 2) {
        digits.insert(digits.size() - 2, ".");
    }
    value = Register(sign + digits);
}

bool Calculator::IsOverflow(std::string_view value) const {
    return state_.errorCode != kNoError || arith_.divideError || ExceedsDisplay(value);
}

bool Calculator::ExceedsDisplay(std::string_view value) const {
    // Exact decimal comparison with panelDigit nines: beyond them when the integer part
    // is longer, or as long, all nines, and followed by a fraction that is not zero.
    if (!IsPlainNumber(value)) return true;
    std::string_view digits = value[0] == '-' ? value.substr(1) : value;
    const std::size_t point = std::min(digits.find('.'), digits.size());
    std::string_view integer = digits.substr(0, point);
    const std::string_view fraction = point < digits.size() ? digits.substr(point + 1) : "";
    while (integer.size() > 1 && integer[0] == '0')
        integer.remove_prefix(1);
    const std::size_t width = static_cast<std::size_t>(state_.panelDigit);
    if (integer.size() != width) return integer.size() > width;
    if (integer.find_first_not_of('9') != std::string_view::npos) return false;
    return fraction.find_first_not_of('0') != std::string_view::npos;
}

std::string Calculator::RaiseError(std::string_view value, ErrorCode code) {
    std::string text = "0";
    if (code == kErrorOverflow) {
        text = OverflowView(value);
    } else {
        ClearFunctionMarks();
        ClearOperatorMarks();
    }
    DrawNumber(text);
    SetMark(kMarkError, true);
    tape_.AppendLine(text, CodeOf(code));
    state_.errorCode = code;
    state_.entering = 0;
    tape_.StartNewCalculation();
    return Register(text);
}

std::string Calculator::OverflowView(std::string_view value) {
    const std::size_t width = static_cast<std::size_t>(state_.panelDigit);
    const std::string factor = "0." + std::string(width - 1, '0') + "1";
    std::string scaled = IsPlainNumber(value) ? ComputeStep(value, true, tape::StepForm::kPlain,
                                                            factor, kKeyMultiply)
                                              : std::string("0");
    if (scaled.find('.') == std::string::npos) scaled += '.';
    const std::size_t shown = width + 1 + (scaled[0] == '-' ? 1 : 0);
    if (scaled.size() < shown) scaled.append(shown - scaled.size(), '0');
    return scaled;
}

}  // namespace pemu::core
