// The formula window's geometry: three frames stacked with their gaps, the message area's
// height by font size, the parts at the edges, and the minimum client size.
#include "formula/formula_window_layout.hpp"

#include <gtest/gtest.h>

namespace pemu::formula {
namespace {

FormulaWindowMetrics Metrics(int width, int height, int fontSize = 14) {
    FormulaWindowMetrics m;
    m.client = {width, height};
    m.fontSize = fontSize;
    m.digitHeight = 19;
    m.labelHeight = 14;
    m.statusHeight = 22;
    m.buttonPanel = {119, 279};
    m.buttonPanelTop = 25;
    m.digitPanel = {62, 0, 366, 22};
    return m;
}

TEST(FormulaWindowLayout, TheMessageAreaHoldsFewerLinesAtLargerFonts) {
    struct Case {
        int fontSize;
        int lines;
        int messageHeight;
        int frameHeight;
    };
    for (const Case& c :
         {Case{10, 7, 135, 148}, Case{12, 5, 97, 110}, Case{14, 5, 97, 110}, Case{16, 4, 78, 91},
          Case{18, 4, 78, 91}, Case{20, 3, 59, 72}, Case{22, 3, 59, 72}}) {
        EXPECT_EQ(MessageLines(c.fontSize), c.lines) << c.fontSize;
        const FormulaWindowLayout l = LayoutFormulaWindow(Metrics(567, 590, c.fontSize));
        EXPECT_EQ(l.message.height, c.messageHeight) << c.fontSize;
        EXPECT_EQ(l.messageFrame.height, c.frameHeight) << c.fontSize;
    }
}

TEST(FormulaWindowLayout, FramesStackFrom25With25PixelsBetween) {
    const FormulaWindowLayout l = LayoutFormulaWindow(Metrics(567, 590));
    for (const platform::Rect& frame : {l.messageFrame, l.answerFrame, l.inputFrame}) {
        EXPECT_EQ(frame.x, 4);
        EXPECT_EQ(frame.width, 443);
    }
    EXPECT_EQ(l.messageFrame.y, 25);
    EXPECT_EQ(l.answerFrame.y, 160);
    EXPECT_EQ(l.answerFrame.height, 144);
    EXPECT_EQ(l.inputFrame.y, 329);
    EXPECT_EQ(l.inputFrame.y + l.inputFrame.height, l.status.y - 2) << "down to the status line";
    // Each area 6 pixels inside its frame, each label above it.
    EXPECT_EQ(l.answer.x, 10);
    EXPECT_EQ(l.answer.y, 166);
    EXPECT_EQ(l.answer.width, 431);
    EXPECT_EQ(l.answer.height, 131);
    EXPECT_LT(l.inputLabel.y + 14, l.inputFrame.y);
    EXPECT_GT(l.inputLabel.y, l.answerFrame.y + l.answerFrame.height);
    // The digit panel just above the answer frame, the buttons at the right edge, the
    // status line along the bottom with the grip at its right end.
    EXPECT_EQ(l.digitPanel.y + l.digitPanel.height, l.answerFrame.y);
    EXPECT_EQ(l.buttonPanel.x + l.buttonPanel.width, 567);
    EXPECT_EQ(l.status.y + l.status.height, 590);
    EXPECT_EQ(l.sizeGrip.x + l.sizeGrip.width, 567);
    EXPECT_EQ(l.sizeGrip.y, l.status.y);
}

TEST(FormulaWindowLayout, TheMinimumLeavesRoomForThePanels) {
    const FormulaWindowMetrics m = Metrics(100, 100);
    const platform::Size minimum = MinimumClientSize(m);
    EXPECT_EQ(minimum.width, 552);
    EXPECT_EQ(minimum.height, 385);
    const FormulaWindowLayout l = LayoutFormulaWindow(m);
    EXPECT_GE(l.inputFrame.height, 0) << "a client below the minimum never gives negative sizes";
    EXPECT_GE(l.input.height, 0);
}

}  // namespace
}  // namespace pemu::formula
