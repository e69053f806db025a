#pragma once
// TGridImg: a ruled grid of text cells drawn into an image, instead of a grid control;
// TStatusGrid and TKenzanGrid are its named kinds (the tape window adds a cursor band).
#include <QColor>
#include <QFont>
#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pemu::display {

class TGridImg {
  public:
    static constexpr int kMaxColumns = 10;
    static constexpr int kMaxRows = 50;

    explicit TGridImg(QImage& image);
    virtual ~TGridImg() = default;

    void SetColours(QColor pen, QColor brush);
    // Face name (CP932 or UTF-8, kept to 49 bytes), size in points, colour.
    void SetFont(std::string_view faceName, int size, QColor colour);

    // Sizes the image to (sum of widths + 1) x (row height x rows + 1), fills it with the brush,
    // rules every column and row edge, stores the edges. Returns the row height (height of
    // "DUMMY" in the font + 8). Columns and rows beyond 10 and 50 are dropped.
    int Layout(int columns, int rows, const std::vector<int>& widths);
    void SetEdges(const std::vector<int>& columnEdges, const std::vector<int>& rowEdges,
                  int columns, int rows);
    int LayoutAndGet(std::vector<int>& columnEdges, std::vector<int>& rowEdges,
                     const std::vector<int>& widths, int rows, int columns);

    // Fills the cell inside its rules and draws the text at (column edge + 6, row edge + 4).
    void CellText(std::string_view cp932Text, int column, int row);
    void CellTextColoured(std::string_view cp932Text, int column, QColor background,
                          QColor foreground, int row);
    // Cell inset by one pixel, text at column edge + x; previous colours restored.
    void CellTextAt(std::string_view cp932Text, int column, QColor background, QColor foreground,
                    int x, int row);
    // As CellTextAt without the fill.
    void TextAt(std::string_view cp932Text, int column, QColor foreground, int x, int row);

    // The row height Layout gives with the current font, before any layout.
    int MeasureRowHeight() const;

    int ColumnX(int i) const;
    int RowY(int i) const;
    int RowHeight() const { return rowHeight_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    // Draws on another image from now on.
    void DrawTo(QImage& image);
    // Copies what was drawn so far into `image` and draws on it from now on.
    void Present(QImage& image);

  protected:
    QImage* image_;
    QColor pen_;
    QColor brush_;
    std::string fontName_;
    int fontSize_ = 9;
    QColor fontColour_;
    QFont font_;
    std::array<int, kMaxColumns + 1> columnEdges_{};
    std::array<int, kMaxRows + 1> rowEdges_{};
    int columns_ = 0;
    int rows_ = 0;
    int rowHeight_ = 0;

  private:
    void DrawText(int x, int y, std::string_view cp932Text, QColor colour);
};

class TStatusGrid : public TGridImg {
  public:
    using TGridImg::TGridImg;
};

class TKenzanGrid : public TGridImg {
  public:
    using TGridImg::TGridImg;
    // Narrows the image to the right end of column 2, re-rules the frame, columns 1 to 3 and
    // rows 1 to visibleRows - 1 in the button face; row > 0 gets a red frame round its band.
    void ShowCursor(int row, int visibleRows);
};

}  // namespace pemu::display
