#include "display/bitmap_file.hpp"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "display/bitmap_check.hpp"
#include "display/image_ops.hpp"

namespace pemu::display {
namespace {

// Far beyond a skin picture at the largest accepted size; a larger file is not read at all.
constexpr qint64 kMaxBitmapFileBytes = 4LL * kMaxBitmapSide * kMaxBitmapSide + (1 << 20);

}  // namespace

std::optional<QImage> DecodeBitmap(std::string_view bytes) {
    // Qt's own run-length decoding leaves skipped pixels as it found the memory.
    const std::string plain = UncompressedBitmap(bytes);
    if (plain.empty()) return std::nullopt;
    QByteArray data = QByteArray::fromRawData(plain.data(), static_cast<qsizetype>(plain.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return ToFacePixels(image);
}

std::optional<QImage> ReadBitmap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBitmapFileBytes) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return DecodeBitmap(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::optional<QImage> ReadBitmap(const std::filesystem::path& path) {
    // A folder, a pipe or a device under a skin file's name is no picture (and a pipe
    // would never end).
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return ReadBitmap(QString::fromStdString(path.string()));
}

}  // namespace pemu::display
