#include "display/codec/jpeg_file.hpp"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

namespace pemu::display {
namespace {

// libjpeg reports fatal errors through error_exit; we jump back and report a value.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

void Silent(j_common_ptr, int) {}

constexpr std::uint64_t kMaxPixels = 8192ULL * 8192ULL;

// Only plain data crosses the jump: the rows are prepared before compression starts.
bool Compress(std::FILE* file, int width, int height, const std::vector<JSAMPLE>& rgb,
              int quality) {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPLE*>(&rgb[info.next_scanline * static_cast<size_t>(width) * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool Decompress(std::FILE* file, int& width, int& height, std::vector<JSAMPLE>& rgb) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = Silent;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // A file from outside may claim any size; no preview or skin picture comes near this.
    if (static_cast<std::uint64_t>(info.image_width) * info.image_height > kMaxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &rgb[info.output_scanline * static_cast<size_t>(width) * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

std::string WriteJpeg(const QImage& image, const std::filesystem::path& path, int quality) {
    if (image.isNull()) return "no picture to write for " + path.string();
    const QImage rgbImage = image.convertToFormat(QImage::Format_RGB888);
    std::vector<JSAMPLE> rgb(static_cast<size_t>(rgbImage.width()) * rgbImage.height() * 3);
    for (int y = 0; y < rgbImage.height(); ++y)
        std::copy_n(rgbImage.constScanLine(y), rgbImage.width() * 3,
                    &rgb[static_cast<size_t>(y) * rgbImage.width() * 3]);
    std::filesystem::path temporary = path;
    temporary += ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return "cannot write " + path.string();
    bool ok = Compress(file, rgbImage.width(), rgbImage.height(), rgb, quality);
    ok = (std::fclose(file) == 0) && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temporary, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temporary, ec);
        return "cannot write " + path.string();
    }
    return "";
}

std::optional<QImage> ReadJpeg(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    int width = 0, height = 0;
    std::vector<JSAMPLE> rgb;
    const bool ok = Decompress(file, width, height, rgb);
    std::fclose(file);
    if (!ok || width <= 0 || height <= 0) return std::nullopt;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const JSAMPLE* src = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
    }
    return image;
}

}  // namespace pemu::display
