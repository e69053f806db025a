#pragma once
// Printing the calculation log: the pages of calclog::LayoutLogPages drawn on a printer, the
// system's default one, or a PDF file where no printer exists.
#include <string_view>

class QPrinter;
class QWidget;

namespace pemu::ui {

// Draws every page of `cp932Text` on `printer` (set up here for A4 portrait, the text in a
// 9-point fixed-pitch font). The number of pages printed; 0 when the printer did not start.
int PrintLogPages(QPrinter& printer, std::string_view cp932Text);

// The print command: the default printer; without one, the user may write the same pages
// to a PDF file instead. Nothing happens for an empty text.
void PrintLog(QWidget* parent, std::string_view cp932Text);

}  // namespace pemu::ui
