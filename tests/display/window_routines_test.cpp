// The size grip and the button row.
#include <gtest/gtest.h>

#include "display/system_colours.hpp"
#include "display/window_routines.hpp"
#include "display_test_support.hpp"

namespace pemu::display {
namespace {

TEST(SizeGrip, OneTwoThreeDotsRightAligned) {
    QImage image(12, 12, QImage::Format_RGB32);
    DrawSizeGrip(image);
    const QRgb ink = ColourOf(SystemColour::kWindowText).rgb();
    // Cell centres at 2, 6, 10.
    const auto dot = [&](int x, int y) { return SameColour(image.pixel(x, y), ink); };
    EXPECT_TRUE(dot(10, 2));
    EXPECT_FALSE(dot(6, 2));
    EXPECT_TRUE(dot(6, 6) && dot(10, 6));
    EXPECT_FALSE(dot(2, 6));
    EXPECT_TRUE(dot(2, 10) && dot(6, 10) && dot(10, 10));
    EXPECT_TRUE(dot(10, 1) && dot(9, 2) && dot(11, 2) && dot(10, 3));
    EXPECT_TRUE(SameColour(image.pixel(0, 0), ColourOf(SystemColour::kButtonFace).rgb()));
}

TEST(ButtonRow, EqualWidthsTwoPixelsApartAboveTheStatusLine) {
    const auto row = LayoutButtonRow(300, 3, 25, 400);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].width, (300 - 6 - 2) / 3);
    EXPECT_EQ(row[0].left, 2);
    EXPECT_EQ(row[1].left, 2 + row[0].width + 2);
    EXPECT_EQ(row[2].top, 400 - 25 - 3);
    EXPECT_TRUE(LayoutButtonRow(300, 0, 25, 400).empty());
}

}  // namespace
}  // namespace pemu::display
