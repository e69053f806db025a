#include "display/enlarged_display.hpp"

#include <QPainter>
#include <algorithm>

#include "display/image_ops.hpp"
#include "display/qt_text.hpp"
#include "display/system_colours.hpp"

namespace pemu::display {
namespace {

struct LabelPlace {
    core::DisplayLabel label;
    QRect rect;
    Qt::Alignment alignment;
};

constexpr int kLabelPixelHeight = 21;

const LabelPlace kLabelPlaces[] = {
    {core::DisplayLabel::kLabAns, QRect(214, 18, 290, 23), Qt::AlignRight | Qt::AlignTop},
    {core::DisplayLabel::kLabIpt, QRect(70, 164, 290, 23), Qt::AlignRight | Qt::AlignTop},
    {core::DisplayLabel::kLabRs, QRect(415, 164, 44, 26), Qt::AlignHCenter | Qt::AlignTop},
    {core::DisplayLabel::kLabDc, QRect(490, 164, 20, 26), Qt::AlignLeft | Qt::AlignTop},
};

}  // namespace

QImage DoublePixels(const QImage& image) {
    const QImage source = ToFacePixels(image);
    QImage doubled(source.width() * 2, source.height() * 2, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* upper = reinterpret_cast<QRgb*>(doubled.scanLine(2 * y));
        for (int x = 0; x < source.width(); ++x)
            upper[2 * x] = upper[2 * x + 1] = from[x];
        std::copy_n(upper, doubled.width(), reinterpret_cast<QRgb*>(doubled.scanLine(2 * y + 1)));
    }
    return doubled;
}

QImage EnlargedBackground(const Skin& skin) {
    QImage background(kEnlargedSize.width, kEnlargedSize.height, QImage::Format_RGB32);
    background.fill(Qt::black);
    const QImage doubled = DoublePixels(skin.PanelComposite());
    CopyRect(background, 0, 0, doubled, 0, 0, doubled.width(), doubled.height());
    return background;
}

QImage EnlargedPicture(const QImage& background, const Skin& skin, const DigitalDisplay& display) {
    QImage picture = ToFacePixels(background).copy();
    Overlay(DoublePixels(display.MarkStrip()), picture, display.StripBackground(),
            kEnlargedMarksPos.x, kEnlargedMarksPos.y, picture, kEnlargedMarksPos.x,
            kEnlargedMarksPos.y);
    Overlay(DoublePixels(display.DigitPanel()), picture, display.PanelBackground(),
            kEnlargedDigitsPos.x, kEnlargedDigitsPos.y, picture, kEnlargedDigitsPos.x,
            kEnlargedDigitsPos.y);
    QPainter painter(&picture);
    QFont font = FontFor("ＭＳ Ｐゴシック", 0, kLabelPixelHeight);
    font.setBold(true);
    painter.setFont(font);
    const auto& colours = skin.LabelColours();
    for (const LabelPlace& place : kLabelPlaces) {
        const QColor colour = colours[static_cast<std::size_t>(place.label)];
        painter.setPen(colour.isValid() ? colour : QColor(Qt::black));
        painter.drawText(place.rect, static_cast<int>(place.alignment),
                         FromCp932(display.Label(place.label)));
    }
    return picture;
}

}  // namespace pemu::display
