// Key pictures: pressed and released cells, the family's CE and C, the fixed refresh order.
#include <gtest/gtest.h>

#include <vector>

#include "display/face.hpp"
#include "display/key_pictures.hpp"
#include "display_test_support.hpp"

namespace pemu::display {
namespace {

using testing::Block;
using testing::SamePixels;

struct CellCase {
    int code;
    KeyFamily family;
    int x, y, height;  // the cell in the sheets
};

// One row per sheet row of the layout, both families' clear keys, and the codes without a
// picture of their own.
const CellCase kCells[] = {
    {15, kSharp, 50, 5, 27},    {12, kSharp, 185, 5, 27},   {3, kSharp, 5, 35, 27},
    {16, kCasio, 185, 35, 27},  {9, kSharp, 5, 65, 35},     {18, kCasio, 185, 65, 35},
    {13, kSharp, 5, 105, 35},   {17, kSharp, 185, 105, 75}, {14, kSharp, 5, 145, 35},
    {32, kSharp, 140, 145, 35}, {2, kSharp, 5, 185, 35},    {99, kCasio, 185, 185, 75},
    {7, kSharp, 5, 225, 35},    {37, kSharp, 95, 225, 35},  {21, kCasio, 140, 225, 35},
    {7, kCasio, 5, 265, 35},    {2, kCasio, 50, 265, 35},   {8, kSharp, 5, 225, 35},
    {8, kCasio, 5, 265, 35},    {38, kSharp, 185, 35, 27},
};

class KeyCellTest : public ::testing::TestWithParam<CellCase> {
  protected:
    Skin skin;
};

TEST_P(KeyCellTest, PressedAndReleasedShowTheTopRowsOfTheCell) {
    const CellCase& c = GetParam();
    KeyFamily family = c.family;
    KeyPictures keys(skin, [&] { return family; });
    keys.PressKey(c.code);
    EXPECT_TRUE(keys.IsPressed(c.code));
    EXPECT_TRUE(
        SamePixels(keys.Picture(c.code), Block(skin.ButtonDown(), c.x, c.y, 41, c.height - 2)));
    keys.ReleaseKey(c.code);
    EXPECT_FALSE(keys.IsPressed(c.code));
    EXPECT_TRUE(
        SamePixels(keys.Picture(c.code), Block(skin.ButtonUp(), c.x, c.y, 41, c.height - 2)));
}

INSTANTIATE_TEST_SUITE_P(Cells, KeyCellTest, ::testing::ValuesIn(kCells));

TEST(KeyPictures, PressedKeysLookPressed) {
    Skin skin;
    KeyPictures keys(skin, [] { return kSharp; });
    for (int code : kKeyPictureCodes) {
        const QImage released = keys.Picture(code);
        keys.PressKey(code);
        const QImage pressed = keys.Picture(code);
        int differing = 0;
        for (int y = 0; y < pressed.height(); ++y)
            for (int x = 0; x < pressed.width(); ++x)
                differing += !SameColour(pressed.pixel(x, y), released.pixel(x, y));
        EXPECT_GT(differing, pressed.width() * pressed.height() / 3) << "key " << code;
    }
}

TEST(KeyPictures, FamilySwitchRepaintsCeAndCFromTheOtherRowInPlace) {
    Skin skin;
    KeyFamily family = kSharp;
    std::vector<int> changed;
    KeyPictures keys(
        skin, [&] { return family; }, [&](int code) { changed.push_back(code); });
    const auto ceRect = KeyPictures::FaceRectOf(2);
    const QImage sharpCe = keys.Picture(2), sharpC = keys.Picture(7);
    family = kCasio;
    changed.clear();
    keys.RefreshKeys();
    EXPECT_TRUE(SamePixels(keys.Picture(2), Block(skin.ButtonUp(), 50, 265, 41, 33)));
    EXPECT_TRUE(SamePixels(keys.Picture(7), Block(skin.ButtonUp(), 5, 265, 41, 33)));
    EXPECT_FALSE(SamePixels(keys.Picture(2), sharpCe));
    EXPECT_FALSE(SamePixels(keys.Picture(7), sharpC));
    ASSERT_TRUE(ceRect);
    EXPECT_EQ(KeyPictures::FaceRectOf(2)->x, 18);
    EXPECT_EQ(KeyPictures::FaceRectOf(2)->y, 312);
    EXPECT_EQ(KeyPictures::FaceRectOf(7)->y, 352);
    // Every picture is redrawn released, in the fixed order.
    const std::vector<int> order(kKeyPictureCodes.begin(), kKeyPictureCodes.end());
    EXPECT_EQ(changed, order);
}

TEST(KeyPictures, CodesWithoutACellDrawNothing) {
    Skin skin;
    std::vector<int> changed;
    KeyPictures keys(
        skin, [] { return kSharp; }, [&](int code) { changed.push_back(code); });
    changed.clear();
    for (int code : {0, 22, 23, 24, 25, 26, 39, 40, 98, 100}) {
        keys.PressKey(code);
        keys.ReleaseKey(code);
        EXPECT_TRUE(keys.Picture(code).isNull());
        EXPECT_FALSE(KeyPictures::FaceRectOf(code));
    }
    EXPECT_TRUE(changed.empty());
}

TEST(KeyPictures, FacePositionsFollowTheLayout) {
    struct Pos {
        int code, x, y, h;
    };
    for (const Pos& p : {Pos{15, 66, 128, 25}, Pos{3, 18, 160, 25}, Pos{16, 210, 160, 25},
                         Pos{9, 18, 192, 33}, Pos{17, 210, 232, 73}, Pos{99, 210, 312, 73},
                         Pos{36, 66, 352, 33}, Pos{21, 162, 352, 33}, Pos{29, 162, 312, 33}}) {
        const auto rect = KeyPictures::FaceRectOf(p.code);
        ASSERT_TRUE(rect) << p.code;
        EXPECT_EQ(rect->x, p.x) << p.code;
        EXPECT_EQ(rect->y, p.y) << p.code;
        EXPECT_EQ(rect->height, p.h) << p.code;
    }
}

TEST(Face, RendersKeysOverThePanelAndHidesThem) {
    Face face([] { return kSharp; });
    face.display().DrawNumber("0");
    const QImage shown = face.Render();
    EXPECT_TRUE(SamePixels(Block(shown, 66, 312, 41, 33), face.keys().Picture(27)));
    EXPECT_TRUE(SamePixels(Block(shown, 13, 51, 245, 30), face.display().DigitPanel()));
    face.keys().ShowKeys(false);
    const QImage hidden = face.Render();
    EXPECT_TRUE(
        SamePixels(Block(hidden, 66, 312, 41, 33), Block(face.skin().Panel(), 66, 312, 41, 33)));
}

}  // namespace
}  // namespace pemu::display
