#include "tape/tape_window_options.hpp"

#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "platform/codec.hpp"
#include "tape/tape_lines.hpp"

namespace pemu::tape {
namespace {

constexpr int kFallbackFontSize = 14;

StatusCell OptionCell(std::string_view utf8Name, bool on) {
    return {platform::Sjis(utf8Name) + arith::OnOffName(on, true), on};
}

}  // namespace

int AcceptedFontSize(int stored) {
    const bool offered =
        std::find(kFontSizes.begin(), kFontSizes.end(), stored) != kFontSizes.end();
    return offered ? stored : kFallbackFontSize;
}

int AcceptedWheelLines(int stored) {
    const bool offered = std::find(kWheelLineChoices.begin(), kWheelLineChoices.end(), stored) !=
                         kWheelLineChoices.end();
    return offered ? stored : kWheelLineChoices.front();
}

const std::string& StatusLayoutText() {
    return platform::Sjis("検算:OFF;日付:OFF;2色:OFF;ｸﾘｱ:Shift+Del;ALL:999999");
}

std::array<StatusCell, 5> StatusCells(bool checkOn, bool dateOn, bool twoColourOn, int all) {
    return {OptionCell("検算:", checkOn), OptionCell("日付:", dateOn),
            OptionCell("2色:", twoColourOn), StatusCell{platform::Sjis("ｸﾘｱ:Shift+Del"), false},
            StatusCell{"ALL:" + std::to_string(all), false}};
}

const std::string& AutoScrollCaption(bool autoScrollOn) {
    return autoScrollOn ? platform::Sjis("ｵｰﾄｽｸﾛｰﾙをOFF") : platform::Sjis("ｵｰﾄｽｸﾛｰﾙをON");
}

}  // namespace pemu::tape
