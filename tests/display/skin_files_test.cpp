// The built-in skin as the build wrote it: sizes, 8-bit RLE bitmaps, colour keys, NoImage.jpg,
// and the codecs it went through.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/bitmap_file.hpp"
#include "display/codec/bmp8_writer.hpp"
#include "display/codec/jpeg_file.hpp"
#include "display/skin.hpp"
#include "display_test_support.hpp"

namespace pemu::display {
namespace {

using testing::SamePixels;
using testing::TempFolder;

std::vector<unsigned char> Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

unsigned Le(const std::vector<unsigned char>& b, std::size_t at, int n) {
    unsigned v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
    return v;
}

struct FileCase {
    const char* name;
    int width;
    int height;
};
const FileCase kFiles[] = {{"imgBackPanel.bmp", 272, 400},    {"imgButtonUp.bmp", 231, 301},
                           {"imgButtonDown.bmp", 231, 301},   {"imgDigitalPanel.bmp", 261, 102},
                           {"imgDigitalNumber.bmp", 224, 25}, {"imgDigitalMark.bmp", 400, 13}};

class BuiltInFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(BuiltInFile, IsAnEightBitRunLengthBitmapOfItsSize) {
    const FileCase& c = GetParam();
    const auto bytes = Bytes(std::filesystem::path(PEMU_SKIN_DIR) / c.name);
    ASSERT_GT(bytes.size(), 54u) << c.name;
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le(bytes, 18, 4), static_cast<unsigned>(c.width));
    EXPECT_EQ(Le(bytes, 22, 4), static_cast<unsigned>(c.height));
    EXPECT_EQ(Le(bytes, 28, 2), 8u);  // bits per pixel
    EXPECT_EQ(Le(bytes, 30, 4), 1u);  // BI_RLE8
    // The same pixels reach the program through its resources.
    const auto fromFile = ReadBitmap(std::filesystem::path(PEMU_SKIN_DIR) / c.name);
    const auto fromResource = ReadBitmap(QStringLiteral(":/skin/") + c.name);
    ASSERT_TRUE(fromFile && fromResource);
    EXPECT_TRUE(SamePixels(*fromFile, *fromResource));
}

INSTANTIATE_TEST_SUITE_P(Skin, BuiltInFile, ::testing::ValuesIn(kFiles));

TEST(BuiltInSkin, ColourKeysAreWhereTheDrawingLooksForThem) {
    Skin skin;
    // The display panel's corners are transparent, its labels black (no red flag).
    const QRgb transparent = skin.DigitalPanel().pixel(0, 101);
    EXPECT_TRUE(SameColour(skin.DigitalPanel().pixel(0, 0), transparent));
    EXPECT_FALSE(SameColour(skin.DigitalPanel().pixel(200, 101), qRgb(255, 0, 0)));
    for (const QColor& c : skin.LabelColours())
        EXPECT_EQ(c, QColor(Qt::black));
    // Both strips share the window's background, so the panel and the strip blend into it.
    const QRgb strip = skin.DigitalMark().pixel(335, 11);
    const QRgb digits = skin.DigitalNumber().pixel(210, 22);
    EXPECT_TRUE(SameColour(strip, digits));
    // The blank mark glyph is background through its whole width.
    for (int x = 335; x < 355; ++x)
        for (int y = 2; y < 12; ++y)
            EXPECT_TRUE(SameColour(skin.DigitalMark().pixel(x, y), strip));
    // The display window behind the picDgPnl / picDgMark pictures is that background too.
    EXPECT_TRUE(SameColour(skin.PaintFace().pixel(13, 50), strip));
    // Every glyph has ink.
    for (int x : {5,   20,  35,  50,  65,  80,  100, 120, 140, 160,
                  180, 205, 230, 255, 270, 285, 300, 315, 360, 375}) {
        int ink = 0;
        for (int dx = 0; dx < 9; ++dx)
            for (int y = 2; y < 12; ++y)
                ink += !SameColour(skin.DigitalMark().pixel(x + dx, y), strip);
        EXPECT_GT(ink, 4) << "mark glyph at " << x;
    }
}

TEST(BuiltInSkin, NoImageIsABaselineJpegOfThePreviewSize) {
    const std::filesystem::path file = std::filesystem::path(PEMU_SKIN_DIR) / "NoImage.jpg";
    const auto image = ReadJpeg(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(115, 169));
    const auto bytes = Bytes(file);
    bool baseline = false, progressive = false;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] != 0xFF) continue;
        baseline |= bytes[i + 1] == 0xC0;
        progressive |= bytes[i + 1] == 0xC2;
    }
    EXPECT_TRUE(baseline);
    EXPECT_FALSE(progressive);
}

TEST(Rle8Writer, ReadsBackAsTheReducedPicture) {
    TempFolder folder("rle8");
    QImage image(300, 40, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));  // long runs, and literal stretches on one row
    for (int x = 0; x < 300; x += 7)
        image.setPixel(x, 5, qRgb(x % 256, 255 - x % 256, 9));
    // Absolute-mode stretches of even and odd length, and one reaching the row's end.
    for (int x = 0; x < 20; ++x)
        image.setPixel(x, 10, qRgb(x * 12, 1, 2));
    for (int x = 40; x < 43; ++x)
        image.setPixel(x, 12, qRgb(3, x, 4));
    for (int x = 297; x < 300; ++x)
        image.setPixel(x, 14, qRgb(5, 6, x - 200));
    const std::string path = (folder / "a.bmp").string();
    ASSERT_EQ(WriteRle8Bitmap(image, path), "");
    const auto read = ReadBitmap(std::filesystem::path(path));
    ASSERT_TRUE(read);
    EXPECT_TRUE(SamePixels(*read, image));  // few colours: kept exactly
}

TEST(Rle8Writer, KeepsTheMostCoveredColoursExactly) {
    QImage image(256, 64, QImage::Format_RGB32);
    image.fill(qRgb(197, 206, 184));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 256; ++x)
            image.setPixel(x, y, qRgb(x, y * 30, 255 - x));
    const QImage reduced = ReduceTo256Colours(image);
    EXPECT_LE(reduced.colorCount(), 256);
    EXPECT_TRUE(SameColour(reduced.pixel(100, 40), qRgb(197, 206, 184)));
}

TEST(Rle8Writer, ReportsAFolderThatCannotBeWritten) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_NE(WriteRle8Bitmap(image, "/nonexistent-folder/x.bmp"), "");
}

TEST(BitmapReader, ReadsRunLengthFourBitBitmaps) {
    // 4 x 2, BI_RLE4: bottom row "0 1 0 1" as a run of alternating indices, top row 4 x 2.
    const unsigned char palette[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0};
    std::vector<unsigned char> pixels = {4, 0x01, 0, 0, 4, 0x22, 0, 1};
    std::vector<unsigned char> file = {'B', 'M'};
    const auto put = [&](unsigned v, int n) {
        for (int i = 0; i < n; ++i)
            file.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    const unsigned offset = 14 + 40 + sizeof(palette);
    put(offset + static_cast<unsigned>(pixels.size()), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(4, 4);
    put(2, 4);
    put(1, 2);
    put(4, 2);
    put(2, 4);  // BI_RLE4
    put(static_cast<unsigned>(pixels.size()), 4);
    put(2835, 4);
    put(2835, 4);
    put(3, 4);
    put(0, 4);
    file.insert(file.end(), std::begin(palette), std::end(palette));
    file.insert(file.end(), pixels.begin(), pixels.end());
    TempFolder folder("rle4");
    std::ofstream(folder / "r.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    const auto image = ReadBitmap(folder / "r.bmp");
    ASSERT_TRUE(image);
    ASSERT_EQ(image->size(), QSize(4, 2));
    EXPECT_TRUE(SameColour(image->pixel(0, 1), qRgb(255, 0, 0)));
    EXPECT_TRUE(SameColour(image->pixel(1, 1), qRgb(0, 255, 0)));
    EXPECT_TRUE(SameColour(image->pixel(2, 1), qRgb(255, 0, 0)));
    EXPECT_TRUE(SameColour(image->pixel(3, 0), qRgb(0, 255, 255)));
}

TEST(BitmapReader, RefusesMissingAndCorruptFiles) {
    TempFolder folder("corrupt");
    std::ofstream(folder / "bad.bmp") << "BM this is not a bitmap";
    std::ofstream(folder / "empty.bmp");
    EXPECT_FALSE(ReadBitmap(folder / "bad.bmp"));
    EXPECT_FALSE(ReadBitmap(folder / "empty.bmp"));
    EXPECT_FALSE(ReadBitmap(folder / "missing.bmp"));
}

TEST(BitmapReader, TruncatedRunLengthFilesNeverReadPastTheirEnd) {
    const auto whole = Bytes(std::filesystem::path(PEMU_SKIN_DIR) / "imgButtonUp.bmp");
    TempFolder folder("truncated");
    for (std::size_t keep : {std::size_t{2}, std::size_t{20}, std::size_t{60}, std::size_t{1100},
                             whole.size() / 2, whole.size() - 3}) {
        std::ofstream(folder / "t.bmp", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(whole.data()), static_cast<std::streamsize>(keep));
        const auto image = ReadBitmap(folder / "t.bmp");
        if (image) {
            EXPECT_EQ(image->size(), QSize(231, 301)) << keep;
        }
    }
}

TEST(JpegFile, RoundTripsAndRefusesGarbage) {
    TempFolder folder("jpeg");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 40));
    ASSERT_EQ(WriteJpeg(image, folder / "p.jpg", 100), "");
    const auto read = ReadJpeg(folder / "p.jpg");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), image.size());
    EXPECT_NEAR(qRed(read->pixel(20, 15)), 200, 4);
    std::ofstream(folder / "bad.jpg") << "\xFF\xD8 not really";
    EXPECT_FALSE(ReadJpeg(folder / "bad.jpg"));
    EXPECT_NE(WriteJpeg(image, "/nonexistent-folder/p.jpg", 100), "");
    EXPECT_FALSE(std::filesystem::exists("/nonexistent-folder/p.jpg.part"));
}

}  // namespace
}  // namespace pemu::display
