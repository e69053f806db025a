#include "ui/package_install_messages.hpp"

#include <QMessageBox>

#include "shell/package_install.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

void Show(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void InstallPackagesFromCommandLine(const std::vector<std::string>& paths,
                                    const shell::NamedPaths& named) {
    for (const std::string& path : paths) {
        const shell::InstallOutcome out = shell::InstallPackage(path, named);
        if (out.kind == shell::PackageKind::kNone) continue;
        const QString component = Utf8(out.component);
        if (!out.refused.empty()) {
            QString names;
            for (const std::string& name : out.refused)
                names += "\n" + Utf8(name);
            Show(QMessageBox::Warning, "Pemu",
                 Caption(
                     "次のファイルはスキンフォルダの外を指す名前のため、展開しませんでした。\n\n") +
                     component + "\n" + names);
        }
        if (out.installed) {
            Show(QMessageBox::Information, "Pemu",
                 Caption("スキンファイルをインストールしました。\n\n") + component);
        } else if (!out.error.empty() && out.kind == shell::PackageKind::kCabinet) {
            Show(QMessageBox::Warning,
                 "SetupIterateCabinet() Error :", Utf8(out.error) + "\n\n" + component);
        } else if (!out.error.empty()) {
            Show(QMessageBox::Warning, "Pemu",
                 Caption("スキンファイルをインストールできませんでした。\n\n") + component + "\n" +
                     Utf8(out.error));
        }
    }
}

}  // namespace pemu::ui
