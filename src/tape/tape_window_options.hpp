#pragma once
// The check tape window's options as it reads and shows them: the stored font size and
// wheel step as accepted, the five cells of its status line, and the caption of the auto
// scroll button.
#include <array>
#include <string>

namespace pemu::tape {

// The font sizes the window offers ("KenzanFontSize"); a stored size not among them reads
// as 14.
inline constexpr std::array<int, 9> kFontSizes = {10, 12, 14, 16, 18, 20, 22, 30, 40};
int AcceptedFontSize(int stored);
// Lines per wheel step ("KenzanScroll"); another stored value reads as 1.
inline constexpr std::array<int, 4> kWheelLineChoices = {1, 2, 4, 6};
int AcceptedWheelLines(int stored);

struct StatusCell {
    std::string text;        // CP932
    bool highlight = false;  // an option that is on: window colour inside the frame
};

// The layout text of the status line: the widest each cell gets.
const std::string& StatusLayoutText();
// "検算:", "日付:", "2色:" with "ON " or "OFF", "ｸﾘｱ:Shift+Del", and "ALL:" with the count.
std::array<StatusCell, 5> StatusCells(bool checkOn, bool dateOn, bool twoColourOn, int all);

// The command panel's auto scroll button: what pressing it will do.
const std::string& AutoScrollCaption(bool autoScrollOn);

}  // namespace pemu::tape
