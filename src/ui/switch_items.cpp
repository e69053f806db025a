#include "ui/switch_items.hpp"

#include <array>

namespace pemu::ui {
namespace {

constexpr int kSharp = 1;
constexpr int kCasio = 2;
constexpr int kFree = 999;  // F: no rounding

struct ItemRow {
    int item;
    SwitchItemInfo info;
    std::vector<SwitchChoice> choices;
    int familyWithoutF;  // family in which the leading F choice is dropped, 0 none
};

const std::array<ItemRow, 6>& Rows() {
    static const std::array<ItemRow, 6> rows = {{
        {kRoundItem,
         {"ラウンドセレクター", "Rsp", 44},
         {{"F", kFree}, {"CUT", 2}, {"UP", 3}, {"5/4", 4}},
         kSharp},
        {kDecimalItem,
         {"小数点セレクター", "Dsp", 24},
         {{"F", kFree}, {"5", 5}, {"4", 4}, {"3", 3}, {"2", 2}, {"1", 1}, {"0", 0}, {"A", 22}},
         kCasio},
        {kDigitItem,
         {"Digit(電卓の有効桁数)", "Dip", 26},
         {{"14", 14}, {"13", 13}, {"12", 12}, {"11", 11}, {"10", 10}, {"9", 9}, {"8", 8}},
         0},
        {kMakerItem, {"電卓のメーカー", "Mkp", 70}, {{"SHARP", kSharp}, {"CASIO", kCasio}}, 0},
        {kAnswerCheckItem, {"アンサーチェック", "Anp", 50}, {{"ON", 1}, {"OFF", 0}}, 0},
        {kGrandTotalItem, {"グランドトータル", "Grp", 50}, {{"ON", 1}, {"OFF", 0}}, 0},
    }};
    return rows;
}

const ItemRow* RowOf(int item) {
    for (const ItemRow& row : Rows()) {
        if (row.item == item) return &row;
    }
    return nullptr;
}

}  // namespace

int SwitchState::ValueOf(int item) const {
    switch (item) {
        case kRoundItem:
            return roundSelector;
        case kDecimalItem:
            return decimalSelector;
        case kDigitItem:
            return panelDigit;
        case kMakerItem:
            return makerType;
        case kAnswerCheckItem:
            return answerCheckOn ? 1 : 0;
        case kGrandTotalItem:
            return grandTotalOn ? 1 : 0;
        default:
            return 0;
    }
}

bool IsSwitchItem(int item) {
    return RowOf(item) != nullptr;
}

SwitchItemInfo SwitchItemOf(int item) {
    const ItemRow* row = RowOf(item);
    return row ? row->info : SwitchItemInfo{"", "", 0};
}

std::vector<SwitchChoice> SwitchChoicesOf(int item, int makerType) {
    const ItemRow* row = RowOf(item);
    if (!row) return {};
    // Anything but CASIO counts as SHARP, as the engine reads the family.
    const int family = makerType == kCasio ? kCasio : kSharp;
    std::vector<SwitchChoice> choices = row->choices;
    if (row->familyWithoutF == family) choices.erase(choices.begin());
    return choices;
}

std::string SwitchValueName(int item, int value) {
    switch (item) {
        case kRoundItem:
            if (value == 2) return "CUT";
            if (value == 3) return "UP";
            if (value == 4) return "5/4";
            return "F";
        case kDecimalItem:
            if (value >= 0 && value <= 5) return std::to_string(value);
            if (value == 22) return "ADD2";
            return "F";
        case kDigitItem:
            return std::to_string(value);
        case kMakerItem:
            return value == kCasio ? "CASIO" : "SHARP";
        case kAnswerCheckItem:
        case kGrandTotalItem:
            return value != 0 ? "ON" : "OFF";
        default:
            return "";
    }
}

}  // namespace pemu::ui
