#include "glyph_art.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

#include "art_tools.hpp"
#include "display/skin_layout.hpp"
#include "skin_palette.hpp"

namespace pemu::skingen {
namespace {

using display::kDigitGlyphSize;
using display::kGlyphTop;
constexpr int kScale = 8;

// Seven segments a..g of an 11 x 21 cell, as bevelled bars.
enum Segment { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };
constexpr std::array<int, 10> kDigitSegments{{A | B | C | D | E | F, B | C, A | B | G | E | D,
                                              A | B | G | C | D, F | G | B | C, A | F | G | C | D,
                                              A | F | G | E | D | C, A | B | C | F,
                                              A | B | C | D | E | F | G, A | B | C | D | F | G}};

constexpr qreal kLeft = 1.3, kRight = 9.7, kTop = 1.3, kMiddle = 10.5, kBottom = 19.7;
constexpr qreal kThick = 2.7, kGap = 0.4;

QPolygonF Bar(QPointF from, QPointF to) {
    const qreal h = kThick / 2;
    if (from.y() == to.y())
        return QPolygonF({{from.x(), from.y()},
                          {from.x() + h, from.y() - h},
                          {to.x() - h, to.y() - h},
                          {to.x(), to.y()},
                          {to.x() - h, to.y() + h},
                          {from.x() + h, from.y() + h}});
    return QPolygonF({{from.x(), from.y()},
                      {from.x() + h, from.y() + h},
                      {to.x() + h, to.y() - h},
                      {to.x(), to.y()},
                      {to.x() - h, to.y() - h},
                      {from.x() - h, from.y() + h}});
}

void DrawSegments(QPainter& p, int segments) {
    p.setPen(Qt::NoPen);
    p.setBrush(kLcdInk);
    const auto horizontal = [&](qreal y) {
        p.drawPolygon(Bar({kLeft + kGap, y}, {kRight - kGap, y}));
    };
    const auto vertical = [&](qreal x, qreal y0, qreal y1) {
        p.drawPolygon(Bar({x, y0 + kGap}, {x, y1 - kGap}));
    };
    if (segments & A) horizontal(kTop);
    if (segments & G) horizontal(kMiddle);
    if (segments & D) horizontal(kBottom);
    if (segments & F) vertical(kLeft, kTop, kMiddle);
    if (segments & B) vertical(kRight, kTop, kMiddle);
    if (segments & E) vertical(kLeft, kMiddle, kBottom);
    if (segments & C) vertical(kRight, kMiddle, kBottom);
}

void Put(QImage& strip, int x, const QImage& glyph) {
    QPainter p(&strip);
    p.drawImage(x, kGlyphTop, glyph);
}

QImage SegmentGlyph(int segments) {
    return Supersampled(kDigitGlyphSize.width, kDigitGlyphSize.height, kLcdBackground, kScale,
                        [&](QPainter& p) { DrawSegments(p, segments); });
}

// ---- marks: 10 rows at y 2 of the strip ----

void PlusMinus(QPainter& p, int x, bool vertical) {
    p.fillRect(x + 1, kGlyphTop + 4, 8, 2, kLcdInk);
    if (vertical) p.fillRect(x + 4, kGlyphTop + 1, 2, 8, kLcdInk);
}

void Times(QPainter& p, int x) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLcdInk, 1.7, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x + 1.8, kGlyphTop + 1.8), QPointF(x + 8.2, kGlyphTop + 8.2));
    p.drawLine(QPointF(x + 8.2, kGlyphTop + 1.8), QPointF(x + 1.8, kGlyphTop + 8.2));
    p.restore();
}

void Divide(QPainter& p, int x) {
    PlusMinus(p, x, false);
    p.fillRect(x + 4, kGlyphTop + 1, 2, 2, kLcdInk);
    p.fillRect(x + 4, kGlyphTop + 7, 2, 2, kLcdInk);
}

// Narrower than its 10-pixel place: the copy mark follows right after it.
void Equals(QPainter& p, int x) {
    p.fillRect(x + 2, kGlyphTop + 2, 6, 2, kLcdInk);
    p.fillRect(x + 2, kGlyphTop + 6, 6, 2, kLcdInk);
}

void Root(QPainter& p, int x) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLcdInk, 1.3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    QPainterPath path;
    path.moveTo(x + 0.6, kGlyphTop + 5.5);
    path.lineTo(x + 2.2, kGlyphTop + 4.8);
    path.lineTo(x + 4.0, kGlyphTop + 9.2);
    path.lineTo(x + 6.6, kGlyphTop + 0.7);
    path.lineTo(x + 9.5, kGlyphTop + 0.7);
    p.drawPath(path);
    p.restore();
}

// A clipboard in the middle of its 9-pixel place, clear of = before and GT after it.
void Clipboard(QPainter& p, int x) {
    p.setPen(kLcdInk);
    p.setBrush(Qt::NoBrush);
    p.drawRect(x + 2, kGlyphTop + 1, 4, 8);
    p.fillRect(x + 3, kGlyphTop, 3, 2, kLcdInk);
    p.fillRect(x + 3, kGlyphTop + 4, 3, 1, kLcdInk);
    p.fillRect(x + 3, kGlyphTop + 6, 3, 1, kLcdInk);
}

void Word(QPainter& p, int x, int width, const char* utf8, int pixelSize) {
    DrawFittedText(p, QRectF(x, kGlyphTop - 1, width, display::kMarkHeight + 1),
                   QString::fromUtf8(utf8), CaptionFont(pixelSize), kLcdInk);
}

// Mark letters in the pixel font, centred in the mark's cell of `width`; inverted draws light
// letters on an ink block.
void PixelWord(QPainter& p, int x, int width, const char* text, bool inverted = false) {
    if (inverted) p.fillRect(x, kGlyphTop, width, display::kMarkHeight, kLcdInk);
    const QColor ink = inverted ? kLcdBackground : kLcdInk;
    DrawPixelText(p, x + (width - PixelTextWidth(text) + 1) / 2, kGlyphTop + 2, text, ink);
}

void AnswerCheck(QPainter& p, int x) {
    Word(p, x, 10, "答", 10);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLcdInk, 1.4));
    p.drawPolyline(QPolygonF(
        {{x + 10.3, kGlyphTop + 5.5}, {x + 11.8, kGlyphTop + 8.0}, {x + 14.5, kGlyphTop + 1.5}}));
    p.restore();
}

}  // namespace

QImage DrawDigitStrip() {
    QImage strip(display::kDigitStripSize.width, display::kDigitStripSize.height,
                 QImage::Format_RGB32);
    strip.fill(kLcdBackground);
    for (int d = 0; d <= 9; ++d)
        Put(strip, display::DigitGlyphX(d), SegmentGlyph(kDigitSegments[d]));
    Put(strip, display::kMinusGlyphX, SegmentGlyph(G));
    Put(strip, display::kErrorGlyphX, SegmentGlyph(A | D | E | F | G));
    Put(strip, display::kColonGlyphX,
        Supersampled(kDigitGlyphSize.width, kDigitGlyphSize.height, kLcdBackground, kScale,
                     [](QPainter& p) {
                         p.setPen(Qt::NoPen);
                         p.setBrush(kLcdInk);
                         p.drawEllipse(QPointF(5.5, 6.0), 1.5, 1.5);
                         p.drawEllipse(QPointF(5.5, 15.0), 1.5, 1.5);
                     }));
    Put(strip, display::kPointGlyphX, Supersampled(3, 3, kLcdBackground, kScale, [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(kLcdInk);
            p.drawEllipse(QPointF(1.5, 1.5), 1.5, 1.5);
        }));
    Put(strip, display::kThousandsGlyphX,
        Supersampled(3, 5, kLcdBackground, kScale, [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(kLcdInk);
            p.drawEllipse(QPointF(1.7, 1.4), 1.3, 1.3);
            p.drawPolygon(QPolygonF({{0.6, 1.6}, {3.0, 1.6}, {1.2, 5.0}, {0.2, 5.0}}));
        }));
    return strip;
}

QImage DrawMarkStrip() {
    QImage strip(display::kMarkStripSize.width, display::kMarkStripSize.height,
                 QImage::Format_RGB32);
    strip.fill(kLcdBackground);
    QPainter p(&strip);
    PlusMinus(p, 5, true);
    PlusMinus(p, 20, false);
    Times(p, 35);
    Divide(p, 50);
    Equals(p, 65);
    PixelWord(p, 80, 15, "MR");
    PixelWord(p, 100, 15, "GT", true);
    PixelWord(p, 120, 15, "M+");
    PixelWord(p, 140, 15, "M-");
    Clipboard(p, 160);
    Word(p, 180, 20, "税込", 10);
    Word(p, 205, 20, "税抜", 10);
    Word(p, 230, 20, "税額", 10);
    PixelWord(p, 255, 10, "M");
    PixelWord(p, 270, 10, "GT");
    PixelWord(p, 285, 10, "E");
    PixelWord(p, 300, 10, "E", true);
    AnswerCheck(p, 315);
    PixelWord(p, display::kConstantMarkX, 10, "K");
    Root(p, 375);
    return strip;
}

}  // namespace pemu::skingen
