#include "display/status_line.hpp"

#include <QFontMetrics>
#include <QPainter>

#include "display/system_colours.hpp"

namespace pemu::display {
namespace {

constexpr std::size_t kMaxLayoutBytes = 199;

QFont StatusFont() {
    return FontFor("MS Gothic", 0, 12);
}

}  // namespace

TStatus::TStatus(QImage& image, std::function<void()> repaint)
    : image_(image), repaint_(std::move(repaint)) {
    image_.fill(QColor(128, 0, 0));
}

int TStatus::Height() {
    return QFontMetrics(StatusFont()).height() + 8;
}

void TStatus::Layout(std::string_view cells) {
    cells = cells.substr(0, std::min(cells.size(), kMaxLayoutBytes));
    const QFontMetrics metrics(StatusFont());
    std::array<int, 10> widths{};
    cellCount_ = 0;
    for (std::size_t start = 0; cellCount_ < 10;) {
        const std::size_t end = std::min(cells.find(';', start), cells.size());
        widths[static_cast<std::size_t>(cellCount_++)] =
            metrics.horizontalAdvance(ToQString(cells.substr(start, end - start))) + 12;
        if (end >= cells.size()) break;
        start = end + 1;
    }
    int x = 2;
    for (int i = 0; i < cellCount_; ++i) {
        edges_[static_cast<std::size_t>(i)] = x;
        x += widths[static_cast<std::size_t>(i)] + 2;
    }
    edges_[static_cast<std::size_t>(cellCount_)] = x;
    // The last right edge + 2 is where the next cell would begin.
    image_ = QImage(x, std::max(1, image_.height()), QImage::Format_RGB32);
    image_.fill(QColor(128, 0, 0));
    QPainter p(&image_);
    p.setPen(ColourOf(SystemColour::kButtonShadow));
    p.setBrush(ColourOf(SystemColour::kButtonFace));
    const int height = Height();
    cellHeight_ = height;
    for (int i = 0; i < cellCount_; ++i)
        p.drawRect(edges_[static_cast<std::size_t>(i)], 0, widths[static_cast<std::size_t>(i)] - 1,
                   height - 1);
    p.end();
    if (repaint_) repaint_();
}

void TStatus::ShowCell(int index, std::string_view cp932Text, bool highlight) {
    if (index < 0 || index >= cellCount_) return;
    const int left = edges_[static_cast<std::size_t>(index)];
    const int right = edges_[static_cast<std::size_t>(index) + 1] - 4;
    QPainter p(&image_);
    p.fillRect(
        QRect(QPoint(left + 1, 1), QPoint(right, std::min(image_.height(), cellHeight_) - 2)),
        ColourOf(highlight ? SystemColour::kWindow : SystemColour::kButtonFace));
    p.setFont(StatusFont());
    p.setPen(ColourOf(SystemColour::kWindowText));
    p.drawText(QPoint(left + 6, 4 + QFontMetrics(StatusFont()).ascent()), ToQString(cp932Text));
    p.end();
    if (repaint_) repaint_();
}

}  // namespace pemu::display
