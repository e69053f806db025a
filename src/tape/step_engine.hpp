#pragma once
// What the recalculation of a corrected calculation needs of the calculator: its own
// arithmetic, rounding and overflow view, and a way to continue from a recomputed answer.
// The calculator implements it; the tape never includes the calculator.
#include <cstddef>
#include <string>
#include <string_view>

#include "tape/core_view.hpp"
#include "tape/selectors.hpp"

namespace pemu::tape {

// A step as its operator computes it, or in the percent form of that operator (% key).
enum class StepForm { kPlain, kPercent };

class StepEngine : public CoreView {
  public:
    // One arithmetic step: op 17 +, 18 -, 19 x, 20 /; any other op gives "0". cut: the
    // result is cut to the display width. A zero divisor gives "0" and raises the divide
    // flag (TakeDivideError).
    virtual std::string ComputeStep(std::string_view left, bool cut, StepForm form,
                                    std::string_view right, int op) = 0;
    // src rounded by the selectors given (F in either: not rounded), at most maxLen - 1
    // characters, then cut to the display width.
    virtual std::string RoundResult(std::string_view src, std::size_t maxLen,
                                    Selectors selectors) = 0;
    // value lies beyond +-(panelDigit nines), or is no number at all ("EF").
    virtual bool ExceedsDisplay(std::string_view value) const = 0;
    // The leading digits of an overflowing value with the point panelDigit places left.
    virtual std::string OverflowView(std::string_view value) = 0;
    // Whether a step divided by zero since the flag was last cleared; clears it.
    virtual bool TakeDivideError() = 0;
    // The calculator continues with result as its answer and op (17..20, or 0 for none)
    // pending; inputText is shown as the operand last used.
    virtual void ResumeFromTape(std::string_view inputText, int op, std::string_view result) = 0;

    virtual int PanelDigit() const = 0;
    virtual Selectors CurrentSelectors() const = 0;
};

}  // namespace pemu::tape
