#include "ui/switch_items.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace pemu::ui {
namespace {

std::vector<int> ValuesOf(int item, int family) {
    std::vector<int> values;
    for (const SwitchChoice& c : SwitchChoicesOf(item, family))
        values.push_back(c.value);
    return values;
}

TEST(SwitchItemsTest, FreeRoundingSitsOnTheDecimalSelectorForSharpAndTheRoundSelectorForCasio) {
    EXPECT_EQ(ValuesOf(kRoundItem, 1), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(ValuesOf(kRoundItem, 2), (std::vector<int>{999, 2, 3, 4}));
    EXPECT_EQ(ValuesOf(kDecimalItem, 1), (std::vector<int>{999, 5, 4, 3, 2, 1, 0, 22}));
    EXPECT_EQ(ValuesOf(kDecimalItem, 2), (std::vector<int>{5, 4, 3, 2, 1, 0, 22}));
    // An unknown family reads as SHARP.
    EXPECT_EQ(ValuesOf(kRoundItem, 7), ValuesOf(kRoundItem, 1));
}

TEST(SwitchItemsTest, OtherItemsOfferTheSameChoicesInBothFamilies) {
    for (int family : {1, 2}) {
        EXPECT_EQ(ValuesOf(kDigitItem, family), (std::vector<int>{14, 13, 12, 11, 10, 9, 8}));
        EXPECT_EQ(ValuesOf(kMakerItem, family), (std::vector<int>{1, 2}));
        EXPECT_EQ(ValuesOf(kAnswerCheckItem, family), (std::vector<int>{1, 0}));
        EXPECT_EQ(ValuesOf(kGrandTotalItem, family), (std::vector<int>{1, 0}));
    }
    EXPECT_TRUE(SwitchChoicesOf(10, 1).empty());
    EXPECT_TRUE(SwitchChoicesOf(17, 1).empty());
}

TEST(SwitchItemsTest, ValueNamesAsTheMenusShowThem) {
    struct {
        int item, value;
        const char* name;
    } cases[] = {
        {kRoundItem, 2, "CUT"},   {kRoundItem, 3, "UP"},       {kRoundItem, 4, "5/4"},
        {kRoundItem, 999, "F"},   {kRoundItem, 7, "F"},        {kDecimalItem, 0, "0"},
        {kDecimalItem, 5, "5"},   {kDecimalItem, 22, "ADD2"},  {kDecimalItem, 999, "F"},
        {kDecimalItem, 6, "F"},   {kDigitItem, 12, "12"},      {kMakerItem, 1, "SHARP"},
        {kMakerItem, 2, "CASIO"}, {kAnswerCheckItem, 1, "ON"}, {kGrandTotalItem, 0, "OFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SwitchValueName(c.item, c.value), c.name) << c.item << " " << c.value;
    }
}

}  // namespace
}  // namespace pemu::ui
