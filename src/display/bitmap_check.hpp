#pragma once
// What a BMP file's headers promise, held against the bytes that follow them, before any
// decoder sees the file: a bitmap cut short would otherwise show whatever memory held
// where its missing rows should be. Plain C++, no Qt.
#include <string>
#include <string_view>

namespace pemu::display {

enum class BitmapCheck {
    kComplete,   // every byte the headers describe is there
    kNotBitmap,  // no "BM", an unknown header or pixel format
    kTooLarge,   // wider or taller than kMaxBitmapSide
    kTruncated,  // the palette or pixel data is shorter than the headers say
};

// No skin picture comes near this; larger sides are refused before anything is allocated.
inline constexpr int kMaxBitmapSide = 4096;

// Uncompressed rows (with bit fields) must all be present; a run-length stream (RLE8, RLE4)
// must reach its end-of-bitmap code, or the end of its last row, inside the file.
BitmapCheck CheckBitmapBytes(std::string_view bytes);

// A complete bitmap as a decoder should see it: the bytes themselves, or for a run-length
// stream the same picture as plain 8-bit rows, every pixel the stream skips (line ends,
// moves, an early end) set to palette index 0. Empty when the check refuses the bytes.
std::string UncompressedBitmap(std::string_view bytes);

}  // namespace pemu::display
