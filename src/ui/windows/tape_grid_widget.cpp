#include "ui/windows/tape_grid_widget.hpp"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "display/system_colours.hpp"
#include "platform/codec.hpp"
#include "platform/qt/virtual_key.hpp"
#include "platform/virtual_keys.hpp"

namespace pemu::ui {
namespace {

using display::ColourOf;
using display::SystemColour;

constexpr const char* kGridFace = "MS Gothic";
const QColor kTenthCell(128, 128, 128);
const QColor kRed(255, 0, 0);

}  // namespace

TapeGridWidget::TapeGridWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("GridImage");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    SetFontSize(12);
}

void TapeGridWidget::SetFontSize(int points) {
    grid_.SetFont(kGridFace, points, ColourOf(SystemColour::kWindowText));
    font_ = display::FontFor(kGridFace, points);
}

int TapeGridWidget::NumberColumnWidth() const {
    return TextWidth(platform::Sjis("9999："));
}

int TapeGridWidget::TextWidth(std::string_view cp932) const {
    return QFontMetrics(font_).horizontalAdvance(display::ToQString(cp932));
}

void TapeGridWidget::Draw(const tape::TapeView& view, const TapeGridLook& look) {
    const int rows = view.VisibleRows();
    grid_.SetColours(ColourOf(SystemColour::kButtonFace), ColourOf(SystemColour::kWindow));
    grid_.Layout(3, rows, widths_);
    const auto grid = view.GridRows();
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (grid[i]) DrawRow(static_cast<int>(i), *grid[i], look);
    }
    grid_.ShowCursor(look.cursorShown ? view.CursorRow() : 0, rows);
    update();
}

void TapeGridWidget::DrawRow(int index, const tape::TapeRow& row, const TapeGridLook& look) {
    const std::string number = std::to_string(row.number) + ":";
    if (row.tenth) {
        grid_.CellTextColoured(number, 0, kTenthCell, Qt::white, index);
    } else {
        grid_.CellTextColoured(number, 0, ColourOf(SystemColour::kButtonFace),
                               ColourOf(SystemColour::kWindowText), index);
    }
    const QColor background = look.referenceColour && row.reference
                                  ? ColourOf(SystemColour::kInfoBackground)
                                  : ColourOf(SystemColour::kWindow);
    const int x = (ColumnX(2) - ColumnX(1)) - TextWidth(row.text) - 1;
    grid_.CellTextAt(row.text, 1, background, ColourOf(SystemColour::kWindowText), x, index);
    if (row.redBytes > 0) {
        const auto red = row.text.substr(0, static_cast<std::size_t>(row.redBytes));
        grid_.TextAt(red, 1, kRed, x, index);
    }
}

void TapeGridWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColourOf(SystemColour::kButtonFace));
    p.drawImage(0, 0, image_);
}

void TapeGridWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint().y(), event->button());
}

void TapeGridWidget::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() != 0) emit wheelTurned(event->angleDelta().y());
    event->accept();
}

void TapeGridWidget::keyPressEvent(QKeyEvent* event) {
    const int key = platform::VirtualKeyOf(*event);
    switch (key) {
        case platform::vk::kUp:
        case platform::vk::kDown:
        case platform::vk::kPrior:
        case platform::vk::kNext:
        case platform::vk::kReturn:
            emit keyPressed(key);
            break;
        default:
            break;  // typed characters are swallowed
    }
    event->accept();
}

void TapeGridWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit focused();
}

}  // namespace pemu::ui
