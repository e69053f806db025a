#pragma once

// Small BMP files of a known picture, written byte by byte so that the reader under test is
// the only decoder involved.

#include <QByteArray>
#include <QRgb>

namespace qtcheck {

// An odd width: uncompressed rows need padding and the run-length rows an odd absolute run.
constexpr int kPictureWidth = 41;
constexpr int kPictureHeight = 16;

enum class BitmapKind { Rgb24, Indexed8, Rle8 };

QByteArray MakeBitmap(BitmapKind kind);
QRgb ExpectedPixel(int x, int y);

}  // namespace qtcheck
