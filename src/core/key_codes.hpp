#pragma once
// Key codes, mark codes and error codes of the calculator. Keys, display marks and tape
// lines share one number space: 11 is the tax-included key, its mark and its tape line.
#include "tape/key_family.hpp"
#include "tape/selectors.hpp"

namespace pemu::core {

using tape::KeyFamily;
inline constexpr KeyFamily kMakerSharp = KeyFamily::kSharp;
inline constexpr KeyFamily kMakerCasio = KeyFamily::kCasio;
using tape::FamilyOfStored;
using tape::StoredFamily;

// Selector values, and F as the settings file and the switch panel number it.
using tape::DecimalSelector;
using tape::RoundSelector;
using tape::Selectors;
inline constexpr RoundSelector kRoundF = RoundSelector::kF;
inline constexpr RoundSelector kRoundCut = RoundSelector::kCut;
inline constexpr RoundSelector kRoundUp = RoundSelector::kUp;
inline constexpr RoundSelector kRoundHalfUp = RoundSelector::kHalfUp;
inline constexpr DecimalSelector kDecimalF = DecimalSelector::kF;
inline constexpr DecimalSelector kDecimalAddMode = DecimalSelector::kAddMode;
inline constexpr int kSelectorF = 999;
using tape::DecimalSelectorOf;
using tape::RoundSelectorOf;
using tape::StoredSelector;

// Keys.
inline constexpr int kKeyPercent = 1;
inline constexpr int kKeyClearEntry = 2;  // CE
inline constexpr int kKeyMemoryClear = 3;
inline constexpr int kKeyMemoryRecall = 4;
inline constexpr int kKeyMemoryPlus = 5;
inline constexpr int kKeyMemoryMinus = 6;
inline constexpr int kKeyClear = 7;        // C
inline constexpr int kKeySecondClear = 8;  // draws C pressed only
inline constexpr int kKeyRoot = 9;
inline constexpr int kKeyTaxIncluded = 11;
inline constexpr int kKeyTaxExcluded = 12;
inline constexpr int kKeyBackSpace = 13;
inline constexpr int kKeySignChange = 14;
inline constexpr int kKeyGrandTotal = 15;
inline constexpr int kKeyClearAll = 16;  // CA
inline constexpr int kKeyAdd = 17;
inline constexpr int kKeySubtract = 18;
inline constexpr int kKeyMultiply = 19;
inline constexpr int kKeyDivide = 20;
inline constexpr int kKeyPoint = 21;
// Keys the engine does not interpret itself but passes on to ShellPort::RunShellKey.
inline constexpr int kCheckTapeKey = 10;        // opens or closes the check tape window
inline constexpr int kKeyAssignmentKey = 22;    // key assignment dialog
inline constexpr int kMiniSizeKey = 23;         // mini size on/off
inline constexpr int kEnlargedDisplayKey = 24;  // enlarged display
inline constexpr int kButtonDisplayKey = 25;    // key pictures shown on/off
inline constexpr int kFormulaWindowKey = 26;    // formula window
inline constexpr int kKeyDigit1 = 27;           // 27..35: digits 1..9
inline constexpr int kKeyDigit0 = 36;
inline constexpr int kKeyDoubleZero = 37;
inline constexpr int kKeySecondClearAll = 38;  // draws CA pressed only
inline constexpr int kKeyEquals = 99;

inline constexpr bool IsOperatorKey(int key) {
    return key >= kKeyAdd && key <= kKeyDivide;
}

// Marks of the display: the glyphs of the mark strip and the E and K of the digit panel. A
// key lights the mark of its own code (MarkOf); the marks from 48 on are no keys.
enum class Mark : int {
    kNoMark = 0,
    kMarkMemoryRecall = 4,
    kMarkMemoryPlus = 5,
    kMarkMemoryMinus = 6,
    kMarkRoot = 9,
    kMarkTaxIncluded = 11,
    kMarkTaxExcluded = 12,
    kMarkGrandTotal = 15,  // the grand total holds a value
    kMarkAdd = 17,
    kMarkSubtract = 18,
    kMarkMultiply = 19,
    kMarkDivide = 20,
    kMarkTaxIncludedAmount = 48,
    kMarkTaxExcludedAmount = 49,
    kMarkGrandTotalRecall = 50,
    kMarkGrandTotalCleared = 51,  // no glyph: the function after GT pressed twice
    kMarkMemory = 52,
    kMarkCopy = 53,
    kMarkRegisterOverflow = 54,
    kMarkMemoryOverflow = 55,
    kMarkGrandTotalOverflow = 56,
    kMarkAnswerCheck = 57,
    kMarkError = 58,     // E on the digit panel
    kMarkConstant = 59,  // K on the digit panel
    kMarkEquals = 99,
};
using enum Mark;

// The mark a key lights: the one of its own code, the = place for %.
constexpr Mark MarkOf(int key) {
    return key == kKeyPercent ? kMarkEquals : static_cast<Mark>(key);
}
// The mark's code in the number space it shares with keys and tape lines.
constexpr int CodeOf(Mark mark) {
    return static_cast<int>(mark);
}

inline constexpr int kSignToPositive = 830;
inline constexpr int kSignToNegative = 831;

// The error the display shows (errorCode); its number is also the tape line of the error.
enum class ErrorCode : int {
    kNoError = 0,
    kErrorZero = 801,  // "E0": M+/M- or tax overflow, division by zero
    kErrorOverflow = 802,
    kErrorMemory = 803,
    kErrorGrandTotal = 804,
    kErrorEntryOverflow = 805,
    kErrorRootNegative = 807,
    // Inside one operator step only.
    kErrorStepOverflow = 54,
    kErrorStepDivide = 809,
};
using enum ErrorCode;

constexpr int CodeOf(ErrorCode error) {
    return static_cast<int>(error);
}

}  // namespace pemu::core
