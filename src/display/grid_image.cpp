#include "display/grid_image.hpp"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "display/system_colours.hpp"

namespace pemu::display {
namespace {

constexpr std::size_t kMaxFontNameBytes = 49;

}  // namespace

TGridImg::TGridImg(QImage& image)
    : image_(&image),
      pen_(ColourOf(SystemColour::kButtonFace)),
      brush_(ColourOf(SystemColour::kWindow)),
      fontName_("ＭＳ Ｐゴシック"),
      fontColour_(ColourOf(SystemColour::kWindowText)),
      font_(FontFor(fontName_, fontSize_)) {}

void TGridImg::SetColours(QColor pen, QColor brush) {
    pen_ = pen;
    brush_ = brush;
}

void TGridImg::SetFont(std::string_view faceName, int size, QColor colour) {
    fontName_ = std::string(faceName.substr(0, std::min(faceName.size(), kMaxFontNameBytes)));
    fontSize_ = size;
    fontColour_ = colour;
    font_ = FontFor(fontName_, fontSize_);
}

int TGridImg::Layout(int columns, int rows, const std::vector<int>& widths) {
    columns_ = std::clamp(std::min(columns, static_cast<int>(widths.size())), 0, kMaxColumns);
    rows_ = std::clamp(rows, 0, kMaxRows);
    rowHeight_ = MeasureRowHeight();
    int x = 0;
    for (int c = 0; c < columns_; ++c) {
        columnEdges_[static_cast<std::size_t>(c)] = x;
        x += widths[static_cast<std::size_t>(c)];
    }
    columnEdges_[static_cast<std::size_t>(columns_)] = x;
    for (int r = 0; r <= rows_; ++r)
        rowEdges_[static_cast<std::size_t>(r)] = r * rowHeight_;

    *image_ = QImage(x + 1, rowHeight_ * rows_ + 1, QImage::Format_RGB32);
    image_->fill(brush_);
    QPainter p(image_);
    p.setPen(pen_);
    for (int c = 0; c <= columns_; ++c)
        p.drawLine(ColumnX(c), 0, ColumnX(c), image_->height() - 1);
    for (int r = 0; r <= rows_; ++r)
        p.drawLine(0, RowY(r), image_->width() - 1, RowY(r));
    return rowHeight_;
}

void TGridImg::SetEdges(const std::vector<int>& columnEdges, const std::vector<int>& rowEdges,
                        int columns, int rows) {
    columns_ = std::clamp(columns, 0, kMaxColumns);
    rows_ = std::clamp(rows, 0, kMaxRows);
    for (std::size_t i = 0; i < columnEdges.size() && i < columnEdges_.size(); ++i)
        columnEdges_[i] = columnEdges[i];
    for (std::size_t i = 0; i < rowEdges.size() && i < rowEdges_.size(); ++i)
        rowEdges_[i] = rowEdges[i];
    if (rows_ > 0) rowHeight_ = rowEdges_[1] - rowEdges_[0];
}

int TGridImg::LayoutAndGet(std::vector<int>& columnEdges, std::vector<int>& rowEdges,
                           const std::vector<int>& widths, int rows, int columns) {
    const int height = Layout(columns, rows, widths);
    columnEdges.assign(columnEdges_.begin(), columnEdges_.begin() + columns_ + 1);
    rowEdges.assign(rowEdges_.begin(), rowEdges_.begin() + rows_ + 1);
    return height;
}

int TGridImg::MeasureRowHeight() const {
    return QFontMetrics(font_).boundingRect("DUMMY").height() + 8;
}

int TGridImg::ColumnX(int i) const {
    return i >= 0 && i <= kMaxColumns ? columnEdges_[static_cast<std::size_t>(i)] : 0;
}

int TGridImg::RowY(int i) const {
    return i >= 0 && i <= kMaxRows ? rowEdges_[static_cast<std::size_t>(i)] : 0;
}

void TGridImg::DrawText(int x, int y, std::string_view cp932Text, QColor colour) {
    QPainter p(image_);
    p.setFont(font_);
    p.setPen(colour);
    p.drawText(QPoint(x, y + QFontMetrics(font_).ascent()), ToQString(cp932Text));
}

void TGridImg::CellText(std::string_view cp932Text, int column, int row) {
    const int x = ColumnX(column), y = RowY(row);
    QPainter(image_).fillRect(QRect(x + 1, y + 1, ColumnX(column + 1) - x - 1, rowHeight_ - 1),
                              brush_);
    DrawText(x + 6, y + 4, cp932Text, fontColour_);
}

void TGridImg::CellTextColoured(std::string_view cp932Text, int column, QColor background,
                                QColor foreground, int row) {
    brush_ = background;
    fontColour_ = foreground;
    CellText(cp932Text, column, row);
    brush_ = ColourOf(SystemColour::kWindow);
    fontColour_ = ColourOf(SystemColour::kWindowText);
}

void TGridImg::CellTextAt(std::string_view cp932Text, int column, QColor background,
                          QColor foreground, int x, int row) {
    const int left = ColumnX(column), top = RowY(row);
    QPainter(image_).fillRect(
        QRect(left + 1, top + 1, ColumnX(column + 1) - left - 1, rowHeight_ - 1), background);
    DrawText(left + x, top + 4, cp932Text, foreground);
}

void TGridImg::TextAt(std::string_view cp932Text, int column, QColor foreground, int x, int row) {
    DrawText(ColumnX(column) + x, RowY(row) + 4, cp932Text, foreground);
}

void TGridImg::DrawTo(QImage& image) {
    image_ = &image;
}

void TGridImg::Present(QImage& image) {
    image = image_->copy();
    image_ = &image;
}

void TKenzanGrid::ShowCursor(int row, int visibleRows) {
    // Columns 0 to 2: the image ends with the rule at the right end of column 2.
    const int width = ColumnX(3) + 1;
    if (width > 1 && width != image_->width())
        *image_ = image_->copy(0, 0, width, image_->height());
    QPainter p(image_);
    p.setBrush(Qt::NoBrush);
    p.setPen(ColourOf(SystemColour::kButtonFace));
    p.drawRect(0, 0, image_->width() - 1, image_->height() - 1);
    for (int c = 1; c <= 3; ++c)
        p.drawLine(ColumnX(c), 0, ColumnX(c), image_->height() - 1);
    for (int r = 1; r < std::min(visibleRows, kMaxRows); ++r)
        p.drawLine(0, RowY(r), image_->width() - 1, RowY(r));
    if (row > 0) {  // rows count from 1 here: row r is the band below RowY(r - 1)
        p.setPen(QColor(255, 0, 0));
        p.drawRect(0, RowY(row - 1), image_->width() - 1, rowHeight_);
    }
}

}  // namespace pemu::display
