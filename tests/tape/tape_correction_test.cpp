// Correction and recalculation through the real calculator: which lines may be edited, the
// input box an edit opens with, and what an edit leaves in the tape, the step lists and the
// calculator. The golden files of tests/golden/corrections hold the plain cases.
#include "tape/tape_correction.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "core/key_session.hpp"
#include "platform/codec.hpp"

namespace pemu::tape {
namespace {

using platform::Cp932ToUtf8;
using platform::Sjis;

core::KeySessionOptions Options(core::KeyFamily family = core::kMakerSharp, int digits = 14) {
    core::KeySessionOptions options;
    options.family = family;
    options.settings.grandTotal = false;
    options.settings.panelDigit = digits;
    return options;
}

class CorrectionTest : public testing::Test {
  protected:
    explicit CorrectionTest(const core::KeySessionOptions& options = Options())
        : session(options) {}

    void Keys(const std::string& tokens) {
        std::istringstream in(tokens);
        for (std::string token; in >> token;)
            session.Run(token);
    }
    // The fifth and sixth fields of the edit's line: its result and message.
    std::string Edit(const std::string& token) {
        const std::string line = session.Edit(token);
        const std::size_t tab = line.rfind('\t');
        const std::size_t before = line.rfind('\t', tab - 1);
        return line.substr(before + 1);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        std::istringstream in(Cp932ToUtf8(session.Tape().Log().TapeText()));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    const core::CalculatorState& State() { return session.Calc().State(); }
    TapeCorrection& Correction() { return session.Correction(); }
    TapeView& View() { return session.View(); }
    TapeRecorder& Tape() { return session.Tape(); }

    core::KeySession session;
};

TEST_F(CorrectionTest, StepClearAndSettingLinesCanBeEditedNotesDatesAndCarriedOverCannot) {
    // A calculation carried over a cleared tape, dates, setting notes of a family change
    // and a constant, a root, a clear, and the notes of a recalculation.
    Tape().Options().autoDateOn = true;
    Keys("5 +");
    Tape().ClearTape();
    Keys("6 = 1 * 2 =");
    session.Calc().SetMakerType(core::kMakerCasio);
    Keys("3 * * 4 = 9 SQRT C");
    EXPECT_EQ(Edit("@change:2:7:="), "0\t-");
    const std::vector<std::string> lines = Lines();
    ASSERT_GT(lines.size(), 20u);
    for (int n = 1; n < static_cast<int>(lines.size()); ++n) {
        ASSERT_TRUE(View().SelectLine(n));
        const std::string& line = lines[static_cast<std::size_t>(n)];
        const bool refused = line.front() == '[' || line.back() == '<' ||
                             line.find("～") != std::string::npos || line == " ";
        EXPECT_EQ(Correction().EditableLine(), !refused) << n << ": " << line;
    }
}

TEST_F(CorrectionTest, ARowWithoutALineCannotBeEdited) {
    Keys("5 +");
    View().SelectRow(3);
    EXPECT_FALSE(Correction().EditableLine());
    EXPECT_FALSE(Correction().PrepareEdit(kEditChange));
    EXPECT_EQ(Correction().DeleteLine().result, kEditNothing);
    View().SelectRow(1);
    EXPECT_TRUE(Correction().EditableLine());
}

TEST_F(CorrectionTest, ChangeOpensWithTheLinesValueAndSymbolInsertWithNothingAndPlus) {
    Keys("1234 - =");
    ASSERT_TRUE(View().SelectLine(1));
    ASSERT_TRUE(Correction().PrepareEdit(kEditChange));
    const EditForm& form = Correction().Form();
    EXPECT_EQ(form.symbols, SymbolItems());  // a finished calculation offers all six
    EXPECT_EQ(form.field.Text(), "1234");    // without its separator
    EXPECT_EQ(form.selected, 1u);            // "－"
    EXPECT_EQ(View().EditMode(), kEditChange);
    ASSERT_TRUE(View().SelectLine(2));  // " ＝　": an operator with no number
    ASSERT_TRUE(Correction().PrepareEdit(kEditChange));
    EXPECT_EQ(form.field.Text(), "");
    EXPECT_EQ(form.selected, 4u);
    ASSERT_TRUE(Correction().PrepareEdit(kEditInsert));
    EXPECT_EQ(form.field.Text(), "");
    EXPECT_EQ(form.selected, 0u);
    EXPECT_EQ(View().EditMode(), kEditInsert);
}

TEST_F(CorrectionTest, TheOpenCalculationOffersNoEqualsOrPercent) {
    Keys("5 + 9 SQRT +");
    for (int n = 1; n <= 4; ++n) {
        ASSERT_TRUE(View().SelectLine(n));
        EXPECT_TRUE(Correction().InLiveCalculation()) << n;  // the root lines too
        ASSERT_TRUE(Correction().PrepareEdit(kEditInsert));
        EXPECT_EQ(Correction().Form().symbols.size(), kOpenCalculationSymbols) << n;
    }
    Keys("=");
    ASSERT_TRUE(View().SelectLine(1));
    EXPECT_FALSE(Correction().InLiveCalculation());
}

TEST_F(CorrectionTest, AnInvalidNumberChangesNothingAndTheInputBoxStaysOpen) {
    Keys("5 + 3 =");
    const std::string before = Tape().Log().TapeText();
    ASSERT_TRUE(View().SelectLine(2));
    ASSERT_TRUE(Correction().PrepareEdit(kEditChange));
    Correction().Form().field.SetText("-");
    const EditOutcome outcome = Correction().UpdateRunClick();
    EXPECT_EQ(outcome.result, kEditBadNumber);
    EXPECT_EQ(Cp932ToUtf8(outcome.message), "数値が正しくありません。");
    EXPECT_EQ(Tape().Log().TapeText(), before);
    EXPECT_EQ(View().EditMode(), kEditChange);
}

TEST_F(CorrectionTest, ApplyingWithNoEditOpenDoesNothing) {
    Keys("5 + 3 =");
    const std::string before = Tape().Log().TapeText();
    ASSERT_TRUE(View().SelectLine(2));
    View().OpenCommandPanel();
    EXPECT_EQ(Correction().UpdateRunClick().result, kEditNothing);
    EXPECT_EQ(Tape().Log().TapeText(), before);
}

class EightDigitCorrectionTest : public CorrectionTest {
  protected:
    EightDigitCorrectionTest() : CorrectionTest(Options(core::kMakerSharp, 8)) {}
};

TEST_F(EightDigitCorrectionTest, OverflowInTheOpenCalculationRestoresEverythingExactly) {
    Keys("1 + 2 + 3 = 50000000 + 40000000 +");
    const std::string tape = Tape().Log().TapeText();
    const int count = Tape().Log().LineCount();
    const StepLists steps = Tape().Steps();
    const int lastCode = Tape().LastLineCode();
    const core::CalculatorState state = State();
    const int first = View().FirstNumber();
    EXPECT_EQ(Edit("@change:7:60000000:+"), "4\t2行目でオーバーフローします。");
    EXPECT_EQ(Tape().Log().TapeText(), tape);
    EXPECT_EQ(Tape().Log().LineCount(), count);
    EXPECT_EQ(Tape().Steps().stepCount, steps.stepCount);
    for (int i = 0; i < steps.stepCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        EXPECT_EQ(Tape().Steps().stepList[index].value, steps.stepList[index].value);
        EXPECT_EQ(Tape().Steps().stepList[index].kind, steps.stepList[index].kind);
    }
    EXPECT_EQ(Tape().LastLineCode(), lastCode);
    EXPECT_EQ(State().answerValue, state.answerValue);
    EXPECT_EQ(State().pendingOperator, state.pendingOperator);
    EXPECT_EQ(State().displayValue, state.displayValue);
    EXPECT_EQ(View().FirstNumber(), first);
    EXPECT_EQ(View().EditMode(), kEditNone);
    Keys("=");
    EXPECT_EQ(State().displayValue, "90000000");
}

TEST_F(EightDigitCorrectionTest, TheAnswerHandedToTheCalculatorIsCutToTheDisplayWidth) {
    Keys("1 / 4 +");
    EXPECT_EQ(Edit("@change:2:3:+"), "0\t-");
    EXPECT_EQ(State().answerValue, "0.3333333");
    EXPECT_EQ(State().displayValue, "0.3333333");
    EXPECT_EQ(State().pendingOperator, core::kKeyAdd);
}

TEST_F(CorrectionTest, ADivisionByZeroInARecalculationDoesNotReachTheNextKey) {
    // SHARP 0 / = is 1 / 0: the arithmetic raises its divide flag inside the step.
    Keys("0 / 2 =");
    EXPECT_EQ(Edit("@change:2::="), "0\t-");
    const auto lines = Lines();
    EXPECT_EQ(lines[3], "0 ＥＦ 　");
    EXPECT_EQ(lines[5], "※オーバーフロー(0除算)行:2 <<");
    Keys("3 + 4 =");
    EXPECT_EQ(State().displayValue, "7");
    EXPECT_EQ(State().errorCode, core::kNoError);
}

TEST_F(CorrectionTest, ARefusedInsertionIsCorrectedInPlaceWhenAppliedAgain) {
    Keys("5 + 3 =");
    ASSERT_TRUE(View().SelectLine(1));
    ASSERT_TRUE(Correction().PrepareEdit(kEditInsert));
    Correction().Form().selected = 5;  // "％" with no number
    EXPECT_EQ(Correction().UpdateRunClick().result, kRecalcPercentAlone);
    EXPECT_EQ(Lines()[1], " ％　 修");
    EXPECT_EQ(View().EditMode(), kEditChange);
    Correction().Form().field.SetText("2");
    Correction().Form().selected = 0;
    EXPECT_EQ(Correction().UpdateRunClick().result, kRecalcDone);
    const auto lines = Lines();
    EXPECT_EQ(lines[1], "2 ＋　 修");
    EXPECT_EQ(lines[2], "5 ＋　 　");
    EXPECT_EQ(lines[4], "10 ＊　 　");
}

TEST_F(CorrectionTest, NotesAfterAHandEditedTapeEndAreNotTakenForTaxLines) {
    Keys("100 TAX+");
    // "…TAX 8" becomes a step; the recalculation ends the tape with its notes.
    EXPECT_EQ(Edit("@change:2:5:+"), "0\t-");
    const std::vector<std::string> before = Lines();
    Keys("TAX+");  // a second press undoes its own lines only
    const std::vector<std::string> after = Lines();
    ASSERT_GE(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
}

TEST_F(CorrectionTest, TheDateNoteTakesTheTapesClock) {
    Tape().Options().autoDateOn = true;
    Tape().SetClock([] {
        std::tm t{};
        t.tm_year = 2024 - 1900;
        t.tm_mon = 4;
        t.tm_mday = 6;
        t.tm_hour = 7;
        t.tm_min = 8;
        t.tm_sec = 9;
        return t;
    });
    Keys("100 + 50 =");
    EXPECT_EQ(Edit("@change:2:70:="), "0\t-");
    const auto lines = Lines();
    EXPECT_EQ(lines.back(), "[2024/05/06 07:08:09] <<");
    EXPECT_EQ(lines[lines.size() - 2], "1st:150 ＊　 <<");
    // The old date line is dropped with the old result.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.front() == '['; }),
              1);
}

TEST_F(CorrectionTest, ACorrectionInAScrolledViewChangesTheCursorLineAndKeepsTheView) {
    for (int i = 0; i < 12; ++i)
        Keys("1 + " + std::to_string(i) + " =");
    ASSERT_EQ(View().NumberedLines(), 47);
    ASSERT_TRUE(View().SelectLine(9));  // "1 ＋" of the third calculation
    const int first = View().FirstNumber();
    const int row = View().CursorRow();
    ASSERT_GT(View().RowsBelow(), 0);
    ASSERT_TRUE(Correction().PrepareEdit(kEditChange));
    Correction().Form().field.SetText("7");
    EXPECT_EQ(Correction().UpdateRunClick().result, kRecalcDone);
    const auto lines = Lines();
    EXPECT_EQ(lines[9], "7 ＋　 修");
    EXPECT_EQ(lines[10], "2 ＝　 　");
    EXPECT_EQ(lines[11], "9 ＊　 　");
    EXPECT_EQ(lines[12], "-------------------- <<");
    EXPECT_EQ(lines[15], "1st:3 ＊　 <<");
    EXPECT_EQ(lines[16], " ");
    EXPECT_EQ(lines[17], "1 ＋　 同");  // the next calculation is untouched
    EXPECT_EQ(lines[18], "3 ＝　 　");
    EXPECT_EQ(View().FirstNumber(), first);
    EXPECT_EQ(View().CursorRow(), row);
    EXPECT_EQ(View().EditMode(), kEditNone);
}

TEST_F(CorrectionTest, TheBlockForThePopupViewerIsTrimmedAndASeparatorHasNone) {
    Keys("2 * 3 = +/- + 4 =");
    ASSERT_TRUE(View().SelectLine(6));
    const CalculationBlock block = Correction().CursorBlock();
    ASSERT_TRUE(block.found);
    EXPECT_EQ(Cp932ToUtf8(block.text), "SC-  　\r\n ＋　 　\r\n4 ＝　 　\r\n-2 ＊　 　");
    ASSERT_TRUE(View().SelectLine(4));  // the separator between the two
    EXPECT_FALSE(Correction().CursorBlock().found);
    EXPECT_FALSE(Correction().EditableLine());
}

TEST_F(CorrectionTest, ASignChangeLineKeepsItsLeadingBlankThroughARecalculation) {
    Keys("2 * 3 + +/- 4 =");
    EXPECT_EQ(Edit("@change:1:5:*"), "0\t-");
    const auto lines = Lines();
    EXPECT_EQ(lines[1], "5 ×　 修");
    EXPECT_EQ(lines[3], " SC-  　");
    EXPECT_EQ(lines[4], "4 ＝　 　");
    EXPECT_EQ(lines[5], "-11 ＊　 　");  // -(5 × 3) + 4
}

TEST_F(CorrectionTest, ACalculationStartingWithASignChangeIsRefusedAndTheTapeKept) {
    // The value whose sign changed is the result of the calculation before: not among this
    // calculation's lines, so no correct result could be worked out from them.
    Keys("2 * 3 = +/- + 4 =");
    const std::string before = Tape().Log().TapeText();
    const std::string message =
        platform::Sjis("符号を変えた値が検算テープにないため、この計算は再計算できません。");
    EXPECT_EQ(Edit("@change:7:5:="), "5\t" + platform::Cp932ToUtf8(message));
    EXPECT_EQ(Tape().Log().TapeText(), before);
    EXPECT_EQ(State().displayValue, "-2");
}

TEST_F(CorrectionTest, StepsBeyondTheThousandthAreCountedButNotCompared) {
    // The same 1005 steps twice: the list holds 1000 of them.
    std::string keys;
    for (int i = 0; i < 1005; ++i)
        keys += "1 + ";
    Keys(keys + "=");
    Keys(keys);
    ASSERT_EQ(Tape().Steps().stepCount, kStepListMax);
    // 1005 steps, " ＝", the result and a separator: the second calculation's first line.
    const int first = 1005 + 4;
    EXPECT_EQ(Edit("@change:" + std::to_string(first) + ":2:+"), "0\t-");
    EXPECT_EQ(State().answerValue, "1006");
    EXPECT_EQ(State().pendingOperator, core::kKeyAdd);
    EXPECT_EQ(Tape().Steps().stepCount, kStepListMax);
    const auto lines = Lines();
    EXPECT_EQ(lines[static_cast<std::size_t>(first)], "2 ＋　 修");
    EXPECT_EQ(lines[static_cast<std::size_t>(first) + 999], "1 ＋　 同");   // the 1000th step
    EXPECT_EQ(lines[static_cast<std::size_t>(first) + 1000], "1 ＋　 　");  // not compared
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(first) + 1005);
}

class CasioCorrectionTest : public CorrectionTest {
  protected:
    CasioCorrectionTest() : CorrectionTest(Options(core::kMakerCasio)) {}
};

TEST_F(CasioCorrectionTest, TheAcLineOfACasioClearIsAnEditableLine) {
    Keys("5 + C");
    ASSERT_TRUE(View().SelectLine(2));
    ASSERT_EQ(Lines()[2], " ＡＣ 　");
    EXPECT_TRUE(Correction().EditableLine());
}

}  // namespace
}  // namespace pemu::tape
