#pragma once
// JPEG through the IJG libjpeg API: baseline encoding at a given quality, and decoding.
#include <QImage>
#include <filesystem>
#include <optional>
#include <string>

namespace pemu::display {

// Writes `image` as a baseline (not progressive) JPEG. Returns "" on success, else a message;
// a failed write leaves no partial file behind.
std::string WriteJpeg(const QImage& image, const std::filesystem::path& path, int quality);

// Decodes a JPEG file into an RGB32 image, or nothing when it is missing or corrupt.
std::optional<QImage> ReadJpeg(const std::filesystem::path& path);

}  // namespace pemu::display
