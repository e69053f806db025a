#include "formula/formula_window_layout.hpp"

#include <algorithm>

namespace pemu::formula {

namespace {

constexpr int kFirstFrameTop = 25;
constexpr int kFrameGap = 25;
constexpr int kFrameLeft = 4;
constexpr int kFrameMargin = 6;        // between a frame and its area
constexpr int kFrameExtraHeight = 13;  // a frame is this much higher than its area
constexpr int kAnswerFrameHeight = 144;

// The area inside a frame: 6 pixels in from the left, top and right.
platform::Rect Inside(const platform::Rect& frame) {
    return {frame.x + kFrameMargin, frame.y + kFrameMargin,
            std::max(0, frame.width - 2 * kFrameMargin),
            std::max(0, frame.height - kFrameExtraHeight)};
}

}  // namespace

int MessageLines(int fontSize) {
    switch (fontSize) {
        case 10:
            return 7;
        case 16:
        case 18:
            return 4;
        case 20:
        case 22:
            return 3;
        default:
            return 5;
    }
}

FormulaWindowLayout LayoutFormulaWindow(const FormulaWindowMetrics& m) {
    FormulaWindowLayout l;
    const int width = m.client.width;
    const int height = m.client.height;
    l.status = {0, height - m.statusHeight, width, m.statusHeight};
    l.sizeGrip = {width - m.statusHeight, l.status.y, m.statusHeight, m.statusHeight};
    l.buttonPanel = {width - m.buttonPanel.width, m.buttonPanelTop, m.buttonPanel.width,
                     m.buttonPanel.height};
    const int frameWidth = std::max(0, width - m.buttonPanel.width - 5);

    const int messageHeight = MessageLines(m.fontSize) * m.digitHeight + 2;
    l.messageFrame = {kFrameLeft, kFirstFrameTop, frameWidth, messageHeight + kFrameExtraHeight};
    l.answerFrame = {kFrameLeft, l.messageFrame.y + l.messageFrame.height + kFrameGap, frameWidth,
                     kAnswerFrameHeight};
    const int inputTop = l.answerFrame.y + l.answerFrame.height + kFrameGap;
    l.inputFrame = {kFrameLeft, inputTop, frameWidth, std::max(0, l.status.y - 2 - inputTop)};

    l.message = Inside(l.messageFrame);
    l.answer = Inside(l.answerFrame);
    l.input = Inside(l.inputFrame);
    // Each label stands just above its frame.
    const auto labelOf = [&m](const platform::Rect& frame) {
        return platform::Point{kFrameLeft, frame.y - m.labelHeight - 3};
    };
    l.messageLabel = labelOf(l.messageFrame);
    l.answerLabel = labelOf(l.answerFrame);
    l.inputLabel = labelOf(l.inputFrame);
    l.digitPanel = {m.digitPanel.x, l.answerFrame.y - m.digitPanel.height, m.digitPanel.width,
                    m.digitPanel.height};
    return l;
}

platform::Size MinimumClientSize(const FormulaWindowMetrics& m) {
    return {m.digitPanel.x + m.digitPanel.width + 124,
            m.buttonPanelTop + m.buttonPanel.height + 81};
}

}  // namespace pemu::formula
