#include "ui/windows/update_check.hpp"

#include <QMessageBox>
#include <QString>

#include "http/http_client.hpp"
#include "platform/product_info.hpp"
#include "platform/qt/desktop_programs.hpp"
#include "platform/qt/qt_path.hpp"
#include "shell/settings_keys.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "update/update_steps.hpp"
#include "update/version_fetch.hpp"

namespace pemu::ui {

void UpdateCheck::ReadSettings(const shell::SettingsStore& store) {
    autoUpdate_ = shell::Read(store, shell::keys::kAutoUpdate);
}

void UpdateCheck::WriteSettings(shell::SettingsStore& store) const {
    shell::Write(store, shell::keys::kAutoUpdate, autoUpdate_);
}

std::string UpdateCheck::VersionEndpoint() const {
    return context_.session().paths().PathOf(shell::PathKind::kVersionEndpoint);
}

std::string UpdateCheck::OwnVersion() {
    return std::string(platform::kVersionText).substr(0, 9);
}

void UpdateCheck::AutoCheckAtStart() {
    if (!autoUpdate_ || context_.IsChild()) return;
    const std::unique_ptr<update::HttpGetter> http = http::NewVersionGetter();
    const update::FetchOutcome outcome = update::FetchVersion(*http, VersionEndpoint());
    if (update::DecideCheck(OwnVersion(), outcome) != update::CheckResult::kNewer) return;
    QWidget& main = context_.mainWindow();
    main.repaint();
    const auto answer = QMessageBox::question(&main, "Pemu", FromCp932(update::AutoCheckQuestion()),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) context_.windows().Toggle(shell::WindowCode::kUpdate, true);
}

void UpdateCheck::LaunchUpdater() {
    const shell::NamedPaths& paths = context_.session().paths();
    const QString program = platform::QtPath(paths.PathOf(shell::PathKind::kUpdaterFile));
    const QString folder = platform::QtPath(paths.PathOf(shell::PathKind::kFilesFolder));
    if (!platform::StartProgram(program, folder)) {
        QMessageBox::warning(&context_.mainWindow(), "Pemu",
                             Caption("アップデートプログラムを起動できませんでした。"));
        return;
    }
    context_.session().KeepUpdaterFile();
    if (endProgram_) endProgram_();
}

}  // namespace pemu::ui
