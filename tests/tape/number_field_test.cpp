// The number field of the correction's input box: what may stand in it and what the input
// buttons do.
#include "tape/number_field.hpp"

#include <gtest/gtest.h>

namespace pemu::tape {
namespace {

TEST(NumberFieldAccepts, DigitsAPointAndOneLeadingSignWithinTheDisplayWidth) {
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"", true},           {"5", true},          {"-5", true},
        {"+5", true},         {"-", true},          {".", true},
        {"1.25", true},       {"5-", false},        {"--5", false},
        {"+-5", false},       {"1.2.3", false},     {"1,000", false},
        {" 5", false},        {"a", false},         {"12345678", true},
        {"123456789", false}, {"-1234.5678", true}, {"-1234.56789", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberFieldAccepts(c.text, 8), c.accepted) << c.text;
}

TEST(NumberField, TypingReplacesTheSelectionAndKeepsTheRules) {
    NumberField field(8);
    field.SetText("12345678");  // a change opens with the whole number selected
    EXPECT_TRUE(field.Type('9'));
    EXPECT_EQ(field.Text(), "9");
    for (char ch : std::string("1234567"))
        EXPECT_TRUE(field.Type(ch));
    EXPECT_FALSE(field.Type('1'));  // a ninth digit
    EXPECT_TRUE(field.Type('.'));
    EXPECT_FALSE(field.Type('.'));
    EXPECT_FALSE(field.Type('-'));  // a sign only in front
    EXPECT_FALSE(field.Type('\b'));
    EXPECT_FALSE(field.Type('x'));
    EXPECT_EQ(field.Text(), "91234567.");
    field.Select(0, 0);
    EXPECT_TRUE(field.Type('-'));
    EXPECT_FALSE(field.Type('+'));  // the field has its sign
    EXPECT_EQ(field.Text(), "-91234567.");
    EXPECT_EQ(field.Caret(), 1u);
}

TEST(NumberField, ButtonsEditAtTheCaret) {
    NumberField field(14);
    field.SetText("1234");
    field.MoveLeft();  // the selection goes, the caret moves from its end
    EXPECT_EQ(field.Caret(), 3u);
    field.BackSpace();
    EXPECT_EQ(field.Text(), "124");
    field.Delete();
    EXPECT_EQ(field.Text(), "12");
    field.MoveRight();
    field.MoveRight();
    EXPECT_EQ(field.Caret(), 2u);
    field.ToggleSign();
    EXPECT_EQ(field.Text(), "-12");
    EXPECT_EQ(field.Caret(), 1u);
    field.ToggleSign();
    EXPECT_EQ(field.Text(), "12");
    EXPECT_EQ(field.Caret(), 0u);
    field.SetText("+7");
    field.ToggleSign();
    EXPECT_EQ(field.Text(), "-7");
    field.Select(1, 1);
    field.BackSpace();
    EXPECT_EQ(field.Text(), "-");
}

}  // namespace
}  // namespace pemu::tape
