// How the window lays out a run: wrapping to a byte width without splitting a double-byte
// character, the marker at the place of a fault, the message and answer areas.
#include "formula/formula_display.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arithmetic/context.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {
namespace {

using platform::Sjis;

struct WrapCase {
    std::string text;
    int width;
    std::string wrapped;
};

TEST(FormulaDisplay, WrapBreaksBeforeTheByteThatWouldPassTheWidth) {
    const std::string kan = Sjis("漢");
    const std::vector<WrapCase> cases = {
        {"1234567", 3, "123\r\n456\r\n7"},
        {"123456", 3, "123\r\n456"},                  // no break after a full last line
        {"12" + kan + "3", 3, "12\r\n" + kan + "3"},  // the character moves whole
        {kan + kan + kan, 5, kan + kan + "\r\n" + kan},
        {kan + kan, 1, kan + "\r\n" + kan},                     // a width below 2 still holds one
        {"12\r\n34\n5678\r9", 3, "12\r\n34\r\n567\r\n8\r\n9"},  // breaks of the text stay
        {"", 4, ""},
        {"ab\x82", 2, "ab\r\n\x82"},  // a lead byte at the end stands alone
    };
    for (const WrapCase& c : cases)
        EXPECT_EQ(WrapText(c.text, c.width), c.wrapped) << c.text << " at " << c.width;
}

TEST(FormulaDisplay, TheWidthIsTheAreaOverTheDigitWidthLessOne) {
    EXPECT_EQ(WrapWidthOf(400, 10), 39);
    EXPECT_EQ(WrapWidthOf(409, 10), 39);
    EXPECT_EQ(WrapWidthOf(20, 10), 2) << "never below one double-byte character";
    EXPECT_EQ(WrapWidthOf(400, 0), 2);
}

TEST(FormulaDisplay, TheMarkerStandsBeforeTheCharacterAtThePosition) {
    EXPECT_EQ(MarkErrorPosition("2*/3", 3), Sjis(">>3文字目>> 2*<?>/3"));
    EXPECT_EQ(MarkErrorPosition("2*/3", 1), Sjis(">>1文字目>> <?>2*/3"));
    EXPECT_EQ(MarkErrorPosition("sin", 5), Sjis(">>5文字目>> sin<?>")) << "past the end";
    EXPECT_EQ(MarkErrorPosition("2*/3", 0), "2*/3");
    const std::string kan = Sjis("漢");
    EXPECT_EQ(MarkErrorPosition("1" + kan, 3), Sjis(">>3文字目>> 1<?>") + kan)
        << "never inside a double-byte character";
}

OutcomeView ViewOf(const char* formula, DigitLimits limits = {}) {
    arith::ArithContext ctx;
    return ViewOfOutcome(RunFormula(ctx, Sjis(formula), {limits, 0}));
}

TEST(FormulaDisplay, ASuccessShowsTheNormalisedFormulaAndKeepsTheResult) {
    const OutcomeView view = ViewOf("1+(2");
    EXPECT_TRUE(view.ok);
    EXPECT_EQ(view.paragraphs, std::vector<std::string>{"1+(2)"});
    EXPECT_EQ(view.lastAnswer, "3");
    EXPECT_EQ(OutcomeLabel(view.ok), Sjis("計算式： OK"));
}

TEST(FormulaDisplay, AnErrorShowsItsMessageThenTheMarkedFormula) {
    OutcomeView view = ViewOf("2*/3");
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(OutcomeLabel(view.ok), Sjis("計算式： NG"));
    EXPECT_EQ(MessageText(view.paragraphs, 80),
              Sjis("[E706][構文] 連続した演算子が有ります。\r\n>>3文字目>> 2*<?>/3"));
    EXPECT_EQ(view.lastAnswer, "error");
    // A fault found during the evaluation shows the checked formula with its first
    // character back in place; one without a position has no marker.
    view = ViewOf("1/0");
    EXPECT_EQ(view.paragraphs.at(1), "1/0");
    view = ViewOf("123456", {5, 28});
    EXPECT_EQ(view.paragraphs.at(0), Sjis("[E981][桁数] 計算結果の整数部が範囲を超えました。"));
    EXPECT_EQ(view.paragraphs.at(1), "123456");
}

TEST(FormulaDisplay, ALongMessageWrapsWithoutSplittingACharacter) {
    const OutcomeView view = ViewOf("((1)+2");  // E101, no position
    // At 8 bytes 構 would take bytes 8 and 9: it starts the next line.
    EXPECT_EQ(MessageText(view.paragraphs, 8),
              Sjis("[E101][\r\n構文] ( \r\nが閉じら\r\nれていま\r\nせん。\r\n((1)+2"));
}

TEST(FormulaDisplay, TheAnswerIsGroupedOrWrapped) {
    EXPECT_EQ(AnswerText("1234567", 3, 5), " 1 234 567");
    EXPECT_EQ(AnswerText("1234567", 0, 5), "12345\r\n67");
    EXPECT_EQ(AnswerText("error", 3, 40), "error");
    EXPECT_EQ(AnswerText("", 2, 40), "");
    const std::string answer = "0." + std::string(40, '3');
    const std::string grouped = AnswerText(answer, 3, 10);
    EXPECT_NE(grouped.find("\r\n"), std::string::npos) << "a long grouped answer wraps";
    EXPECT_EQ(grouped.find('\n'), grouped.find("\r\n") + 1) << "with CR LF";
}

}  // namespace
}  // namespace pemu::formula
