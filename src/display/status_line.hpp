#pragma once
// TStatus: a status line of framed cells drawn into one image.
#include <QImage>
#include <array>
#include <functional>
#include <string_view>

namespace pemu::display {

class TStatus {
  public:
    // Fills the whole image with RGB (128, 0, 0); font "MS Gothic" 12 pixels high.
    explicit TStatus(QImage& image, std::function<void()> repaint = {});

    // Cells separated by ";" (CP932, at most 199 bytes; at most 10 cells). Each cell is as wide
    // as its text + 12 and as high as the text + 8, framed, 2 pixels apart from x 2; the image
    // becomes the last right edge + 2 wide.
    void Layout(std::string_view cells);
    // Fills the inside of a cell (window colour when highlighted, else button face) and draws
    // the text at (left + 6, 4). An index outside the layout draws nothing.
    void ShowCell(int index, std::string_view cp932Text, bool highlight);

    // The height of an image that holds the cells: the text's height + 8.
    static int Height();

    int CellCount() const { return cellCount_; }
    // Left edge of cell i; entry CellCount() is the right end.
    int CellLeft(int i) const { return edges_.at(i); }

  private:
    QImage& image_;
    std::function<void()> repaint_;
    std::array<int, 11> edges_{};
    int cellCount_ = 0;
    int cellHeight_ = 0;
};

}  // namespace pemu::display
