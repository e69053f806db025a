#include "tape/tape_recorder.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/codec.hpp"

namespace pemu::tape {
namespace {

using platform::Cp932ToUtf8;
using platform::Sjis;

struct FakeCore : CoreView {
    bool entering = true;
    bool repeatOne = false;
    int constantOperator = 0;
    std::string constantValue = "0";
    int pendingOperator = 0;
    int lastFunction = 0;
    bool grandTotalOn = false;
    KeyFamily makerType = KeyFamily::kSharp;

    bool Entering() const override { return entering; }
    bool RepeatCountIsOne() const override { return repeatOne; }
    int ConstantOperator() const override { return constantOperator; }
    std::string ConstantValue() const override { return constantValue; }
    int PendingOperator() const override { return pendingOperator; }
    int LastFunction() const override { return lastFunction; }
    bool GrandTotalOn() const override { return grandTotalOn; }
    KeyFamily MakerType() const override { return makerType; }
};

struct CountingListener {
    explicit CountingListener(TapeRecorder& tape)
        : onRefresh(tape.OnRefresh([this](int position) { refreshed.push_back(position); })),
          onCleared(tape.OnCleared([this] { ++cleared; })) {}
    std::vector<int> refreshed;
    int cleared = 0;
    TapeRecorder::Refreshed::Subscription onRefresh;
    TapeRecorder::Cleared::Subscription onCleared;
};

class TapeRecorderTest : public testing::Test {
  protected:
    TapeRecorderTest() : tape(&core) { tape.Options().autoDateOn = false; }

    // The tape as UTF-8 lines without CR LF.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(Cp932ToUtf8(tape.Log().TapeText()));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    std::string LastLine() const { return Cp932ToUtf8(tape.Log().LastLine()); }

    // Keys a + b = with the core's entry flag as a calculator would set it.
    void KeySum(const char* a, const char* b, const char* sum) {
        core.entering = true;
        tape.RecordStep(a, 17, StepRole::kStep);
        tape.RecordStep(b, 99, StepRole::kStep);
        tape.RecordStep(sum, 99, StepRole::kResult);
    }

    FakeCore core;
    TapeRecorder tape;
};

TEST_F(TapeRecorderTest, EveryLineCodeHasItsLabelMarkAndValueTreatment) {
    struct Case {
        int code;
        const char* value;
        const char* line;  // UTF-8
    };
    const Case cases[] = {
        {17, "1234.50", "1,234.5 ＋　 　"},
        {18, "-1234", "-1,234 －　 　"},
        {19, "12", "12 ×　 　"},
        {20, ".5", "0.5 ÷　 　"},
        {1, "50", "50 ％　 　"},
        {99, "", " ＝　 　"},
        {5, "3", "3 Ｍ+  　"},
        {6, "3", "3 Ｍ-  　"},
        {222, "120", "120 ＊　 　"},
        {223, "120", "120 ＊+  　"},
        {830, "0", " SC+  　"},
        {831, "0", " SC-  　"},
        {3, "5", "C  ◆Ｍ ‥"},
        {4, "1234", "1,234  ◇Ｍ ‥"},
        {50, "10", "10  ◇＊ ‥"},
        {51, "0", "C  ◆＊ ‥"},
        {7, "", " Ｃ　 　"},
        {16, "", " ＣＡ 　"},
        {240, "2", "√ 2  　　 ‥"},
        {9, "1.4142135", "= 1.4142135  　　 ‥"},
        {230, "1000", "BASE 1,000  　　 ‥"},
        {48, "80", "…TAX 80  　　 ‥"},
        {49, "800", "…TAX 800-　 　 ‥"},
        {11, "1080", "= 1,080  　　 ‥"},
        {12, "926", "= 926 　 　 ‥"},
        {801, "0", "0 Ｅ０ 　"},
        {807, "0", "0 Ｅ０ 　"},
        {802, "1.2345678", "1.2345678 ＥＦ 　"},
        {803, "0", "0 ＭＦ 　"},
        {804, "0", "0 ＊Ｆ 　"},
        {841, "", " ～　 　"},
        {999, "DIGIT:10 >>", "DIGIT:10 >>      ‥"},
        {-101, "", " "},
        {77, "1234", "1,234 　"},  // a code without a row: grouped, no label
    };
    for (const Case& c : cases) {
        tape.AppendLine(c.value, c.code);
        EXPECT_EQ(LastLine(), c.line) << "code " << c.code;
        EXPECT_EQ(tape.LastLineCode(), c.code);
    }
}

TEST_F(TapeRecorderTest, LabelsAndMarksHaveTheirFixedByteWidths) {
    for (int code : {17, 18, 19,  20, 1,   99, 5,  6,  222, 223, 830, 831, 3,   4,   50,  51,
                     7,  16, 240, 9,  230, 48, 49, 11, 12,  801, 802, 803, 804, 807, 841, 999}) {
        tape.AppendLine("", code);
        const std::string_view line = tape.Log().LastLine();
        ASSERT_GE(line.size(), 8u) << code;
        // The mark is a blank and one double-byte character; the symbol's lead byte sits
        // 7 bytes from the end (or the label is five blanks).
        EXPECT_EQ(line[line.size() - 3], ' ') << code;
        EXPECT_GE(static_cast<unsigned char>(line[line.size() - 2]), 0x81) << code;
    }
}

TEST_F(TapeRecorderTest, CLineLabelFollowsTheFamily) {
    core.makerType = KeyFamily::kCasio;
    tape.AppendLine("", 7);
    EXPECT_EQ(LastLine(), " ＡＣ 　");
}

TEST_F(TapeRecorderTest, DateLineUsesTheClock) {
    tape.SetClock([] {
        std::tm t{};
        t.tm_year = 126;
        t.tm_mon = 11;
        t.tm_mday = 10;
        t.tm_hour = 9;
        t.tm_min = 5;
        t.tm_sec = 7;
        return t;
    });
    tape.Options().autoDateOn = true;
    KeySum("1", "2", "3");
    EXPECT_EQ(LastLine(), "[2026/12/10 09:05:07]");
}

TEST_F(TapeRecorderTest, SecondIdenticalCalculationIsMarkedLineByLine) {
    KeySum("1", "2", "3");
    KeySum("1", "2", "3");
    KeySum("1", "3", "4");
    const std::vector<std::string> expected = {" ", "1 ＋　 　", "2 ＝　 　", "3 ＊　 　",
                                               " ", "1 ＋　 同", "2 ＝　 同", "3 ＊　 同",
                                               " ", "1 ＋　 同", "3 ＝　 　", "4 ＊　 　"};
    EXPECT_EQ(Lines(), expected);
}

TEST_F(TapeRecorderTest, CheckFunctionOffMarksNothing) {
    tape.Options().checkFunctionOn = false;
    KeySum("1", "2", "3");
    KeySum("1", "2", "3");
    EXPECT_EQ(LastLine(), "3 ＊　 　");
}

TEST_F(TapeRecorderTest, OperatorReplacementRewritesTheLineAboveReferenceLines) {
    core.entering = true;
    tape.RecordStep("5", 17, StepRole::kStep);
    tape.NoteDigits(10);
    tape.FlushSettingNotes();
    core.entering = false;
    core.pendingOperator = 17;  // + waits for its operand
    tape.RecordStep("5", 19, StepRole::kStep);
    const std::vector<std::string> expected = {" ", "5 ×　 　", "DIGIT:10 >>      ‥"};
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(tape.Steps().stepCount, 1);
    EXPECT_EQ(tape.Steps().stepList[0].kind, 19);
    EXPECT_EQ(tape.LastLineCode(), 999);  // the rewrite leaves the last code alone
}

TEST_F(TapeRecorderTest, EqualsOnAShownResultRecordsOnlyTheOperator) {
    core.entering = false;
    tape.RecordStep("7", 99, StepRole::kStep);
    EXPECT_EQ(LastLine(), " ＝　 　");
    EXPECT_EQ(tape.Steps().stepList[0].value, "");
}

TEST_F(TapeRecorderTest, RepeatedSignChangeOverwritesItsStep) {
    core.entering = false;
    tape.RecordStep("0", 831, StepRole::kStep);
    tape.RemoveLastLines(1);
    tape.RecordStep("0", 830, StepRole::kStep);
    EXPECT_EQ(tape.Steps().stepCount, 1);
    EXPECT_EQ(tape.Steps().stepList[0].kind, 830);
    EXPECT_TRUE(tape.LastWasSignChange());
}

TEST_F(TapeRecorderTest, AFullStepListStillWritesLinesWithoutMarks) {
    for (int i = 0; i < kStepListMax + 5; ++i)
        tape.RecordStep("1", 17, StepRole::kStep);
    EXPECT_EQ(tape.Steps().stepCount, kStepListMax);
    EXPECT_EQ(tape.LineCount(), kStepListMax + 5 + 1);  // and the first separator
    tape.RecordStep("9", 99, StepRole::kResult);
    EXPECT_EQ(tape.Steps().previousLast, kStepListMax - 1);
    EXPECT_EQ(tape.Steps().stepCount, 0);
}

TEST_F(TapeRecorderTest, ConstantNoteFollowsTheFirstConstantResult) {
    core.repeatOne = true;
    core.constantOperator = 19;
    core.constantValue = "12345";
    KeySum("1", "2", "3");
    EXPECT_EQ(LastLine(), "K:×12,345 >>      ‥");
    EXPECT_TRUE(tape.IsCalculationEmpty());
}

TEST_F(TapeRecorderTest, SettingNotesReplaceUnflushedOnesAndFlushBySlot) {
    tape.NoteSelectors({.round = RoundSelector::kCut, .decimal = DecimalSelector::kF});
    tape.NoteFamily(KeyFamily::kCasio);
    tape.NoteSelectors({.round = RoundSelector::kHalfUp, .decimal = DecimalSelector::kAddMode});
    tape.NoteCheckFunction(false);
    tape.NoteTaxRate("0.1");
    tape.NoteSetting(6, std::string(60, 'x'));
    EXPECT_EQ(tape.SettingNote(6).size(), kSettingNoteMax);
    tape.FlushSettingNotes();
    const std::vector<std::string> expected = {"TYPE:CASIO >>      ‥", "Rs:5/4 Dc:A >>      ‥",
                                               "TAX:0.1 >>      ‥", "検算機能:OFF >>      ‥",
                                               std::string(kSettingNoteMax, 'x') + "      ‥"};
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(tape.SettingNote(1), "");
}

TEST_F(TapeRecorderTest, ClearTapeKeepsTheTextAndCarriesAnOpenCalculation) {
    CountingListener observer(tape);
    KeySum("1", "2", "3");
    const std::string before = tape.Log().TapeText();
    tape.ClearTape();
    EXPECT_EQ(tape.Log().ClearedText(), before);
    EXPECT_EQ(tape.LineCount(), 0);
    EXPECT_EQ(observer.cleared, 1);

    core.pendingOperator = 17;
    tape.ClearTape();
    const std::vector<std::string> expected = {" ", " ～　 　"};
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(observer.refreshed, (std::vector<int>{0, 0}));
    observer.onRefresh.Reset();
    observer.onCleared.Reset();
    tape.RefreshView(3);
    EXPECT_EQ(observer.refreshed.size(), 2u);
}

TEST_F(TapeRecorderTest, UndoRemovesOnlyTheLinesOfTheLastPress) {
    tape.AppendLine("", -101);
    tape.AppendLine("1000", 230);
    tape.AppendLine("80", 48);
    tape.AppendLine("1080", 11);
    tape.UndoTaxLines();
    EXPECT_EQ(tape.LineCount(), 1);
    tape.AppendLine("2", 240);
    tape.AppendLine("1.41", 9);
    tape.UndoRootLines();
    EXPECT_EQ(tape.LineCount(), 1);
    tape.UndoRootLines();  // the root lines are gone: nothing more is removed
    EXPECT_EQ(tape.LineCount(), 1);
}

}  // namespace
}  // namespace pemu::tape
