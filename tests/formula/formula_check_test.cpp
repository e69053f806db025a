// The syntax check as a normaliser (what the evaluator is given) and the errors that only
// long texts reach.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/formula_check.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {
namespace {

struct Normalised {
    const char* input;  // UTF-8
    const char* checked;
};

TEST(FormulaCheck, NormalisesToTheTextTheEvaluatorTrusts) {
    const std::vector<Normalised> cases = {
        {"（１＋２）×３", "(1+2)*3"},
        {" 1 +\t2\r\n", "1+2"},
        {"1\"note\"+2", "1+2"},
        {"(1+2", "(1+2)"},
        {"((1+2", "((1+2))"},
        {"(((1)", "(((1)))"},
        {"1+(", "1)"},
        {"+5", "5"},
        {".5+5.", "0.5+5.0"},
        {"3+-2", "3-2"},
        {"3--2", "3+2"},
        {"3---2", "3-2"},
        {"2pi", "2pi(1)"},
        {"π", "pi(1)"},
        {"√2", "sq(2)"},
        {"√+2", "sq(+2)"},
        {"√2+3", "sq(2)+3"},
        {"√sin30", "sq(sin(30))"},
        {"√sin(30)+1", "sq(sin(30))+1"},
        {"sqrt(4)", "sq(4)"},
        {"√(4)", "sq(4)"},
        {"1.5e3", "1500"},
        {"2e-3", "0.002"},
        {"1e-25", "0"},
        {"2E2", "200"},
        {"ceil(1.5)+exp(1)", "ceil(1.5)+exp(1)"},
        {"sin30", "sin(30)"},
        {"sin-30", "sin(-30)"},
        {"2sin30cos60", "2sin(30)cos(60)"},
        {"2*-3", "2*-3"},
        {"ＳＩＮ（３０）", "sin(30)"},
    };
    for (const Normalised& c : cases) {
        FormulaError error;
        const std::string out = CheckFormula(error, platform::Utf8ToCp932(c.input));
        EXPECT_FALSE(error.raised) << c.input << " gave error " << Number(error.code);
        EXPECT_EQ(out, c.checked) << c.input;
    }
}

TEST(FormulaCheck, AnErrorMarksTheTextAndKeepsItsFirstCharacter) {
    FormulaError error;
    std::string out = CheckFormula(error, "2*/3");
    EXPECT_TRUE(error.raised);
    EXPECT_EQ(Number(error.code), 706);
    EXPECT_EQ(error.position, 3);
    EXPECT_EQ(out, "E*/3");
    RestoreFirstChar(error, out);
    EXPECT_EQ(out, "2*/3");
}

TEST(FormulaCheck, ARaisedErrorStopsEveryLaterPass) {
    FormulaError error;
    std::string text = "(*3)";
    RaiseFormulaError(error, text, MessageNumber{102}, 0);
    const std::string out = CheckFormula(error, "2*/3");
    EXPECT_EQ(Number(error.code), 102);
    EXPECT_EQ(out, "2*/3");
}

// "1+1+...+" in front of tail, so that the whole is `length` characters long.
std::string Padded(const std::string& tail, std::size_t length) {
    const std::size_t fill = length - tail.size();
    std::string text = fill % 2 == 1 ? "1" : "";
    while (text.size() < fill)
        text += "1+";
    return text + tail;
}

struct LongCase {
    const char* what;
    std::string input;
    int code;
    const char* message;  // UTF-8; "" for the codes without text
};

constexpr const char* kTooLong = "計算で使用出来る文字数の最大値を越えました。";

TEST(FormulaCheck, LongTextsReachTheLengthErrors) {
    const std::vector<LongCase> cases = {
        {"more than 5000 characters", std::string(5001, '1'), 1, "[E001][構文] "},
        {"5000 characters after normalisation", std::string(5000, '1'), 103, "[E103][構文] "},
        {"no room for the 0 after a point", Padded("1.+5.", 4999), 203, "[E203][構文] "},
        {"no room for the 0 before a point", Padded("1.+.5", 4999), 202, "[E202][構文] "},
        {"no room to expand pi", Padded("pi", 4993), 301, "[E301][構文] "},
        {"no room before a root's number", Padded(".5+sq2", 4999), 502,
         "[E502][構文] √の直後のマイナスが曖昧です。"},
        {"no room around a root's function argument", Padded("sqsin2", 4999), 504, ""},
        {"no room to close a root", Padded("sq2", 4999), 505, ""},
        {"notation above 300 characters", std::string(300, '1') + "e1", 601,
         "[E601][指数] 指数の表記が最大値を超えています。"},
        {"expanded number beyond the text", Padded("1e-20", 4990), 602,
         "[E602][指数] 指数を数値に直した際に、式全体の最大文字数を超えます。"},
        {"number of 301 characters", std::string(301, '1'), 701,
         "[E701][構文] 数値の最大表記文字数を超えています。"},
        {"no room for a function's parentheses", Padded("sin2", 4998), 721, "[E721][構文] "},
        {"no room around a signed argument", Padded("sin-2", 4998), 722, "[E722][構文] "},
    };
    for (const LongCase& c : cases) {
        FormulaError error;
        CheckFormula(error, c.input);
        EXPECT_EQ(Number(error.code), c.code) << c.what << " (" << c.input.size() << " characters)";
        // The length messages share one text after their code.
        std::string message = c.message;
        if (!message.empty() && message.back() == ' ') message += kTooLong;
        EXPECT_EQ(FormulaMessage(error.code), platform::Sjis(message)) << c.what;
    }
}

TEST(FormulaCheck, NumbersAndTextsJustWithinTheLimitsPass) {
    const std::vector<std::string> inputs = {
        std::string(300, '1'),
        Padded("sq2", 4998),
        Padded("1e-19", 4960),
        Padded("sin2", 4990),
    };
    for (const std::string& input : inputs) {
        FormulaError error;
        CheckFormula(error, input);
        EXPECT_FALSE(error.raised) << input.size() << " characters: error " << Number(error.code);
    }
}

TEST(FormulaCheck, FunctionNamesAreExactAndLowerCase) {
    for (const char* name :
         {"sin",  "cos",  "tan", "asin", "acos", "atan", "asn",   "acs",  "atn", "sinh",
          "cosh", "tanh", "log", "ln",   "exp",  "ceil", "floor", "fabs", "sq",  "pi"}) {
        EXPECT_TRUE(IsFunctionName(name)) << name;
    }
    for (const char* name : {"sqrt", "Sin", "si", "sinx", "", "e"}) {
        EXPECT_FALSE(IsFunctionName(name)) << name;
    }
}

}  // namespace
}  // namespace pemu::formula
