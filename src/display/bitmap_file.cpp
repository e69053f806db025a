#include "display/bitmap_file.hpp"

#include <QImageReader>

#include "display/image_ops.hpp"

namespace pemu::display {

std::optional<QImage> ReadBitmap(const QString& path) {
    QImageReader reader(path, "BMP");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return ToFacePixels(image);
}

std::optional<QImage> ReadBitmap(const std::filesystem::path& path) {
    return ReadBitmap(QString::fromStdString(path.string()));
}

}  // namespace pemu::display
