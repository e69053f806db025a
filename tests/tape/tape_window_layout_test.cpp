// Where the check tape window puts its parts, and the options it reads and shows.
#include "tape/tape_window_layout.hpp"

#include <gtest/gtest.h>

#include "platform/codec.hpp"
#include "tape/tape_window_options.hpp"

namespace pemu::tape {
namespace {

TEST(TapeWindowLayout, RowsFitAboveTheButtonsUpToFifty) {
    struct Case {
        int buttonTop;
        int rowHeight;
        int rows;
        int height;
    };
    for (const Case& c : {Case{602, 24, 25, 601}, Case{601, 24, 24, 577}, Case{602, 30, 20, 601},
                          Case{10, 24, 1, 25}, Case{5000, 20, 50, 1001}}) {
        GridLayoutInput in;
        in.clientWidth = 380;
        in.buttonTop = c.buttonTop;
        in.rowHeight = c.rowHeight;
        in.scrollBarWidth = 17;
        in.numberColumnWidth = 48;
        const GridLayout g = LayOutGrid(in);
        EXPECT_EQ(g.visibleRows, c.rows) << c.buttonTop << " " << c.rowHeight;
        EXPECT_EQ(g.height, c.height) << c.buttonTop << " " << c.rowHeight;
        EXPECT_EQ(g.width, 362);
        EXPECT_EQ(g.columnWidths, (std::vector<int>{48, 309, 5}));
    }
}

TEST(TapeWindowLayout, AClickSelectsTheRowWhoseLowerBoundaryIsBelowIt) {
    EXPECT_EQ(RowAtY(0, 20), 1);
    EXPECT_EQ(RowAtY(19, 20), 1);
    EXPECT_EQ(RowAtY(20, 20), 2);
    EXPECT_EQ(RowAtY(999, 20), 50);
    EXPECT_EQ(RowAtY(1000, 20), 1);  // below all fifty rows
}

TEST(TapeWindowLayout, TheCommandPanelHangsUnderTheCursorRowUnlessItWouldCoverTheStatus) {
    EXPECT_EQ(CommandPanelTop(100, 60, 600, 630), 100);
    EXPECT_EQ(CommandPanelTop(540, 60, 600, 630), 540);
    EXPECT_EQ(CommandPanelTop(541, 60, 600, 630), 570);
}

TEST(TapeWindowLayout, TheInputBoxCoversTheCursorRowWithItsButtonsBelowOrAbove) {
    InputBoxInput in;
    in.textColumnLeft = 48;
    in.textColumnWidth = 309;
    in.rowTop = 96;
    in.rowHeight = 24;
    in.symbolListWidth = 70;
    in.spaceWidth = 4;
    in.buttons = {200, 120};
    in.statusTop = 620;
    in.clientWidth = 380;
    InputBoxLayout out = LayOutInputBox(in);
    EXPECT_EQ(out.buttons.width, 0) << "hidden buttons take no place";
    in.showButtons = true;
    out = LayOutInputBox(in);
    EXPECT_EQ(out.box.x, 48);
    EXPECT_EQ(out.box.width, 309);
    EXPECT_EQ(out.symbols.x + out.symbols.width, 357);
    EXPECT_EQ(out.symbols.width, 70);
    EXPECT_EQ(out.number.x, 48);
    EXPECT_EQ(out.number.width, 235);
    EXPECT_EQ(out.buttons.y, 120);  // under the row
    EXPECT_EQ(out.buttons.x, 65);   // centred under the number field
    in.rowTop = 500;
    out = LayOutInputBox(in);
    EXPECT_EQ(out.buttons.y, 380);  // above the row, the box stays in sight
    in.buttons = {370, 120};
    EXPECT_EQ(LayOutInputBox(in).buttons.x, 0);  // kept inside the client area
    in.buttons = {290, 120};
    in.clientWidth = 300;
    EXPECT_EQ(LayOutInputBox(in).buttons.x, 10);
}

TEST(TapeWindowLayout, PinAndDroppedPanelsStayInsideTheWindow) {
    EXPECT_EQ(PinMarkPosition({42, 2}, 50).x, 42);
    EXPECT_EQ(PinMarkPosition({120, 300}, 50).x, 50);
    EXPECT_EQ(PinMarkPosition({120, 300}, 50).y, 0);
    const platform::Size client{380, 600};
    const platform::Point inside = KeptInside({-10, 590, 40, 30}, client);
    EXPECT_EQ(inside.x, 0);
    EXPECT_EQ(inside.y, 570);
    const platform::Point kept = KeptInside({100, 100, 40, 30}, client);
    EXPECT_EQ(kept.x, 100);
    EXPECT_EQ(kept.y, 100);
}

TEST(TapeWindowOptions, StoredSizesOutsideTheMenusReadAsTheDefaults) {
    for (int size : kFontSizes)
        EXPECT_EQ(AcceptedFontSize(size), size);
    EXPECT_EQ(AcceptedFontSize(13), 14);
    EXPECT_EQ(AcceptedFontSize(0), 14);
    for (int lines : kWheelLineChoices)
        EXPECT_EQ(AcceptedWheelLines(lines), lines);
    EXPECT_EQ(AcceptedWheelLines(3), 1);
    EXPECT_EQ(AcceptedWheelLines(-4), 1);
}

TEST(TapeWindowOptions, StatusCellsShowTheOptionsAndTheCount) {
    const auto cells = StatusCells(true, false, true, 1234);
    const char* texts[] = {"検算:ON ", "日付:OFF", "2色:ON ", "ｸﾘｱ:Shift+Del", "ALL:1234"};
    const bool lit[] = {true, false, true, false, false};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(platform::Cp932ToUtf8(cells[i].text), texts[i]);
        EXPECT_EQ(cells[i].highlight, lit[i]) << i;
    }
    EXPECT_EQ(platform::Cp932ToUtf8(StatusLayoutText()),
              "検算:OFF;日付:OFF;2色:OFF;ｸﾘｱ:Shift+Del;ALL:999999");
    EXPECT_EQ(platform::Cp932ToUtf8(AutoScrollCaption(true)), "ｵｰﾄｽｸﾛｰﾙをOFF");
    EXPECT_EQ(platform::Cp932ToUtf8(AutoScrollCaption(false)), "ｵｰﾄｽｸﾛｰﾙをON");
}

}  // namespace
}  // namespace pemu::tape
