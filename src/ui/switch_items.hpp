#pragma once
// The six items of the switch panel and the choices each offers in a key-logic family.
#include <string>
#include <vector>

namespace pemu::core {
class Calculator;
struct CalculatorState;
}  // namespace pemu::core

namespace pemu::ui {

// Panel items by the tag the menus use to open them.
enum SwitchItem : int {
    kRoundItem = 11,
    kDecimalItem = 12,
    kDigitItem = 13,
    kMakerItem = 14,
    kAnswerCheckItem = 15,
    kGrandTotalItem = 16,
};

struct SwitchChoice {
    std::string caption;  // UTF-8
    int value;            // the label's tag: the value it selects
};

struct SwitchItemInfo {
    std::string title;   // UTF-8, shown in the panel's title bar
    std::string prefix;  // first three letters of every choice label's name
    int labelWidth;      // all choices of an item are as wide as its first label
};

// The values the six items show and select.
struct SwitchState {
    int roundSelector = 999;
    int decimalSelector = 999;
    int panelDigit = 14;
    int makerType = 1;
    bool answerCheckOn = true;
    bool grandTotalOn = true;

    // The value of item 11 to 16 (flags as 1 or 0); 0 for an unknown item.
    int ValueOf(int item) const;
};

// True for 11 to 16.
bool IsSwitchItem(int item);

// Title, prefix and label width of an item; an unknown item gives empty texts.
SwitchItemInfo SwitchItemOf(int item);

// The choices shown for `item` with `makerType` (1 "SHARP", 2 "CASIO"), in panel order,
// without the OK label: the round selector drops F in the "SHARP" family, the decimal
// selector drops F in the "CASIO" family.
std::vector<SwitchChoice> SwitchChoicesOf(int item, int makerType);

// The current value of an item as the settings menu and the popup show it: "CUT", "UP",
// "5/4" or "F"; "0" to "5", "ADD2" or "F"; the width; "SHARP" or "CASIO"; "ON" or "OFF".
std::string SwitchValueName(int item, int value);

// The values the six items show, read from the engine.
SwitchState SwitchStateOf(const core::CalculatorState& state);

// A choice label clicked: the selector, width or family set; the answer check and the grand
// total switched only when the choice differs from their state (switching clears them).
void ApplySwitchChoice(core::Calculator& calc, int item, int value);

}  // namespace pemu::ui
