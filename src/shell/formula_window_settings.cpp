#include "shell/formula_window_settings.hpp"

#include <algorithm>
#include <array>

#include "shell/settings_keys.hpp"

namespace pemu::shell {

namespace {

template <std::size_t N>
int OneOf(int value, const std::array<int, N>& allowed, int otherwise) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end() ? value : otherwise;
}

// The selectors list 1 to 100; a stored value outside selects item 57. The value 1, which
// the window itself writes for the first item, is read back as it is.
int ReadDigitsMax(const SettingsStore& store, const IntegerSetting& key) {
    constexpr int kOutOfRange = 57;
    const int value = Read(store, key);
    return value >= 1 && value <= 100 ? value : kOutOfRange;
}

}  // namespace

FormulaWindowSettings ReadFormulaWindowSettings(const SettingsStore& store) {
    FormulaWindowSettings s;
    s.fontSize = OneOf(Read(store, keys::kSushikiFontSize), std::array{10, 12, 14, 16, 18, 20, 22},
                       keys::kSushikiFontSize.def);
    const int colour = Read(store, keys::kSAnsColor);
    s.colourScheme = colour >= 0 && colour <= 5 ? colour : keys::kSAnsColor.def;
    s.group =
        OneOf(Read(store, keys::kSKugirisuu), std::array{0, 2, 3, 4, 5}, keys::kSKugirisuu.def);
    s.client = {Read(store, keys::kSushikiClientWidth), Read(store, keys::kSushikiClientHeigh)};
    s.functionParen = Read(store, keys::kKansuKakko);
    s.intDigitsMax = ReadDigitsMax(store, keys::kSSeisubuMax);
    s.fracDigitsMax = ReadDigitsMax(store, keys::kSSyousubuMax);
    s.keepFormula = Read(store, keys::kSushikiKioku);
    return s;
}

void WriteFormulaWindowSettings(SettingsStore& store, const FormulaWindowSettings& s,
                                std::optional<platform::Point> position) {
    Write(store, keys::kSushikiFontSize, s.fontSize);
    Write(store, keys::kSAnsColor, s.colourScheme);
    Write(store, keys::kSKugirisuu, s.group);
    Write(store, keys::kKansuKakko, s.functionParen);
    Write(store, keys::kSSeisubuMax, s.intDigitsMax);
    Write(store, keys::kSSyousubuMax, s.fracDigitsMax);
    Write(store, keys::kSushikiKioku, s.keepFormula);
    if (!position) return;
    Write(store, keys::kSushikiClientHeigh, s.client.height);
    Write(store, keys::kSushikiClientWidth, s.client.width);
    Write(store, keys::kSushikiTop, position->y);
    Write(store, keys::kSushikiLeft, position->x);
}

}  // namespace pemu::shell
