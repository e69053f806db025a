#pragma once
// Small drawing helpers the skin art shares: the caption font and text fitted into a box.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace pemu::skingen {

// IPA Gothic at a pixel size, hinted for small sizes.
QFont CaptionFont(int pixelSize, bool bold = true);

// Draws `text` centred in `box`, squeezed horizontally when it is wider than the box.
void DrawFittedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                    const QColor& colour);

// The one pixel font of the small printed labels and the mark letters: capitals, digits and
// a few signs, 7 pixels high, proportional, one blank column between letters.
int PixelTextWidth(const char* text);
// Draws `text` with its top-left corner at (x, y), one pixel per dot, no smoothing.
void DrawPixelText(QPainter& painter, int x, int y, const char* text, const QColor& colour);

// Draws with `draw` on a canvas `scale` times larger and returns it smoothly reduced to
// `width` x `height`: clean anti-aliased edges at a few pixels' size.
template <typename Draw>
QImage Supersampled(int width, int height, const QColor& background, int scale, Draw draw) {
    QImage big(width * scale, height * scale, QImage::Format_RGB32);
    big.fill(background);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
    }
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace pemu::skingen
