#pragma once
// The printed log: where every piece of text goes on A4 portrait pages. The printer code
// only draws what this returns. Positions are printer pixels of the top-left corner of the
// text, from millimetres at the printer's resolution (pixels per millimetre cut to a whole
// number, so every position is a whole multiple of it).
#include <string>
#include <string_view>
#include <vector>

namespace pemu::calclog {

struct PrintedText {
    int x = 0;
    int y = 0;
    std::string text;  // CP932
};

struct PrintedPage {
    int number = 0;      // from 1
    PrintedText header;  // "P." + number
    std::vector<PrintedText> lines;
};

// Millimetres of the layout.
inline constexpr int kHeaderMm = 2;          // "P.n" at (2, 2)
inline constexpr int kFirstColumnMm = 4;     // lines from x 4
inline constexpr int kFirstLineMm = 6;       // and y 6
inline constexpr int kLineStepMm = 4;        // each line 4 below the previous one
inline constexpr int kColumnStepMm = 49;     // the next column 49 further right
inline constexpr int kColumnBottomMm = 280;  // once y passes 280
inline constexpr int kColumnsPerPage = 4;    // a fifth column is a new page instead
inline constexpr int kPrintPointSize = 9;

// Pixels per millimetre of a printer: dots per inch / 25.4, the fraction cut off.
int PixelsPerMillimetre(int dotsPerInch);

// Every line of `text` (FormatLogLine form) placed in columns and pages. An empty text has no
// pages; a page is begun only for a line that is printed on it.
std::vector<PrintedPage> LayoutLogPages(std::string_view text, int dotsPerInch);

}  // namespace pemu::calclog
