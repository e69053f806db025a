#include "panel_art.hpp"

#include <QLinearGradient>
#include <QPainter>

#include "art_tools.hpp"
#include "display/skin_layout.hpp"
#include "skin_palette.hpp"

namespace pemu::skingen {
namespace {

using display::Rect;

// Face rectangle -> display panel rectangle (the composite is painted at (5, 9)).
QRectF OnDisplayPanel(const Rect& face) {
    return QRectF(face.x - display::kCompositePos.x, face.y - display::kCompositePos.y, face.width,
                  face.height);
}

void InsetBox(QPainter& p, const QRectF& box, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBodyEdgeDark);
    p.drawRoundedRect(box, 2.5, 2.5);
    p.setBrush(fill);
    p.drawRoundedRect(box.adjusted(1, 1, -0.5, -0.5), 2, 2);
}

void SolarCell(QPainter& p, const Rect& r) {
    p.fillRect(r.x, r.y + 2, r.width, r.height - 4, QColor(40, 28, 30));
    p.setPen(QColor(78, 60, 62));
    for (int i = 1; i < 4; ++i)
        p.drawLine(r.x + i * r.width / 4, r.y + 2, r.x + i * r.width / 4, r.y + r.height - 3);
    p.drawLine(r.x, r.y + r.height / 2, r.x + r.width - 1, r.y + r.height / 2);
}

}  // namespace

QImage DrawPanel() {
    QImage panel(display::kPanelSize.width, display::kPanelSize.height, QImage::Format_RGB32);
    QPainter p(&panel);
    QLinearGradient body(0, 0, 0, panel.height());
    body.setColorAt(0, kBodyTop);
    body.setColorAt(1, kBodyBottom);
    p.fillRect(panel.rect(), body);
    p.setPen(kBodyEdgeLight);
    p.drawLine(0, 0, panel.width() - 1, 0);
    p.drawLine(0, 0, 0, panel.height() - 1);
    p.setPen(kBodyEdgeDark);
    p.drawLine(panel.width() - 1, 0, panel.width() - 1, panel.height() - 1);
    p.drawLine(0, panel.height() - 1, panel.width() - 1, panel.height() - 1);

    // The key plate: one flat colour under every key picture, so the key cells blend in.
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(9.5, 117.5, 253, 276);
    p.setPen(QPen(kPlateEdge, 1.0));
    p.setBrush(kPlate);
    p.drawRoundedRect(plate, 7, 7);
    p.setRenderHint(QPainter::Antialiasing, false);
    SolarCell(p, display::kGrandTotalArea);
    const char* motto = "KENZAN . TAX . GT";
    DrawPixelText(p, (panel.width() - PixelTextWidth(motto)) / 2, 386, motto,
                  QColor(150, 156, 166));
    return panel;
}

QImage DrawDisplayPanel() {
    QImage panel(display::kDisplayPanelSize.width, display::kDisplayPanelSize.height,
                 QImage::Format_RGB32);
    // Drawn over the body's own colours, so the anti-aliased rim blends into the body; then
    // everything outside the rim becomes the transparent colour. Row 101 keeps it: (0, 101) is
    // the colour key, and without red at (200, 101) the labels stay black.
    QLinearGradient body(0, -display::kCompositePos.y, 0,
                         display::kPanelSize.height - display::kCompositePos.y);
    body.setColorAt(0, kBodyTop);
    body.setColorAt(1, kBodyBottom);
    QPainter(&panel).fillRect(panel.rect(), body);
    QPainter p(&panel);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(0.5, 0.5, panel.width() - 1, display::kCompositePaintedHeight - 1);
    QLinearGradient metal(0, 0, 0, frame.height());
    metal.setColorAt(0, QColor(214, 218, 223));
    metal.setColorAt(1, QColor(190, 195, 202));
    p.setPen(QPen(kBodyEdgeDark, 1.0));
    p.setBrush(metal);
    p.drawRoundedRect(frame, 6, 6);

    // The liquid-crystal window round the mark strip and the digit panel.
    const QRectF strip = OnDisplayPanel(
        {display::kMarkStripPos.x, display::kMarkStripPos.y, display::kMarkStripViewSize.width, 0});
    const QRectF digits =
        OnDisplayPanel({display::kDigitPanelPos.x, display::kDigitPanelPos.y,
                        display::kDigitPanelSize.width, display::kDigitPanelSize.height});
    // Close round the marks and the digits, which sit in the lower rows of their panel.
    const QRectF lcd(strip.left() - 4, strip.top() - 3, strip.width() + 8,
                     digits.bottom() - strip.top() + 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(64, 70, 78));
    p.drawRoundedRect(lcd.adjusted(-2, -2, 2, 2), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(lcd.toAlignedRect(), kLcdBackground);
    p.setRenderHint(QPainter::Antialiasing);

    // Boxes behind the four labels, with their printed names.
    const QColor box(238, 240, 236);
    InsetBox(p, OnDisplayPanel(display::kLabAns).adjusted(-3, -2, 3, 2), box);
    InsetBox(p, OnDisplayPanel(display::kLabIpt).adjusted(-3, -2, 3, 2), box);
    InsetBox(p, OnDisplayPanel(display::kLabRs).adjusted(-2, 0, 2, 0), box);
    InsetBox(p, OnDisplayPanel(display::kLabDc).adjusted(-2, 0, 2, 0), box);
    // The small printed labels, right-aligned before their boxes, in the pixel font.
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto label = [&p](const Rect& box, const char* text, int dy) {
        const QRectF at = OnDisplayPanel(box);
        const int x = static_cast<int>(at.left()) - 6 - PixelTextWidth(text);
        DrawPixelText(p, x, static_cast<int>(at.top()) + dy, text, kPrint);
    };
    label(display::kLabAns, "ANS", 3);
    label(display::kLabIpt, "IN", 3);
    label(display::kLabRs, "R", 5);
    label(display::kLabDc, "D", 5);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFittedText(p, QRectF(9, 4, 60, 18), QStringLiteral("Pemu"), CaptionFont(16),
                   QColor(44, 52, 66));
    p.end();
    QImage inside(panel.size(), QImage::Format_RGB32);
    inside.fill(Qt::black);
    {
        QPainter mask(&inside);
        mask.setPen(Qt::NoPen);
        mask.setBrush(Qt::white);
        mask.drawRoundedRect(frame.adjusted(-0.5, -0.5, 0.5, 0.5), 6.5, 6.5);
    }
    for (int y = 0; y < panel.height(); ++y)
        for (int x = 0; x < panel.width(); ++x)
            if (inside.pixel(x, y) != qRgb(255, 255, 255)) panel.setPixel(x, y, kTransparent.rgb());
    return panel;
}

QImage DrawNoImage() {
    QImage image(115, 169, QImage::Format_RGB32);
    image.fill(QColor(236, 237, 239));
    QPainter p(&image);
    p.setPen(QColor(160, 164, 170));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    p.drawLine(8, 8, 106, 160);
    p.drawLine(106, 8, 8, 160);
    p.fillRect(QRect(14, 70, 87, 28), QColor(236, 237, 239));
    DrawFittedText(p, QRectF(14, 70, 87, 28), QStringLiteral("No Image"), CaptionFont(15),
                   QColor(96, 100, 108));
    return image;
}

}  // namespace pemu::skingen
