#include "display/message_image.hpp"

#include <QFontMetrics>
#include <QPainter>

#include "display/system_colours.hpp"

namespace pemu::display {
namespace {

constexpr std::size_t kMaxTextBytes = 299;

int TextHeight(const QFont& font) {
    return QFontMetrics(font).boundingRect("DUMMY").height();
}

}  // namespace

TMsgImg::TMsgImg(QImage& image, std::function<void()> repaint)
    : image_(image),
      repaint_(std::move(repaint)),
      // Gothic, as every other text of the windows: a Mincho message stood out as a stray.
      font_(FontFor("ＭＳ Ｐゴシック", 10)),
      textColour_(ColourOf(SystemColour::kWindowText)),
      lineHeight_(TextHeight(font_) + 8) {}

void TMsgImg::FillImage(QImage& image, QColor /*pen*/, QColor brush) {
    image.fill(brush);
}

void TMsgImg::SetFont(std::string_view faceName, int size, QColor colour) {
    font_ = FontFor(faceName, size);
    textColour_ = colour;
    lineHeight_ = TextHeight(font_) + 4;
}

void TMsgImg::ShowText(std::string_view cp932Text) {
    cp932Text = cp932Text.substr(0, std::min(cp932Text.size(), kMaxTextBytes));
    image_.fill(ColourOf(SystemColour::kWindow));
    QPainter p(&image_);
    p.setFont(font_);
    p.setPen(textColour_);
    const int ascent = QFontMetrics(font_).ascent();
    int y = 6;
    for (std::size_t start = 0; start <= cp932Text.size();) {
        const std::size_t end = std::min(cp932Text.find("\r\n", start), cp932Text.size());
        p.drawText(QPoint(6, y + ascent), ToQString(cp932Text.substr(start, end - start)));
        y += lineHeight_;
        if (end >= cp932Text.size()) break;
        start = end + 2;
    }
    p.end();
    if (repaint_) repaint_();
}

}  // namespace pemu::display
