#include "calclog/log_view.hpp"

#include <gtest/gtest.h>

#include "../platform/temp_folder.hpp"
#include "platform/codec.hpp"

namespace pemu::calclog {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(FormatLogLine, CutsOrPadsToThirtyColumns) {
    const std::string forty = "1234567890abcdefghijABCDEFGHIJklmnopqrst";
    // "＋" is two bytes: a 31-byte line would cut it in half.
    const std::string plus = platform::Sjis("＋");
    struct Case {
        const char* name;
        std::string line, expected;
    };
    const Case cases[] = {
        {"40 characters keep the last 30", forty, forty.substr(10)},
        {"5 characters get 25 spaces in front", "12345", std::string(25, ' ') + "12345"},
        {"exactly 30 stay as they are", forty.substr(0, 30), forty.substr(0, 30)},
        {"blank ends are trimmed before the count", "  \t12345 \r\n",
         std::string(25, ' ') + "12345"},
        {"an empty line is 30 spaces", "", std::string(30, ' ')},
        {"a halved double-byte character becomes a space", "x" + plus + std::string(29, '9'),
         " " + std::string(29, '9')},
        {"a whole double-byte character at the cut is kept", "x" + plus + std::string(28, '9'),
         plus + std::string(28, '9')},
    };
    for (const Case& c : cases) {
        const std::string got = FormatLogLine(c.line);
        EXPECT_EQ(got, c.expected) << c.name;
        EXPECT_EQ(got.size(), kLogLineWidth) << c.name;
    }
}

TEST(SplitLogLines, BreaksAtLineEndsWithoutAnEmptyLastLine) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLogLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLogLines("a\r\n\r\nOn"), (Lines{"a", "", "On"})) << "unterminated last piece";
    EXPECT_EQ(SplitLogLines("a\nb"), (Lines{"a", "b"})) << "a bare LF breaks too";
    EXPECT_EQ(SplitLogLines("a\rb\r"), (Lines{"a", "b"})) << "and a bare CR";
    EXPECT_EQ(SplitLogLines("a\r\rb\n\r\nc"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(SplitLogLines(""), Lines{});
    // A trail byte is never CR or LF: a double-byte character stays whole.
    const std::string kanji = platform::Sjis("検算");
    EXPECT_EQ(SplitLogLines(kanji + "\r\n"), (Lines{kanji}));
}

TEST(SaveLogText, WritesEveryLineInThirtyColumnsWithCrLf) {
    TempFolder folder;
    const std::string path = folder / "saved.txt";
    const std::string forty(40, '7');
    ASSERT_TRUE(SaveLogText(path, forty + "\r\n12345"));
    EXPECT_EQ(ReadFile(path), std::string(30, '7') + "\r\n" + std::string(25, ' ') + "12345\r\n");
    // A folder that does not exist: the failure is reported, nothing is half written.
    const platform::IoResult failed = SaveLogText(folder / "missing/saved.txt", "1");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.what.empty());
}

TEST(ReadLogFile, CreatesAMissingLogEmptyAndReadsAnExistingOneWhole) {
    TempFolder folder;
    const std::string path = folder / "KenzanLog.txt";
    LogRead read = ReadLogFile(path);
    EXPECT_TRUE(read.io.ok);
    EXPECT_EQ(read.text, "");
    EXPECT_TRUE(testing::Exists(path));

    const std::string big = std::string(5000, 'x') + "\r\n \r\nOn";
    WriteFile(path, big);
    read = ReadLogFile(path);
    EXPECT_EQ(read.text, big);
    EXPECT_FALSE(ReadLogFile(folder / "no/such/KenzanLog.txt").io.ok);
}

TEST(LogViewText, FileThenClearedTapesThenTape) {
    EXPECT_EQ(LogViewText("old \r\nOn", " \r\ncleared\r\n", " \r\nnow\r\n"),
              "old \r\nOn \r\ncleared\r\n \r\nnow\r\n");
}

TEST(AcceptedLogFontSize, OnlyTheOfferedSizes) {
    for (int size : kLogFontSizes)
        EXPECT_EQ(AcceptedLogFontSize(size), size);
    for (int size : {0, 11, 13, 24, 41, -12})
        EXPECT_EQ(AcceptedLogFontSize(size), 12) << size;
}

}  // namespace
}  // namespace pemu::calclog
