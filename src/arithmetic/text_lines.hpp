#pragma once
// Line ends of the text files the system reads (settings, skin options, the calculation
// log): CR LF as the system writes them, but also LF alone and CR alone, as editors on other
// systems leave them. None of these bytes ever occurs inside a CP932 character, so the bytes
// are split as they stand. Offsets are 0-based.
#include <cstddef>
#include <string_view>
#include <vector>

namespace pemu::arith {

// The lines without their ends. A line end at the very end of the text starts no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The offset just after the first line end at or after `from` (CR LF counts as one end);
// npos when no line end follows.
std::size_t AfterLineEnd(std::string_view text, std::size_t from = 0);

}  // namespace pemu::arith
