// The engine drawing through the real display: what a user sees after a few keys.
#include <gtest/gtest.h>

#include "core/calculator.hpp"
#include "core/shell_port.hpp"
#include "display/digital_display.hpp"
#include "display/skin.hpp"
#include "display_test_support.hpp"
#include "tape/tape_recorder.hpp"

namespace pemu::display {
namespace {

using testing::Block;
using testing::SamePixels;

class EngineOnDisplay : public ::testing::Test {
  protected:
    void Keys(std::initializer_list<int> codes) {
        for (int code : codes)
            calculator.ExecuteKey(code);
    }
    QImage Cell(int d) { return Block(display.DigitPanel(), 244 - 16 * d, 6, 11, 21); }
    QImage Digit(int digit) { return Block(skin.DigitalNumber(), 5 + 15 * digit, 2, 11, 21); }
    QImage MarkPlace(int x, int w) { return Block(display.MarkStrip(), x, 0, w, 10); }
    QImage MarkGlyph(int x, int w) { return Block(skin.DigitalMark(), x, 2, w, 10); }

    Skin skin;
    DigitalDisplay display{skin};
    core::NullShell shell;
    tape::TapeRecorder tape;
    core::Calculator calculator{display, shell, tape};
};

TEST_F(EngineOnDisplay, OnePlusTwoEqualsShowsThreeAndTheEqualsMark) {
    calculator.FirstShow();
    Keys({27, 17, 28, 99});  // 1 + 2 =
    EXPECT_TRUE(SamePixels(Cell(1), Digit(3)));
    EXPECT_TRUE(SamePixels(MarkPlace(60, 10), MarkGlyph(65, 10)));
    EXPECT_TRUE(SamePixels(MarkPlace(3, 10), MarkGlyph(335, 10)));  // + is off again
    QImage empty(11, 21, QImage::Format_RGB32);
    empty.fill(display.PanelBackground());
    EXPECT_TRUE(SamePixels(Cell(2), empty));
}

TEST_F(EngineOnDisplay, PendingOperatorLightsItsMark) {
    calculator.FirstShow();
    Keys({30, 19});  // 4 ×
    EXPECT_TRUE(SamePixels(MarkPlace(31, 10), MarkGlyph(35, 10)));
    EXPECT_TRUE(SamePixels(Cell(1), Digit(4)));
}

class CasioEngineOnDisplay : public EngineOnDisplay {
  protected:
    core::Calculator casio{display, shell, tape, 2};
};

TEST_F(CasioEngineOnDisplay, ConstantMarkSurvivesClearEntry) {
    casio.FirstShow();
    for (int code : {28, 19, 19, 29})
        casio.ExecuteKey(code);  // 2 x x 3: constant x2
    const QImage k = Block(display.SyncMark(), 0, 0, 10, 10);
    ASSERT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 2, 10, 10), k));
    casio.ExecuteKey(2);  // CE
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 2, 10, 10), k));
}

}  // namespace
}  // namespace pemu::display
