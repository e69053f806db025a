#pragma once
// The stored settings the first activation of the main window reads into the engine. Their
// defaults are those of a fresh settings file, written once (here, or in TapeOptions for the
// tape's): the settings keys take them from these constants.
#include <string>

#include "core/key_codes.hpp"
#include "tape/tape_recorder.hpp"

namespace pemu::core {

namespace fresh {
inline constexpr KeyFamily kDentakuType = kMakerSharp;
inline constexpr int kRoundSelecter = kSelectorF;
inline constexpr int kDecimalSelecter = kSelectorF;
inline constexpr int kPanelDigit = 14;
inline constexpr bool kGrandTotal = true;
inline constexpr bool kAnswerCK = true;
inline constexpr const char* kZeiritu = "0.08";
inline constexpr bool kKenzanCheck = tape::TapeOptions{}.checkFunctionOn;
inline constexpr bool kKenzanAutoDate = tape::TapeOptions{}.autoDateOn;
inline constexpr bool kKenzanIsColor = tape::TapeOptions{}.twoColourOn;
}  // namespace fresh

struct StartupSettings {
    int roundSelecter = fresh::kRoundSelecter;      // "RoundSelecter"
    int decimalSelecter = fresh::kDecimalSelecter;  // "DecimalSelecter"
    int panelDigit = fresh::kPanelDigit;            // "PanelDigit"
    bool grandTotal = fresh::kGrandTotal;           // "GrandTotal"
    bool answerCK = fresh::kAnswerCK;               // "AnswerCK"
    std::string zeiritu = fresh::kZeiritu;          // "Zeiritu" in section "Tax" (CP932)
    bool kenzanCheck = fresh::kKenzanCheck;         // "KenzanCheck"
    bool kenzanAutoDate = fresh::kKenzanAutoDate;   // "KenzanAutoDate"
    bool kenzanIsColor = fresh::kKenzanIsColor;     // "KenzanIsColor"
};

}  // namespace pemu::core
