// The postfix form, the operator machine's own errors, the precision of an evaluation
// and the digit check, below what the golden files reach.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arithmetic/context.hpp"
#include "formula/formula_check.hpp"
#include "formula/formula_evaluate.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {
namespace {

TEST(FormulaEvaluate, PostfixKeepsSignsWithTheirNumbers) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"1+2*3", "1:2:3:*:+:"}, {"1*2+3", "1:2:*:3:+:"}, {"-3^2", "-3:2:^:"},
        {"2*-3", "2:-3:*:"},     {"2^3^2", "2:3:^:2:^:"}, {"3@3+1", "3:3:@:1:+:"},
        {"6/4*2", "6:4:/:2:*:"}, {"2^+1", "2:+1:^:"},
    };
    for (const auto& [inner, postfix] : cases)
        EXPECT_EQ(ToPostfix(inner), postfix) << inner;
}

struct MachineCase {
    const char* inner;
    int code;
};

TEST(FormulaEvaluate, TheOperatorMachineRefusesWhatItCannotRead) {
    const std::vector<MachineCase> cases = {
        {"1+", 811},  // an operator with one operand
        {"", 816},    // nothing left
    };
    for (const MachineCase& c : cases) {
        arith::ArithContext ctx;
        const Evaluated out = EvaluateExpression(ctx, c.inner);
        EXPECT_FALSE(out.Ok()) << c.inner;
        EXPECT_EQ(Number(out.error), c.code) << c.inner;
    }
}

TEST(FormulaEvaluate, AnOverflowingPendingDivisorIsAStackError) {
    arith::ArithContext ctx;
    FormulaError error;
    std::string text = CheckFormula(error, "1/(10^30)/(10^30)");
    EvaluateFormula(ctx, error, text, {20, 20});
    EXPECT_EQ(Number(error.code), 816);
    EXPECT_EQ(FormulaMessage(MessageNumber{816}), platform::Sjis("[E816][計算] STACK READ ERROR"));
}

TEST(FormulaEvaluate, PrecisionIsSetForTheRunAndBackTo20Afterwards) {
    for (const char* formula : {"1/3", "1/0", "sqrt(-1)", "2*/3"}) {
        arith::ArithContext ctx;
        FormulaError error;
        std::string text = CheckFormula(error, formula);
        EvaluateFormula(ctx, error, text, {100, 100});
        EXPECT_EQ(ctx.workIntDigits, 20) << formula;
        EXPECT_EQ(ctx.workFracDigits, 20) << formula;
        EXPECT_FALSE(ctx.divideError) << formula;
    }
    arith::ArithContext ctx;
    FormulaError error;
    std::string text = "1/3";
    EvaluateFormula(ctx, error, text, {100, 100});
    EXPECT_EQ(text, "0." + std::string(105, '3'));
}

TEST(FormulaEvaluate, TheLargestValuesOfTheSettingsFitTheOperands) {
    // 2 x (S + 5) integer digits and Y + 5 fraction digits at S = Y = 100.
    arith::ArithContext ctx;
    FormulaError error;
    const std::string big(210, '9');
    std::string text = CheckFormula(error, big.substr(0, 150) + "*" + big.substr(0, 60) + "+1/3");
    EvaluateFormula(ctx, error, text, {100, 100});
    ASSERT_FALSE(error.raised) << Number(error.code);
    EXPECT_EQ(text.find('.'), 210u);
    EXPECT_EQ(text.size(), 210u + 1 + 105);
}

TEST(FormulaEvaluate, SubtractionKeepsEveryDigitOfTheWidestValues) {
    // 200 integer and 105 fraction digits: longer than a 299-character operand.
    arith::ArithContext ctx;
    FormulaError error;
    const std::string wide = "1" + std::string(199, '0') + "+1/3";
    std::string text = CheckFormula(error, "(" + wide + ")-(" + wide + ")+1");
    EvaluateFormula(ctx, error, text, {100, 100});
    ASSERT_FALSE(error.raised) << Number(error.code);
    EXPECT_EQ(text, "1");
}

TEST(FormulaEvaluate, ACheckErrorIsNotEvaluated) {
    arith::ArithContext ctx;
    FormulaError error;
    std::string text = CheckFormula(error, "2*/3");
    EvaluateFormula(ctx, error, text, {20, 20});
    EXPECT_EQ(Number(error.code), 706);
    EXPECT_EQ(text, "E*/3");
}

TEST(FormulaEvaluate, ALongRewrittenTextIsRefused) {
    std::string formula;
    while (formula.size() < 4985)
        formula += "1+";
    formula += "(1/3)";
    arith::ArithContext ctx;
    FormulaError error;
    std::string text = CheckFormula(error, formula);
    ASSERT_FALSE(error.raised);
    EvaluateFormula(ctx, error, text, {20, 20});
    EXPECT_EQ(Number(error.code), 801);
    EXPECT_EQ(FormulaMessage(MessageNumber{801}),
              platform::Sjis("[E801][計算] 計算で使用出来る文字数の最大値を越えました。"));
}

struct DigitCase {
    const char* value;
    DigitLimits limits;
    const char* after;  // nullptr: error 2001
};

TEST(FormulaEvaluate, ResultDigitsAreCheckedAndTheFractionCut) {
    const std::vector<DigitCase> cases = {
        {"12345", {5, 3}, "12345"},   {"-12345", {5, 3}, "-12345"}, {"123456", {5, 3}, nullptr},
        {"-123456", {5, 3}, nullptr}, {"1.23456", {5, 3}, "1.234"}, {"0.0000001", {5, 3}, "0.000"},
        {"1.5", {5, 3}, "1.5"},
    };
    for (const DigitCase& c : cases) {
        FormulaError error;
        std::string text = c.value;
        CheckResultDigits(error, text, c.limits);
        if (c.after == nullptr) {
            EXPECT_EQ(Number(error.code), 2001) << c.value;
        } else {
            EXPECT_FALSE(error.raised) << c.value;
            EXPECT_EQ(text, c.after) << c.value;
        }
    }
}

TEST(FormulaEvaluate, GroupingLeavesPlainAndFailedTextsAlone) {
    EXPECT_EQ(FormatGrouped("1234567", 0), "1234567");
    EXPECT_EQ(FormatGrouped("error", 3), "error");
    EXPECT_EQ(FormatGrouped("", 3), "");
    EXPECT_EQ(FormatGrouped("1234567", 7), "1234567");
}

TEST(FormulaEvaluate, WrappedLinesHaveTheFullWidth) {
    const std::string text = "-" + std::string(60, '7') + "." + std::string(30, '1');
    for (const int group : {2, 3, 4, 5}) {
        const std::string shown = FormatGrouped(text, group);
        const std::size_t width = group == 3 ? 32 : 30;
        std::size_t start = 0;
        while (start < shown.size()) {
            std::size_t end = shown.find('\n', start);
            if (end == std::string::npos) end = shown.size();
            const std::string line = shown.substr(start, end - start);
            // A line ending at the width may carry the point as one more character.
            EXPECT_TRUE(line.size() == width || (line.size() == width + 1 && line.back() == '.'))
                << "group " << group << ": '" << line << "'";
            start = end + 1;
        }
        std::string digits;
        for (const char ch : shown) {
            if (ch != ' ' && ch != '\n') digits.push_back(ch);
        }
        EXPECT_EQ(digits, text) << "group " << group;
    }
}

}  // namespace
}  // namespace pemu::formula
