#include "display/image_ops.hpp"

#include <algorithm>

namespace pemu::display {

QImage ToFacePixels(const QImage& image) {
    if (image.format() == QImage::Format_RGB32) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

void CopyRect(QImage& target, int dx, int dy, const QImage& source, int sx, int sy, int w, int h) {
    // Clip against the source, then against the target, moving both origins together.
    if (sx < 0) {
        w += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        dy -= sy;
        sy = 0;
    }
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
    }
    w = std::min({w, source.width() - sx, target.width() - dx});
    h = std::min({h, source.height() - sy, target.height() - dy});
    if (w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(sy + y)) + sx;
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(dy + y)) + dx;
        std::copy_n(from, w, to);
    }
}

void FillRect(QImage& target, const Rect& rect, QRgb colour) {
    const int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
    const int x1 = std::min(rect.x + rect.width, target.width());
    const int y1 = std::min(rect.y + rect.height, target.height());
    for (int y = y0; y < y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        std::fill(line + x0, line + std::max(x0, x1), colour | 0xFF000000u);
    }
}

QRgb PixelAt(const QImage& image, Point p) {
    if (!image.valid(p.x, p.y)) return qRgb(0, 0, 0);
    return image.pixel(p.x, p.y);
}

void Overlay(const QImage& source, const QImage& background, QRgb colour, int xSrc, int ySrc,
             QImage& target, int xDest, int yDest) {
    QImage result = ToFacePixels(source).copy();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (SameColour(line[x], colour)) line[x] = PixelAt(background, {x + xSrc, y + ySrc});
    }
    CopyRect(target, xDest, yDest, result, 0, 0, result.width(), result.height());
}

}  // namespace pemu::display
