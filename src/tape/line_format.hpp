#pragma once
// How each line code lays out its line: value treatment, prefix and suffix, label, mark
// and whether the line counts as part of the current calculation.
#include <cstddef>
#include <string>
#include <string_view>

#include "tape/key_family.hpp"

namespace pemu::tape {

enum class ValueTreatment {
    kGrouped,   // thousands separators
    kVerbatim,  // as passed
    kEmpty,     // discarded
};

enum class MarkKind {
    kMatch,      // " 同" when the step agrees with the previous calculation, else " 　"
    kReference,  // " ‥"
    kBlank,      // " 　"
    kSeparator,  // " "
    kDate,       // the local date and time
};

struct LineFormat {
    ValueTreatment treatment = ValueTreatment::kGrouped;
    std::string prefix;  // CP932
    std::string suffix;
    std::string label;
    MarkKind mark = MarkKind::kMatch;
    bool counted = false;
};

// A grouped value is cut to this many bytes, a verbatim one to one less.
inline constexpr std::size_t kGroupedMax = 80;

// The format of lineCode; the C line's label follows the family.
const LineFormat& LineFormatOf(int lineCode, KeyFamily family);

// The value field of a line: value treated as the format says, normalised (no leading
// zeros or plus, no trailing fraction zeros), then prefix and suffix added.
std::string ValueField(std::string_view value, const LineFormat& format);
// value as an operator line shows it: grouped and normalised; empty stays empty.
std::string GroupedValue(std::string_view value);

// The marks as CP932 bytes.
const std::string& MatchMark();      // " 同"
const std::string& NoMatchMark();    // " 　"
const std::string& ReferenceMark();  // " ‥"

// The full-width symbol of an operator code 17..20 ("＋" "－" "×" "÷"), "　" otherwise.
const std::string& OperatorSymbol(int op);

}  // namespace pemu::tape
