#include "bitmaps.hpp"

#include <array>
#include <cstdint>

namespace qtcheck {
namespace {

// Eight colours, far enough apart that a wrong index or a swapped channel shows.
constexpr std::array<QRgb, 8> kPalette = {
    qRgb(0, 0, 0),     qRgb(255, 255, 255), qRgb(200, 30, 40),  qRgb(30, 160, 60),
    qRgb(40, 70, 210), qRgb(240, 200, 20),  qRgb(20, 190, 200), qRgb(150, 60, 170),
};

void Put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>(v >> 8));
}

void Put32(QByteArray& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xffff));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutByte(QByteArray& out, int v) {
    out.append(static_cast<char>(v));
}

// Bands of colour on the left (long runs), a checkerboard on the right (no runs at all), so
// the run-length file has both its encoded and its absolute mode.
int PatternIndex(int x, int y) {
    if (x < kPictureWidth / 2) return 2 + (x / 4 + y / 4) % 6;
    return (x + y) % 2;
}

// One row in BI_RLE8: runs of three or more as (count, index), other stretches in absolute
// mode (0, n, n indices, padded to an even length); absolute mode needs n >= 3.
void EncodeRow(QByteArray& out, int y) {
    int x = 0;
    while (x < kPictureWidth) {
        int run = 1;
        while (x + run < kPictureWidth && run < 255 &&
               PatternIndex(x + run, y) == PatternIndex(x, y)) {
            ++run;
        }
        if (run >= 3) {
            PutByte(out, run);
            PutByte(out, PatternIndex(x, y));
            x += run;
            continue;
        }
        int end = x;
        while (end < kPictureWidth && end - x < 255 &&
               !(end + 2 < kPictureWidth && PatternIndex(end, y) == PatternIndex(end + 1, y) &&
                 PatternIndex(end, y) == PatternIndex(end + 2, y))) {
            ++end;
        }
        const int n = end - x;
        if (n < 3) {
            for (int i = 0; i < n; ++i) {
                PutByte(out, 1);
                PutByte(out, PatternIndex(x + i, y));
            }
        } else {
            PutByte(out, 0);
            PutByte(out, n);
            for (int i = 0; i < n; ++i)
                PutByte(out, PatternIndex(x + i, y));
            if (n % 2 != 0) PutByte(out, 0);
        }
        x = end;
    }
}

QByteArray Pixels(BitmapKind kind) {
    QByteArray pixels;
    // Rows are stored bottom-up; uncompressed rows are padded to four bytes.
    for (int y = kPictureHeight - 1; y >= 0; --y) {
        const int start = static_cast<int>(pixels.size());
        switch (kind) {
            case BitmapKind::Rgb24:
                for (int x = 0; x < kPictureWidth; ++x) {
                    const QRgb c = kPalette[static_cast<std::size_t>(PatternIndex(x, y))];
                    PutByte(pixels, qBlue(c));
                    PutByte(pixels, qGreen(c));
                    PutByte(pixels, qRed(c));
                }
                break;
            case BitmapKind::Indexed8:
                for (int x = 0; x < kPictureWidth; ++x)
                    PutByte(pixels, PatternIndex(x, y));
                break;
            case BitmapKind::Rle8:
                EncodeRow(pixels, y);
                PutByte(pixels, 0);
                PutByte(pixels, y == 0 ? 1 : 0);  // end of bitmap after the top row
                continue;
        }
        while ((pixels.size() - start) % 4 != 0)
            PutByte(pixels, 0);
    }
    return pixels;
}

}  // namespace

QRgb ExpectedPixel(int x, int y) {
    return kPalette[static_cast<std::size_t>(PatternIndex(x, y))];
}

QByteArray MakeBitmap(BitmapKind kind) {
    const bool indexed = kind != BitmapKind::Rgb24;
    const QByteArray pixels = Pixels(kind);
    const std::uint32_t paletteBytes = indexed ? 4 * kPalette.size() : 0;
    const std::uint32_t offset = 14 + 40 + paletteBytes;

    QByteArray out;
    out.append("BM");
    Put32(out, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, kPictureWidth);
    Put32(out, kPictureHeight);
    Put16(out, 1);
    Put16(out, indexed ? 8 : 24);
    Put32(out, kind == BitmapKind::Rle8 ? 1 : 0);
    Put32(out, static_cast<std::uint32_t>(pixels.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, indexed ? static_cast<std::uint32_t>(kPalette.size()) : 0);
    Put32(out, 0);
    if (indexed) {
        for (QRgb c : kPalette) {
            PutByte(out, qBlue(c));
            PutByte(out, qGreen(c));
            PutByte(out, qRed(c));
            PutByte(out, 0);
        }
    }
    out.append(pixels);
    return out;
}

}  // namespace qtcheck
