#pragma once
// Working out a calculation of the tape again after one of its lines was corrected, in the
// calculator's own arithmetic. A finished calculation gets a new result line and notes on
// how the recomputation went; the calculation still open on the calculator makes the
// calculator continue from the new answer, and its steps are compared again with the
// previous calculation.
#include <cstddef>
#include <string>
#include <string_view>

#include "tape/step_engine.hpp"
#include "tape/tape_recorder.hpp"

namespace pemu::tape {

// Results of Recalculate.
inline constexpr int kRecalcDone = 0;
inline constexpr int kRecalcNoBlock = 1;
// "SHARP": a calculation that starts with % and no number.
inline constexpr int kRecalcPercentAlone = 2;
// "SHARP": % right after + or - with no number.
inline constexpr int kRecalcPercentAfterSign = 3;
// Overflow or division by zero in the open calculation: the caller restores the tape.
inline constexpr int kRecalcOverflowOpen = 4;
// The start of the calculation is not on its lines: it begins with a sign change or an
// operator without a number (of the value shown before it), or it is the open calculation
// carried over a cleared tape while an operator waited for its operand. It cannot be worked
// out again; the caller restores the tape.
inline constexpr int kRecalcUnknownStart = 5;

// The calculation a line belongs to: the lines between the separator lines around it.
struct CalculationBlock {
    bool found = false;
    // The block's lines, leading and trailing blanks and line ends removed (the text the
    // popup viewer gets).
    std::string text;
    std::size_t start = 0;          // offset of the block's first byte
    std::size_t cursorLineEnd = 0;  // offset just past the given line's CR LF
    std::size_t end = 0;            // offset just past the block's last CR LF
};

// The block of the line at lineFromEnd (1 = the last line of the tape); none for a
// separator line or a position past the tape.
CalculationBlock FindCalculationBlock(const LOG& log, int lineFromEnd);

// The line at lineFromEnd belongs to the calculation still open on the calculator: the
// calculator holds steps of an open calculation, and no separator stands between the line
// and the end of the tape.
bool InLiveCalculation(const TapeRecorder& tape, int lineFromEnd);

struct RecalcOutcome {
    int result = kRecalcDone;
    // The message box text (CP932); empty when there is none.
    std::string message;
    // A finished calculation whose new result and notes now end the tape.
    bool endsTape = false;
};

// Recomputes the block of the line at lineFromEnd and writes the outcome into the tape.
// erasedLine is the line the edit took out of the block, if any: when it was the old
// result, that result is still the first one.
RecalcOutcome Recalculate(TapeRecorder& tape, StepEngine& engine, int lineFromEnd,
                          std::string_view erasedLine = {});

// The step list of the open calculation rebuilt from the lines of block (CR LF ended), as
// far as the list holds; returns the block with each step line's mark set again: " 同"
// when it agrees with the previous calculation, a stale " 同" cleared.
std::string RebuildStepList(TapeRecorder& tape, std::string_view block);

}  // namespace pemu::tape
