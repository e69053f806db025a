#pragma once
// Writing 8-bit palette BMP files, run-length encoded (BI_RLE8) as the built-in skin is kept.
#include <QImage>
#include <string>

namespace pemu::display {

// Reduces `image` to at most 256 colours and writes it as an RLE8 BMP. Colours that cover
// the most pixels are kept exactly (backgrounds and colour keys); the rest map to the nearest
// kept colour. Returns "" on success, else a message naming the file.
std::string WriteRle8Bitmap(const QImage& image, const std::string& path);

// The palette image WriteRle8Bitmap would store, for checking the reduction.
QImage ReduceTo256Colours(const QImage& image);

}  // namespace pemu::display
