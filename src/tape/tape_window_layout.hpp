#pragma once
// Where the parts of the check tape window go, in pixels, from the sizes the window
// measures: the grid and its rows and columns, the row under a click, the command panel, the
// input box with its buttons, and the pin that marks auto scroll off. The window measures
// text and controls and places what these functions return.
#include <vector>

#include "platform/geometry.hpp"

namespace pemu::tape {

struct GridLayoutInput {
    int clientWidth = 0;
    int buttonTop = 0;  // top of the row of buttons above the status line
    int rowHeight = 1;  // height of "DUMMY" in the grid font + 8
    int scrollBarWidth = 0;
    int numberColumnWidth = 0;  // width of "9999：" in the grid font
};

struct GridLayout {
    int visibleRows = 1;  // 1..50
    int width = 0;        // of the grid image, which stands at 0, 0
    int height = 0;
    // Line number, line text, and a margin of 5 pixels.
    std::vector<int> columnWidths;
};

// As many rows as fit above the buttons (at least 1, at most 50); the scroll bar takes the
// right edge.
GridLayout LayOutGrid(const GridLayoutInput& in);

// The row (1-based) a click at y lands on: the first row whose lower boundary lies below it;
// row 1 when none of 50 rows does.
int RowAtY(int y, int rowHeight);

// Top of the command panel: under the cursor row, or the client height less the panel's when
// it would reach below the status line.
int CommandPanelTop(int cursorRowBottom, int panelHeight, int statusTop, int clientHeight);

struct InputBoxInput {
    int textColumnLeft = 0;
    int textColumnWidth = 0;
    int rowTop = 0;
    int rowHeight = 0;
    int symbolListWidth = 0;   // the width the list needs for "＋　 　"
    int spaceWidth = 0;        // one space in the grid font
    platform::Size buttons{};  // the input buttons' panel
    bool showButtons = false;
    int statusTop = 0;
    int clientWidth = 0;
};

struct InputBoxLayout {
    platform::Rect box{};      // over the cursor row's text cell
    platform::Rect number{};   // number field, inside the box
    platform::Rect symbols{};  // symbol list, at the box's right end
    platform::Rect buttons{};  // empty when the buttons are hidden
};

// The input box over the cursor row; its buttons centred under the number field, or above
// the row when below it they would reach past the status line, and kept inside the client
// area's width.
InputBoxLayout LayOutInputBox(const InputBoxInput& in);

// The pin shown while auto scroll is off: at the top of the grid on the left edge of the
// text column, unless it still stands where the form put it.
platform::Point PinMarkPosition(platform::Point current, int textColumnLeft);
// A dropped panel that lies partly outside the client area is moved back inside it.
platform::Point KeptInside(platform::Rect panel, platform::Size client);

}  // namespace pemu::tape
