#pragma once
// Line codes of the check tape. They share the number space of the key codes: an operator
// line has the operator's key code, a tax line the tax key's.
namespace pemu::tape {

inline constexpr int kLinePercent = 1;
inline constexpr int kLineMemoryClear = 3;
inline constexpr int kLineMemoryRecall = 4;
inline constexpr int kLineMemoryPlus = 5;
inline constexpr int kLineMemoryMinus = 6;
inline constexpr int kLineClear = 7;
inline constexpr int kLineRootResult = 9;
inline constexpr int kLineTaxIncluded = 11;
inline constexpr int kLineTaxExcluded = 12;
inline constexpr int kLineClearAll = 16;
inline constexpr int kLineAdd = 17;
inline constexpr int kLineSubtract = 18;
inline constexpr int kLineMultiply = 19;
inline constexpr int kLineDivide = 20;
inline constexpr int kLineTaxIncludedAmount = 48;
inline constexpr int kLineTaxExcludedAmount = 49;
inline constexpr int kLineGrandTotalRecall = 50;
inline constexpr int kLineGrandTotalClear = 51;
inline constexpr int kLineEquals = 99;
inline constexpr int kLineResult = 222;
inline constexpr int kLineResultWithGrandTotal = 223;
inline constexpr int kLineTaxBase = 230;
inline constexpr int kLineRootOperand = 240;
inline constexpr int kLineErrorZero = 801;
inline constexpr int kLineErrorOverflow = 802;
inline constexpr int kLineErrorMemory = 803;
inline constexpr int kLineErrorGrandTotal = 804;
inline constexpr int kLineErrorRoot = 807;
inline constexpr int kLineSignPositive = 830;
inline constexpr int kLineSignNegative = 831;
inline constexpr int kLineCarriedOver = 841;
inline constexpr int kLineSettingNote = 999;
inline constexpr int kLineDate = -100;
inline constexpr int kLineSeparator = -101;

// Step kind stored for a result.
inline constexpr int kStepResult = 900;

}  // namespace pemu::tape
