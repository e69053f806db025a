#pragma once
// Windows virtual-key numbers: stored key tables and every key handler speak them, so a
// table written on one system keeps its meaning on another.
namespace pemu::platform::vk {

inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;  // Alt
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPrior = 33;
inline constexpr int kNext = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int k0 = 48;  // main keyboard digits 48..57
inline constexpr int kA = 65;  // letters 65..90
inline constexpr int kC = 67;
inline constexpr int kV = 86;
inline constexpr int kApps = 93;
inline constexpr int kNumpad0 = 96;  // numeric pad digits 96..105
inline constexpr int kMultiply = 106;
inline constexpr int kAdd = 107;
inline constexpr int kSubtract = 109;
inline constexpr int kDecimal = 110;
inline constexpr int kDivide = 111;
inline constexpr int kF1 = 112;  // F1..F24: 112..135
inline constexpr int kF2 = 113;
inline constexpr int kF3 = 114;
inline constexpr int kF4 = 115;
inline constexpr int kF5 = 116;
inline constexpr int kF6 = 117;
inline constexpr int kF8 = 119;

}  // namespace pemu::platform::vk
