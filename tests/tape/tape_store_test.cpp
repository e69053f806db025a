#include "tape/tape_store.hpp"

#include <gtest/gtest.h>

namespace pemu::tape {
namespace {

LOG ThreeLines() {
    LOG log;
    log.AddLineText("1", "A", "x");
    log.AddLineText("", "", " ");
    log.AddLineText("22", "B", "y");
    return log;
}

TEST(TapeStore, LinesEndWithCrLfAndAreCounted) {
    const LOG log = ThreeLines();
    EXPECT_EQ(log.TapeText(), "1Ax\r\n \r\n22By\r\n");
    EXPECT_EQ(log.LineCount(), 3);
    EXPECT_EQ(log.LastLine(), "22By");
    EXPECT_EQ(log.CharAt(1), '1');
    EXPECT_EQ(log.CharAt(100), '\0');
}

TEST(TapeStore, LongLineIsCutButStillEndsTheLine) {
    LOG log;
    log.AddLineText(std::string(400, '9'), "L", "M");
    ASSERT_EQ(log.TapeText().size(), kLineMax);
    EXPECT_EQ(log.TapeText().substr(kLineMax - 2), "\r\n");
    EXPECT_EQ(log.LineCount(), 1);
}

TEST(TapeStore, RemoveLastLinesKeepsTheRest) {
    struct Case {
        int remove;
        const char* text;
        int count;
    };
    const Case cases[] = {
        {0, "1Ax\r\n \r\n22By\r\n", 3},
        {1, "1Ax\r\n \r\n", 2},
        {2, "1Ax\r\n", 1},
        {3, "", 0},
        {7, "", 0},  // more than there are: an empty tape, never a negative count
    };
    for (const Case& c : cases) {
        LOG log = ThreeLines();
        log.RemoveLastLines(c.remove);
        EXPECT_EQ(log.TapeText(), c.text) << c.remove;
        EXPECT_EQ(log.LineCount(), c.count) << c.remove;
    }
}

TEST(TapeStore, EditsAtPositionsStayInsideTheText) {
    LOG log = ThreeLines();
    log.ReplaceTapeText(1, 1, "Z");
    EXPECT_EQ(log.TapeText(), "1Zx\r\n \r\n22By\r\n");
    log.InsertTapeText("q", 1);
    EXPECT_EQ(log.TapeText().substr(0, 4), "q1Zx");
    log.EraseTapeText(1, 1);
    EXPECT_EQ(log.TapeText().substr(0, 3), "1Zx");
    log.EraseTapeText(500, 3);  // outside: nothing
    log.ReplaceTapeText(500, 1, "w");
    EXPECT_EQ(log.TapeText(), "1Zx\r\n \r\n22By\r\n");
    log.InsertTapeText("end", 500);
    EXPECT_EQ(log.TapeText().substr(log.TapeText().size() - 3), "end");
}

TEST(TapeStore, ClearedTextsAreKeptInOrder) {
    LOG log = ThreeLines();
    log.KeepCleared(log.TapeText());
    log.ClearTapeText();
    log.AddLineText("5", "", "");
    log.KeepCleared(log.TapeText());
    EXPECT_EQ(log.ClearedText(), "1Ax\r\n \r\n22By\r\n5\r\n");
    EXPECT_EQ(log.LineCount(), 1);
}

}  // namespace
}  // namespace pemu::tape
