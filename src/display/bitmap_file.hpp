#pragma once
// Reading skin bitmaps: every Windows BMP variant QImage knows (1, 4, 8, 16, 24, 32 bit,
// RLE4, RLE8, bit fields), returned in the face pixel format.
#include <QImage>
#include <filesystem>
#include <optional>

namespace pemu::display {

// The bitmap at `path`, or nothing when the file is missing, unreadable or not a BMP.
std::optional<QImage> ReadBitmap(const std::filesystem::path& path);

// The bitmap from a Qt resource path (":/skin/...") or file, or nothing.
std::optional<QImage> ReadBitmap(const QString& path);

}  // namespace pemu::display
