// The digit panel and the mark strip, pixel for pixel against the glyphs of the built-in skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/digital_display.hpp"
#include "display/key_pictures.hpp"
#include "display/skin.hpp"
#include "display_test_support.hpp"

namespace pemu::display {
namespace {

using testing::Block;
using testing::SamePixels;

// One glyph copied out of the digit strip: the glyph's x in the strip, where it lands.
struct Stamp {
    char glyph;  // '0'..'9', '-', 'E', '.', ',' (thousands)
    int x;
    int y;
};

int StripX(char glyph) {
    switch (glyph) {
        case '-':
            return 155;
        case 'E':
            return 170;
        case '.':
            return 200;
        case ',':
            return 205;
        default:
            return 5 + 15 * (glyph - '0');
    }
}

QImage Expected(const Skin& skin, const std::vector<Stamp>& stamps) {
    QImage panel(245, 30, QImage::Format_RGB32);
    panel.fill(skin.DigitalNumber().pixel(210, 22));
    for (const Stamp& s : stamps) {
        const int w = s.glyph == '.' || s.glyph == ',' ? 3 : 11;
        const int h = s.glyph == '.' ? 3 : s.glyph == ',' ? 5 : 21;
        CopyRect(panel, s.x, s.y, skin.DigitalNumber(), StripX(s.glyph), 2, w, h);
    }
    return panel;
}

struct NumberCase {
    const char* text;
    std::vector<Stamp> stamps;
};

// Cells from the right at x 228, 212, 196, ...; digits at y 6, the point at y 25 at the lower
// right of the cell to its left, thousands marks at y 2.
const NumberCase kNumbers[] = {
    {"0", {{'0', 228, 6}, {'.', 240, 25}}},
    {"-5", {{'5', 228, 6}, {'-', 212, 6}, {'.', 240, 25}}},
    {"-0", {{'0', 228, 6}, {'-', 212, 6}, {'.', 240, 25}}},
    {"999", {{'9', 228, 6}, {'9', 212, 6}, {'9', 196, 6}, {'.', 240, 25}}},
    {"1000",
     {{'0', 228, 6}, {'0', 212, 6}, {'0', 196, 6}, {'1', 180, 6}, {',', 192, 2}, {'.', 240, 25}}},
    {"0.5", {{'5', 228, 6}, {'.', 224, 25}, {'0', 212, 6}}},
    {"12.", {{'2', 228, 6}, {'1', 212, 6}, {'.', 240, 25}}},
    {"1234567.89",
     {{'9', 228, 6},
      {'8', 212, 6},
      {'.', 208, 25},
      {'7', 196, 6},
      {'6', 180, 6},
      {'5', 164, 6},
      {'4', 148, 6},
      {'3', 132, 6},
      {'2', 116, 6},
      {'1', 100, 6},
      {',', 160, 2},
      {',', 112, 2}}},
    {"-1234.5",
     {{'5', 228, 6},
      {'.', 224, 25},
      {'4', 212, 6},
      {'3', 196, 6},
      {'2', 180, 6},
      {'1', 164, 6},
      {'-', 148, 6},
      {',', 176, 2}}},
    {"E", {{'E', 228, 6}, {'.', 240, 25}}},
    // An unknown character repeats the glyph of the one to its right.
    {"x1", {{'1', 228, 6}, {'1', 212, 6}, {'.', 240, 25}}},
};

class DrawNumberTest : public ::testing::TestWithParam<NumberCase> {
  protected:
    Skin skin;
    DigitalDisplay display{skin};
};

TEST_P(DrawNumberTest, DrawsExactlyTheGlyphsOfTheSkin) {
    const NumberCase& c = GetParam();
    display.DrawNumber(c.text);
    EXPECT_TRUE(SamePixels(display.DigitPanel(), Expected(skin, c.stamps))) << c.text;
    EXPECT_EQ(display.DrawnText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, DrawNumberTest, ::testing::ValuesIn(kNumbers));

TEST(DrawNumber, FifteenCellsHoldFourteenDigitsAndASign) {
    Skin skin;
    DigitalDisplay display(skin);
    display.DrawNumber("-99999999999999");
    // The leftmost cell (x 4) holds the minus; nothing is cut off.
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 6, 11, 21),
                           Block(skin.DigitalNumber(), 155, 2, 11, 21)));
    // A text longer than the panel is clipped, never written outside it.
    display.DrawNumber("12345678901234567890");
    EXPECT_EQ(display.DigitPanel().size(), QSize(245, 30));
}

// ---- marks -----------------------------------------------------------------------------

class MarkStripTest : public ::testing::Test {
  protected:
    QImage StripGlyph(int x, int w) { return Block(skin.DigitalMark(), x, 2, w, 10); }
    QImage Place(int x, int w) { return Block(display.MarkStrip(), x, 0, w, 10); }
    QImage Background(int w) {
        QImage image(w, 10, QImage::Format_RGB32);
        image.fill(skin.DigitalMark().pixel(335, 11));
        return image;
    }
    Skin skin;
    DigitalDisplay display{skin};
};

TEST_F(MarkStripTest, EachMarkCopiesItsGlyphToItsPlace) {
    struct Row {
        int code, place, source, width;
    };
    const Row rows[] = {
        {17, 3, 5, 10},     {18, 17, 20, 10},   {19, 31, 35, 10},   {20, 45, 50, 10},
        {1, 60, 65, 10},    {99, 60, 65, 10},   {53, 70, 160, 9},   {15, 80, 270, 10},
        {52, 92, 255, 10},  {50, 107, 100, 15}, {4, 124, 80, 15},   {5, 124, 120, 15},
        {6, 124, 140, 15},  {9, 141, 375, 10},  {11, 156, 180, 20}, {48, 156, 230, 20},
        {12, 178, 205, 20}, {49, 178, 230, 20}, {57, 203, 315, 15}, {55, 225, 255, 10},
        {56, 225, 270, 10}, {54, 235, 285, 10}};
    for (const Row& r : rows) {
        display.CopyMarkGlyph(core::Mark{r.code});
        EXPECT_TRUE(SamePixels(Place(r.place, r.width), StripGlyph(r.source, r.width))) << r.code;
        display.BlankMarkGlyph(core::Mark{r.code});
        EXPECT_TRUE(SamePixels(Place(r.place, r.width), StripGlyph(335, r.width))) << r.code;
    }
}

TEST_F(MarkStripTest, UnlistedCodesDrawNothing) {
    const QImage before = display.MarkStrip().copy();
    const QImage panel = display.DigitPanel().copy();
    for (int code : {0, 2, 51, 60, 98, 100, 830}) {
        display.CopyMarkGlyph(core::Mark{code});
        display.BlankMarkGlyph(core::Mark{code});
    }
    EXPECT_TRUE(SamePixels(display.MarkStrip(), before));
    EXPECT_TRUE(SamePixels(display.DigitPanel(), panel));
}

TEST_F(MarkStripTest, TaxAmountReplacesTaxIncludedAndTheFunctionRegionEraseRemovesIt) {
    display.CopyMarkGlyph(core::Mark{11});
    display.CopyMarkGlyph(core::Mark{48});
    EXPECT_TRUE(SamePixels(Place(156, 20), StripGlyph(230, 20)));
    display.CopyMarkGlyph(core::Mark{15});  // GT, left of the function region
    display.EraseMarkStrip(core::StripRegion::kFunctionMarks);
    EXPECT_TRUE(SamePixels(Place(107, 138), Background(138)));
    EXPECT_TRUE(SamePixels(Place(80, 10), StripGlyph(270, 10)));
}

TEST_F(MarkStripTest, OperatorRegionEraseTakesTheEqualsGlyphToo) {
    display.CopyMarkGlyph(core::Mark{17});
    display.CopyMarkGlyph(core::Mark{99});
    display.CopyMarkGlyph(core::Mark{52});
    display.EraseMarkStrip(core::StripRegion::kOperatorMarks);
    EXPECT_TRUE(SamePixels(Place(0, 80), Background(80)));
    EXPECT_TRUE(SamePixels(Place(92, 10), StripGlyph(255, 10)));
    display.EraseMarkStrip(core::StripRegion::kWhole);
    EXPECT_TRUE(SamePixels(display.MarkStrip(), Background(245)));
}

// ---- panel marks -------------------------------------------------------------------------

TEST(PanelMarks, SyncMarksAreTheStripGlyphsOnThePanelBackground) {
    Skin skin;
    DigitalDisplay display(skin);
    const QRgb stripBackground = skin.DigitalMark().pixel(335, 11);
    const QRgb panelBackground = skin.DigitalNumber().pixel(210, 22);
    for (auto [sourceX, syncX] : {std::pair{360, 0}, std::pair{300, 10}}) {
        int ink = 0;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const QRgb glyph = skin.DigitalMark().pixel(sourceX + x, 2 + y);
                const QRgb sync = display.SyncMark().pixel(syncX + x, y);
                if (SameColour(glyph, stripBackground)) {
                    EXPECT_TRUE(SameColour(sync, panelBackground));
                } else {
                    EXPECT_TRUE(SameColour(sync, glyph));
                    ++ink;
                }
            }
        }
        EXPECT_GT(ink, 10) << "the glyph at " << sourceX << " is drawn";
    }
}

TEST(PanelMarks, ErrorOffKeepsTheConstantMarkAndANewNumberRemovesBoth) {
    Skin skin;
    DigitalDisplay display(skin);
    display.DrawNumber("5");
    display.CopyMarkGlyph(core::Mark{59});
    display.CopyMarkGlyph(core::Mark{58});
    const QImage k = Block(display.SyncMark(), 0, 0, 10, 10);
    const QImage e = Block(display.SyncMark(), 10, 0, 10, 10);
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 2, 10, 10), k));
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 18, 10, 10), e));
    display.ErasePanelMark(core::Mark{58});  // the E mark off
    QImage blank(10, 10, QImage::Format_RGB32);
    blank.fill(display.PanelBackground());
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 18, 10, 10), blank));
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 2, 10, 10), k));
    display.DrawNumber("5");
    EXPECT_TRUE(SamePixels(Block(display.DigitPanel(), 4, 2, 10, 10), blank));
}

TEST(DisplayNotifications, EveryChangeIsAnnounced) {
    Skin skin;
    std::vector<DigitalDisplay::Changed> seen;
    DigitalDisplay display(skin, [&](DigitalDisplay::Changed c) { seen.push_back(c); });
    display.DrawNumber("1");
    display.CopyMarkGlyph(core::Mark{17});
    display.SetLabel(core::DisplayLabel::kLabAns, "1");
    using C = DigitalDisplay::Changed;
    EXPECT_EQ(seen, (std::vector<C>{C::kPanel, C::kMarks, C::kLabel}));
    EXPECT_EQ(display.Label(core::DisplayLabel::kLabAns), "1");
}

TEST(DisplayNotifications, EveryViewIsToldUntilItGoesAway) {
    Skin skin;
    DigitalDisplay display(skin);
    int face = 0, enlarged = 0;
    auto faceListener = display.AddChangedListener([&](DigitalDisplay::Changed) { ++face; });
    {
        auto enlargedListener =
            display.AddChangedListener([&](DigitalDisplay::Changed) { ++enlarged; });
        display.DrawNumber("12");
        EXPECT_EQ(face, 1);
        EXPECT_EQ(enlarged, 1);
    }  // the enlarged display closed
    display.DrawNumber("3");
    EXPECT_EQ(face, 2);
    EXPECT_EQ(enlarged, 1);
}

TEST(KeyPictureNotifications, AViewThatLeavesWhileBeingToldIsNotToldAgain) {
    Skin skin;
    KeyPictures keys(skin, [] { return kSharp; });
    std::vector<int> face;
    int navigation = 0;
    KeyPictures::Listeners::Subscription navigationListener;
    auto faceListener = keys.AddChangedListener([&](int code) {
        face.push_back(code);
        navigationListener.Reset();  // e.g. a window closed by this very key
    });
    navigationListener = keys.AddChangedListener([&](int) { ++navigation; });
    keys.PressKey(27);
    keys.ReleaseKey(27);
    EXPECT_EQ(face, (std::vector<int>{27, 27}));
    EXPECT_EQ(navigation, 0);
}

}  // namespace
}  // namespace pemu::display
