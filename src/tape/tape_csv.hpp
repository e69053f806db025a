#pragma once
// A tape or a calculation log as CSV for spreadsheets and accounting programs: one row per
// line, the value as a plain number, the line's kind as the recalculation reads it, its mark
// and its text. UTF-8 with a byte-order mark, RFC 4180 quoting, CR LF row ends.
#include <string>
#include <string_view>

#include "tape/tape_lines.hpp"

namespace pemu::tape {

// The kind column: "+ - × ÷ = % M+ M-" for steps, then "result", "subtotal", "tax-base",
// "tax", "tax-result", "root", "memory", "GT", "note", "date", "clear", "error", "carried",
// "sign", "separator", "end", or "other" for a line nobody knows.
std::string CsvKindName(std::string_view line, LineKind kind);

// The value column: the line's number without separators, with its sign ("…TAX 80-" gives
// -80) — empty for a line without one.
std::string CsvValue(std::string_view line, LineKind kind);

// The whole text (CP932 lines, ended by CR LF, LF or CR) as CSV: the header row
// "line,value,kind,mark,text", then one row per line numbered from 1.
std::string TapeToCsv(std::string_view cp932Text);

}  // namespace pemu::tape
