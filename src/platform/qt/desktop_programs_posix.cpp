#include <QProcess>

#include "platform/qt/desktop_programs.hpp"

namespace pemu::platform {

bool StartProgram(const QString& program, const QString& workingFolder) {
    return QProcess::startDetached(program, {}, workingFolder);
}

bool ConfirmPrinter(QPrinter&, QWidget*) {
    return true;
}

}  // namespace pemu::platform
