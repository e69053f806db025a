#include "key_art.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "art_tools.hpp"
#include "display/skin_layout.hpp"
#include "skin_palette.hpp"

namespace pemu::skingen {
namespace {

struct KeyArt {
    int code;
    display::KeyFamily family;  // the family whose cell this is (CE and C differ)
    const char* caption;
    const KeyColours* colours;
    int pixelSize;
};

using display::kCasio;
using display::kSharp;
// A key whose cell is the same in both families.
constexpr display::KeyFamily kBoth = kSharp;

const std::array<KeyArt, 34> kKeys{{
    {15, kBoth, "GT", &kDarkKey, 12},  {10, kBoth, "検算", &kDarkKey, 10},
    {11, kBoth, "税込", &kTaxKey, 10}, {12, kBoth, "税抜", &kTaxKey, 10},
    {3, kBoth, "MC", &kMemoryKey, 12}, {4, kBoth, "MR", &kMemoryKey, 12},
    {6, kBoth, "M−", &kMemoryKey, 12}, {5, kBoth, "M+", &kMemoryKey, 12},
    {16, kBoth, "CA", &kDarkKey, 12},  {9, kBoth, "√", &kDarkKey, 16},
    {1, kBoth, "%", &kLightKey, 15},   {20, kBoth, "÷", &kLightKey, 20},
    {19, kBoth, "×", &kLightKey, 20},  {18, kBoth, "−", &kLightKey, 20},
    {13, kBoth, "→", &kDarkKey, 16},   {33, kBoth, "7", &kDarkKey, 18},
    {34, kBoth, "8", &kDarkKey, 18},   {35, kBoth, "9", &kDarkKey, 18},
    {17, kBoth, "+", &kLightKey, 22},  {14, kBoth, "+/-", &kDarkKey, 13},
    {30, kBoth, "4", &kDarkKey, 18},   {31, kBoth, "5", &kDarkKey, 18},
    {32, kBoth, "6", &kDarkKey, 18},   {2, kSharp, "CE", &kLightKey, 14},
    {27, kBoth, "1", &kDarkKey, 18},   {28, kBoth, "2", &kDarkKey, 18},
    {29, kBoth, "3", &kDarkKey, 18},   {99, kBoth, "=", &kDarkKey, 22},
    {7, kSharp, "C", &kClearKey, 16},  {36, kBoth, "0", &kDarkKey, 18},
    {37, kBoth, "00", &kDarkKey, 17},  {21, kBoth, "・", &kDarkKey, 18},
    {7, kCasio, "AC", &kClearKey, 14}, {2, kCasio, "C", &kLightKey, 16},
}};

constexpr qreal kRadius = 4.5;

// Released: a raised cap with its side below and a light top edge. Pressed: sunk to the
// plate, clearly darker, with a shadow inside its top edge; the caption sinks with it.
void DrawCap(QPainter& p, const display::KeyCell& cell, const KeyArt& key, bool pressed) {
    const int visible = cell.height - 2;
    const QColor face = pressed ? key.colours->face.darker(150) : key.colours->face;
    const int drop = pressed ? 2 : 0;
    const QRectF cap(cell.x + 1.5, cell.y + 0.5 + drop, display::kKeyWidth - 3, visible - 4);

    p.setRenderHint(QPainter::Antialiasing);
    if (!pressed) {  // the cap's side, seen below it
        p.setPen(Qt::NoPen);
        p.setBrush(face.darker(175));
        p.drawRoundedRect(cap.translated(0, 2.5), kRadius, kRadius);
    }
    QLinearGradient shade(cap.topLeft(), cap.bottomLeft());
    shade.setColorAt(0.0, pressed ? face.darker(115) : face.lighter(112));
    shade.setColorAt(pressed ? 0.35 : 1.0, pressed ? face : face.darker(108));
    p.setPen(QPen(pressed ? kPlateEdge : face.darker(150), 1.0));
    p.setBrush(shade);
    p.drawRoundedRect(cap, kRadius, kRadius);
    if (pressed) {  // the shadow of the plate's edge inside the sunk cap
        p.setPen(QPen(face.darker(160), 1.5));
        p.drawLine(QPointF(cap.left() + kRadius, cap.top() + 1.5),
                   QPointF(cap.right() - kRadius, cap.top() + 1.5));
    } else {  // a highlight along the top edge
        p.setPen(QPen(face.lighter(135), 1.0));
        p.drawLine(QPointF(cap.left() + kRadius, cap.top() + 1.2),
                   QPointF(cap.right() - kRadius, cap.top() + 1.2));
    }
    // The caption goes down with the cap, and no further: the band below it stays free for
    // the key navigation's names.
    const QRectF text = cap.adjusted(3, 0, -3, 0);
    const QColor caption = pressed ? key.colours->caption.darker(110) : key.colours->caption;
    if (key.code == 21) {  // the point reads better as a round dot than as a glyph
        p.setPen(Qt::NoPen);
        p.setBrush(caption);
        p.drawEllipse(QPointF(text.center().x(), text.center().y() + 3), 2.6, 2.6);
        return;
    }
    DrawFittedText(p, text, QString::fromUtf8(key.caption), CaptionFont(key.pixelSize), caption);
}

}  // namespace

QImage DrawKeySheet(bool pressed) {
    QImage sheet(display::kKeySheetSize.width, display::kKeySheetSize.height, QImage::Format_RGB32);
    // The plate colour everywhere between the caps, also at the transparent-colour pixel (1, 1):
    // composing pressed keys over the panel then shows the plate exactly where it already is.
    sheet.fill(kPlate);
    QPainter p(&sheet);
    for (const KeyArt& key : kKeys) {
        const auto cell = display::KeyCellOf(key.code, key.family);
        if (cell) DrawCap(p, *cell, key, pressed);
    }
    return sheet;
}

}  // namespace pemu::skingen
