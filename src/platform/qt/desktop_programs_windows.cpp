#include <windows.h>

#include <shellapi.h>

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/desktop_programs.hpp"

namespace pemu::platform {

bool StartProgram(const QString& program, const QString& workingFolder) {
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

bool ConfirmPrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace pemu::platform
