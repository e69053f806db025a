#include "ui/log_printer.hpp"

#include <QFile>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "calclog/log_pages.hpp"
#include "display/system_colours.hpp"
#include "platform/qt/desktop_programs.hpp"
#include "ui/save_dialog.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

void DrawAt(QPainter& painter, const calclog::PrintedText& piece) {
    // The position is the top-left corner of the text, as on a printer's canvas.
    painter.drawText(QRect(piece.x, piece.y, 1 << 20, 1 << 20),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, FromCp932(piece.text));
}

}  // namespace

int PrintLogPages(QPrinter& printer, std::string_view cp932Text) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // Positions count from the printable area's corner; no margins of our own.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const auto pages = calclog::LayoutLogPages(cp932Text, printer.resolution());
    if (pages.empty()) return 0;
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    QFont font = display::FontFor("ＭＳ ゴシック", calclog::kPrintPointSize);
    font.setPointSize(calclog::kPrintPointSize);  // points of the printer, not of the screen
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) return static_cast<int>(i);
        DrawAt(painter, pages[i].header);
        for (const calclog::PrintedText& line : pages[i].lines)
            DrawAt(painter, line);
    }
    painter.end();
    return static_cast<int>(pages.size());
}

void PrintLog(QWidget* parent, std::string_view cp932Text) {
    if (cp932Text.empty()) return;
    QPrinter printer(QPrinter::HighResolution);
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        printer.setPrinterName(defaultPrinter.printerName());
        if (!platform::ConfirmPrinter(printer, parent)) return;
    } else {
        const auto answer = QMessageBox::question(
            parent, "Pemu",
            Caption(
                "印刷できるプリンターがありません。\n同じページを PDF ファイルに書き出しますか？"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) return;
        const QString path = ChooseSaveFile(parent, "PDF ファイル(*.pdf)", QStringLiteral("pdf"));
        if (path.isEmpty()) return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }
    if (PrintLogPages(printer, cp932Text) == 0)
        QMessageBox::warning(parent, "Pemu", Caption("印刷できませんでした。"));
}

}  // namespace pemu::ui
