#pragma once
// GridImage, the check tape window's grid: the rows of the view drawn through TKenzanGrid
// into one image (numbers with a grey cell every tenth line, lines right-aligned like a
// paper tape, red parts in two-colour mode, the red cursor frame). It holds the window's
// keyboard focus and reports keys, clicks and wheel turns; what they do is the view's
// business.
#include <QFont>
#include <QImage>
#include <QWidget>
#include <string_view>
#include <vector>

#include "display/grid_image.hpp"
#include "tape/tape_view.hpp"

namespace pemu::ui {

struct TapeGridLook {
    bool referenceColour = true;  // reference lines on the info colour ("IsOptColor")
    bool cursorShown = true;      // hidden while the input box is open
};

class TapeGridWidget : public QWidget {
    Q_OBJECT
  public:
    explicit TapeGridWidget(QWidget* parent);

    // "MS Gothic" at `points`.
    void SetFontSize(int points);
    const QFont& GridFont() const { return font_; }
    int RowHeight() const { return grid_.MeasureRowHeight(); }
    // Widths in the grid font: the number column holds "9999：".
    int NumberColumnWidth() const;
    int TextWidth(std::string_view cp932) const;
    void SetColumns(const std::vector<int>& widths) { widths_ = widths; }

    // Lays the grid out for the view's rows and draws them.
    void Draw(const tape::TapeView& view, const TapeGridLook& look);
    const QImage& Image() const { return image_; }
    int ColumnX(int i) const { return grid_.ColumnX(i); }
    int RowY(int i) const { return grid_.RowY(i); }

  signals:
    // A mouse press at y (client coordinates of the grid).
    void pressed(int y, Qt::MouseButton button);
    void wheelTurned(int delta);
    // Up, Down, Page Up, Page Down (virtual keys) and Enter.
    void keyPressed(int virtualKey);
    void focused();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void DrawRow(int index, const tape::TapeRow& row, const TapeGridLook& look);

    QImage image_;
    display::TKenzanGrid grid_{image_};
    QFont font_;
    std::vector<int> widths_{1, 1, 1};
};

}  // namespace pemu::ui
