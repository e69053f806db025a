#include "ui/popup_launcher.hpp"

#include <QMessageBox>
#include <QProcess>
#include <QWidget>
#include <ctime>

#include "platform/qt/qt_path.hpp"
#include "shell/popup_file.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

bool Refuse(QWidget& window, std::string_view why, const std::string& detail) {
    QMessageBox::warning(&window, "Pemu", Caption(why) + "\n" + platform::QtPath(detail));
    return false;
}

}  // namespace

bool ShowInPopupViewer(AppContext& context, QWidget& window, std::string_view cp932Text) {
    const shell::NamedPaths& paths = context.session().paths();
    const std::string viewer = shell::PopupViewerPath(paths.programFolder());
    if (!platform::FileExists(viewer))
        return Refuse(window, "ポップアップ表示のプログラムが見つかりません。", viewer);
    const shell::PopupFile file = shell::WritePopupFile(
        paths.PathOf(shell::PathKind::kPidFolder), cp932Text,
        static_cast<std::int64_t>(std::time(nullptr)), window.x(), window.y());
    if (!file.io)
        return Refuse(window, "ポップアップ表示のファイルを書けませんでした。", file.io.what);
    if (!QProcess::startDetached(platform::QtPath(viewer), {platform::QtPath(file.path)}))
        return Refuse(window, "ポップアップ表示のプログラムを起動できませんでした。", viewer);
    return true;
}

}  // namespace pemu::ui
