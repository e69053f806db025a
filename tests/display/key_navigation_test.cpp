// Key navigation: the assigned keyboard key written on each key picture, beside its caption
// and never over it.
#include "display/key_navigation.hpp"

#include <gtest/gtest.h>

#include <map>

#include "core/key_codes.hpp"
#include "display/skin.hpp"
#include "display/skin_layout.hpp"

namespace pemu::display {
namespace {

int Difference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The caption's pixels of a key: on the cap every row is one colour (it is shaded from top to
// bottom only), so a pixel far from its row's most common colour is ink.
std::vector<QPoint> CaptionInk(const QImage& sheet, const KeyCell& cell) {
    std::vector<QPoint> ink;
    const int left = cell.x + 5, right = cell.x + kKeyWidth - 5;
    for (int y = cell.y + 3; y < cell.y + cell.height - 8; ++y) {
        std::map<QRgb, int> counts;
        for (int x = left; x < right; ++x)
            ++counts[sheet.pixel(x, y)];
        QRgb common = 0;
        int most = 0;
        for (const auto& [colour, n] : counts)
            if (n > most) most = n, common = colour;
        for (int x = left; x < right; ++x)
            if (Difference(sheet.pixel(x, y), common) > 40) ink.emplace_back(x, y);
    }
    return ink;
}

TEST(KeyNavigation, NamesStandBesideTheCaptionsOnBothSheets) {
    Skin skin;
    const QImage plainUp = skin.ButtonUp(), plainDown = skin.ButtonDown();
    shell::KeyTable table;
    for (int code = 1; code <= 37; ++code)
        table.SetKey(code, shell::DefaultKeyOf(code));
    KeyNavigation navigation(skin);
    navigation.Show(table);
    int named = 0;
    for (int code : {core::kKeyPercent, core::kKeyGrandTotal, core::kKeyMemoryClear,
                     core::kKeyTaxIncluded, core::kKeyClearEntry, core::kKeyDigit1,
                     core::kKeyDigit0, core::kKeyAdd, core::kKeyPoint, core::kKeyClear}) {
        const auto cell = KeyCellOf(code, kSharp);
        ASSERT_TRUE(cell) << code;
        for (const auto& [plain, shown] :
             {std::pair{&plainUp, &skin.ButtonUp()}, std::pair{&plainDown, &skin.ButtonDown()}}) {
            int written = 0;
            for (int y = cell->y; y < cell->y + cell->height - 2; ++y)
                for (int x = cell->x; x < cell->x + kKeyWidth; ++x)
                    written += plain->pixel(x, y) != shown->pixel(x, y);
            EXPECT_GT(written, 20) << code << ": no name on the key";
            const std::vector<QPoint> ink = CaptionInk(*plain, *cell);
            EXPECT_GT(ink.size(), 10u) << code << ": no caption found";
            int covered = 0;
            for (const QPoint& at : ink)
                covered += plain->pixel(at) != shown->pixel(at);
            EXPECT_EQ(covered, 0) << code << ": the name covers the caption";
        }
        ++named;
    }
    EXPECT_EQ(named, 10);
    navigation.Hide();
    EXPECT_TRUE(skin.ButtonUp() == plainUp);
}

}  // namespace
}  // namespace pemu::display
