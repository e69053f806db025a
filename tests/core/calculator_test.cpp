// Setters, family changes, key dispatch, the display call order and the state of marks.
#include "core/calculator.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.hpp"
#include "platform/codec.hpp"

namespace pemu::core {
namespace {

using testing::Engine;

bool Has(const std::vector<std::string>& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

TEST(Setters, EachFamilyCoercesTheSelectorsAndLabelsNameTheValuePassed) {
    struct Case {
        KeyFamily family;
        int round;
        int decimal;
        int storedRound;
        int storedDecimal;
        const char* labRs;
        const char* labDc;
    };
    const Case cases[] = {
        {kMakerSharp, 999, 999, 2, 999, "F", "F"},  // SHARP has no F on the round selector
        {kMakerSharp, 3, 22, 3, 22, "UP", "A"},    {kMakerSharp, 7, 9, 2, 999, "F", "F"},
        {kMakerCasio, 999, 999, 999, 5, "F", "F"},  // CASIO has no F on the decimal one
        {kMakerCasio, 4, 0, 4, 0, "5/4", "0"},     {kMakerCasio, 1, 6, 999, 5, "F", "F"},
    };
    for (const Case& c : cases) {
        StartupSettings settings;
        settings.roundSelecter = c.round;
        settings.decimalSelecter = c.decimal;
        Engine e(c.family, settings);
        EXPECT_EQ(StoredSelector(e.State().roundSelector), c.storedRound)
            << StoredFamily(c.family) << " " << c.round;
        EXPECT_EQ(StoredSelector(e.State().decimalSelector), c.storedDecimal)
            << StoredFamily(c.family) << " " << c.decimal;
        Engine fresh(c.family);
        fresh.calc.SetRoundSelector(c.round);
        fresh.calc.SetDecimalSelector(c.decimal);
        EXPECT_EQ(fresh.display.Label(DisplayLabel::kLabRs), c.labRs);
        EXPECT_EQ(fresh.display.Label(DisplayLabel::kLabDc), c.labDc);
    }
}

TEST(Setters, SelectorChangeAfterStartIsNotedOnTheTape) {
    Engine e;
    e.calc.SetDecimalSelector(3);
    EXPECT_EQ(platform::Cp932ToUtf8(e.tape.SettingNote(2)), "Rs:CT Dc:3 >>");
    EXPECT_EQ(e.calc.TakeFocus(), Focus::kFocusField);
    e.tape.FlushSettingNotes();
    e.calc.SetDecimalSelector(3);  // the same value again: nothing
    EXPECT_EQ(e.tape.SettingNote(2), "");
}

TEST(Setters, PanelDigitOutsideEightToFourteenIsFourteen) {
    Engine e;
    for (auto [given, stored] : {std::pair{8, 8}, {20, 14}, {7, 14}, {11, 11}}) {
        e.calc.SetPanelDigit(given);
        EXPECT_EQ(e.State().panelDigit, stored) << given;
    }
    EXPECT_EQ(e.tape.SettingNote(3), "DIGIT:11 >>");
}

TEST(Setters, FamilySwitchMovesFAndClearsTheConstant) {
    Engine e;  // SHARP, decimal F
    e.Keys("3*4=");
    ASSERT_EQ(e.State().constantOperator, kKeyMultiply);
    e.calc.SetMakerType(kMakerCasio);
    EXPECT_EQ(e.State().roundSelector, kRoundF);
    EXPECT_EQ(StoredSelector(e.State().decimalSelector), 5);
    EXPECT_EQ(e.State().constantOperator, 0);
    EXPECT_EQ(e.State().constantValue, "0");
    EXPECT_TRUE(Has(e.shell.calls, "refresh-keys"));
    EXPECT_TRUE(Has(e.shell.calls, "family 2"));
    EXPECT_EQ(e.tape.SettingNote(1), "TYPE:CASIO >>");

    e.calc.SetMakerType(kMakerSharp);
    EXPECT_EQ(e.State().roundSelector, kRoundCut);
    EXPECT_EQ(e.State().decimalSelector, kDecimalF);
    EXPECT_EQ(e.tape.SettingNote(2), "Rs:CT Dc:F >>");
}

TEST(Setters, LeavingCasioTakesTheKMarkAway) {
    Engine e(kMakerCasio);
    e.Keys("5**");
    ASSERT_TRUE(e.State().markOn[kMarkConstant]);
    e.calc.SetMakerType(kMakerSharp);
    EXPECT_FALSE(e.State().markOn[kMarkConstant]);
}

TEST(Setters, TakingTheKMarkAwayKeepsTheShownFunction) {
    Engine e(kMakerCasio);
    e.Keys("5**9");
    e.calc.ExecuteKey(kKeyRoot);
    ASSERT_EQ(e.State().lastFunction, kKeyRoot);
    ASSERT_TRUE(e.State().markOn[kMarkConstant]);
    e.calc.SetMakerType(kMakerSharp);
    EXPECT_EQ(e.State().lastFunction, kKeyRoot);
    e.Keys("7");  // replaces the root shown instead of extending it
    EXPECT_EQ(e.State().displayValue, "7");
}

TEST(Setters, BadStoredTaxRateFallsBackToTheDefault) {
    StartupSettings settings;
    settings.zeiritu = "abc";
    EXPECT_EQ(Engine(kMakerSharp, settings).State().taxRate, "0.08");
    settings.zeiritu = "0.1";
    EXPECT_EQ(Engine(kMakerSharp, settings).State().taxRate, "0.1");
}

TEST(Dispatch, ShellKeysPassThroughEvenDuringAnError) {
    Engine e;
    e.Keys("1/0=");
    ASSERT_EQ(e.State().errorCode, kErrorZero);
    e.shell.calls.clear();
    for (int code : {10, 22, 23, 24, 25, 26})
        e.calc.ExecuteKey(code);
    for (int code : {10, 22, 23, 24, 25, 26}) {
        EXPECT_TRUE(Has(e.shell.calls, "shell " + std::to_string(code))) << code;
    }
}

TEST(Dispatch, SecondClearKeysAndUnknownCodesOnlyPress) {
    Engine e;
    e.Keys("12+3");
    const CalculatorState before = e.State();
    for (int code : {8, 38, 39, 0, 45, 100, -1}) {
        e.shell.calls.clear();
        e.display.ClearCalls();
        e.calc.TakeFocus();
        e.calc.ExecuteKey(code);
        EXPECT_EQ(e.shell.calls, std::vector<std::string>{"press " + std::to_string(code)});
        EXPECT_EQ(e.calc.TakeFocus(), Focus::kUnchanged) << code;
        EXPECT_TRUE(e.display.Calls().empty()) << code;
    }
    EXPECT_EQ(e.State().displayValue, before.displayValue);
    EXPECT_EQ(e.State().pendingOperator, before.pendingOperator);
}

TEST(Dispatch, RefusedKeysChangeNothingWhileAnErrorIsShown) {
    Engine e;
    e.Keys("5/0=");
    const std::string tape = e.tape.Log().TapeText();
    for (int code : {27, 21, 17, 99, 37}) {
        e.calc.TakeFocus();
        e.calc.ExecuteKey(code);
        EXPECT_EQ(e.calc.TakeFocus(), Focus::kFocusField) << code;
        EXPECT_EQ(e.State().displayValue, "0");
        EXPECT_EQ(e.State().errorCode, kErrorZero);
    }
    EXPECT_EQ(e.tape.Log().TapeText(), tape);
}

TEST(DisplayOrder, AnOperatorErasesFunctionMarksThenOperatorMarksThenLightsItsOwn) {
    Engine e;
    e.Keys("3");
    e.display.ClearCalls();
    e.calc.TakeFocus();
    e.Keys("+");
    const std::vector<std::string> expected = {"label labIpt 3",
                                               "erase-strip function-marks",
                                               "blank 99",
                                               "blank 53",
                                               "erase-strip operator-marks",
                                               "copy 17",
                                               "number 3",
                                               "label labAns 3"};
    EXPECT_EQ(e.display.Calls(), expected);
    EXPECT_EQ(e.calc.TakeFocus(), Focus::kMainWindow);
}

TEST(DisplayOrder, ErrorDrawsZeroThenTheEMark) {
    Engine e;
    e.Keys("1/0");
    e.display.ClearCalls();
    e.Keys("=");
    const auto& calls = e.display.Calls();
    const auto zero = std::find(calls.begin(), calls.end(), "number 0");
    ASSERT_NE(zero, calls.end());
    EXPECT_EQ(*(zero + 1), "copy 58");
    EXPECT_TRUE(e.State().markOn[kMarkError]);
}

TEST(Marks, KMarkIsRedrawnWithEveryNumberInTheCasioConstantMode) {
    Engine e(kMakerCasio);
    e.Keys("5**3");
    EXPECT_TRUE(e.State().markOn[kMarkConstant]);
    e.display.ClearCalls();
    e.calc.ExecuteKey(kKeyClearEntry);
    EXPECT_TRUE(e.State().markOn[kMarkConstant]);
    const auto& calls = e.display.Calls();
    const auto zero = std::find(calls.begin(), calls.end(), "number 0");
    ASSERT_NE(zero, calls.end());
    EXPECT_EQ(*(zero + 1), "copy 59");
}

TEST(Marks, RedrawMarksRepaintsTheStoredFlagsAndKeepsTheFunction) {
    Engine e;
    e.Keys("3+");
    e.display.ClearCalls();
    e.calc.RedrawMarks();
    const auto& calls = e.display.Calls();
    EXPECT_EQ(calls.front(), "erase-strip whole");
    EXPECT_TRUE(Has(calls, "copy 17"));
    EXPECT_TRUE(Has(calls, "blank 18"));
    EXPECT_TRUE(Has(calls, "erase-panel 58"));
    EXPECT_EQ(e.State().lastFunction, 0);
}

TEST(Marks, PercentLightsTheEqualsPlace) {
    Engine e(kMakerCasio);
    e.Keys("50");
    e.calc.ExecuteKey(kKeyPercent);
    EXPECT_TRUE(e.State().markOn[kMarkEquals]);
    EXPECT_FALSE(e.State().markOn[Mark{kKeyPercent}]);
    e.Keys("1");
    EXPECT_FALSE(e.State().markOn[kMarkEquals]);
}

TEST(Labels, AnswerAndOperandShowThousandsSeparators) {
    Engine e;
    e.Keys("1234567.891+");
    EXPECT_EQ(e.display.Label(DisplayLabel::kLabAns), "1,234,567.891");
    EXPECT_EQ(e.display.Label(DisplayLabel::kLabIpt), "1,234,567.891");
    e.Keys("0-123456=");
    EXPECT_EQ(e.display.Label(DisplayLabel::kLabIpt), "123,456");
}

TEST(Constant, CasioRepeatCountRunsToOneHundredThenStartsAgain) {
    Engine e(kMakerCasio);
    e.Keys("1**1");
    for (int i = 1; i <= 102; ++i) {
        e.Keys("=");
        const int expected = i <= 100 ? i : i - 101;
        ASSERT_EQ(e.State().repeatCount, expected) << i;
    }
}

TEST(Constant, SharpSetsNoRepeatCount) {
    Engine e;
    e.Keys("3*4==");
    EXPECT_EQ(e.State().repeatCount, 0);
}

TEST(Copy, ClipboardGetsTheStoredTextAndTheCopyMarkLights) {
    Engine e;
    e.Keys("0-1234.5=");
    e.calc.CopyDisplay();
    EXPECT_TRUE(Has(e.shell.calls, "clipboard -1234.5"));
    EXPECT_TRUE(e.State().markOn[kMarkCopy]);
    e.Keys("1");
    EXPECT_FALSE(e.State().markOn[kMarkCopy]);
}

TEST(Recalculation, ResumeFromTapeSetsTheAnswerAndOperator) {
    Engine e;
    e.calc.ResumeFromTape("1234", kKeyDivide, "56.5");
    EXPECT_EQ(e.State().answerValue, "56.5");
    EXPECT_EQ(e.State().pendingOperator, kKeyDivide);
    EXPECT_EQ(e.State().displayValue, "56.5");
    EXPECT_TRUE(e.State().markOn[kMarkDivide]);
    EXPECT_EQ(e.display.Label(DisplayLabel::kLabIpt), "1,234");
    e.Keys("2=");
    EXPECT_EQ(e.State().displayValue, "28.25");
}

TEST(Clear, CasioCClearsTheGrandTotalSharpCKeepsIt) {
    for (const KeyFamily family : {kMakerSharp, kMakerCasio}) {
        Engine e(family);
        e.Keys("2*3=");
        ASSERT_EQ(e.State().grandTotalValue, "6");
        e.calc.ExecuteKey(kKeyClear);
        const bool kept = family == kMakerSharp;
        EXPECT_EQ(e.State().grandTotalValue, kept ? "6" : "0") << StoredFamily(family);
        EXPECT_EQ(e.State().markOn[kMarkGrandTotal], kept) << StoredFamily(family);
        EXPECT_EQ(e.State().answerCheckValue, kept ? "6" : "CLEAR") << StoredFamily(family);
        e.calc.ExecuteKey(kKeyClearAll);
        EXPECT_EQ(e.State().grandTotalValue, "0");
    }
}

}  // namespace
}  // namespace pemu::core

namespace pemu::core {
namespace {

std::vector<std::string> TapeLines(const testing::Engine& e) {
    std::vector<std::string> lines;
    const std::string text = platform::Cp932ToUtf8(e.tape.Log().TapeText());
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST(TapeFromKeys, ASelectorNoteIsWrittenAfterTheNextStep) {
    testing::Engine e;
    e.calc.SetDecimalSelector(2);
    e.calc.SetPanelDigit(10);
    e.Keys("1+");
    const std::vector<std::string> expected = {" ", "1 ＋　 　", "Rs:CT Dc:2 >>      ‥",
                                               "DIGIT:10 >>      ‥"};
    EXPECT_EQ(TapeLines(e), expected);
}

TEST(TapeFromKeys, ClearingTheTapeCarriesTheOpenCalculationOver) {
    testing::Engine e;
    e.Keys("5+");
    e.tape.ClearTape();
    e.Keys("3=");
    const std::vector<std::string> expected = {" ", " ～　 　", "3 ＝　 　", "8 ＊+  　"};
    EXPECT_EQ(TapeLines(e), expected);
    EXPECT_EQ(platform::Cp932ToUtf8(e.tape.Log().ClearedText()), " \r\n5 ＋　 　\r\n");
}

TEST(TapeFromKeys, ClearingAfterAResultStartsAnEmptyTape) {
    testing::Engine e;
    e.Keys("5+3=");
    e.tape.ClearTape();
    EXPECT_EQ(e.tape.LineCount(), 0);
}

}  // namespace
}  // namespace pemu::core

namespace pemu::core {
namespace {

bool IsShownNumber(const std::string& s) {
    if (s.empty()) return false;
    std::size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    int points = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '.') {
            ++points;
        } else if (s[i] < '0' || s[i] > '9') {
            return false;
        }
    }
    return points <= 1;
}

// Any order of keys, in both families and with every selector, keeps the registers in
// their 19 characters, the display a number, the error code known and the tape count true.
TEST(Robustness, LongSessionsOfArbitraryKeysKeepTheInvariants) {
    const int keys[] = {1,  2,  3,  4,  5,  6,  7,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19,
                        20, 21, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 99, 99, 36, 35};
    const int known[] = {0, 801, 802, 803, 804, 805, 807};
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (const KeyFamily family : {kMakerSharp, kMakerCasio}) {
        for (auto [round, decimal] : {std::pair{999, 999}, {4, 2}, {2, 0}, {3, 22}, {4, 5}}) {
            StartupSettings settings;
            settings.roundSelecter = round;
            settings.decimalSelecter = decimal;
            settings.panelDigit = 8 + static_cast<int>(next() % 7);
            testing::Engine e(family, settings);
            for (int i = 0; i < 3000; ++i) {
                e.calc.ExecuteKey(keys[next() % std::size(keys)]);
                const CalculatorState& s = e.State();
                ASSERT_TRUE(IsShownNumber(s.displayValue)) << s.displayValue << " key " << i;
                for (const std::string* r : {&s.displayValue, &s.answerValue, &s.constantValue,
                                             &s.memoryValue, &s.grandTotalValue}) {
                    ASSERT_LT(r->size(), kRegisterSize) << *r;
                }
                ASSERT_NE(std::find(std::begin(known), std::end(known), CodeOf(s.errorCode)),
                          std::end(known))
                    << CodeOf(s.errorCode);
            }
            const std::string& text = e.tape.Log().TapeText();
            int ends = 0;
            for (std::size_t p = text.find("\r\n"); p != std::string::npos;
                 p = text.find("\r\n", p + 2)) {
                ++ends;
            }
            EXPECT_EQ(e.tape.LineCount(), ends);
        }
    }
}

}  // namespace
}  // namespace pemu::core

namespace pemu::core {
namespace {

TEST(SetMarkState, FunctionMarksRecordTheFunctionAndOffForgetsIt) {
    struct Case {
        int code;
        int lastFunctionWhenOn;
    };
    const Case cases[] = {{4, 4},   {9, 9},  {11, 11}, {12, 12}, {48, 48}, {49, 49},
                          {50, 50}, {17, 0}, {99, 0},  {57, 0},  {54, 0},  {58, 0}};
    for (const Case& c : cases) {
        testing::Engine e;
        e.calc.SetMark(Mark{c.code}, true);
        EXPECT_EQ(e.State().lastFunction, c.lastFunctionWhenOn) << c.code;
        EXPECT_TRUE(e.State().markOn[Mark{c.code}]) << c.code;
        e.calc.SetMark(Mark{4}, true);
        e.calc.SetMark(Mark{c.code}, false);
        EXPECT_EQ(e.State().lastFunction, 0) << c.code;
    }
}

TEST(SetMarkState, MemoryMarkMirrorsTheFlagAndKeepsTheFunction) {
    testing::Engine e;
    e.calc.SetMark(Mark{9}, true);
    e.calc.SetMark(kMarkMemory, true);
    EXPECT_TRUE(e.State().memoryMark);
    e.calc.SetMark(kMarkMemory, false);
    EXPECT_FALSE(e.State().memoryMark);
    EXPECT_EQ(e.State().lastFunction, 9);
}

TEST(SetMarkState, UnlistedCodesDrawAndChangeNothing) {
    testing::Engine e;
    e.calc.SetMark(Mark{9}, true);
    e.display.ClearCalls();
    for (int code : {51, 0, 2, 7, 60, 99 + 1}) {
        e.calc.SetMark(Mark{code}, false);
        e.calc.SetMark(Mark{code}, true);
    }
    EXPECT_TRUE(e.display.Calls().empty());
    EXPECT_EQ(e.State().lastFunction, 9);
}

TEST(SetMarkState, ClearFunctionMarksKeepsMemoryGrandTotalAndMemoryOverflowFlags) {
    testing::Engine e;
    for (int code : {4, 9, 11, 50, 54, 55, 56, 57, 52, 15, 99, 53, 17})
        e.calc.SetMark(Mark{code}, true);
    e.calc.ClearFunctionMarks();
    for (int code : {4, 9, 11, 50, 54, 56, 57, 99, 53}) {
        EXPECT_FALSE(e.State().markOn[Mark{code}]) << code;
    }
    for (int code : {52, 15, 55, 17}) {
        EXPECT_TRUE(e.State().markOn[Mark{code}]) << code;
    }
    e.calc.ClearOperatorMarks();
    EXPECT_FALSE(e.State().markOn[Mark{17}]);
    EXPECT_EQ(e.State().lastFunction, 0);
}

}  // namespace
}  // namespace pemu::core
