#include "ui/switch_items.hpp"

#include <array>

#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"
#include "core/key_codes.hpp"

namespace pemu::ui {
namespace {

constexpr int kSharp = core::StoredFamily(core::kMakerSharp);
constexpr int kCasio = core::StoredFamily(core::kMakerCasio);
constexpr int kFree = core::kSelectorF;

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
         {{"F", kFree},
          {"CUT", core::StoredSelector(core::kRoundCut)},
          {"UP", core::StoredSelector(core::kRoundUp)},
          {"5/4", core::StoredSelector(core::kRoundHalfUp)}},
         kSharp},
        {kDecimalItem,
         {"小数点セレクター", "Dsp", 24},
         {{"F", kFree},
          {"5", 5},
          {"4", 4},
          {"3", 3},
          {"2", 2},
          {"1", 1},
          {"0", 0},
          {"A", core::StoredSelector(core::kDecimalAddMode)}},
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
            return arith::RoundSelectorName(value, true);
        case kDecimalItem:
            return arith::DecimalSelectorName(value, true);
        case kDigitItem:
            return std::to_string(value);
        case kMakerItem:
            return arith::MakerName(value == kCasio ? kCasio : kSharp);
        case kAnswerCheckItem:
        case kGrandTotalItem:
            return arith::OnOffName(value != 0, false);
        default:
            return "";
    }
}

SwitchState SwitchStateOf(const core::CalculatorState& s) {
    return {core::StoredSelector(s.roundSelector),
            core::StoredSelector(s.decimalSelector),
            s.panelDigit,
            core::StoredFamily(s.makerType),
            s.answerCheckOn,
            s.grandTotalOn};
}

void ApplySwitchChoice(core::Calculator& calc, int item, int value) {
    const core::CalculatorState& s = calc.State();
    switch (item) {
        case kRoundItem:
            calc.SetRoundSelector(value);
            break;
        case kDecimalItem:
            calc.SetDecimalSelector(value);
            break;
        case kDigitItem:
            calc.SetPanelDigit(value);
            break;
        case kMakerItem:
            calc.SetMakerType(core::FamilyOfStored(value));
            break;
        case kAnswerCheckItem:
            if ((value != 0) != s.answerCheckOn) calc.SwitchAnswerCheck(value != 0);
            break;
        case kGrandTotalItem:
            if ((value != 0) != s.grandTotalOn) calc.SwitchGrandTotal(value != 0);
            break;
        default:
            break;
    }
}

}  // namespace pemu::ui
