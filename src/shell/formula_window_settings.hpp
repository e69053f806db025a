#pragma once
// The formula window's keys in the settings ([Value]), read when the window opens with
// their read rules and written when it closes.
#include <optional>

#include "platform/geometry.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {

struct FormulaWindowSettings {
    int fontSize = 14;                // "SushikiFontSize": 10, 12 .. 22; anything else reads as 14
    int colourScheme = 1;             // "sAnsColor": 0..5; anything else reads as 1
    int group = 3;                    // "sKugirisuu": 0, 2, 3, 4, 5; anything else reads as 3
    platform::Size client{567, 590};  // "SushikiClientWidth", "SushikiClientHeigh"
    bool functionParen = false;       // "KansuKakko": function buttons add "("
    int intDigitsMax = 56;            // "sSeisubuMax": 1..100; anything else selects 57
    int fracDigitsMax = 28;           // "sSyousubuMax": the same rule
    bool keepFormula = true;          // "SushikiKioku": the formula text file is kept at close
};

FormulaWindowSettings ReadFormulaWindowSettings(const SettingsStore& store);

// Every key above; the client size and "SushikiTop"/"SushikiLeft" only with a position
// (the window is not maximised).
void WriteFormulaWindowSettings(SettingsStore& store, const FormulaWindowSettings& settings,
                                std::optional<platform::Point> position);

}  // namespace pemu::shell
