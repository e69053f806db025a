// Draws the built-in skin: the six face bitmaps as 8-bit RLE BMPs and NoImage.jpg.
// Usage: pemu-skin-gen OUTPUT_FOLDER
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "display/codec/bmp8_writer.hpp"
#include "display/codec/jpeg_file.hpp"
#include "glyph_art.hpp"
#include "key_art.hpp"
#include "panel_art.hpp"

namespace {

bool HaveCaptionFont() {
    for (const char* file : {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                             "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"})
        if (std::filesystem::exists(file))
            QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    return QFontDatabase::families().contains(QStringLiteral("IPAGothic"));
}

// Qt wants a private runtime folder even offscreen; a build machine often has none. One is
// made for the run and removed after it.
class RuntimeFolder {
  public:
    RuntimeFolder() {
        if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
        char folder[] = "/tmp/pemu-skin-gen-XXXXXX";
        if (mkdtemp(folder) == nullptr) return;
        path_ = folder;
        qputenv("XDG_RUNTIME_DIR", folder);
    }
    ~RuntimeFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pemu-skin-gen OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const RuntimeFolder runtime;
    QGuiApplication app(argc, argv);
    if (!HaveCaptionFont()) {
        std::fprintf(
            stderr, "pemu-skin-gen: the IPA Gothic font is not installed (fonts-ipafont-gothic)\n");
        return 1;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "pemu-skin-gen: cannot create %s\n", out.c_str());
        return 1;
    }
    using namespace pemu::skingen;
    const std::pair<const char*, QImage> bitmaps[] = {
        {"imgBackPanel.bmp", DrawPanel()},          {"imgButtonUp.bmp", DrawKeySheet(false)},
        {"imgButtonDown.bmp", DrawKeySheet(true)},  {"imgDigitalPanel.bmp", DrawDisplayPanel()},
        {"imgDigitalNumber.bmp", DrawDigitStrip()}, {"imgDigitalMark.bmp", DrawMarkStrip()},
    };
    for (const auto& [name, image] : bitmaps) {
        const std::string error = pemu::display::WriteRle8Bitmap(image, (out / name).string());
        if (!error.empty()) {
            std::fprintf(stderr, "pemu-skin-gen: %s\n", error.c_str());
            return 1;
        }
    }
    const std::string error = pemu::display::WriteJpeg(DrawNoImage(), out / "NoImage.jpg", 100);
    if (!error.empty()) {
        std::fprintf(stderr, "pemu-skin-gen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
