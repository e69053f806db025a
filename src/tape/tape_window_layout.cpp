#include "tape/tape_window_layout.hpp"

#include <algorithm>

#include "tape/tape_view.hpp"

namespace pemu::tape {
namespace {

constexpr int kMarginColumn = 5;
// Where the form puts the pin.
constexpr platform::Point kPinDesigned{42, 2};

}  // namespace

GridLayout LayOutGrid(const GridLayoutInput& in) {
    GridLayout out;
    const int rowHeight = std::max(1, in.rowHeight);
    out.visibleRows = std::clamp((in.buttonTop - 2) / rowHeight, 1, kMaxVisibleRows);
    out.height = rowHeight * out.visibleRows + 1;
    out.width = std::max(0, in.clientWidth - in.scrollBarWidth - 1);
    const int text = std::max(0, out.width - in.numberColumnWidth - kMarginColumn);
    out.columnWidths = {in.numberColumnWidth, text, kMarginColumn};
    return out;
}

int RowAtY(int y, int rowHeight) {
    for (int row = 1; row <= kMaxVisibleRows; ++row) {
        if (row * rowHeight > y) return row;
    }
    return 1;
}

int CommandPanelTop(int cursorRowBottom, int panelHeight, int statusTop, int clientHeight) {
    if (cursorRowBottom + panelHeight > statusTop) return clientHeight - panelHeight;
    return cursorRowBottom;
}

InputBoxLayout LayOutInputBox(const InputBoxInput& in) {
    InputBoxLayout out;
    out.box = {in.textColumnLeft, in.rowTop, in.textColumnWidth, in.rowHeight};
    const int symbols = std::min(in.symbolListWidth, in.textColumnWidth);
    out.symbols = {in.textColumnLeft + in.textColumnWidth - symbols, in.rowTop, symbols,
                   in.rowHeight};
    out.number = {in.textColumnLeft, in.rowTop,
                  std::max(0, in.textColumnWidth - symbols - in.spaceWidth), in.rowHeight};
    if (!in.showButtons) return out;
    const int rowBottom = in.rowTop + in.rowHeight;
    int top = rowBottom;
    // Below the row they would cover the status line: above the row, the box stays in sight.
    if (top + in.buttons.height > in.statusTop) top = std::max(0, in.rowTop - in.buttons.height);
    int left = out.number.x + (out.number.width - in.buttons.width) / 2;
    left = std::clamp(left, 0, std::max(0, in.clientWidth - in.buttons.width));
    out.buttons = {left, top, in.buttons.width, in.buttons.height};
    return out;
}

platform::Point PinMarkPosition(platform::Point current, int textColumnLeft) {
    if (current.x == kPinDesigned.x && current.y == kPinDesigned.y) return current;
    return {textColumnLeft, 0};
}

platform::Point KeptInside(platform::Rect panel, platform::Size client) {
    const int x = std::clamp(panel.x, 0, std::max(0, client.width - panel.width));
    const int y = std::clamp(panel.y, 0, std::max(0, client.height - panel.height));
    return {x, y};
}

}  // namespace pemu::tape
