// Normalising, comparing, classifying and labelling decimal texts.
#include <gtest/gtest.h>

#include <string>

#include "arithmetic/decimal.hpp"

namespace pemu::arith {
namespace {

struct InPlaceCase {
    std::string in;
    std::string out;
};

TEST(NumberHelpersTest, CompareMagnitudeDecidesByIntegerLengthThenDigits) {
    struct Case {
        const char* a;
        const char* b;
        char want;
    };
    const Case cases[] = {
        {"10", "9.99", '>'}, {"0.5", "0.25", '>'},      {"2", "2", '='},     {"1.5", "1", '>'},
        {"1", "1.5", '<'},   {"1.50", "1.5", '>'},      {"123", "124", '<'}, {"0.125", "0.13", '<'},
        {"99", "100", '<'},  {"7.0001", "7.0002", '<'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareMagnitude(c.a, c.b), c.want) << c.a << " " << c.b;
}

TEST(NumberHelpersTest, IsZeroMeansNoDigitOneToNine) {
    for (const char* zero : {"", "0", "-0.000", "EF", ".", "+00"})
        EXPECT_TRUE(IsZero(zero)) << zero;
    for (const char* nonzero : {"1", "-0.001", "0.9", "E9"})
        EXPECT_FALSE(IsZero(nonzero)) << nonzero;
}

TEST(NumberHelpersTest, StripTrailingZerosOnlyTouchesFractions) {
    const InPlaceCase cases[] = {{"100", "100"},     {"10.00", "10"}, {"0.000", "0"},
                                 {"1.50", "1.5"},    {"5.", "5"},     {".000", "0"},
                                 {"-2.500", "-2.5"}, {"000.00", "0"}, {"0.05", "0.05"}};
    for (const InPlaceCase& c : cases) {
        std::string s = c.in;
        StripTrailingZeros(s);
        EXPECT_EQ(s, c.out) << c.in;
        s = c.in;
        StripFractionZeros(s);
        EXPECT_EQ(s, c.out) << c.in;
    }
}

TEST(NumberHelpersTest, StripLeadingZerosKeepsOneMinusAndCounts) {
    struct Case {
        const char* in;
        const char* out;
        int removed;
    };
    const Case cases[] = {{"-007.5", "-7.5", 3}, {"-0.50", "-0.50", 2}, {"-0", "-0", 2},
                          {"0012", "12", 2},     {"+.5", "0.5", 1},     {"000", "0", 3},
                          {"42", "42", 0},       {"", "0", 0}};
    for (const Case& c : cases) {
        std::string s = c.in;
        EXPECT_EQ(StripLeadingZeros(s), c.removed) << c.in;
        EXPECT_EQ(s, c.out) << c.in;
    }
}

TEST(NumberHelpersTest, SignAndLengthHelpers) {
    std::string s = "-12.5";
    RemoveSign(s);
    EXPECT_EQ(s, "12.5");
    s = "+3";
    RemoveSign(s);
    EXPECT_EQ(s, "3");
    EXPECT_TRUE(IsMinus('-'));
    EXPECT_FALSE(IsMinus('+'));
    EXPECT_EQ(IntegerPartLength("-123.45"), 4);
    EXPECT_EQ(IntegerPartLength("678"), 3);
    EXPECT_EQ(IntegerPartLength(".5"), 0);
}

TEST(NumberHelpersTest, CompareWithOneCountsTrailingZerosAndRestoresSign) {
    struct Case {
        const char* in;
        int want;
        const char* after;
    };
    const Case cases[] = {{"-1", 0, "-1"},       {"-1.5", -1, "-1.5"}, {"1.0", 1, "1.0"},
                          {"0.999", 0, "0.999"}, {"007", 1, "7"},      {"-0.5", 0, "-0.5"},
                          {"1", 0, "1"}};
    for (const Case& c : cases) {
        std::string s = c.in;
        EXPECT_EQ(CompareWithOne(s), c.want) << c.in;
        EXPECT_EQ(s, c.after) << c.in;
    }
}

TEST(NumberHelpersTest, LimitDigitsOverflowsPastTwiceTheIntegerDigitsAndCutsFraction) {
    const ArithContext ctx;
    const std::string forty(40, '9');
    const InPlaceCase cases[] = {
        {forty, forty},
        {forty + "9", "EF"},
        {"-" + forty, "-" + forty},
        {"-" + forty + "9", "EF"},
        {"0.123456789012345678901234", "0.12345678901234567890"},
        {"1.5", "1.5"},
        {"7.", "7."},
    };
    for (const InPlaceCase& c : cases) {
        std::string s = c.in;
        LimitDigits(s, ctx);
        EXPECT_EQ(s, c.out) << c.in;
    }
    ArithContext small;
    small.workIntDigits = 1;
    small.workFracDigits = 2;
    std::string s = "12.3456";
    LimitDigits(s, small);
    EXPECT_EQ(s, "12.34");
    s = "123";
    LimitDigits(s, small);
    EXPECT_EQ(s, "EF");
}

TEST(NumberHelpersTest, NormaliseNumberTextFixesSignAndPoint) {
    const InPlaceCase cases[] = {{"+.5", "0.5"}, {"-.5", "-0.5"}, {"0012", "12"},
                                 {"--3", "-3"},  {"12", "12"},    {"-", "0"},
                                 {"000", "0"},   {".25", "0.25"}, {"-007.5", "-7.5"}};
    for (const InPlaceCase& c : cases) {
        std::string s = c.in;
        NormaliseNumberText(s, 600);
        EXPECT_EQ(s, c.out) << c.in;
    }
    std::string full = ".123";  // a 5-byte buffer holds 4 characters: the inserted 0 pushes one out
    NormaliseNumberText(full, 5);
    EXPECT_EQ(full, "0.12");
}

TEST(NumberHelpersTest, IsNumberTextAcceptsOneSignDigitsAndOnePoint) {
    for (const char* yes : {"5", "-5", "+5", ".", "5.", ".5", "-0.25", "007"}) {
        EXPECT_TRUE(IsNumberText(yes)) << yes;
    }
    for (const char* no : {"", "-", "+", "1.2.3", "1e5", "--5", " 5", "1,000", "EF"}) {
        EXPECT_FALSE(IsNumberText(no)) << no;
    }
}

TEST(NumberHelpersTest, GroupThousandsPutsCommasBetweenIntegerGroups) {
    struct Case {
        const char* in;
        std::size_t max;
        const char* out;
    };
    const Case cases[] = {
        {"1000", 60, "1,000"},
        {"100", 60, "100"},
        {"-100000.5", 60, "-100,000.5"},
        {"1234567.125", 60, "1,234,567.125"},
        {"-123", 60, "-123"},
        {"-1234", 60, "-1,234"},
        {"", 60, "0"},
        {"1000.", 60, "1,000"},
        {"0.12345", 60, "0.12345"},
        {"123456", 5, "3,456"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GroupThousands(c.in, c.max), c.out) << c.in;
}

TEST(NumberHelpersTest, CharacterClasses) {
    for (const char ch : std::string("*+-/^"))
        EXPECT_TRUE(IsOperatorChar(ch)) << ch;
    EXPECT_FALSE(IsOperatorChar('%'));
    EXPECT_TRUE(IsLowerLetter('a'));
    EXPECT_TRUE(IsLowerLetter('z'));
    EXPECT_FALSE(IsLowerLetter('A'));
    EXPECT_TRUE(IsNumberChar('.'));
    EXPECT_TRUE(IsNumberChar('9'));
    EXPECT_FALSE(IsNumberChar('-'));
}

TEST(NumberHelpersTest, SettingLabels) {
    EXPECT_STREQ(RoundSelectorName(2, false), "CT");
    EXPECT_STREQ(RoundSelectorName(2, true), "CUT");
    EXPECT_STREQ(RoundSelectorName(3, true), "UP");
    EXPECT_STREQ(RoundSelectorName(4, false), "5/4");
    EXPECT_STREQ(RoundSelectorName(999, true), "F");
    EXPECT_STREQ(DecimalSelectorName(0, false), "0");
    EXPECT_STREQ(DecimalSelectorName(5, true), "5");
    EXPECT_STREQ(DecimalSelectorName(22, false), "A");
    EXPECT_STREQ(DecimalSelectorName(22, true), "ADD2");
    EXPECT_STREQ(DecimalSelectorName(6, false), "F");
    EXPECT_STREQ(MakerName(1), "SHARP");
    EXPECT_STREQ(MakerName(2), "CASIO");
    EXPECT_STREQ(OnOffName(false, true), "OFF");
    EXPECT_STREQ(OnOffName(true, false), "ON");
    EXPECT_STREQ(OnOffName(true, true), "ON ");
}

}  // namespace
}  // namespace pemu::arith
