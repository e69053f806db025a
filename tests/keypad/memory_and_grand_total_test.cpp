// Memory and grand total beyond the key files (tests/golden/keys/keypad_memory.txt and
// keypad_grand_total.txt): their tape lines, the switch panel's reset event and the memory
// kept across a restart through the settings store.
#include <gtest/gtest.h>

#include "core/memory_store_port.hpp"
#include "key_run.hpp"
#include "platform/codec.hpp"

namespace pemu::keypad_test {
namespace {

TEST(MemoryTape, RecallAndClearWriteOneLineEach) {
    const auto session = RunKeys("-- 12 M+ MR MR MC MC");
    EXPECT_TRUE(TapeEndsWith(*session, " \n12  ◇Ｍ ‥\nC  ◆Ｍ ‥\n"));
}

TEST(GrandTotalTape, OverflowLine) {
    const auto session = RunKeys("--digits 8 -- 99999999 = 1 =");
    EXPECT_TRUE(TapeEndsWith(*session, "1 ＊+  　\n0 ＊Ｆ 　\n"));
}

TEST(MemoryTape, OverflowLine) {
    const auto session = RunKeys("--digits 8 -- 50000000 M+ 50000000 M+");
    EXPECT_TRUE(TapeEndsWith(*session, "50,000,000 Ｍ+  同\n0 ＭＦ 　\n"));
}

// The error line of an overflowing register is written after the step's own refresh; an
// open tape window must still show it at once, not with the next key.
TEST(RegisterOverflowTape, ErrorLineIsShownByTheKeyThatCausedIt) {
    for (const auto& [keys, last] :
         {std::pair{"--digits 8 -- 99999999 = 1 =", "0 ＊Ｆ 　"},
          std::pair{"--digits 8 -- 50000000 M+ 50000000 M+", "0 ＭＦ 　"}}) {
        const auto session = RunKeys(keys);
        const auto rows = session->View().Rows();
        ASSERT_FALSE(rows.empty()) << keys;
        EXPECT_EQ(platform::Cp932ToUtf8(rows.back().text), last) << keys;
        EXPECT_EQ(rows.back().number, session->View().NumberedLines()) << keys;
    }
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
    PressAll(*session, "2 * 3 =");
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
    const char* options = "--";  // the display width the value must fit
};

class MemoryRestore : public testing::TestWithParam<RestoreCase> {};

TEST_P(MemoryRestore, ReadAtStart) {
    const RestoreCase& c = GetParam();
    core::InMemoryMemoryStore store;
    store.SetMemory(c.memory);
    store.SetMemoryOn(c.memoryOn);
    store.SetMemoryRead(c.memoryRead);
    auto session = RunKeys(c.options);
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
    testing::Values(
        RestoreCase{"Restored", "-12.5", true, true, "-12.5", true},
        RestoreCase{"KeepSettingOff", "-12.5", true, false, "0", false},
        RestoreCase{"MemoryWasEmpty", "-12.5", false, true, "0", false},
        RestoreCase{"FullWidth", "-1234567.8901234", true, true, "-1234567.8901234", true},
        RestoreCase{"WiderThanTheDisplayIgnored", "1234567890123456789", true, true, "0", false},
        RestoreCase{"LongerThanTheRegisterIgnored", "12345678901234567890123", true, true, "0",
                    false},
        RestoreCase{"FractionBeyondTheDisplayIgnored", "0.12345678901234", true, true, "0", false},
        RestoreCase{"FitsEightDigits", "-1234.5678", true, true, "-1234.5678", true,
                    "--digits 8 --"},
        RestoreCase{"WiderThanEightDigitsIgnored", "123456789", true, true, "0", false,
                    "--digits 8 --"},
        RestoreCase{"NotANumberIgnored", "12abc", true, true, "0", false},
        RestoreCase{"EmptyTextIgnored", "", true, true, "0", false},
        RestoreCase{"PointAloneIgnored", ".", true, true, "0", false},
        RestoreCase{"PlusSignIgnored", "+5", true, true, "0", false}),
    [](const testing::TestParamInfo<RestoreCase>& info) { return info.param.name; });

// A damaged "Memory" of 19 digits: MR shows 0 (the value is ignored), and the next steps
// compute instead of raising an error.
TEST(MemoryStore, OverlongStoredMemoryNeverReachesTheDisplay) {
    core::InMemoryMemoryStore store;
    store.SetMemory("1234567890123456789");
    store.SetMemoryOn(true);
    auto session = RunKeys("--");
    session->Calc().ApplyStartupSettings(core::StartupSettings{}, &store);
    PressAll(*session, "MR * 2 =");
    EXPECT_EQ(session->Calc().State().displayValue, "0");
    EXPECT_EQ(session->Calc().State().errorCode, core::kNoError);
    EXPECT_FALSE(session->Calc().State().markOn[core::kMarkMemory]);
}

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
