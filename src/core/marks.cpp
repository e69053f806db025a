// The state side of the display: the number shown, the mark flags and the function whose
// mark is lit. The pixels are the display port's.
#include <algorithm>

#include "core/calculator.hpp"

namespace pemu::core {
namespace {

// Marks with a place on the strip.
constexpr Mark kStripMarks[] = {kMarkAdd,
                                kMarkSubtract,
                                kMarkMultiply,
                                kMarkDivide,
                                kMarkEquals,
                                kMarkCopy,
                                kMarkGrandTotal,
                                kMarkMemory,
                                kMarkGrandTotalRecall,
                                kMarkMemoryRecall,
                                kMarkMemoryPlus,
                                kMarkMemoryMinus,
                                kMarkRoot,
                                kMarkTaxIncluded,
                                kMarkTaxIncludedAmount,
                                kMarkTaxExcluded,
                                kMarkTaxExcludedAmount,
                                kMarkAnswerCheck,
                                kMarkMemoryOverflow,
                                kMarkGrandTotalOverflow,
                                kMarkRegisterOverflow};

bool IsStripMark(Mark mark) {
    return std::find(std::begin(kStripMarks), std::end(kStripMarks), mark) != std::end(kStripMarks);
}

// Lit marks that make their code the function a new digit replaces.
bool RecordsFunction(Mark mark) {
    switch (mark) {
        case kMarkMemoryRecall:
        case kMarkRoot:
        case kMarkTaxIncluded:
        case kMarkTaxExcluded:
        case kMarkTaxIncludedAmount:
        case kMarkTaxExcludedAmount:
        case kMarkGrandTotalRecall:
            return true;
        default:
            return false;
    }
}

// The marks the function region of the strip holds, and the operator region's.
constexpr Mark kFunctionMarks[] = {
    kMarkMemoryRecall,     kMarkMemoryPlus,       kMarkMemoryMinus,        kMarkRoot,
    kMarkTaxIncluded,      kMarkTaxExcluded,      kMarkTaxIncludedAmount,  kMarkTaxExcludedAmount,
    kMarkGrandTotalRecall, kMarkRegisterOverflow, kMarkGrandTotalOverflow, kMarkAnswerCheck};
constexpr Mark kOperatorMarks[] = {kMarkAdd, kMarkSubtract, kMarkMultiply, kMarkDivide};

}  // namespace

void Calculator::DrawNumber(std::string_view text) {
    display_.DrawNumber(text);
    // A new panel image carries neither E nor K.
    state_.markOn[kMarkError] = false;
    state_.markOn[kMarkConstant] = false;
    if (IsCasio() && state_.constantOperator != 0) SetMark(kMarkConstant, true);
    state_.displayValue = Register(text);
}

void Calculator::SetMark(Mark mark, bool on) {
    const bool panel = mark == kMarkError || mark == kMarkConstant;
    if (!panel && !IsStripMark(mark)) return;
    if (mark == kMarkMemory) state_.memoryMark = on;
    if (RecordsFunction(mark)) state_.lastFunction = CodeOf(mark);
    if (!on && mark != kMarkMemory) state_.lastFunction = 0;
    state_.markOn[mark] = on;
    if (on) {
        display_.CopyMarkGlyph(mark);
    } else if (panel) {
        display_.ErasePanelMark(mark);
    } else {
        display_.BlankMarkGlyph(mark);
    }
}

void Calculator::ClearFunctionMarks() {
    for (Mark mark : kFunctionMarks)
        state_.markOn[mark] = false;
    state_.lastFunction = 0;
    display_.EraseMarkStrip(StripRegion::kFunctionMarks);
    SetMark(kMarkEquals, false);
    SetMark(kMarkCopy, false);
}

void Calculator::ClearOperatorMarks() {
    for (Mark mark : kOperatorMarks)
        state_.markOn[mark] = false;
    state_.lastFunction = 0;
    display_.EraseMarkStrip(StripRegion::kOperatorMarks);
}

void Calculator::RedrawMarks() {
    const int lastFunction = state_.lastFunction;
    const MarkFlags& on = state_.markOn;
    auto redraw = [&](Mark mark) { SetMark(mark, on[mark]); };
    // The first lit mark of a shared place, if any.
    auto redrawPlace = [&](std::initializer_list<Mark> marks) {
        for (Mark mark : marks) {
            if (on[mark]) {
                SetMark(mark, true);
                return;
            }
        }
    };
    display_.EraseMarkStrip(StripRegion::kWhole);
    for (Mark mark : {kMarkAdd, kMarkSubtract, kMarkMultiply, kMarkDivide, kMarkEquals, kMarkCopy,
                      kMarkGrandTotalRecall, kMarkAnswerCheck})
        redraw(mark);
    redrawPlace({kMarkMemoryRecall, kMarkMemoryPlus, kMarkMemoryMinus});
    redrawPlace({kMarkTaxIncluded, kMarkTaxIncludedAmount});
    redrawPlace({kMarkTaxExcluded, kMarkTaxExcludedAmount});
    for (Mark mark : {kMarkMemory, kMarkGrandTotal, kMarkRegisterOverflow, kMarkMemoryOverflow,
                      kMarkGrandTotalOverflow, kMarkRoot, kMarkError, kMarkConstant})
        redraw(mark);
    state_.lastFunction = lastFunction;
}

}  // namespace pemu::core
