#pragma once
// The windows' text conversions (display/qt_text.hpp), by their short names.
#include "display/qt_text.hpp"

namespace pemu::ui {

using display::Caption;
using display::FromCp932;
using display::ToCp932;

}  // namespace pemu::ui
