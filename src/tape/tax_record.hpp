#pragma once
// The check tape record of one tax key press. A tax sequence keeps only the record of its
// latest press: each press takes the lines of the press before it off the tape.
#include <string_view>

#include "tape/tape_recorder.hpp"

namespace pemu::tape {

// code: 11 tax included, 12 tax excluded, 48 and 49 their second presses (the tax amount).
// Writes the base line (net for 11 and 48, gross for 12 and 49), the tax line and, for 11
// and 12, the result line with shown; a separator first when the calculation is empty.
// continuesPress: the press works on the shown result of a root or tax press just before;
// that press's record (root or tax lines at the end of the tape) is removed first, so that a
// sequence keeps only its latest press. Ends with RefreshView(0).
void RecordTaxSteps(TapeRecorder& tape, int code, std::string_view net, std::string_view shown,
                    std::string_view tax, std::string_view gross, bool continuesPress);

}  // namespace pemu::tape
