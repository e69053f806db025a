// Bounded text helpers on CP932 bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arithmetic/text.hpp"
#include "arithmetic/text_lines.hpp"
#include "platform/codec.hpp"

namespace pemu::arith {
namespace {

// "表" is 0x95 0x5C in CP932: its trail byte is a backslash.
const std::string kHyo = platform::Sjis("表");

TEST(TextTest, LeadBytesComeFromTheFixedRanges) {
    for (const int b : {0x81, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(b))) << b;
    for (const int b : {0x80, 0xA0, 0xDF, 0xFD, 0x5C, 0x41}) {
        EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(b))) << b;
    }
    ASSERT_EQ(kHyo, "\x95\x5C");
}

TEST(TextTest, DoubleByteCharactersAreSkippedWhole) {
    const std::string s = "a" + kHyo + "\\b";  // a 95 5C 5C b
    EXPECT_FALSE(IsInDoubleByteChar(s, 0));
    EXPECT_TRUE(IsInDoubleByteChar(s, 1));
    EXPECT_TRUE(IsInDoubleByteChar(s, 2));
    EXPECT_FALSE(IsInDoubleByteChar(s, 3));
    EXPECT_FALSE(IsInDoubleByteChar(s, 99));
    EXPECT_FALSE(IsInDoubleByteChar("\x95", 0)) << "a lead byte with nothing after it";
    EXPECT_EQ(FindChar(s, '\\'), 4);
    EXPECT_EQ(FindChar(kHyo, '\\'), 0);
    EXPECT_EQ(FindChar(s, 'b'), 5);
    EXPECT_EQ(FindText(s, "\\"), 3) << "the plain search does not skip";
    EXPECT_EQ(FindText("abcabc", "ca"), 3);
    EXPECT_EQ(FindText("abc", "x"), 0);
    EXPECT_EQ(FindText("abc", ""), 0);
}

TEST(TextTest, BoundedCopyAppendJoin) {
    std::string dst = "ab";
    AppendBounded(dst, "cdefghijklmnop", 10);
    EXPECT_EQ(dst, "abcdefgh") << "a 10-byte buffer keeps 8 after an append";
    CopyBounded(dst, "0123456789", 5);
    EXPECT_EQ(dst, "0123");
    CopyBounded(dst, "0123456789", 0);
    EXPECT_EQ(dst, "0123456789");
    JoinBounded(dst, "abc", "def", 5);
    EXPECT_EQ(dst, "abcd");
    Join5Bounded(dst, "a", "", "c", "d", "e", 60);
    EXPECT_EQ(dst, "acde");
    Append5Bounded(dst, "1", "2", "3", "4", "5", 8);
    EXPECT_EQ(dst, "acde123");
    std::string self = "xy";
    JoinBounded(self, self, self, 60);
    EXPECT_EQ(self, "xyxy") << "pieces may be the destination itself";
}

TEST(TextTest, DeleteInsertMidAtOneBasedPositions) {
    struct DeleteCase {
        const char* in;
        int pos;
        int count;
        std::size_t size;
        const char* out;
    };
    const DeleteCase deletes[] = {
        {"-5", 1, 1, kNoSizeLimit, "5"},        {"-5", 3, 1, kNoSizeLimit, "-5"},
        {"abcdef", 2, 2, kNoSizeLimit, "adef"}, {"abcdef", 0, 2, kNoSizeLimit, "abcdef"},
        {"abcdef", 5, 9, kNoSizeLimit, "abcd"}, {"abcdef", 1, 0, 4, "abc"}};
    for (const DeleteCase& c : deletes) {
        std::string s = c.in;
        EXPECT_EQ(DeleteChars(s, c.pos, c.count, c.size), c.out) << c.in << " " << c.pos;
    }
    std::string s = ".5";
    EXPECT_EQ(InsertText(s, "0", 1, 600), "0.5");
    EXPECT_EQ(InsertText(s, "0", 4, 600), "0.50");
    EXPECT_EQ(InsertText(s, "", 2, 600), "0.50");
    s = "abcd";
    EXPECT_EQ(InsertText(s, "XY", 2, 6), "aXYbc") << "what does not fit drops from the end";
    EXPECT_EQ(CopyMid("abcdef", 2, 600, 3), "bcd");
    EXPECT_EQ(CopyMid("abcdef", 7, 600, 3), "");
    EXPECT_EQ(CopyMid("abcdef", 0, 600, 3), "");
    EXPECT_EQ(CopyMid("abcdef", 5, 600, 9), "ef");
    EXPECT_EQ(CopyMid("abcdef", 1, 3, 9), "ab");
    EXPECT_EQ(FillChars('*', 4, 600), "****");
    EXPECT_EQ(FillChars('*', 4, 3), "**");
    EXPECT_EQ(FillChars('*', -1, 600), "");
}

TEST(TextTest, ReverseTrimCompare) {
    EXPECT_EQ(ReverseCopy("abc"), "cba");
    EXPECT_EQ(ReverseCopy(""), "");
    std::string s = "xyz";
    ReverseInPlace(s);
    EXPECT_EQ(s, "zyx");
    s = " \t\r\n a b \v\f";
    TrimSpaces(s);
    EXPECT_EQ(s, "a b");
    s = "   ";
    TrimSpaces(s);
    EXPECT_EQ(s, "");
    EXPECT_EQ(TrimSet("--a-b--", "-"), "a-b");
    EXPECT_EQ(TrimSet("----", "-"), "");
    EXPECT_EQ(CompareNoCase("Pemu", "pEMU"), 0);
    EXPECT_LT(CompareNoCase("abc", "abd"), 0);
    EXPECT_EQ(CompareNoCase("ab", "abc"), -'C');
    EXPECT_TRUE(SameFirstTwo("abc", "abx"));
    EXPECT_FALSE(SameFirstTwo("abc", "axc"));
    EXPECT_TRUE(SameFirstTwo("a", "a"));
    EXPECT_FALSE(SameFirstTwo("a", "ab"));
    EXPECT_EQ(IntToText(-42), "-42");
}

TEST(TextTest, TimeStampFormat) {
    std::tm t{};
    t.tm_year = 2020 - 1900;
    t.tm_mon = 3;
    t.tm_mday = 1;
    t.tm_hour = 9;
    t.tm_min = 5;
    EXPECT_EQ(TimeStamp(t), "[2020/04/01 09:05:00]");
    const std::string now = TimeStamp();
    ASSERT_EQ(now.size(), 21u);
    EXPECT_EQ(now.front(), '[');
    EXPECT_EQ(now[5], '/');
    EXPECT_EQ(now[11], ' ');
    EXPECT_EQ(now.back(), ']');
}

TEST(TextTest, PathAndAddressPieces) {
    struct Case {
        std::string path;
        std::string want;
    };
    const Case cases[] = {
        {"C:\\Pemu\\skin\\Blue", "Blue"},
        {"C:\\Pemu\\skin\\Blue\\", "Blue"},
        {"C:\\Pemu\\skin\\Blue\\\\", "Blue"},
        {"/home/u/Pemu/skins/Red/", "Red"},
        {"\\top", "top"},
        {"noseparator", "oseparator"},
        {"C:\\" + kHyo + "x", kHyo + "x"},  // the trail byte 0x5C is no separator
        {"C:\\dir\\" + kHyo, kHyo},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LastPathElement(c.path, 1), c.want) << c.path;
    EXPECT_EQ(LastPathElement("C:\\a\\b", 2), "");
    EXPECT_EQ(CopyUpToThirdSlash("http://example.test/pemu/ver.txt"), "http://example.test/");
    EXPECT_EQ(CopyUpToThirdSlash("http://host"), "http://host");
    EXPECT_EQ(CopyUpToThirdSlash(std::string(300, 'a')).size(), 280u);
}

TEST(TextTest, ReplaceAndBadFileCharsSkipDoubleByteCharacters) {
    std::string s = "a\\" + kHyo + "\\";
    EXPECT_EQ(ReplaceChar(s, 1, '\\', '/'), "a/" + kHyo + "/");
    s = "x.y.z";
    EXPECT_EQ(ReplaceChar(s, 3, '.', '_'), "x.y_z");
    s = "";
    EXPECT_EQ(ReplaceChar(s, 1, 'a', 'b'), "");
    EXPECT_FALSE(HasBadFileChar(kHyo + "abc"));
    EXPECT_FALSE(HasBadFileChar(platform::Sjis("青い空")));
    for (const char* bad :
         {"a\"b", "a*b", "a,b", "a.b", "a/b", "a;b", "a<b", "a>b", "a?b", "a\\b", "a_b", "a|b"}) {
        EXPECT_TRUE(HasBadFileChar(bad)) << bad;
    }
}

TEST(TextTest, HalfWidthMapsTheFirstThreeBytes) {
    struct Case {
        const char* in;
        const char* want;
    };
    const Case cases[] = {
        {"１", "1"},  {"Ａ", "A"},     {"（", "("},         {"　", " "},
        {"ア", "ｱ"},  {"ガ", "ｶﾞ"},    {"ー", "ｰ"},         {"１a", "1a"},
        {"漢", "漢"}, {"a１b", "a1b"}, {"１２３", "1２３"},
    };
    for (const Case& c : cases) {
        std::string s = platform::Sjis(c.in);
        ToHalfWidth3(s);
        EXPECT_EQ(s, platform::Sjis(c.want)) << c.in;
    }
}

TEST(TextLines, CrLfLfAndCrAloneEndALine) {
    using Lines = std::vector<std::string_view>;
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two ends
        {"\r\n\r\n", {"", ""}},
        {kHyo + "\r" + kHyo, {kHyo, kHyo}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
    EXPECT_EQ(AfterLineEnd("ab\r\ncd"), 4u);
    EXPECT_EQ(AfterLineEnd("ab\rcd"), 3u);
    EXPECT_EQ(AfterLineEnd("ab\ncd\n", 3), 6u);
    EXPECT_EQ(AfterLineEnd("abc"), std::string_view::npos);
}

}  // namespace
}  // namespace pemu::arith
