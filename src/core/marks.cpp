// The state side of the display: the number shown, the mark flags and the function whose
// mark is lit. The pixels are the display port's.
#include <algorithm>

#include "core/calculator.hpp"

namespace pemu::core {
namespace {

// Marks with a place on the strip; 1 (%) shares the = place and is kept as 99.
constexpr int kStripMarks[] = {17, 18, 19, 20, 99, 53, 15, 52, 50, 4, 5,
                               6,  9,  11, 48, 12, 49, 57, 55, 56, 54};

bool IsStripMark(int code) {
    return std::find(std::begin(kStripMarks), std::end(kStripMarks), code) != std::end(kStripMarks);
}

// Lit marks that make their code the function a new digit replaces.
bool RecordsFunction(int code) {
    switch (code) {
        case 4:
        case 9:
        case 11:
        case 12:
        case 48:
        case 49:
        case 50:
            return true;
        default:
            return false;
    }
}

constexpr int kFunctionMarks[] = {4, 5, 6, 9, 11, 12, 48, 49, 50, 54, 56, 57};
constexpr int kOperatorMarks[] = {17, 18, 19, 20};

}  // namespace

void Calculator::DrawNumber(std::string_view text) {
    display_.DrawNumber(text);
    // A new panel image carries neither E nor K.
    state_.markOn[kMarkError] = false;
    state_.markOn[kMarkConstant] = false;
    if (IsCasio() && state_.constantOperator != 0) SetMark(kMarkConstant, true);
    state_.displayValue = Register(text);
}

void Calculator::SetMark(int code, bool on) {
    if (code == kKeyPercent) code = kKeyEquals;
    const bool panel = code == kMarkError || code == kMarkConstant;
    if (!panel && !IsStripMark(code)) return;
    if (code == kMarkMemory) state_.memoryMark = on;
    if (RecordsFunction(code)) state_.lastFunction = code;
    if (!on && code != kMarkMemory) state_.lastFunction = 0;
    state_.markOn[static_cast<std::size_t>(code)] = on;
    if (on) {
        display_.CopyMarkGlyph(code);
    } else if (panel) {
        display_.ErasePanelMark(code);
    } else {
        display_.BlankMarkGlyph(code);
    }
}

void Calculator::ClearFunctionMarks() {
    for (int code : kFunctionMarks)
        state_.markOn[static_cast<std::size_t>(code)] = false;
    state_.lastFunction = 0;
    display_.EraseMarkStrip(StripRegion::kFunctionMarks);
    SetMark(kKeyEquals, false);
    SetMark(kMarkCopy, false);
}

void Calculator::ClearOperatorMarks() {
    for (int code : kOperatorMarks)
        state_.markOn[static_cast<std::size_t>(code)] = false;
    state_.lastFunction = 0;
    display_.EraseMarkStrip(StripRegion::kOperatorMarks);
}

void Calculator::RedrawMarks() {
    const int lastFunction = state_.lastFunction;
    const auto& on = state_.markOn;
    auto redraw = [&](int code) { SetMark(code, on[static_cast<std::size_t>(code)]); };
    // The first lit code of a shared place, if any.
    auto redrawPlace = [&](std::initializer_list<int> codes) {
        for (int code : codes) {
            if (on[static_cast<std::size_t>(code)]) {
                SetMark(code, true);
                return;
            }
        }
    };
    display_.EraseMarkStrip(StripRegion::kWhole);
    for (int code : {17, 18, 19, 20, 99, 53, 50, 57})
        redraw(code);
    redrawPlace({4, 5, 6});
    redrawPlace({11, 48});
    redrawPlace({12, 49});
    for (int code : {52, 15, 54, 55, 56, 9, 58, 59})
        redraw(code);
    state_.lastFunction = lastFunction;
}

}  // namespace pemu::core
