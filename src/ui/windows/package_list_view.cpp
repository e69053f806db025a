#include "ui/windows/package_list_view.hpp"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "display/grid_image.hpp"
#include "display/system_colours.hpp"
#include "platform/codec.hpp"

namespace pemu::ui {
namespace {

using display::ColourOf;
using display::SystemColour;

const QColor kSelectedBack(0, 0, 128);
const QColor kSelectedText(255, 255, 255);
const QColor kGreyText(128, 128, 128);
constexpr int kNameColumnWidth = 200;

}  // namespace

PackageListView::PackageListView(QWidget* parent) : QWidget(parent) {
    setObjectName("SkinList");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 100);
    bar_ = new QScrollBar(Qt::Vertical, this);
    bar_->setFocusPolicy(Qt::NoFocus);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        top_ = value;
        Redraw();
    });
    QImage probe(1, 1, QImage::Format_RGB32);
    display::TGridImg grid(probe);
    rowHeight_ = grid.Layout(1, 1, {1});
}

void PackageListView::SetEntries(std::vector<shell::PackageEntry> entries) {
    entries_ = std::move(entries);
    top_ = 0;
    current_ = entries_.empty() ? -1 : 0;
    Redraw();
    emit currentChanged(current_);
}

void PackageListView::SetShowAuthor(bool on) {
    showAuthor_ = on;
    Redraw();
}

void PackageListView::SetGreyed(bool greyed) {
    greyed_ = greyed;
    Redraw();
}

const shell::PackageEntry* PackageListView::CurrentEntry() const {
    if (current_ < 0 || current_ >= Count()) return nullptr;
    return &entries_[static_cast<std::size_t>(current_)];
}

void PackageListView::SetCurrent(int row) {
    if (entries_.empty() || greyed_) return;
    row = std::clamp(row, 0, Count() - 1);
    if (row == current_) return;
    current_ = row;
    ScrollToCurrent();
    Redraw();
    emit currentChanged(current_);
}

int PackageListView::VisibleRows() const {
    const int rows = (height() - 1) / std::max(1, rowHeight_) - 1;
    return std::clamp(rows, 1, display::TGridImg::kMaxRows - 1);
}

int PackageListView::RowAt(int y) const {
    const int row = y / std::max(1, rowHeight_) - 1;  // row 0 is the header
    if (row < 0) return -1;
    const int entry = top_ + row;
    return entry < Count() ? entry : -1;
}

void PackageListView::ScrollToCurrent() {
    if (current_ >= 0 && current_ < top_) top_ = current_;
    if (current_ >= top_ + VisibleRows()) top_ = current_ - VisibleRows() + 1;
    top_ = std::clamp(top_, 0, std::max(0, Count() - VisibleRows()));
}

void PackageListView::Redraw() {
    const int barWidth = bar_->sizeHint().width();
    const int width = std::max(50, this->width() - barWidth);
    const int rows = VisibleRows();
    bar_->setGeometry(width, 0, barWidth, height());
    bar_->blockSignals(true);
    bar_->setRange(0, std::max(0, Count() - rows));
    bar_->setPageStep(rows);
    bar_->setValue(top_);
    bar_->blockSignals(false);

    image_ = QImage(1, 1, QImage::Format_RGB32);
    display::TGridImg grid(image_);
    const std::vector<int> widths =
        showAuthor_ ? std::vector<int>{kNameColumnWidth, width - kNameColumnWidth - 1}
                    : std::vector<int>{width - 1};
    grid.Layout(static_cast<int>(widths.size()), rows + 1, widths);
    const QColor face = ColourOf(SystemColour::kButtonFace);
    const QColor text = ColourOf(SystemColour::kWindowText);
    grid.CellTextColoured(platform::Sjis("スキン名"), 0, face, text, 0);
    if (showAuthor_) grid.CellTextColoured(platform::Sjis("作者名"), 1, face, text, 0);
    for (int row = 0; row < rows && top_ + row < Count(); ++row) {
        const shell::PackageEntry& e = entries_[static_cast<std::size_t>(top_ + row)];
        const bool selected = top_ + row == current_ && !greyed_;
        const QColor back = selected ? kSelectedBack : ColourOf(SystemColour::kWindow);
        const QColor fore = greyed_ ? kGreyText : selected ? kSelectedText : text;
        grid.CellTextColoured(e.shown.name, 0, back, fore, row + 1);
        if (showAuthor_) grid.CellTextColoured(e.shown.author, 1, back, fore, row + 1);
    }
    update();
}

void PackageListView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColourOf(SystemColour::kWindow));
    p.drawImage(0, 0, image_);
    if (hasFocus()) {
        p.setPen(QPen(ColourOf(SystemColour::kWindowText), 1, Qt::DotLine));
        p.drawRect(0, 0, image_.width() - 1, image_.height() - 1);
    }
}

void PackageListView::resizeEvent(QResizeEvent*) {
    ScrollToCurrent();
    Redraw();
}

void PackageListView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const int row = RowAt(static_cast<int>(event->position().y()));
    if (row >= 0) SetCurrent(row);
}

void PackageListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = RowAt(static_cast<int>(event->position().y()));
    if (row >= 0 && !greyed_) emit activated(row);
}

void PackageListView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    bar_->setValue(bar_->value() - 3 * steps);
}

void PackageListView::keyPressEvent(QKeyEvent* event) {
    const int page = VisibleRows();
    switch (event->key()) {
        case Qt::Key_Up:
            SetCurrent(current_ - 1);
            break;
        case Qt::Key_Down:
            SetCurrent(current_ + 1);
            break;
        case Qt::Key_PageUp:
            SetCurrent(current_ - page);
            break;
        case Qt::Key_PageDown:
            SetCurrent(current_ + page);
            break;
        case Qt::Key_Home:
            SetCurrent(0);
            break;
        case Qt::Key_End:
            SetCurrent(Count() - 1);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void PackageListView::contextMenuEvent(QContextMenuEvent* event) {
    if (!greyed_) emit contextMenuRequested(event->globalPos());
}

}  // namespace pemu::ui
