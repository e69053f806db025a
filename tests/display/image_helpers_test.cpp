// Status line, message image and ruled grids drawn into images.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "display/grid_image.hpp"
#include "display/message_image.hpp"
#include "display/status_line.hpp"
#include "display/system_colours.hpp"
#include "display_test_support.hpp"
#include "platform/codec.hpp"

namespace pemu::display {
namespace {

QRgb Rgb(SystemColour c) {
    return ColourOf(c).rgb();
}

TEST(TStatusLine, CellsAreAsWideAsTheirTextAndHighlightStaysInsideTheFrame) {
    QImage image(50, 24, QImage::Format_RGB32);
    int repaints = 0;
    TStatus status(image, [&] { ++repaints; });
    EXPECT_TRUE(SameColour(image.pixel(5, 5), qRgb(128, 0, 0)));
    status.Layout("A;AB");
    ASSERT_EQ(status.CellCount(), 2);
    const int first = status.CellLeft(1) - status.CellLeft(0);
    const int second = status.CellLeft(2) - status.CellLeft(1);
    const int oneChar = QFontMetrics(FontFor("MS Gothic", 0, 12)).horizontalAdvance('B');
    EXPECT_EQ(status.CellLeft(0), 2);
    EXPECT_EQ(second - first, oneChar);
    EXPECT_EQ(image.width(), status.CellLeft(2));
    status.ShowCell(1, "AB", true);
    const int left = status.CellLeft(1);
    EXPECT_TRUE(SameColour(image.pixel(left, 5), Rgb(SystemColour::kButtonShadow)));  // frame
    EXPECT_TRUE(SameColour(image.pixel(left + 2, 2), Rgb(SystemColour::kWindow)));
    EXPECT_TRUE(SameColour(image.pixel(left - 1, 5), qRgb(128, 0, 0)));  // the gap
    status.ShowCell(0, "A", false);
    EXPECT_TRUE(SameColour(image.pixel(3, 2), Rgb(SystemColour::kButtonFace)));
    EXPECT_EQ(repaints, 3);
    status.ShowCell(5, "x", true);  // outside the layout: nothing
    EXPECT_EQ(repaints, 3);
}

TEST(TMsgImgLines, EachLineIsOneLineHeightLower) {
    QImage image(200, 80, QImage::Format_RGB32);
    TMsgImg message(image);
    message.SetFont("MS Gothic", 10, Qt::black);
    message.ShowText("AAAA\r\nBBBB");
    const auto inkRows = [&](int from, int to) {
        int rows = 0;
        for (int y = from; y < to; ++y) {
            bool ink = false;
            for (int x = 0; x < 60; ++x)
                ink |= !SameColour(image.pixel(x, y), Rgb(SystemColour::kWindow));
            rows += ink;
        }
        return rows;
    };
    const int h = message.LineHeight();
    EXPECT_GT(inkRows(6, 6 + h), 0);
    EXPECT_GT(inkRows(6 + h, 6 + 2 * h), 0);
    EXPECT_EQ(inkRows(6 + 2 * h, 80), 0);
    EXPECT_EQ(inkRows(0, 5), 0);
}

TEST(TMsgImgLines, MessagesAreInTheGothicOfEveryOtherText) {
    QImage plain(240, 30, QImage::Format_RGB32), gothic(240, 30, QImage::Format_RGB32);
    TMsgImg byDefault(plain), chosen(gothic);
    chosen.SetFont("ＭＳ Ｐゴシック", 10, Rgb(SystemColour::kWindowText));
    const std::string text = platform::Sjis("エンターキーで入力可能になります。");
    byDefault.ShowText(text);
    chosen.ShowText(text);
    EXPECT_TRUE(plain == gothic) << "the message font is not the windows' Gothic";
}

TEST(TGridImgLayout, ThreeColumnsFiveRowsAreRuledOnEveryEdge) {
    QImage image(10, 10, QImage::Format_RGB32);
    TStatusGrid grid(image);
    const int rowHeight = grid.Layout(3, 5, {40, 60, 30});
    EXPECT_GT(rowHeight, 8);
    EXPECT_EQ(image.size(), QSize(131, 5 * rowHeight + 1));
    const QRgb pen = Rgb(SystemColour::kButtonFace), brush = Rgb(SystemColour::kWindow);
    for (int x : {0, 40, 100, 130})
        EXPECT_TRUE(SameColour(image.pixel(x, rowHeight / 2), pen)) << x;
    for (int r = 0; r <= 5; ++r)
        EXPECT_TRUE(SameColour(image.pixel(20, r * rowHeight), pen)) << r;
    EXPECT_TRUE(SameColour(image.pixel(20, rowHeight / 2), brush));
    EXPECT_EQ(grid.ColumnX(2), 100);
    EXPECT_EQ(grid.RowY(3), 3 * rowHeight);
    std::vector<int> columns, rows;
    TGridImg other(image);
    EXPECT_EQ(other.LayoutAndGet(columns, rows, {40, 60, 30}, 5, 3), rowHeight);
    EXPECT_EQ(columns, (std::vector<int>{0, 40, 100, 130}));
    EXPECT_EQ(rows.size(), 6u);
}

TEST(TGridImgCells, ColouredCellsFillInsideTheRulesAndRestoreTheDefaults) {
    QImage image(10, 10, QImage::Format_RGB32);
    TGridImg grid(image);
    const int h = grid.Layout(2, 2, {50, 50});
    grid.CellTextColoured("x", 1, QColor(0, 0, 255), Qt::white, 1);
    EXPECT_TRUE(SameColour(image.pixel(51, h + 1), qRgb(0, 0, 255)));
    EXPECT_TRUE(SameColour(image.pixel(99, 2 * h - 1), qRgb(0, 0, 255)));
    EXPECT_TRUE(SameColour(image.pixel(50, h + 1), Rgb(SystemColour::kButtonFace)));  // rule kept
    grid.CellText("", 0, 0);  // defaults again: window colour
    EXPECT_TRUE(SameColour(image.pixel(2, 2), Rgb(SystemColour::kWindow)));
    // Present: later drawing goes to the new image, the old one keeps what it had.
    QImage shown;
    grid.Present(shown);
    grid.CellTextAt("", 0, QColor(0, 255, 0), Qt::black, 6, 0);
    EXPECT_TRUE(SameColour(shown.pixel(2, 2), qRgb(0, 255, 0)));
    EXPECT_TRUE(SameColour(image.pixel(2, 2), Rgb(SystemColour::kWindow)));
}

TEST(TKenzanGridCursor, FramesTheSelectedRowInRed) {
    QImage image(10, 10, QImage::Format_RGB32);
    TKenzanGrid grid(image);
    const int h = grid.Layout(4, 4, {30, 80, 20, 50});
    grid.ShowCursor(2, 4);
    EXPECT_EQ(image.width(), 131);  // right end of column 2, its rule included
    EXPECT_TRUE(SameColour(image.pixel(60, h), qRgb(255, 0, 0)));      // top of row 2's band
    EXPECT_TRUE(SameColour(image.pixel(60, 2 * h), qRgb(255, 0, 0)));  // its bottom
    EXPECT_TRUE(SameColour(image.pixel(60, 3 * h), Rgb(SystemColour::kButtonFace)));
}

}  // namespace
}  // namespace pemu::display
