#include "ui/desktop_open.hpp"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/ui_text.hpp"

namespace pemu::ui {

bool OpenWithDesktop(QWidget* parent, const QUrl& url, std::string_view failure) {
    const bool missing = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
    if (!missing && QDesktopServices::openUrl(url)) return true;
    const QString where = url.isLocalFile() ? url.toLocalFile() : url.toString();
    QMessageBox::warning(parent, "Pemu", Caption(failure) + '\n' + where);
    return false;
}

}  // namespace pemu::ui
