#pragma once
// Shared helpers of the display tests: picture comparison and temporary skin folders.
#include <unistd.h>
#include <QImage>
#include <filesystem>
#include <string>

#include "display/image_ops.hpp"

namespace pemu::display::testing {

// The w x h block of an image at (x, y), for comparing regions.
inline QImage Block(const QImage& image, int x, int y, int w, int h) {
    return image.copy(x, y, w, h).convertToFormat(QImage::Format_RGB32);
}

inline bool SamePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!SameColour(a.pixel(x, y), b.pixel(x, y))) return false;
    return true;
}

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempFolder {
  public:
    explicit TempFolder(const std::string& name) {
        path_ = std::filesystem::temp_directory_path() /
                ("pemu_display_" + name + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// A picture filled with one colour, saved as a 24-bit BMP (a user skin file).
inline QImage SolidBitmap(const std::filesystem::path& file, int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    image.save(QString::fromStdString(file.string()), "BMP");
    return image;
}

}  // namespace pemu::display::testing
