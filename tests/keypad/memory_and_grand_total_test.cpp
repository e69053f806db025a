// MC MR M+ M-, GT and the accumulation of results, their overflow errors, the reset points
// and the memory kept across a restart.
#include <gtest/gtest.h>

#include "core/memory_store_port.hpp"
#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

class MemoryAndGrandTotalKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(MemoryAndGrandTotalKeys, ShowsTheResultAndMarks) {
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Memory, MemoryAndGrandTotalKeys,
    testing::Values(
        KeyCase{"PlusCompletesTheCalculation", "-- 3 * 4 M+", "12", "5,52,99"},
        KeyCase{"RecallShowsMemory", "-- 3 * 4 M+ C MR", "12", "4,52"},
        KeyCase{"ClearThenPlus", "-- 3 * 4 M+ MC 5 M+ MR", "5", "4,52"},
        KeyCase{"MinusIntoEmptyMemory", "-- 10 M- MR", "-10", "4,52"},
        KeyCase{"PlusOfZeroLeavesMarkOff", "-- 0 M+", "0", "5,99"},
        KeyCase{"ClearKeepsTheDisplay", "-- 3 M+ MR MC", "3", "-"},
        KeyCase{"RecallThenDigit", "-- 3 M+ MR 7", "7", "52"},
        KeyCase{"RecallIsTheOperand", "-- 3 M+ 10 + MR =", "13", "15,52,99"},
        KeyCase{"RoundedAndPadded", "--decimal 2 --round 5/4 -- 10 / 3 M+ C MR", "3.33", "4,52"},
        KeyCase{"OperatorWaitingSquares", "-- 5 * M+ MR", "25", "4,52"},
        KeyCase{"OperatorWaitingDropsConstant", "--family casio -- 5 * * M+ 3 =", "3", "15,52,99"},
        KeyCase{"ClearAfterRootKeepsRootReplaceable", "-- 9 SQRT MC 5", "5", "-"},
        KeyCase{"Overflow", "--digits 8 -- 50000000 M+ 50000000 M+", "0", "52,54,55,58", 803},
        KeyCase{"OverflowRefusesKeys", "--digits 8 -- 50000000 M+ 50000000 M+ MR 5", "0",
                "52,54,55,58", 803},
        KeyCase{"StepErrorStopsTheUpdate", "-- 5 / 0 M+ C MR", "0", "4"},
        KeyCase{"KeptByClear", "-- 5 M+ C MR", "5", "4,52"},
        KeyCase{"KeptByCasioClear", "--family casio -- 5 M+ C MR", "5", "4,52"},
        KeyCase{"ClearedByClearAll", "-- 5 M+ CA MR", "0", "4"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    GrandTotal, MemoryAndGrandTotalKeys,
    testing::Values(
        KeyCase{"SumOfResults", "-- 2 * 3 = 4 * 5 = GT", "26", "15,50"},
        KeyCase{"TwiceClears", "-- 2 * 3 = 4 * 5 = GT GT", "26", "-"},
        KeyCase{"ThriceShowsZero", "-- 2 * 3 = 4 * 5 = GT GT GT", "0", "50"},
        KeyCase{"DigitAfterClearStartsNewNumber", "-- 2 * 3 = GT GT 5", "5", "-"},
        KeyCase{"ConstantResultsBothAdded", "-- 3 * 4 = 5 = GT", "27", "15,50"},
        KeyCase{"DigitStartsNewNumber", "-- 2 * 3 = GT 5", "5", "15"},
        KeyCase{"IsTheOperand", "-- 2 * 3 = GT + 1 =", "7", "15,99"},
        KeyCase{"OperatorResultNotAdded", "-- 2 * 3 + 1 GT", "0", "17,50"},
        KeyCase{"MemoryResultNotAdded", "-- 3 M+ GT", "0", "50,52"},
        KeyCase{"TaxResultNotAdded", "--round CUT --decimal 0 -- 1000 TAX+ GT", "0", "50"},
        KeyCase{"SharpPercentAdded", "-- 200 * 15 % GT", "30", "15,50"},
        KeyCase{"CasioPercentNotAdded", "--family casio -- 200 * 15 % GT", "0", "50"},
        KeyCase{"SharpClearKeeps", "-- 2 * 3 = C GT", "6", "15,50"},
        KeyCase{"CasioClearClears", "--family casio -- 2 * 3 = C GT", "0", "50"},
        KeyCase{"ClearAllClears", "-- 2 * 3 = CA GT", "0", "50"},
        KeyCase{"SettingOff", "--no-gt -- 2 * 3 = GT", "0", "50"},
        KeyCase{"RoundedAndPadded", "--decimal 1 --round 5/4 -- 1 / 3 = GT", "0.3", "15,50"},
        KeyCase{"Overflow", "--digits 8 -- 99999999 = 1 =", "0", "15,54,56,58", 804},
        KeyCase{"OverflowKeepsTotal", "--digits 8 -- 99999999 = 1 = C GT", "99999999", "15,50"}),
    CaseName);

TEST(MemoryOverflow, MemoryKeepsItsValue) {
    const auto session = RunKeys("--digits 8 -- 50000000 M+ 50000000 M+ C MR");
    EXPECT_EQ(session->Calc().State().memoryValue, "50000000");
    EXPECT_EQ(session->Calc().State().displayValue, "50000000");
    EXPECT_EQ(session->Calc().State().errorCode, 0);
}

TEST(MemoryTape, RecallAndClearWriteOneLineEach) {
    const auto session = RunKeys("-- 12 M+ MR MR MC MC");
    const std::string tape = session->TapeUtf8();
    const std::string tail = " \n12  ◇Ｍ ‥\nC  ◆Ｍ ‥\n";
    ASSERT_GE(tape.size(), tail.size());
    EXPECT_EQ(tape.substr(tape.size() - tail.size()), tail) << tape;
}

TEST(GrandTotalTape, RecallThenClear) {
    const auto session = RunKeys("-- 2 * 3 = GT GT");
    const std::string tape = session->TapeUtf8();
    const std::string tail = " \n6  ◇＊ ‥\nC  ◆＊ ‥\n";
    ASSERT_GE(tape.size(), tail.size());
    EXPECT_EQ(tape.substr(tape.size() - tail.size()), tail) << tape;
}

TEST(GrandTotalTape, OverflowLine) {
    const auto session = RunKeys("--digits 8 -- 99999999 = 1 =");
    const std::string tape = session->TapeUtf8();
    const std::string tail = "1 ＊+  　\n0 ＊Ｆ 　\n";
    ASSERT_GE(tape.size(), tail.size());
    EXPECT_EQ(tape.substr(tape.size() - tail.size()), tail) << tape;
}

TEST(MemoryTape, OverflowLine) {
    const auto session = RunKeys("--digits 8 -- 50000000 M+ 50000000 M+");
    const std::string tape = session->TapeUtf8();
    const std::string tail = "50,000,000 Ｍ+  同\n0 ＭＦ 　\n";
    ASSERT_GE(tape.size(), tail.size());
    EXPECT_EQ(tape.substr(tape.size() - tail.size()), tail) << tape;
}

// The switch panel's grand total setting: a change clears the total, the same value keeps it,
// and the shown function value stays replaceable by a digit.
TEST(GrandTotalSwitch, ChangeClearsTheTotal) {
    auto session = RunKeys("-- 2 * 3 =");
    core::Calculator& calc = session->Calc();
    calc.SwitchGrandTotal(true);
    EXPECT_EQ(calc.State().grandTotalValue, "6");
    calc.SwitchGrandTotal(false);
    EXPECT_EQ(calc.State().grandTotalValue, "0");
    EXPECT_FALSE(calc.State().markOn[core::kMarkGrandTotal]);
    calc.SwitchGrandTotal(true);
    for (const char* token : {"2", "*", "3", "="})
        session->Press(token);
    EXPECT_EQ(calc.State().grandTotalValue, "6");
}

TEST(GrandTotalSwitch, RecalledMemoryStaysReplaceable) {
    auto session = RunKeys("-- 3 M+ MR");
    session->Calc().SwitchGrandTotal(false);
    session->Press("5");
    EXPECT_EQ(session->Calc().State().displayValue, "5");
}

// The memory through the settings store: saved at exit, read back at start only when both
// "MemoryRead" and "MemoryOn" are on, and never a text that is no number.
TEST(MemoryStore, SavedAtExit) {
    const auto session = RunKeys("-- 12 M+");
    core::InMemoryMemoryStore store;
    session->Calc().SaveMemory(store);
    EXPECT_EQ(store.Memory(), "12");
    EXPECT_TRUE(store.MemoryOn());
}

TEST(MemoryStore, EmptyMemorySavedOff) {
    const auto session = RunKeys("-- 12 M+ MC");
    core::InMemoryMemoryStore store;
    store.SetMemoryOn(true);
    session->Calc().SaveMemory(store);
    EXPECT_EQ(store.Memory(), "0");
    EXPECT_FALSE(store.MemoryOn());
}

struct RestoreCase {
    const char* name;
    const char* memory;
    bool memoryOn;
    bool memoryRead;
    const char* restored;
    bool mark;
};

class MemoryRestore : public testing::TestWithParam<RestoreCase> {};

TEST_P(MemoryRestore, ReadAtStart) {
    const RestoreCase& c = GetParam();
    core::InMemoryMemoryStore store;
    store.SetMemory(c.memory);
    store.SetMemoryOn(c.memoryOn);
    store.SetMemoryRead(c.memoryRead);
    auto session = RunKeys("--");
    core::Calculator& calc = session->Calc();
    calc.RestoreMemory(store);
    EXPECT_EQ(calc.State().memoryValue, c.restored);
    EXPECT_EQ(calc.State().markOn[core::kMarkMemory], c.mark);
    EXPECT_EQ(calc.State().memoryMark, c.mark);
    session->Press("MR");
    EXPECT_EQ(calc.State().displayValue, c.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MemoryRestore,
    testing::Values(RestoreCase{"Restored", "-12.5", true, true, "-12.5", true},
                    RestoreCase{"KeepSettingOff", "-12.5", true, false, "0", false},
                    RestoreCase{"MemoryWasEmpty", "-12.5", false, true, "0", false},
                    RestoreCase{"BoundedToRegister", "12345678901234567890123", true, true,
                                "1234567890123456789", true},
                    RestoreCase{"NotANumberIgnored", "12abc", true, true, "0", false},
                    RestoreCase{"EmptyTextIgnored", "", true, true, "0", false}),
    [](const testing::TestParamInfo<RestoreCase>& info) { return info.param.name; });

TEST(MemoryStore, RestoredThroughStartupSettings) {
    core::InMemoryMemoryStore store;
    store.SetMemory("7");
    store.SetMemoryOn(true);
    core::RecordingDisplay display;
    core::NullShell shell;
    tape::TapeRecorder tape;
    core::Calculator calc(display, shell, tape);
    calc.ApplyStartupSettings(core::StartupSettings{}, &store);
    EXPECT_EQ(calc.State().memoryValue, "7");
    calc.ExecuteKey(core::kKeyMemoryPlus);
    EXPECT_EQ(calc.State().memoryValue, "7");
    calc.ExecuteKey(core::kKeyDigit1 + 2);
    calc.ExecuteKey(core::kKeyMemoryPlus);
    EXPECT_EQ(calc.State().memoryValue, "10");
}

}  // namespace
}  // namespace pemu::keypad_test
