// The display in words: the number as the panel shows it, the error state and the lit marks.
#include "core/display_reading.hpp"

#include <gtest/gtest.h>

#include <set>

#include "core/key_codes.hpp"
#include "platform/codec.hpp"

namespace pemu::core {
namespace {

using platform::Cp932ToUtf8;

TEST(DisplayReading, NumberErrorAndMarksInTheOrderTheyStand) {
    struct Case {
        const char* text;
        std::vector<int> marks;
        const char* reading;
    };
    const Case cases[] = {
        {"3", {kMarkGrandTotal, kKeyEquals}, "3、イコール、GT"},
        {"0", {}, "0"},
        {"", {}, "0"},
        {"12.", {}, "12"},  // the point the panel shows after every integer is not read
        {"0.5", {kKeyAdd}, "0.5、プラス"},
        {"1234567.89", {}, "1,234,567.89"},
        {"-1234", {kKeySubtract}, "-1,234、マイナス"},
        // The error first, whatever else is lit; the overflow view keeps its digits.
        {"1.0000000", {kKeyEquals, kMarkError}, "エラー、1.0000000、イコール"},
        {"0",
         {kMarkRegisterOverflow, kMarkMemoryOverflow, kMarkError, kMarkMemory},
         "エラー、0、メモリー、メモリーあふれ、桁あふれ"},
        // K stands on the panel but is read last; % lights the = mark.
        {"15", {kMarkConstant, kKeyMultiply, kKeyPercent}, "15、かける、イコール、定数"},
        {"1080", {kKeyTaxIncluded}, "1,080、税込"},
        {"80", {kMarkTaxIncludedAmount}, "80、税込の税額"},
        {"12",
         {kMarkAnswerCheck, kKeyEquals, kKeyMemoryPlus, kMarkMemory},
         "12、イコール、メモリー、メモリープラス、アンサーチェック"},
        {"1.4142135", {kKeyRoot}, "1.4142135、ルート"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp932ToUtf8(DisplayReading(c.text, c.marks)), c.reading) << c.text;
}

TEST(DisplayReading, EveryMarkWithAPlaceHasAWordOfItsOwn) {
    const int shown[] = {17, 18, 19, 20, 99, 53, 15, 52, 50, 4,  5, 6,
                         9,  11, 48, 12, 49, 57, 55, 56, 54, 58, 59};
    std::set<std::string> words;
    for (int code : shown) {
        const std::string word = MarkWord(code);
        EXPECT_FALSE(word.empty()) << code;
        EXPECT_TRUE(words.insert(word).second) << code << " shares its word";
    }
    EXPECT_EQ(MarkWord(kKeyPercent), MarkWord(kKeyEquals));
    EXPECT_TRUE(MarkWord(kMarkGrandTotalCleared).empty()) << "51 has no place";
    EXPECT_TRUE(MarkWord(kKeyDigit1).empty());
}

TEST(LabelReading, SaysWhatEachLabelShows) {
    EXPECT_EQ(Cp932ToUtf8(LabelReading(DisplayLabel::kLabAns, "1,234")), "答え 1,234");
    EXPECT_EQ(Cp932ToUtf8(LabelReading(DisplayLabel::kLabIpt, "5")), "入力 5");
    EXPECT_EQ(Cp932ToUtf8(LabelReading(DisplayLabel::kLabRs, "CT")), "ラウンドセレクター CUT");
    EXPECT_EQ(Cp932ToUtf8(LabelReading(DisplayLabel::kLabRs, "5/4")), "ラウンドセレクター 5/4");
    EXPECT_EQ(Cp932ToUtf8(LabelReading(DisplayLabel::kLabDc, "A")), "小数点セレクター A");
}

}  // namespace
}  // namespace pemu::core
