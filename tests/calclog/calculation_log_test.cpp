#include "calclog/calculation_log.hpp"

#include <gtest/gtest.h>

#include "../platform/temp_folder.hpp"

namespace pemu::calclog {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// A tape as the recorder writes it: a separator line, then value, label and mark lines.
std::string Tape(const std::string& body) {
    return " \r\n" + body;
}

TEST(AppendRun, EndMarkerAndRunOrder) {
    struct Case {
        const char* name;
        std::string existing, cleared, tape;
        bool keep;
        std::string expected;
    };
    const std::string runA = Tape("1+\r\n");
    const std::string runB = Tape("2=\r\n");
    const Case cases[] = {
        {"nothing at all stays empty", "", "", "", true, ""},
        {"empty run leaves a finished log", runA + " \r\nOn", "", "", true, runA + " \r\nOn"},
        {"cleared tapes come before the last tape", "", runA, runB, true, runA + runB + " \r\nOn"},
        {"second run starts right after On", runA + " \r\nOn", "", runB, true,
         runA + " \r\nOn" + runB + " \r\nOn"},
        {"without keeping only the marker is added", runA, "", runB, false, runA + " \r\nOn"},
        {"without keeping a finished log is unchanged", runA + " \r\nOn", runA, runB, false,
         runA + " \r\nOn"},
        {"a log without its end marker gets it", "abc\r\n", "", "", true, "abc\r\n \r\nOn"},
        {"bytes that are not CP932 pass unchanged", "\xff\x80\x81\r\n", "", "\x82", true,
         "\xff\x80\x81\r\n\x82 \r\nOn"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AppendRun(c.existing, c.cleared, c.tape, c.keep), c.expected) << c.name;
    }
}

TEST(AppendRun, CapCutsAtALineStart) {
    std::string old;
    while (old.size() < kLogCap)
        old += "1234567890123456789012345 \x81\x7b \r\n";
    old.resize(kLogCap);  // the last line is cut, as an old log could be
    const std::string run = Tape("12" + std::string(20, ' ') + "\x81\x96 \r\n");
    std::string text = AppendRun(old, "", run, true);
    EXPECT_LE(text.size(), kLogCap);
    EXPECT_EQ(text.substr(0, 2), "12") << "the first line is complete";
    EXPECT_TRUE(text.ends_with(run + " \r\nOn"));
    // The cut removes just the oldest text plus the rest of one line.
    EXPECT_GT(text.size(), kLogCap - 40);
}

TEST(AppendRun, OversizedLogOfManyRunsShrinksBelowTheCap) {
    std::string old;
    while (old.size() < 3 * kLogCap)
        old += Tape("5+\r\n") + " \r\nOn";
    std::string text = AppendRun(old, "", Tape("7=\r\n"), true);
    EXPECT_LE(text.size(), kLogCap);
    EXPECT_TRUE(text.ends_with(" \r\nOn"));
    EXPECT_TRUE(text.starts_with("On") || text.starts_with("5+") || text.starts_with(" \r\n"));
}

TEST(WriteCalculationLog, CreatesTheFileAndAppendsEachRun) {
    TempFolder dir;
    const std::string log = dir / "KenzanLog.txt";
    EXPECT_TRUE(WriteCalculationLog(log, "", Tape("1+\r\n"), true).changed);
    EXPECT_TRUE(WriteCalculationLog(log, "", Tape("2=\r\n"), true).changed);
    EXPECT_EQ(ReadFile(log), Tape("1+\r\n") + " \r\nOn" + Tape("2=\r\n") + " \r\nOn");
    LogWriteResult unchanged = WriteCalculationLog(log, "", "", true);
    EXPECT_TRUE(unchanged.io.ok);
    EXPECT_FALSE(unchanged.changed);
}

TEST(WriteCalculationLog, EmptyRunOnMissingFileLeavesAnEmptyFile) {
    TempFolder dir;
    const std::string log = dir / "KenzanLog.txt";
    EXPECT_TRUE(WriteCalculationLog(log, "", "", true).io.ok);
    EXPECT_TRUE(testing::Exists(log));
    EXPECT_EQ(ReadFile(log), "");
}

TEST(WriteCalculationLog, FullDiskKeepsTheOldLogAndReports) {
    TempFolder dir;
    const std::string log = dir / "KenzanLog.txt";
    const std::string old = std::string(3000, 'x') + "\r\n \r\nOn";
    WriteFile(log, old);
    LogWriteResult result;
    {
        testing::FullDisk full(2048);
        result = WriteCalculationLog(log, "", Tape("1+\r\n"), true);
    }
    EXPECT_FALSE(result.io.ok);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(ReadFile(log), old);
}

TEST(WriteCalculationLog, UnreadableLogIsNotReplaced) {
    TempFolder dir;
    const std::string log = dir / "KenzanLog.txt";
    testing::WriteFile(log + "/inside", "a folder where the log should be");
    LogWriteResult result = WriteCalculationLog(log, "", Tape("1+\r\n"), true);
    EXPECT_FALSE(result.io.ok);
    EXPECT_EQ(ReadFile(log + "/inside"), "a folder where the log should be");
    EXPECT_FALSE(WriteCalculationLog(dir / "no/such/folder/log.txt", "", "x", true).io.ok);
}

}  // namespace
}  // namespace pemu::calclog
