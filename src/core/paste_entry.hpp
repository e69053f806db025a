#pragma once
// A number pasted from the clipboard, entered as if it were keyed.
#include <optional>
#include <string_view>
#include <vector>

namespace pemu::core {

// The key codes that enter `utf8` (a clipboard text) on a display `panelDigit` digits wide:
// its digits and point, then the sign change for a leading minus. Blanks around it and
// grouping between groups of three integer digits (commas, blanks) are dropped; full-width
// digits, point, comma and minus count as the plain ones. Nothing for anything else, and for
// a number with more digits than the display shows: a pasted amount is never cut.
std::optional<std::vector<int>> PasteKeys(std::string_view utf8, int panelDigit);

}  // namespace pemu::core
