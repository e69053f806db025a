// Random bytes as a package's "Preview.jpg": decoded through libjpeg as the skin chooser
// does, then scaled to the preview size. Any file must decode to a picture or to nothing.
#include <unistd.h>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "display/codec/jpeg_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("pemu-jpeg-fuzz-" + std::to_string(::getpid()) + ".jpg");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::optional<QImage> image = pemu::display::ReadJpeg(file);
    if (!image) return 0;
    if (image->isNull() || image->width() <= 0 || image->height() <= 0) std::abort();
    const QImage preview = image->scaled(115, 169, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (preview.size() != QSize(115, 169)) std::abort();
    return 0;
}
