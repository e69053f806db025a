#include "ui/desktop_open.hpp"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/qt/qt_path.hpp"
#include "shell/named_paths.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {

bool OpenWithDesktop(QWidget* parent, const QUrl& url, std::string_view failure) {
    const bool missing = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
    if (!missing && QDesktopServices::openUrl(url)) return true;
    const QString where = url.isLocalFile() ? url.toLocalFile() : url.toString();
    QMessageBox::warning(parent, "Pemu", Caption(failure) + '\n' + where);
    return false;
}

bool OpenManualPage(QWidget* parent, const shell::NamedPaths& paths, std::string_view page) {
    const std::string path = paths.PathOf(shell::PathKind::kManualFolder) + std::string(page);
    return OpenWithDesktop(parent, QUrl::fromLocalFile(platform::QtPath(path)),
                           "ヘルプを開けませんでした。");
}

}  // namespace pemu::ui
