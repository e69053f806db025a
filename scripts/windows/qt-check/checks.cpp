#include "checks.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <QTextLayout>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bitmaps.hpp"

// jpeglib.h wants FILE and size_t declared first.
#include <jpeglib.h>

namespace qtcheck {
namespace {

QString BitmapPath(const QString& folder, BitmapKind kind) {
    switch (kind) {
        case BitmapKind::Rgb24:
            return folder + "/rgb24.bmp";
        case BitmapKind::Indexed8:
            return folder + "/indexed8.bmp";
        case BitmapKind::Rle8:
            return folder + "/rle8.bmp";
    }
    return {};
}

// Written to disk and read back by path, as Pemu reads skins: the file layer is part of it.
Outcome CheckBitmap(const QString& folder, BitmapKind kind, const char* name) {
    const QString path = BitmapPath(folder, kind);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(MakeBitmap(kind)) < 0) {
        return {name, false, "cannot write " + path};
    }
    file.close();
    const QImage image(path);
    if (image.isNull()) return {name, false, "QImage could not read " + path};
    if (image.width() != kPictureWidth || image.height() != kPictureHeight) {
        return {name, false, QString("size %1x%2").arg(image.width()).arg(image.height())};
    }
    int wrong = 0;
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            if ((image.pixel(x, y) & RGB_MASK) != (ExpectedPixel(x, y) & RGB_MASK)) ++wrong;
        }
    }
    if (wrong != 0) return {name, false, QString("%1 pixels differ").arg(wrong)};
    return {name, true,
            QString("%1x%2, every pixel as written").arg(kPictureWidth).arg(kPictureHeight)};
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Smooth in both directions, as a photo-like skin preview is.
int GradientSample(int x, int y, int channel) {
    return x * 4 + y * 2 + channel * 40;
}

// A gradient through the IJG API in memory and back: sizes match, samples stay close.
Outcome CheckJpeg() {
    constexpr int kWidth = 32;
    constexpr int kHeight = 24;
    const char* name = "libjpeg round trip";
    std::vector<unsigned char> rgb(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                rgb[(y * kWidth + x) * 3 + c] = static_cast<unsigned char>(GradientSample(x, y, c));
            }
        }
    }

    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    JpegError compressError{};
    jpeg_compress_struct compress{};
    compress.err = jpeg_std_error(&compressError.manager);
    compressError.manager.error_exit = JumpOut;
    if (setjmp(compressError.jump) != 0) {
        jpeg_destroy_compress(&compress);
        std::free(encoded);
        return {name, false, "compression failed"};
    }
    jpeg_create_compress(&compress);
    jpeg_mem_dest(&compress, &encoded, &encodedSize);
    compress.image_width = kWidth;
    compress.image_height = kHeight;
    compress.input_components = 3;
    compress.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, 95, TRUE);
    jpeg_start_compress(&compress, TRUE);
    while (compress.next_scanline < compress.image_height) {
        JSAMPROW row = &rgb[compress.next_scanline * kWidth * 3];
        jpeg_write_scanlines(&compress, &row, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);
    std::unique_ptr<unsigned char, decltype(&std::free)> owned(encoded, &std::free);

    JpegError decompressError{};
    jpeg_decompress_struct decompress{};
    decompress.err = jpeg_std_error(&decompressError.manager);
    decompressError.manager.error_exit = JumpOut;
    std::vector<unsigned char> decoded;
    if (setjmp(decompressError.jump) != 0) {
        jpeg_destroy_decompress(&decompress);
        return {name, false, "decompression failed"};
    }
    jpeg_create_decompress(&decompress);
    jpeg_mem_src(&decompress, owned.get(), encodedSize);
    jpeg_read_header(&decompress, TRUE);
    decompress.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decompress);
    const int width = static_cast<int>(decompress.output_width);
    const int height = static_cast<int>(decompress.output_height);
    decoded.resize(static_cast<std::size_t>(width) * height * 3);
    while (decompress.output_scanline < decompress.output_height) {
        JSAMPROW row = &decoded[decompress.output_scanline * width * 3];
        jpeg_read_scanlines(&decompress, &row, 1);
    }
    jpeg_finish_decompress(&decompress);
    jpeg_destroy_decompress(&decompress);

    if (width != kWidth || height != kHeight) {
        return {name, false, QString("decoded as %1x%2").arg(width).arg(height)};
    }
    int worst = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        worst = std::max(worst, std::abs(int(rgb[i]) - int(decoded[i])));
    }
    const QString detail = QString("IJG API version %1, %2 bytes, largest sample error %3")
                               .arg(JPEG_LIB_VERSION)
                               .arg(encodedSize)
                               .arg(worst);
    // Quality 95 keeps a smooth gradient within a few steps; a broken codec is far off.
    return {name, JPEG_LIB_VERSION == 62 && worst <= 24, detail};
}

// Shapes the sample as a window would; glyph 0 is the empty box drawn for a missing glyph.
Outcome CheckJapaneseGlyphs() {
    const char* name = "Japanese glyphs";
    QTextLayout layout(JapaneseSample(), QGuiApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList fonts;
    int missing = 0;
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QString family = run.rawFont().familyName();
        if (!fonts.contains(family)) fonts << family;
        for (quint32 index : run.glyphIndexes()) {
            ++glyphs;
            if (index == 0) ++missing;
        }
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    const QString detail = QString("%1 glyphs, %2 missing, drawn with %3; %4 Japanese families: %5")
                               .arg(glyphs)
                               .arg(missing)
                               .arg(fonts.join(", "))
                               .arg(japanese.size())
                               .arg(japanese.join(", "));
    return {name, glyphs > 0 && missing == 0, detail};
}

Outcome CheckTranslation() {
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    return {"Qt's Japanese translation", cancel == QString::fromUtf8("キャンセル"),
            "Cancel reads \"" + cancel + "\""};
}

// Print support without a printer: a PDF page with the Japanese sample on it.
Outcome CheckPrintToPdf(const QString& folder) {
    const char* name = "printing to PDF";
    const QString path = folder + "/print.pdf";
    QFile::remove(path);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QPainter painter;
        if (!painter.begin(&printer)) return {name, false, "cannot start " + path};
        painter.setFont(QFont(QGuiApplication::font().family(), 14));
        painter.drawText(QRect(0, 0, 4000, 400), Qt::AlignLeft, JapaneseSample());
        painter.end();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {name, false, path + " was not written"};
    const QByteArray bytes = file.readAll();
    const bool ok = bytes.startsWith("%PDF-") && bytes.contains("%%EOF") && bytes.size() > 1000;
    return {name, ok, QString("%1 bytes").arg(bytes.size())};
}

Outcome CheckPlatform() {
    QStringList formats;
    for (const QByteArray& f : QImageReader::supportedImageFormats())
        formats << f;
    return {"platform plugin", QGuiApplication::platformName() == "windows",
            QGuiApplication::platformName() + "; image formats " + formats.join(' ')};
}

}  // namespace

QString JapaneseSample() {
    return QString::fromUtf8("電卓の検算テープ　合計 ¥12,345");
}

std::vector<Outcome> RunChecks(const QString& folder) {
    QDir().mkpath(folder);
    return {
        CheckPlatform(),
        CheckBitmap(folder, BitmapKind::Rgb24, "BMP 24-bit"),
        CheckBitmap(folder, BitmapKind::Indexed8, "BMP 8-bit"),
        CheckBitmap(folder, BitmapKind::Rle8, "BMP 8-bit run-length"),
        CheckJpeg(),
        CheckJapaneseGlyphs(),
        CheckTranslation(),
        CheckPrintToPdf(folder),
    };
}

QImage DecodedPicture(const QString& folder) {
    return QImage(BitmapPath(folder, BitmapKind::Rle8));
}

}  // namespace qtcheck
