#include "art_tools.hpp"

#include <QFontMetricsF>

namespace pemu::skingen {

QFont CaptionFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawFittedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                    const QColor& colour) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    const qreal squeeze = width > box.width() ? box.width() / width : 1.0;
    painter.translate(box.center().x(), box.top());
    painter.scale(squeeze, 1.0);
    const QRectF local(-box.width() / (2 * squeeze), 0, box.width() / squeeze, box.height());
    painter.drawText(local, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace pemu::skingen
