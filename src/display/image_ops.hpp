#pragma once
// Rectangle copies and the transparent overlay every face picture is built with. All images
// handled here are QImage::Format_RGB32; ToFacePixels converts anything else once.
#include <QImage>
#include <QRgb>

#include "display/skin_layout.hpp"

namespace pemu::display {

// A copy of `image` in the pixel format the drawing code works on.
QImage ToFacePixels(const QImage& image);

// Copies a w x h block of `source` at (sx, sy) into `target` at (dx, dy). Parts outside
// either image are clipped, never read or written.
void CopyRect(QImage& target, int dx, int dy, const QImage& source, int sx, int sy, int w, int h);

// Fills a rectangle of `target` (clipped) with one colour.
void FillRect(QImage& target, const Rect& rect, QRgb colour);

// The pixel at (x, y), or black when it lies outside the image.
QRgb PixelAt(const QImage& image, Point p);

// Every pixel of `source` equal to `colour` is replaced by the pixel of `background` at the
// same position offset by (xSrc, ySrc); the result, of the source's size, is written into
// `target` at (xDest, yDest). Background pixels outside the background read as black.
void Overlay(const QImage& source, const QImage& background, QRgb colour, int xSrc, int ySrc,
             QImage& target, int xDest, int yDest);

// Compares two colours ignoring the alpha byte.
inline bool SameColour(QRgb a, QRgb b) {
    return (a & 0xFFFFFFu) == (b & 0xFFFFFFu);
}

}  // namespace pemu::display
