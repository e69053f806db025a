// A number pasted from the clipboard: what is taken, what is refused, and that it goes in
// as keys do (the tape records it, an entry in progress is replaced).
#include "core/paste_entry.hpp"

#include <gtest/gtest.h>

#include "core/key_session.hpp"

namespace pemu::core {
namespace {

struct PasteCase {
    const char* text;
    const char* shown;  // nullptr: refused
};

KeySessionOptions Digits(int width) {
    KeySessionOptions options;
    options.settings.panelDigit = width;
    return options;
}

std::string ShownAfterPaste(const char* text, int width = 14) {
    KeySession session(Digits(width));
    session.Press("7");
    session.Press("+");
    if (!session.Calc().PasteNumber(text)) return "refused";
    return session.Calc().State().displayValue;
}

TEST(PasteKeys, NumbersAsPeopleCopyThem) {
    const PasteCase cases[] = {
        {"1234.5", "1234.5"},
        {"-1234.5", "-1234.5"},
        {"1,234,567", "1234567"},
        {"  1,234.50\r\n", "1234.50"},
        {"1 234 567", "1234567"},
        {"1\u00A0234", "1234"},
        {"１２３４", "1234"},
        {"１，２３４．５", "1234.5"},
        {"－５", "-5"},
        {"\u22125", "-5"},
        {"- 5", "-5"},
        {".5", "0.5"},
        {"5.", "5."},
        {"007", "7"},
        {"0", "0"},
        {"99999999999999", "99999999999999"},
        {"0.1234567890123", "0.1234567890123"},
    };
    for (const PasteCase& c : cases)
        EXPECT_EQ(ShownAfterPaste(c.text), c.shown) << c.text;
}

TEST(PasteKeys, AnythingElseIsRefusedWholeNeverCut) {
    const char* const refused[] = {
        "",
        "   ",
        "-",
        ".",
        "1.2.3",
        "12,34",  // a decimal comma, or a typo: never read as 1234
        "1,2345",
        ",123",
        "1,,234",
        "1,234 567",    // two kinds of grouping
        "1,234.567,8",  // grouping after the point
        "1 2",
        "1e5",
        "+5",
        "5-",
        "(5)",
        "¥1,000",
        "1,000円",
        "12\n34",
        "0x1F",
        "999999999999999",   // 15 digits on a 14-digit display
        "0.12345678901234",  // 0 and 14 fraction digits
        "\xff\xfe"
        "1",  // not UTF-8
    };
    for (const char* text : refused) {
        EXPECT_FALSE(PasteKeys(text, 14)) << text;
        EXPECT_EQ(ShownAfterPaste(text), "refused") << text;
    }
    EXPECT_FALSE(PasteKeys(std::string(300, '1'), 14)) << "a long text";
    EXPECT_EQ(ShownAfterPaste("12345678", 8), "12345678");
    EXPECT_EQ(ShownAfterPaste("-1,234,567.8", 8), "-1234567.8");
    EXPECT_EQ(ShownAfterPaste("123456789", 8), "refused");
}

TEST(PasteNumber, GoesInAsKeysDoAndReplacesAnEntryInProgress) {
    KeySession session(Digits(14));
    for (const char* token : {"100", "+", "5"})
        session.Press(token);
    // The 5 being keyed is replaced, not extended to 5250.
    EXPECT_EQ(session.Run("@paste:250"), "@paste:250\t250\t17\t0\tpasted");
    session.Press("=");
    EXPECT_EQ(session.Calc().State().displayValue, "350");
    const std::string tape = session.TapeUtf8();
    EXPECT_NE(tape.find("250 ＝"), std::string::npos) << tape;
    EXPECT_EQ(tape.find("5 ＝"), std::string::npos) << tape;

    // Refused: the display, the marks and the pending operator stay as they were.
    session.Press("+");
    EXPECT_EQ(session.Run("@paste:12,34"), "@paste:12,34\t350\t15,17\t0\trefused");
    session.Press("1");
    session.Press("=");
    EXPECT_EQ(session.Calc().State().displayValue, "351");

    // A negative amount after a result starts a new number, then changes its sign.
    EXPECT_EQ(session.Run("@paste:-40"), "@paste:-40\t-40\t15\t0\tpasted");
}

TEST(PasteNumber, AnErrorStateRefusesItAsItRefusesKeys) {
    KeySession session(Digits(8));
    for (const char* token : {"5", "/", "0", "="})
        session.Press(token);
    const CalculatorState before = session.Calc().State();
    ASSERT_NE(before.errorCode, ErrorCode::kNoError);
    EXPECT_FALSE(session.Calc().PasteNumber("12"));
    EXPECT_EQ(session.Calc().State().displayValue, before.displayValue);
    EXPECT_EQ(session.Calc().State().errorCode, before.errorCode);
}

}  // namespace
}  // namespace pemu::core
