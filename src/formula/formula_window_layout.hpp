#pragma once
// Where the formula window's parts go for a client size: the three framed areas stacked on
// the left, the input buttons at the right edge, the grouping and digit selectors above the
// answer frame, the status line and the size grip at the bottom.
#include "platform/geometry.hpp"

namespace pemu::formula {

// Lines the message area holds at a font size: 7 at 10 points, 4 at 16 and 18, 3 at 20
// and 22, 5 at the others.
int MessageLines(int fontSize);

struct FormulaWindowMetrics {
    platform::Size client{0, 0};
    int fontSize = 14;                 // points, of the three areas
    int digitHeight = 0;               // pixels of the digit 0 in that font
    int labelHeight = 0;               // pixels of the label above a frame
    int statusHeight = 0;              // the status line
    platform::Size buttonPanel{0, 0};  // the input buttons, at the right edge
    int buttonPanelTop = 0;
    platform::Rect digitPanel{0, 0, 0, 0};  // x, width and height; y follows the answer frame
};

struct FormulaWindowLayout {
    platform::Rect messageFrame, message;
    platform::Rect answerFrame, answer;
    platform::Rect inputFrame, input;
    platform::Point messageLabel, answerLabel, inputLabel;
    platform::Rect buttonPanel, digitPanel, status, sizeGrip;
};

FormulaWindowLayout LayoutFormulaWindow(const FormulaWindowMetrics& metrics);

// The right edge of the digit panel + 124 wide, the bottom of the button panel + 81 high.
platform::Size MinimumClientSize(const FormulaWindowMetrics& metrics);

}  // namespace pemu::formula
