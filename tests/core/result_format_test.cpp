// Cutting, rounding, padding and the overflow test, each over a table of values.
#include <gtest/gtest.h>

#include "engine_fixture.hpp"

namespace pemu::core {
namespace {

using testing::Engine;

Engine WithDigits(int digits, int round = StoredSelector(kRoundHalfUp), int decimal = 2) {
    StartupSettings settings;
    settings.panelDigit = digits;
    settings.roundSelecter = round;
    settings.decimalSelecter = decimal;
    return Engine(kMakerSharp, settings);
}

TEST(TruncateToDigits, CutsOnlyTextsWithAPoint) {
    Engine e = WithDigits(8);
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"1.23456789", "1.2345678"},
        {"-1.23456789", "-1.2345678"},
        {"1234567.50", "1234567.5"},
        {"12345678.01", "12345678"},
        {"123456789012", "123456789012"},  // no point: left to the overflow test
        {"1.2000", "1.2000"},              // not cut, so not normalised
        {"0.000000001", "0"},
        {"-0.000000001", "0"},  // cut to zero: no sign left
    };
    for (const Case& c : cases) {
        std::string value = c.in;
        e.calc.TruncateToDigits(value);
        EXPECT_EQ(value, c.out) << c.in;
    }
}

TEST(RoundResult, EachRoundSelectorAtEachPlace) {
    Engine e = WithDigits(14);
    struct Case {
        const char* src;
        int decimal;
        RoundSelector round;
        const char* out;
    };
    const Case cases[] = {
        {"-1.239", 2, kRoundCut, "-1.23"},
        {"-1.239", 2, kRoundHalfUp, "-1.24"},
        {"-1.231", 2, kRoundUp, "-1.24"},
        {"-1.2301", 2, kRoundUp, "-1.23"},
        {"2.5", 0, kRoundHalfUp, "3"},
        {"2.5", 0, kRoundCut, "2"},
        {"2.4", 0, kRoundUp, "3"},
        {"-2.5", 0, kRoundHalfUp, "-3"},
        {"0.05", 1, kRoundHalfUp, "0.1"},
        {"0.04", 1, kRoundHalfUp, "0.0"},
        {"1.00001", 3, kRoundUp, "1.000"},
        {"1.0011", 3, kRoundUp, "1.002"},
        {"9.9995", 3, kRoundHalfUp, "10"},
        {"0.123456", 4, kRoundHalfUp, "0.1235"},
        {"0.1234565", 5, kRoundHalfUp, "0.12346"},
        {"0.1234549", 5, kRoundHalfUp, "0.12345"},
        {"1.005", 22, kRoundHalfUp, "1.01"},  // add mode rounds to two places
        {"1.239", 999, kRoundHalfUp, "1.239"},
        {"1.239", 2, kRoundF, "1.239"},
        {"7", 2, kRoundUp, "7"},
        {"1.2", 2, kRoundUp, "1.2"},
        {"-0.004", 2, kRoundHalfUp, "0.00"},
        {"-0.4", 0, kRoundHalfUp, "0"},
        {"-0.5", 0, kRoundHalfUp, "-1"},
        {"-0.001", 2, kRoundUp, "-0.01"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(e.calc.RoundResult(c.src, kWorkSize,
                                     {.round = c.round, .decimal = DecimalSelectorOf(c.decimal)}),
                  c.out)
            << c.src << " dec " << c.decimal << " round " << StoredSelector(c.round);
    }
}

TEST(DecimalPadding, FillsToThePlacesButNeverBeyondTheDisplay) {
    struct Case {
        int digits;
        int decimal;
        const char* value;
        const char* padding;
    };
    const Case cases[] = {
        {8, 2, "1234567", ".0"}, {8, 2, "12345678", ""},  {8, 2, "-1234567", ".0"},
        {8, 2, "6", ".00"},      {8, 2, "3.3", "0"},      {8, 2, "3.33", ""},
        {8, 0, "6", ""},         {14, 5, "6", ".00000"},  {14, 5, "1.5", "0000"},
        {8, 3, "123456.7", "0"}, {8, 3, "1234567.1", ""}, {14, 22, "12", ".00"},
        {8, 4, "12345", ".000"},
    };
    for (const Case& c : cases) {
        Engine e = WithDigits(c.digits, StoredSelector(kRoundHalfUp), c.decimal);
        EXPECT_EQ(e.calc.DecimalPadding(c.value), c.padding)
            << c.value << " digits " << c.digits << " dec " << c.decimal;
    }
}

TEST(IsOverflow, ComparesExactlyWithTheNines) {
    Engine e = WithDigits(8);
    struct Case {
        const char* value;
        bool overflow;
    };
    const Case cases[] = {
        {"99999999", false}, {"99999999.5", true},    {"-99999999", false},  {"-99999999.01", true},
        {"100000000", true}, {"99999999.000", false}, {"0099999999", false}, {"12345678.9", false},
        {"EF", true},        {"-100000000", true},    {"0", false},          {"0.00000001", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(e.calc.IsOverflow(c.value), c.overflow) << c.value;
}

TEST(IsOverflow, ADivideFlagOrAnErrorCountsAsOverflow) {
    Engine e = WithDigits(8);
    e.calc.Arith().divideError = true;
    EXPECT_TRUE(e.calc.IsOverflow("1"));
    e.calc.Arith().divideError = false;
    EXPECT_FALSE(e.calc.IsOverflow("1"));
}

TEST(OverflowView, ShowsTheLeadingDigitsWithThePointMoved) {
    struct Case {
        int digits;
        const char* value;
        const char* view;
    };
    const Case cases[] = {
        {8, "123456789", "1.2345678"},
        {8, "98765432100", "987.65432"},
        {8, "100000000", "1.0000000"},
        {8, "-100000000", "-1.0000000"},
        {8, "123456789.5", "1.2345678"},
        {14, "100000000000000", "1.0000000000000"},
        {14, "2469135780246913578", "24691.357802469"},
    };
    for (const Case& c : cases) {
        Engine e = WithDigits(c.digits);
        EXPECT_EQ(e.calc.OverflowView(c.value), c.view) << c.value;
    }
}

TEST(AddMode, PlacesThePointOfKeyedIntegers) {
    struct Case {
        const char* keys;
        const char* shown;
    };
    const Case cases[] = {
        {"5+", "0.05"}, {"12+", "0.12"}, {"1234+", "12.34"}, {"1.5+", "1.5"}, {"0+", "0.00"},
    };
    for (const Case& c : cases) {
        Engine e = WithDigits(14, StoredSelector(kRoundHalfUp), StoredSelector(kDecimalAddMode));
        e.Keys(c.keys);
        EXPECT_EQ(e.State().displayValue, c.shown) << c.keys;
    }
}

}  // namespace
}  // namespace pemu::core
