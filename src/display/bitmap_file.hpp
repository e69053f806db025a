#pragma once
// Reading skin bitmaps: every Windows BMP variant QImage knows (1, 4, 8, 16, 24, 32 bit,
// RLE4, RLE8, bit fields), returned in the face pixel format. A file that is not complete
// (CheckBitmapBytes) is refused like a missing one.
#include <QImage>
#include <filesystem>
#include <optional>
#include <string_view>

namespace pemu::display {

// The bitmap held in `bytes`, or nothing when they are not a complete BMP.
std::optional<QImage> DecodeBitmap(std::string_view bytes);

// The bitmap at `path`, or nothing when the file is missing, unreadable or not a BMP.
std::optional<QImage> ReadBitmap(const std::filesystem::path& path);

// The bitmap from a Qt resource path (":/skin/...") or file, or nothing.
std::optional<QImage> ReadBitmap(const QString& path);

}  // namespace pemu::display
