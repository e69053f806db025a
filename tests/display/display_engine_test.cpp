// The engine drawing through the real display: what a user sees after a few keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/calculator.hpp"
#include "core/shell_port.hpp"
#include "display/digital_display.hpp"
#include "display/skin.hpp"
#include "display/skin_layout.hpp"
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
    core::Calculator casio{display, shell, tape, core::kMakerCasio};
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

// What the pictures show, mark by mark: a strip mark is shown when its place holds its
// glyph, a panel mark when its cell holds the prepared E or K.
std::vector<int> MarksInThePictures(const DigitalDisplay& display, const Skin& skin) {
    std::vector<int> shown;
    for (const StripMark& m : kStripMarks) {
        if (m.code == 1) continue;  // % lights the = glyph
        const bool glyph = SamePixels(Block(display.MarkStrip(), m.placeX, 0, m.width, 10),
                                      Block(skin.DigitalMark(), m.sourceX, 2, m.width, 10));
        if (glyph) shown.push_back(m.code);
    }
    const StripMark& overflow = kRegisterOverflowMark;
    if (SamePixels(Block(display.MarkStrip(), overflow.placeX, 0, overflow.width, 10),
                   Block(skin.DigitalMark(), overflow.sourceX, 2, overflow.width, 10)))
        shown.push_back(overflow.code);
    for (const PanelMark& m : {kErrorPanelMark, kConstantPanelMark}) {
        if (SamePixels(Block(display.DigitPanel(), m.place.x, m.place.y, 10, 10),
                       Block(display.SyncMark(), m.sourceX, 0, 10, 10)))
            shown.push_back(m.code);
    }
    return shown;
}

TEST_F(EngineOnDisplay, ShownMarksAreThoseThePicturesShowAfterEveryKey) {
    const std::vector<int> nines(14, 35);
    std::vector<int> memoryOverflow = nines;
    memoryOverflow.insert(memoryOverflow.end(), {5, 5, 7, 4});  // M+ M+ C MR
    const std::vector<std::vector<int>> sharp = {
        {27, 17, 28, 99},                              // 1 + 2 =
        {29, 19, 30, 5, 4, 6, 3, 16},                  // 3 x 4 M+ MR M- MC CA
        {27, 36, 36, 36, 11, 11, 12, 12, 7},           // 1000 tax in, tax, out, tax, C
        {31, 99, 15, 15, 28, 9, 9, 14},                // 5 = GT GT 2 root root +/-
        {28, 19, 29, 99, 28, 19, 29, 99, 31},          // 2 x 3 = twice: answer check
        {27, 20, 36, 99, 2, 13, 7},                    // 1 / 0 = CE BS C
        {31, 1, 1, 31, 17, 27, 36, 1, 19, 18, 20, 7},  // percent and swapped operators
        memoryOverflow,
    };
    for (const auto& keys : sharp) {
        calculator.FirstShow();
        for (int code : keys) {
            calculator.ExecuteKey(code);
            EXPECT_EQ(display.ShownMarks(), MarksInThePictures(display, skin)) << "after " << code;
        }
        calculator.ExecuteKey(16);
    }
    calculator.CopyDisplay();
    EXPECT_EQ(display.ShownMarks(), MarksInThePictures(display, skin)) << "after the copy";
}

TEST_F(EngineOnDisplay, AMarkWhoseFlagStaysOnIsNotShownOnceItsPlaceIsErased) {
    calculator.FirstShow();
    for (int code : {31, 17, 29})  // 5 + 3
        calculator.ExecuteKey(code);
    calculator.CopyDisplay();
    // A corrected tape line: the calculator goes on from the new answer; the operator
    // region is erased, the copy mark's flag is left on.
    calculator.ResumeFromTape("3", 17, "8");
    ASSERT_TRUE(calculator.State().markOn[core::kMarkCopy]);
    const auto shown = display.ShownMarks();
    EXPECT_EQ(std::find(shown.begin(), shown.end(), 53), shown.end());
    EXPECT_EQ(shown, MarksInThePictures(display, skin));
}

TEST_F(CasioEngineOnDisplay, ShownMarksFollowTheConstantAndItsClearing) {
    casio.FirstShow();
    for (int code : {31, 19, 19, 29, 99, 2, 17, 7}) {  // 5 x x 3 = CE + C
        casio.ExecuteKey(code);
        EXPECT_EQ(display.ShownMarks(), MarksInThePictures(display, skin)) << "after " << code;
    }
}

}  // namespace
}  // namespace pemu::display
