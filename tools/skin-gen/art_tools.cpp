#include "art_tools.hpp"

#include <QFontMetricsF>
#include <cstring>

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

namespace {

struct PixelGlyph {
    char c;
    const char* rows[7];
};
constexpr PixelGlyph kPixelFont[] = {
    {'A', {"0110", "1001", "1001", "1111", "1001", "1001", "1001"}},
    {'D', {"1110", "1001", "1001", "1001", "1001", "1001", "1110"}},
    {'E', {"111", "100", "100", "110", "100", "100", "111"}},
    {'G', {"0111", "1000", "1000", "1011", "1001", "1001", "0111"}},
    {'I', {"111", "010", "010", "010", "010", "010", "111"}},
    {'K', {"1001", "1010", "1100", "1100", "1010", "1001", "1001"}},
    {'M', {"10001", "11011", "10101", "10101", "10001", "10001", "10001"}},
    {'N', {"1001", "1101", "1101", "1011", "1011", "1001", "1001"}},
    {'R', {"1110", "1001", "1001", "1110", "1010", "1001", "1001"}},
    {'S', {"0111", "1000", "1000", "0110", "0001", "0001", "1110"}},
    {'T', {"111", "010", "010", "010", "010", "010", "010"}},
    {'X', {"10001", "10001", "01010", "00100", "01010", "10001", "10001"}},
    {'Z', {"1111", "0001", "0010", "0100", "1000", "1000", "1111"}},
    {'+', {"00000", "00100", "00100", "11111", "00100", "00100", "00000"}},
    {'-', {"0000", "0000", "0000", "1111", "0000", "0000", "0000"}},
    {'.', {"0", "0", "0", "1", "0", "0", "0"}},
    {' ', {"00", "00", "00", "00", "00", "00", "00"}},
};

const PixelGlyph* PixelGlyphOf(char c) {
    for (const PixelGlyph& g : kPixelFont)
        if (g.c == c) return &g;
    return nullptr;
}

}  // namespace

int PixelTextWidth(const char* text) {
    int width = -1;
    for (const char* c = text; *c; ++c)
        if (const PixelGlyph* g = PixelGlyphOf(*c))
            width += static_cast<int>(std::strlen(g->rows[0])) + 1;
    return width < 0 ? 0 : width;
}

void DrawPixelText(QPainter& painter, int x, int y, const char* text, const QColor& colour) {
    for (const char* c = text; *c; ++c) {
        const PixelGlyph* g = PixelGlyphOf(*c);
        if (g == nullptr) continue;
        const int w = static_cast<int>(std::strlen(g->rows[0]));
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < w; ++col)
                if (g->rows[row][col] == '1') painter.fillRect(x + col, y + row, 1, 1, colour);
        x += w + 1;
    }
}

}  // namespace pemu::skingen
