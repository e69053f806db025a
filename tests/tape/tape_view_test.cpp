// The tape window's view state without a window: numbering, scrolling, auto scroll, the
// cursor line, and the red parts of two-colour mode.
#include "tape/tape_view.hpp"

#include <gtest/gtest.h>

#include "platform/codec.hpp"
#include "tape/line_codes.hpp"

namespace pemu::tape {
namespace {

using platform::Cp932ToUtf8;
using platform::Sjis;

class TapeViewTest : public testing::Test {
  protected:
    TapeViewTest() : view(tape) {
        tape.Options().autoDateOn = false;
        view.SetOpen(true);
        view.SetVisibleRows(10);
    }

    // A separator and then lines "1 ＋", "2 ＋", … "count ＋".
    void Lines(int count) {
        tape.AppendLine("", kLineSeparator);
        for (int i = 1; i <= count; ++i)
            tape.AppendLine(std::to_string(i), kLineAdd);
        tape.RefreshView(0);
    }
    std::vector<int> Numbers() const {
        std::vector<int> numbers;
        for (const TapeRow& row : view.Rows())
            numbers.push_back(row.number);
        return numbers;
    }
    // The number of the line at the cursor, read back from its text.
    int CursorValue() const {
        const std::size_t start = tape.Log().LineStartFromEnd(view.CursorLineFromEnd());
        return std::stoi(tape.Log().TapeText().substr(start));
    }

    TapeRecorder tape;
    TapeView view;
};

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

// A window follows its view, never the tape: whichever subscribed first, the view has taken
// the new lines before its follower draws, and a closed view tells nobody.
TEST_F(TapeViewTest, AFollowerSeesTheNewLinesWhicheverSubscribedFirst) {
    std::vector<std::size_t> seenFirst;
    const auto first = view.OnRedrawn([&] { seenFirst.push_back(view.Rows().size()); });
    TapeView later(tape);  // subscribes to the tape after the follower above
    later.SetOpen(true);
    later.SetVisibleRows(10);
    std::vector<std::size_t> seenLater;
    const auto second = later.OnRedrawn([&] { seenLater.push_back(later.Rows().size()); });
    Lines(3);
    EXPECT_EQ(seenFirst, (std::vector<std::size_t>{3}));
    EXPECT_EQ(seenLater, (std::vector<std::size_t>{3}));
    later.SetOpen(false);
    Lines(1);
    EXPECT_EQ(seenFirst, (std::vector<std::size_t>{3, 5}));
    EXPECT_EQ(seenLater, (std::vector<std::size_t>{3}));
}

TEST_F(TapeViewTest, AnEmptyTapeShowsNoRowsAndAHiddenScrollBar) {
    tape.RefreshView(0);
    EXPECT_TRUE(view.Rows().empty());
    EXPECT_EQ(view.DrawnRows(), 0);
    EXPECT_EQ(view.CursorLineFromEnd(), 0);
    EXPECT_FALSE(view.CursorOnLine());
    const ScrollBarState& bar = view.ScrollBar();
    EXPECT_EQ(bar.max, 0);
    EXPECT_EQ(bar.position, 0);
    EXPECT_FALSE(bar.visible);
}

TEST_F(TapeViewTest, AShortTapeHidesTheSeparatorAndNumbersFromOne) {
    Lines(4);
    const auto rows = view.Rows();
    ASSERT_EQ(Numbers(), Range(1, 4));
    EXPECT_EQ(Cp932ToUtf8(rows[0].text), "1 ＋　 　");
    EXPECT_EQ(view.ViewStart(), 3u);  // past the 3-byte separator line
    EXPECT_EQ(view.CursorRow(), 4);   // auto scroll follows the last line
    EXPECT_EQ(view.RowsBelow(), 0);
    const ScrollBarState& bar = view.ScrollBar();
    EXPECT_EQ(bar.max, 4);
    EXPECT_EQ(bar.position, 1);
    EXPECT_EQ(bar.page, 4);
    EXPECT_FALSE(bar.visible);
}

TEST_F(TapeViewTest, ALongTapeShowsItsEndWithEveryTenthNumberGrey) {
    Lines(25);
    EXPECT_EQ(Numbers(), Range(16, 25));
    for (const TapeRow& row : view.Rows())
        EXPECT_EQ(row.tenth, row.number == 20) << row.number;
    EXPECT_EQ(view.ScrollBar().max, 25);
    EXPECT_EQ(view.ScrollBar().position, 16);
    EXPECT_TRUE(view.ScrollBar().visible);
}

TEST_F(TapeViewTest, ATapeWithoutALeadingSeparatorNumbersItsFirstLineToo) {
    tape.AppendLine("7", kLineAdd);
    tape.AppendLine("8", kLineAdd);
    tape.RefreshView(0);
    EXPECT_EQ(Numbers(), Range(1, 2));
    EXPECT_EQ(view.ViewStart(), 0u);
}

TEST_F(TapeViewTest, ScrollingMovesByPagesLinesAndWheelStepsWithinTheTape) {
    Lines(30);
    view.SetWheelLines(4);
    struct Step {
        ScrollKey key;
        bool shift;
        int first;
        int below;
    };
    const Step steps[] = {
        {ScrollKey::kDown, false, 21, 0},  // at the end already
        {ScrollKey::kPageDown, false, 21, 0},
        {ScrollKey::kUp, true, 17, 4},  // the wheel step
        {ScrollKey::kPageUp, false, 7, 14},
        {ScrollKey::kPageUp, false, 1, 20},  // only 6 lines were above
        {ScrollKey::kPageUp, false, 1, 20},  // at the top already
        {ScrollKey::kDown, true, 5, 16},
        {ScrollKey::kPageDown, false, 15, 6},
        {ScrollKey::kPageDown, false, 21, 0},  // too few lines left: the end
    };
    for (const Step& s : steps) {
        view.GridKey(s.key, s.shift);
        ASSERT_EQ(view.Rows().front().number, s.first);
        EXPECT_EQ(view.RowsBelow(), s.below) << s.first;
        EXPECT_EQ(view.DrawnRows(), 10);
        EXPECT_EQ(view.ScrollBar().position, s.first);
    }
}

TEST_F(TapeViewTest, TheCursorMovesWithinTheRowsAndScrollsAtTheirEdges) {
    Lines(30);
    EXPECT_EQ(view.CursorRow(), 10);
    view.GridKey(ScrollKey::kDown, false);  // last row, end of tape: nothing
    EXPECT_EQ(view.CursorRow(), 10);
    EXPECT_EQ(CursorValue(), 30);
    view.SelectRow(1);
    EXPECT_EQ(CursorValue(), 21);
    view.GridKey(ScrollKey::kUp, false);  // row 1: the view scrolls, the cursor stays
    EXPECT_EQ(view.CursorRow(), 1);
    EXPECT_EQ(CursorValue(), 20);
    view.GridKey(ScrollKey::kDown, false);
    EXPECT_EQ(view.CursorRow(), 2);
    EXPECT_EQ(CursorValue(), 21);
}

TEST_F(TapeViewTest, WithoutAutoScrollNewLinesLeaveTheViewWhereItWas) {
    Lines(30);
    view.SetAutoScroll(false);
    view.GridKey(ScrollKey::kPageUp, false);
    view.SelectRow(3);
    tape.AppendLine("31", kLineAdd);
    tape.RefreshView(0);
    EXPECT_EQ(Numbers(), Range(11, 20));
    EXPECT_EQ(view.CursorRow(), 3);
    EXPECT_EQ(CursorValue(), 13);
    view.SetAutoScroll(true);
    tape.RefreshView(0);
    EXPECT_EQ(Numbers(), Range(22, 31));
    EXPECT_EQ(view.CursorRow(), 10);
}

TEST_F(TapeViewTest, SelectingALineScrollsItIntoViewAndTheCursorFindsIt) {
    Lines(40);
    ASSERT_TRUE(view.SelectLine(12));
    EXPECT_EQ(Numbers(), Range(12, 21));
    EXPECT_EQ(view.CursorRow(), 1);
    EXPECT_EQ(view.RowsBelow(), 19);
    EXPECT_EQ(CursorValue(), 12);
    ASSERT_TRUE(view.SelectLine(15));  // visible: only the cursor moves
    EXPECT_EQ(view.Rows().front().number, 12);
    EXPECT_EQ(CursorValue(), 15);
    ASSERT_TRUE(view.SelectLine(35));
    EXPECT_EQ(Numbers(), Range(26, 35));
    EXPECT_EQ(view.CursorRow(), 10);
    EXPECT_EQ(CursorValue(), 35);
    EXPECT_FALSE(view.SelectLine(41));
    EXPECT_FALSE(view.SelectLine(0));
}

TEST_F(TapeViewTest, FewerRowsMoveTheCursorUpAndScrollingClosesTheEdit) {
    Lines(30);
    view.SetVisibleRows(6);
    EXPECT_EQ(view.CursorRow(), 6);
    view.SetEditMode(kEditChange);
    view.OpenCommandPanel();
    view.GridKey(ScrollKey::kPageUp, false);
    EXPECT_EQ(view.EditMode(), kEditNone);
    EXPECT_FALSE(view.CommandPanelOpen());
}

TEST_F(TapeViewTest, AClosedWindowNeitherDrawsNorScrolls) {
    Lines(30);
    view.SetOpen(false);
    tape.AppendLine("31", kLineAdd);
    tape.RefreshView(0);
    view.GridKey(ScrollKey::kPageUp, false);
    EXPECT_EQ(Numbers(), Range(21, 30));
}

TEST_F(TapeViewTest, ClearingTheTapeResetsTheView) {
    Lines(30);
    view.GridKey(ScrollKey::kPageUp, false);
    view.SelectRow(4);
    view.OpenCommandPanel();
    tape.ClearTape();
    EXPECT_TRUE(view.Rows().empty());
    EXPECT_EQ(view.RowsBelow(), 0);
    EXPECT_EQ(view.CursorRow(), 1);
    EXPECT_FALSE(view.CommandPanelOpen());
}

TEST_F(TapeViewTest, AnOpenInsertionShowsTheRowsFromTheCursorOneLower) {
    Lines(30);
    view.SelectRow(4);
    auto numberAt = [this](std::size_t i) {
        const auto grid = view.GridRows();
        return grid.at(i) ? grid.at(i)->number : 0;
    };
    ASSERT_EQ(view.GridRows().size(), 10u);
    EXPECT_EQ(numberAt(3), 24);
    view.SetEditMode(kEditInsert);
    EXPECT_EQ(numberAt(2), 23);
    EXPECT_EQ(numberAt(3), 0);  // where the new line will go
    EXPECT_EQ(numberAt(4), 24);
    EXPECT_EQ(numberAt(9), 29);  // the last line no longer fits
    view.SetEditMode(kEditChange);
    EXPECT_EQ(numberAt(3), 24);
    // A short tape: the rows below its last line stay empty, the shifted last one included.
    TapeRecorder shortTape;
    TapeView shortView(shortTape);
    shortView.SetOpen(true);
    shortView.SetVisibleRows(5);
    shortTape.AppendLine("", kLineSeparator);
    shortTape.AppendLine("1", kLineAdd);
    shortTape.AppendLine("2", kLineAdd);
    shortTape.RefreshView(0);
    shortView.SelectRow(1);
    shortView.SetEditMode(kEditInsert);
    const auto grid = shortView.GridRows();
    EXPECT_FALSE(grid[0]);
    EXPECT_EQ(grid[1]->number, 1);
    EXPECT_EQ(grid[2]->number, 2);
    EXPECT_FALSE(grid[3]);
}

TEST(TapeViewLifetime, TheSelectedRowOutlivesTheView) {
    TapeRecorder other;
    {
        TapeView first(other);
        first.SetVisibleRows(10);
        first.SelectRow(7);
    }
    TapeView second(other);
    EXPECT_EQ(second.CursorRow(), 7);
    second.SetVisibleRows(5);  // a smaller window lowers it
    EXPECT_EQ(second.CursorRow(), 5);
}

TEST(ColouredLength, SubtrahendsMinusMemoryAndDeductedTaxAreRed) {
    struct Case {
        const char* line;  // UTF-8
        int red;
    };
    // One drawing, top to bottom: the state carries from line to line.
    const Case cases[] = {
        {"100 －　 　", 0}, {"30 ＝　 　", 2},  // the value keyed after -
        {"70 ＊　 　", 0},  {"5 Ｍ-  　", 1},   // an M- value
        {"5 Ｍ+  　", 0},   {"…TAX 800-　 　 ‥", 10}, {"…TAX 80  　　 ‥", 0}, {"2 －　 　", 0},
        {" SC-  　", 0},    {"4 ＋　 　", 1},  // the sign change is passed over
    };
    bool state = false;
    for (const Case& c : cases)
        EXPECT_EQ(ColouredLength(Sjis(c.line), state), c.red) << c.line;
}

TEST_F(TapeViewTest, TwoColourRowsCarryTheirRedBytes) {
    tape.AppendLine("", kLineSeparator);
    tape.AppendLine("100", kLineSubtract);
    tape.AppendLine("30", kLineEquals);
    tape.RefreshView(0);
    EXPECT_EQ(view.Rows()[1].redBytes, 0);
    view.SetTwoColour(true);
    EXPECT_EQ(view.Rows()[0].redBytes, 0);
    EXPECT_EQ(view.Rows()[1].redBytes, 2);
}

}  // namespace
}  // namespace pemu::tape
