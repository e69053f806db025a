#pragma once
// What the display says in words, for a screen reader: the number as it stands on the
// digit panel, the error state and the lit marks, and the labels beside the display with
// what they are. Texts are CP932.
#include <string>
#include <string_view>
#include <vector>

#include "core/display_port.hpp"

namespace pemu::core {

// The word for a lit mark ("イコール" for = and %, "定数" for K, "エラー" for E); empty for a
// code that has no place on the display.
std::string MarkWord(int code);

// The display read aloud: "エラー" first when the E mark is lit, then the number as drawn
// with its thousands grouped (a trailing point, which the panel shows after every integer,
// is not read), then the words of the other lit marks in the order they stand on the
// display, left to right, K last; "、" between. `litMarks` are mark codes as shown.
std::string DisplayReading(std::string_view shownText, const std::vector<int>& litMarks);

// A label beside the display with what it shows: "答え 1,234", "入力 5",
// "ラウンドセレクター CUT", "小数点セレクター F". The round selector's "CT" is read as the
// selector calls it, "CUT".
std::string LabelReading(DisplayLabel label, std::string_view text);

}  // namespace pemu::core
