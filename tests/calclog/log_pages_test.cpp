#include "calclog/log_pages.hpp"

#include <gtest/gtest.h>

namespace pemu::calclog {
namespace {

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "\r\n";
    return text;
}

TEST(LogPages, MillimetresAreWholePixelsOfThePrinter) {
    EXPECT_EQ(PixelsPerMillimetre(72), 2);     // 2.83
    EXPECT_EQ(PixelsPerMillimetre(300), 11);   // 11.81
    EXPECT_EQ(PixelsPerMillimetre(600), 23);   // 23.62
    EXPECT_EQ(PixelsPerMillimetre(1200), 47);  // 47.24
    EXPECT_EQ(PixelsPerMillimetre(254), 10);
}

TEST(LogPages, HeaderAndFirstLine) {
    const auto pages = LayoutLogPages("12345", 254);  // 10 pixels a millimetre
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].number, 1);
    EXPECT_EQ(pages[0].header.text, "P.1");
    EXPECT_EQ(pages[0].header.x, 20);
    EXPECT_EQ(pages[0].header.y, 20);
    ASSERT_EQ(pages[0].lines.size(), 1u);
    EXPECT_EQ(pages[0].lines[0].x, 40);
    EXPECT_EQ(pages[0].lines[0].y, 60);
    EXPECT_EQ(pages[0].lines[0].text, std::string(25, ' ') + "12345");
    EXPECT_TRUE(LayoutLogPages("", 254).empty());
}

TEST(LogPages, ColumnsAfter280MillimetresAndANewPageInsteadOfAFifthColumn) {
    // Lines at y 6, 10, ... 278 mm: 69 to a column, 276 to a page.
    const auto pages = LayoutLogPages(Lines(277), 254);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].lines.size(), 276u);
    ASSERT_EQ(pages[1].lines.size(), 1u);
    struct Case {
        int line;  // 1-based on page 1
        int x, y;  // millimetres
    };
    for (const Case& c :
         {Case{1, 4, 6}, Case{2, 4, 10}, Case{69, 4, 278}, Case{70, 53, 6}, Case{138, 53, 278},
          Case{139, 102, 6}, Case{208, 151, 6}, Case{276, 151, 278}}) {
        const PrintedText& at = pages[0].lines[static_cast<std::size_t>(c.line - 1)];
        EXPECT_EQ(at.x, c.x * 10) << "line " << c.line;
        EXPECT_EQ(at.y, c.y * 10) << "line " << c.line;
        EXPECT_NE(at.text.find(std::to_string(c.line)), std::string::npos);
    }
    EXPECT_EQ(pages[1].header.text, "P.2");
    EXPECT_EQ(pages[1].lines[0].x, 40);
    EXPECT_EQ(pages[1].lines[0].y, 60);
    EXPECT_NE(pages[1].lines[0].text.find("277"), std::string::npos);
    // A text that exactly fills a page begins no empty second page.
    EXPECT_EQ(LayoutLogPages(Lines(276), 254).size(), 1u);
}

}  // namespace
}  // namespace pemu::calclog
