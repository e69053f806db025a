#include "calclog/log_pages.hpp"

#include "calclog/log_view.hpp"

namespace pemu::calclog {

int PixelsPerMillimetre(int dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch * 10 / 254 : 0;
}

std::vector<PrintedPage> LayoutLogPages(std::string_view text, int dotsPerInch) {
    const int mm = PixelsPerMillimetre(dotsPerInch);
    std::vector<PrintedPage> pages;
    int column = kColumnsPerPage;  // the first line begins a page
    int y = 0;
    for (std::string_view line : SplitLogLines(text)) {
        if (column == kColumnsPerPage) {
            PrintedPage page;
            page.number = static_cast<int>(pages.size()) + 1;
            page.header = {kHeaderMm * mm, kHeaderMm * mm, "P." + std::to_string(page.number)};
            pages.push_back(std::move(page));
            column = 0;
            y = kFirstLineMm * mm;
        }
        const int x = (kFirstColumnMm + column * kColumnStepMm) * mm;
        pages.back().lines.push_back({x, y, FormatLogLine(line)});
        y += kLineStepMm * mm;
        if (y > kColumnBottomMm * mm) {
            ++column;
            y = kFirstLineMm * mm;
        }
    }
    return pages;
}

}  // namespace pemu::calclog
