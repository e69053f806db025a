#include "ui/data_folder_messages.hpp"

#include <QMessageBox>
#include <cstdio>

#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

void Tell(QWidget* parent, QMessageBox::Icon icon, const char* text, const std::string& reason) {
    std::fprintf(stderr, "pemu: %s\n", reason.c_str());
    QMessageBox box(icon, "Pemu", Caption(text) + "\n" + QString::fromStdString(reason),
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

void ShowNoDataFolderPlace(const std::string& problem) {
    Tell(nullptr, QMessageBox::Critical,
         "データフォルダを置ける場所がないため、Pemuを起動できません。", problem);
}

void WarnUnusableDataFolder(QWidget* parent, const std::string& reason) {
    Tell(parent, QMessageBox::Warning,
         "データフォルダに書き込めないため、設定と計算ログは保存されません。", reason);
}

void WarnFinalSaveFailed(const std::string& reason) {
    Tell(nullptr, QMessageBox::Warning, "設定または計算ログを保存できませんでした。", reason);
}

}  // namespace pemu::ui
