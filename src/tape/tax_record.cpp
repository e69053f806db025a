// The lines of one tax key press.
#include "tape/tax_record.hpp"

namespace pemu::tape {

void RecordTaxSteps(TapeRecorder& tape, int code, std::string_view net, std::string_view shown,
                    std::string_view tax, std::string_view gross, bool continuesPress) {
    if (continuesPress) {
        tape.UndoRootLines();
        tape.UndoTaxLines();
    }
    if (tape.IsCalculationEmpty()) tape.AppendLine("", kLineSeparator);
    const bool included = code == kLineTaxIncluded || code == kLineTaxIncludedAmount;
    tape.AppendLine(included ? net : gross, kLineTaxBase);
    tape.AppendLine(tax, included ? kLineTaxIncludedAmount : kLineTaxExcludedAmount);
    if (code == kLineTaxIncluded || code == kLineTaxExcluded) tape.AppendLine(shown, code);
    tape.RefreshView(0);
}

}  // namespace pemu::tape
