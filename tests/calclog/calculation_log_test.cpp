#include "calclog/calculation_log.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "../platform/temp_folder.hpp"
#include "../platform/posix_limits.hpp"
#include "platform/file_lock.hpp"

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

// A log an editor saved with CR or LF alone is cut at its own line ends: only the oldest
// text goes, never the whole log.
TEST(AppendRun, CapCutsAtTheLineEndsAnotherEditorLeft) {
    for (const std::string end : {"\r", "\n"}) {
        std::string old;
        while (old.size() < kLogCap)
            old += "1234567890123456789" + end;
        const std::string run = Tape("7=\r\n");
        const std::string text = AppendRun(old, "", run, true);
        EXPECT_LE(text.size(), kLogCap);
        EXPECT_GT(text.size(), kLogCap - 40) << "the old log is kept but for its oldest lines";
        EXPECT_TRUE(text.starts_with("1234567890123456789" + end));
        EXPECT_TRUE(text.ends_with(run + " \r\nOn"));
    }
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

// Several copies ending at once, each appending runs of two lines to one log that is already
// near its cap: every run arrives once, whole and in its copy's order, and the cap holds.
TEST(WriteCalculationLog, CopiesEndingAtOnceKeepEveryRunWhole) {
    TempFolder dir;
    const std::string log = dir / "KenzanLog.txt";
    std::string old;
    while (old.size() < kLogCap - 1000)
        old += "1234567890 \x81\x7b \r\n";
    WriteFile(log, old + " \r\nOn");
    constexpr int kCopies = 6;
    constexpr int kRuns = 8;
    const auto run = [](int copy, int n) {
        const std::string id = std::to_string(copy) + "." + std::to_string(n);
        return Tape(id + " first line\r\n" + id + " second line\r\n");
    };
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> copies;
    for (int copy = 0; copy < kCopies; ++copy) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(start[1]);
            char go = 0;
            (void)!::read(start[0], &go, 1);  // all begin when the pipe closes
            for (int n = 0; n < kRuns; ++n) {
                if (!WriteCalculationLog(log, "", run(copy, n), true).changed) ::_exit(2);
            }
            ::_exit(0);
        }
        copies.push_back(pid);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : copies) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const std::string text = ReadFile(log);
    EXPECT_LE(text.size(), kLogCap);
    EXPECT_TRUE(text.starts_with("1234567890 ") || text.starts_with("On")) << text.substr(0, 40);
    for (int copy = 0; copy < kCopies; ++copy) {
        std::size_t previous = 0;
        for (int n = 0; n < kRuns; ++n) {
            const std::string whole = "On" + run(copy, n) + " \r\n";
            const std::size_t at = text.find(whole);
            ASSERT_NE(at, std::string::npos) << "run " << copy << "." << n << " lost or torn";
            EXPECT_EQ(text.find(whole, at + 1), std::string::npos) << "twice";
            EXPECT_GT(at, previous) << "run " << copy << "." << n << " out of order";
            previous = at;
        }
    }
}

TEST(WriteCalculationLog, ALockKeptByAnotherCopyIsReportedAndTheLogKept) {
    TempFolder dir;
    const std::string log = dir / "KenzanLog.txt";
    WriteFile(log, Tape("1+\r\n") + " \r\nOn");
    {
        const platform::FileLock other = platform::FileLock::Acquire(LogLockPath(log), 0);
        ASSERT_TRUE(other.held());
        const LogWriteResult result = WriteCalculationLog(log, "", Tape("2=\r\n"), true, 50);
        EXPECT_FALSE(result.io.ok);
        EXPECT_NE(result.io.what.find(LogLockPath(log)), std::string::npos) << result.io.what;
        EXPECT_EQ(ReadFile(log), Tape("1+\r\n") + " \r\nOn");
    }
    EXPECT_TRUE(WriteCalculationLog(log, "", Tape("2=\r\n"), true, 50).changed);
    EXPECT_TRUE(DeleteCalculationLog(log).ok);
    EXPECT_FALSE(testing::Exists(log));
    EXPECT_TRUE(DeleteCalculationLog(log).ok) << "a missing log counts as deleted";
}

}  // namespace
}  // namespace pemu::calclog
