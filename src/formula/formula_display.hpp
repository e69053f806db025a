#pragma once
// What the formula window shows after a run: the label over the message area, the message
// area (the normalised formula, or the numbered message followed by the formula with the
// place of the fault marked) and the answer area. Texts are CP932 with CR LF line breaks,
// wrapped to the areas' width in bytes and never inside a double-byte character.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_run.hpp"

namespace pemu::formula {

// The longest last answer the window keeps (and reads back from its file).
inline constexpr std::size_t kLastAnswerMax = 599;

// "計算式：" before the first run, "計算式： OK" or "計算式： NG" after one.
const std::string& OutcomeLabel();
const std::string& OutcomeLabel(bool ok);

// Bytes on a line of an area `clientWidth` pixels wide whose digit 0 is `digitWidth`
// pixels wide: the width divided by the digit width, minus one; never below 2, so that a
// double-byte character always fits on a line.
int WrapWidthOf(int clientWidth, int digitWidth);

// A line break (CR LF) before every byte that would make a line longer than `width`
// bytes; a double-byte character goes whole to the next line. Line breaks already in the
// text (CR LF, CR or LF) end a line and come out as CR LF. A width below 2 counts as 2.
std::string WrapText(std::string_view cp932, int width);

// ">>N文字目>> " and the formula with "<?>" before its Nth character (after the last one
// when the formula is shorter). Position 0 leaves the formula as it is.
std::string MarkErrorPosition(std::string_view formula, int position);

// LF line breaks as CR LF, the breaks every text of the areas keeps.
std::string WithCrLf(std::string_view text);

// The answer area for a last answer: grouped with `group` 2..5 (lines joined by CR LF),
// or, with group 0, wrapped to `width`.
std::string AnswerText(std::string_view lastAnswer, int group, int width);

// One run as the window lays it out, before wrapping.
struct OutcomeView {
    bool ok = false;
    // The message area's paragraphs, each wrapped on its own: the normalised formula; or
    // the error's message and the marked formula; nothing for an error without text.
    std::vector<std::string> paragraphs;
    std::string lastAnswer;  // the result, or "error"
};
OutcomeView ViewOfOutcome(const FormulaOutcome& outcome);

// The message area: each paragraph wrapped to `width`, joined by CR LF.
std::string MessageText(const std::vector<std::string>& paragraphs, int width);

}  // namespace pemu::formula
