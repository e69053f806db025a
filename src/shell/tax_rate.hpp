#pragma once
// The tax rate dialog without its window: the rate shown as a percentage, and the check and
// conversion of what the user typed. The rate is a decimal fraction ("0.08" for 8 %).
#include <string>
#include <string_view>

namespace pemu::shell {

// taxRate x 100 by the decimal multiplication: "0.08" shows as "8".
std::string TaxPercentText(std::string_view taxRate);

enum class TaxEntryOutcome {
    kInvalid,   // not a number: nothing changes
    kSameRate,  // the rate already set: nothing changes
    kChanged,   // `rate` is the new rate
};

struct TaxEntryCheck {
    TaxEntryOutcome outcome = TaxEntryOutcome::kInvalid;
    std::string entry;    // the text with blanks trimmed, as the field shows it afterwards
    std::string rate;     // entry x 0.01 (kSameRate, kChanged)
    std::string message;  // CP932, for the message area or a message box
};

// Trims blanks; then the entry must be a decimal number (an optional sign, digits with at
// most one point, and at least one digit); its product with 0.01 is compared as text with
// `currentRate`.
TaxEntryCheck CheckTaxEntry(std::string_view entry, std::string_view currentRate);

// The dialog's message area when it opens (CP932, two lines joined by CR LF).
std::string TaxDialogGreeting();

}  // namespace pemu::shell
