// The argument contract of pemu-calc keys and the status line it prints.
#include "core/key_session.hpp"

#include <gtest/gtest.h>

#include "key_arguments.hpp"

namespace pemu::core {
namespace {

using calc::KeyArguments;
using calc::ParseKeyArguments;

TEST(KeyTokens, EachTokenStandsForItsKeys) {
    struct Case {
        const char* token;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"1234.5", {27, 28, 29, 30, 21, 31}},
        {"00", {37}},
        {"000", {36, 36, 36}},
        {".", {21}},
        {"+", {17}},
        {"-", {18}},
        {"*", {19}},
        {"/", {20}},
        {"=", {99}},
        {"%", {1}},
        {"CE", {2}},
        {"C", {7}},
        {"CA", {16}},
        {"BS", {13}},
        {"+/-", {14}},
        {"SQRT", {9}},
        {"MC", {3}},
        {"MR", {4}},
        {"M+", {5}},
        {"M-", {6}},
        {"GT", {15}},
        {"TAX+", {11}},
        {"TAX-", {12}},
    };
    for (const Case& c : cases) {
        std::vector<int> codes;
        EXPECT_TRUE(KeyCodesOfToken(c.token, codes)) << c.token;
        EXPECT_EQ(codes, c.codes) << c.token;
    }
    std::vector<int> codes;
    for (const char* bad : {"", "x", "12a", "ce", "M*", "1,000"}) {
        EXPECT_FALSE(KeyCodesOfToken(bad, codes)) << bad;
    }
}

TEST(KeyArgumentsTest, OptionsSetTheSettings) {
    KeyArguments parsed;
    ASSERT_EQ(ParseKeyArguments({"--family", "casio", "--digits=10", "--round", "5/4", "--decimal",
                                 "A", "--rate", "0.1", "--no-gt", "--no-answer-check", "--no-check",
                                 "--date", "--tape", "--", "1", "+", "-"},
                                parsed),
              "");
    const KeySessionOptions& o = parsed.options;
    EXPECT_EQ(o.family, kMakerCasio);
    EXPECT_EQ(o.settings.panelDigit, 10);
    EXPECT_EQ(o.settings.roundSelecter, StoredSelector(kRoundHalfUp));
    EXPECT_EQ(o.settings.decimalSelecter, StoredSelector(kDecimalAddMode));
    EXPECT_EQ(o.settings.zeiritu, "0.1");
    EXPECT_FALSE(o.settings.grandTotal || o.settings.answerCK || o.settings.kenzanCheck);
    EXPECT_TRUE(o.settings.kenzanAutoDate && parsed.tape);
    EXPECT_EQ(parsed.tokens, (std::vector<std::string>{"1", "+", "-"}));
}

TEST(KeyArgumentsTest, DefaultsAreThoseOfAFreshSettingsFileWithoutDates) {
    KeyArguments parsed;
    ASSERT_EQ(ParseKeyArguments({"--", "1"}, parsed), "");
    EXPECT_EQ(parsed.options.family, kMakerSharp);
    const StartupSettings& st = parsed.options.settings;
    EXPECT_EQ(st.panelDigit, 14);
    EXPECT_EQ(st.roundSelecter, kSelectorF);
    EXPECT_EQ(st.decimalSelecter, kSelectorF);
    EXPECT_EQ(st.zeiritu, "0.08");
    EXPECT_TRUE(st.grandTotal && st.answerCK && st.kenzanCheck);
    EXPECT_FALSE(st.kenzanAutoDate);
}

TEST(KeyArgumentsTest, BadArgumentsAreNamedInTheMessage) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const Case cases[] = {
        {{"--colour", "--", "1"}, "--colour"},
        {{"--family", "hp", "--", "1"}, "hp"},
        {{"--digits", "7"}, "7"},
        {{"--digits", "15"}, "15"},
        {{"--round", "HALF"}, "HALF"},
        {{"--decimal", "6"}, "6"},
        {{"--rate", "8%"}, "8%"},
        {{"--digits"}, "--digits"},
        {{"--", "1", "+", "X", "="}, "X"},
        {{"--", "--tape"}, "--tape"},
    };
    for (const Case& c : cases) {
        KeyArguments parsed;
        const std::string message = ParseKeyArguments(c.args, parsed);
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
    }
}

TEST(KeySessionTest, StatusLineHasTokenDisplayMarksAndError) {
    KeySessionOptions options;
    options.settings.grandTotal = false;
    KeySession session(options);
    session.Press("5");
    EXPECT_EQ(session.StatusLine("5"), "5\t5\t-\t0");
    session.Press("+");
    EXPECT_EQ(session.StatusLine("+"), "+\t5\t17\t0");
    session.Press("0");
    session.Press("/");
    session.Press("0");
    session.Press("=");
    EXPECT_EQ(session.StatusLine("="), "=\t0\t58\t801");
}

}  // namespace
}  // namespace pemu::core
