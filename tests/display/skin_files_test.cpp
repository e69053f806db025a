// The built-in skin as the build wrote it: sizes, 8-bit RLE bitmaps, colour keys, NoImage.jpg,
// and the codecs it went through.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/bitmap_check.hpp"
#include "display/bitmap_file.hpp"
#include "display/codec/bmp8_writer.hpp"
#include "display/codec/jpeg_file.hpp"
#include "display/skin.hpp"
#include "display_test_support.hpp"

namespace pemu::display {
namespace {

using testing::SamePixels;
using testing::SolidBitmap;
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

// A bitmap whose palette or pixel data is shorter than its headers say is refused like a
// missing file, whatever its encoding: its missing rows would show whatever memory held.
TEST(BitmapReader, FilesShorterThanTheirHeadersSayAreRefused) {
    TempFolder folder("truncated");
    const auto rle = Bytes(std::filesystem::path(PEMU_SKIN_DIR) / "imgBackPanel.bmp");
    SolidBitmap(folder / "plain.bmp", 50, 40, qRgb(1, 2, 3));  // 24-bit rows
    const auto plain = Bytes(folder / "plain.bmp");
    struct Case {
        const std::vector<unsigned char>* whole;
        std::size_t keep;
    };
    const Case cases[] = {{&rle, 2},
                          {&rle, 20},
                          {&rle, 60},
                          {&rle, 1100},
                          {&rle, 3598},
                          {&rle, rle.size() / 2},
                          {&rle, rle.size() - 2},
                          {&plain, 54},
                          {&plain, plain.size() / 2},
                          {&plain, plain.size() - 1}};
    for (const Case& c : cases) {
        const std::string bytes(c.whole->begin(), c.whole->begin() + static_cast<long>(c.keep));
        std::ofstream(folder / "t.bmp", std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_FALSE(ReadBitmap(folder / "t.bmp")) << c.keep;
        EXPECT_NE(CheckBitmapBytes(bytes), BitmapCheck::kComplete) << c.keep;
    }
    for (const auto* whole : {&rle, &plain})
        EXPECT_EQ(CheckBitmapBytes(std::string(whole->begin(), whole->end())),
                  BitmapCheck::kComplete);
}

// Hand-made headers: what the check takes and what it refuses before any decoding.
TEST(BitmapReader, HeadersAreHeldAgainstTheBytesThatFollow) {
    // 14 + 40 header bytes, `colours` palette entries, then `data`.
    const auto bitmap = [](int width, int height, int bits, int compression, unsigned colours,
                           const std::string& data, unsigned offset = 0) {
        std::string b = "BM";
        const auto put = [&b](unsigned v, int n) {
            for (int i = 0; i < n; ++i)
                b.push_back(static_cast<char>(v >> (8 * i)));
        };
        const unsigned paletteBytes = 4 * (colours ? colours : (bits <= 8 ? 1u << bits : 0));
        put(0, 4);  // file size: not relied on
        put(0, 4);
        put(offset ? offset : 54 + paletteBytes, 4);
        put(40, 4);
        put(static_cast<unsigned>(width), 4);
        put(static_cast<unsigned>(height), 4);
        put(1, 2);
        put(static_cast<unsigned>(bits), 2);
        put(static_cast<unsigned>(compression), 4);
        put(0, 12);
        put(colours, 4);
        put(0, 4);
        b.append(paletteBytes, '\x40');
        return b + data;
    };
    const std::string rle8Row = std::string("\x04\x01", 2);  // four pixels of colour 1
    struct Case {
        const char* name;
        std::string bytes;
        BitmapCheck expected;
    };
    const Case cases[] = {
        {"24-bit, rows complete", bitmap(3, 2, 24, 0, 0, std::string(24, 'x')),
         BitmapCheck::kComplete},
        {"24-bit, last row short", bitmap(3, 2, 24, 0, 0, std::string(23, 'x')),
         BitmapCheck::kTruncated},
        {"top-down 1-bit", bitmap(9, -2, 1, 0, 0, std::string(8, 'x')), BitmapCheck::kComplete},
        {"pixels after a far offset", bitmap(1, 1, 32, 0, 0, std::string(4, 'x'), 1000),
         BitmapCheck::kTruncated},
        {"palette cut", bitmap(4, 1, 8, 0, 0, "").substr(0, 300), BitmapCheck::kTruncated},
        {"more colours than the depth holds", bitmap(4, 1, 4, 0, 17, std::string(4, 'x')),
         BitmapCheck::kNotBitmap},
        {"RLE8 with its end code",
         bitmap(4, 2, 8, 1, 2, rle8Row + std::string("\0\0", 2) + rle8Row + std::string("\0\1", 2)),
         BitmapCheck::kComplete},
        {"RLE8 ended by its last line end", bitmap(4, 1, 8, 1, 2, rle8Row + std::string("\0\0", 2)),
         BitmapCheck::kComplete},
        {"RLE8 ended early, rest left as background",
         bitmap(4, 9, 8, 1, 2, rle8Row + std::string("\0\1", 2)), BitmapCheck::kComplete},
        {"RLE8 without an end", bitmap(4, 2, 8, 1, 2, rle8Row + std::string("\0\0", 2) + rle8Row),
         BitmapCheck::kTruncated},
        {"RLE8 literal run cut", bitmap(8, 1, 8, 1, 2, std::string("\0\x08\1\1\1", 5)),
         BitmapCheck::kTruncated},
        {"RLE8 delta past the last row", bitmap(4, 3, 8, 1, 2, std::string("\0\x02\x01\x05", 4)),
         BitmapCheck::kComplete},
        {"RLE4 at 8 bits", bitmap(4, 1, 8, 2, 2, std::string("\0\1", 2)), BitmapCheck::kNotBitmap},
        {"JPEG inside", bitmap(4, 1, 24, 4, 0, std::string(100, 'x')), BitmapCheck::kNotBitmap},
        {"no width", bitmap(0, 1, 24, 0, 0, ""), BitmapCheck::kNotBitmap},
        {"huge", bitmap(100000, 100000, 8, 1, 2, std::string("\0\1", 2)), BitmapCheck::kTooLarge},
        {"not BM", "PK" + bitmap(1, 1, 24, 0, 0, "xxxx").substr(2), BitmapCheck::kNotBitmap},
        {"header cut", bitmap(1, 1, 24, 0, 0, "xxxx").substr(0, 30), BitmapCheck::kTruncated},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckBitmapBytes(c.bytes), c.expected) << c.name;
    for (const Case& c : cases) {
        if (c.expected == BitmapCheck::kComplete) {
            EXPECT_TRUE(DecodeBitmap(c.bytes)) << c.name;
        }
    }
}

// Pixels a run-length stream skips (a line ended early, a move, an early end of bitmap) show
// the first palette colour, the same at every read.
TEST(BitmapReader, RunLengthGapsShowTheFirstPaletteColour) {
    // 5 x 3 RLE8, palette blue, red. Bottom row: 2 red then a line end; middle row: a move
    // of 3 right and 1 up, leaving its start empty; then 1 red in the top row and the end.
    const std::string palette("\xff\0\0\0\0\0\xff\0", 8);
    const std::string pixels("\x02\x01\0\0\0\x02\x03\x01\x01\x01\0\x01", 12);
    std::string file = "BM";
    const auto put = [&file](unsigned v, int n) {
        for (int i = 0; i < n; ++i)
            file.push_back(static_cast<char>(v >> (8 * i)));
    };
    put(0, 8);
    put(14 + 40 + 8, 4);
    for (unsigned v : {40u, 5u, 3u})
        put(v, 4);
    put(1, 2);
    put(8, 2);
    put(1, 4);  // BI_RLE8
    put(0, 12);
    put(2, 4);
    put(0, 4);
    file += palette + pixels;
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QRgb want[3][5] = {{blue, blue, blue, red, blue},  // top row: moved to x 3
                             {blue, blue, blue, blue, blue},
                             {red, red, blue, blue, blue}};
    for (int read = 0; read < 2; ++read) {
        const auto image = DecodeBitmap(file);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->size(), QSize(5, 3));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_TRUE(SameColour(image->pixel(x, y), want[y][x])) << x << "," << y;
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
