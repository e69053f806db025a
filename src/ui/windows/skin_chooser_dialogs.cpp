// The skin chooser's commands that ask: save set and rename with their entry dialogs and the
// overwrite question, the conversion of old combinations, and the removal of old skins.
#include <QInputDialog>
#include <QMessageBox>
#include <QRadioButton>

#include "platform/codec.hpp"
#include "platform/file_system.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/package_list_view.hpp"
#include "ui/windows/skin_chooser.hpp"

namespace pemu::ui {
namespace {

using platform::Sjis;

const char* const kNameTitle = "スキン名";
const char* const kAuthorTitle = "作者名";
const char* const kAuthorPrompt = "作者名を入力してください。";
const char* const kOverwrite =
    "同名のタイトルで保存したスキンが存在します。\n上書きして保存しますか？";

}  // namespace

std::string TfrmSkinCh::AskEntry(const char* title, const char* prompt,
                                 const std::string& initial) {
    std::string typed = initial;
    for (;;) {
        bool ok = false;
        const QString text = QInputDialog::getText(this, Caption(title), Caption(prompt),
                                                   QLineEdit::Normal, FromCp932(typed), &ok);
        if (!ok) return "";
        typed = ToCp932(text);
        const shell::EntryCheck check = shell::CheckEntry(typed);
        if (check.problem == shell::EntryProblem::kEmpty) continue;
        if (check.problem != shell::EntryProblem::kNone) {
            QMessageBox::warning(this, "Pemu", FromCp932(shell::EntryProblemText(check.problem)));
            continue;
        }
        if (AskYesNo(Caption(title), FromCp932(shell::EntryConfirmText(check.text))))
            return check.text;
    }
}

void TfrmSkinCh::SaveSet() {
    if (!custom_->isChecked()) return;
    const std::string name = AskEntry(
        kNameTitle, "現在適用中のスキンを保存します。\n作成するスキン名を入力してください。", "");
    if (name.empty()) return;
    const std::string author = AskEntry(kAuthorTitle, kAuthorPrompt, Sjis("ユーザー"));
    if (author.empty()) return;
    bool overwrite = false;
    if (actions_.SetExists(name, author)) {
        if (!AskYesNo("Pemu", Caption(kOverwrite))) return;
        overwrite = true;
    }
    std::string error;
    switch (actions_.SaveSet(name, author, overwrite, context().face().Render(), &error)) {
        case display::SaveOutcome::kNoSkinApplied:
            QMessageBox::information(this, "Pemu",
                                     Caption("現在スキンファイルは適用されていません。"));
            return;
        case display::SaveOutcome::kFailed:
            QMessageBox::warning(this, "Pemu", QString::fromStdString(error));
            return;
        default:
            break;
    }
    if (Tab() == 0) RefreshList();
    RefreshSelection();
}

void TfrmSkinCh::RenameSelected() {
    const shell::PackageEntry* entry = list_->CurrentEntry();
    if (!entry || context().IsChild() || !custom_->isChecked()) return;
    const std::string folder = entry->folder;
    // The full name and author, not the cut ones of the list.
    const std::string cp932 = platform::Utf8ToCp932(folder);
    const shell::PackageName current =
        shell::SplitPackageName(std::string_view(cp932).substr(shell::kPrefixLength));
    const std::string name =
        AskEntry(kNameTitle, "新しいスキン名を入力してください。", current.name);
    if (name.empty()) return;
    const std::string author = AskEntry(kAuthorTitle, kAuthorPrompt, current.author);
    if (author.empty()) return;
    const std::string renamed = actions_.RenamedFolder(Tab(), folder, name, author);
    if (renamed.empty()) return;  // the same name: nothing to do
    const bool taken = platform::PathExists(actions_.FolderOf(renamed));
    if (taken && !AskYesNo("Pemu", Caption(kOverwrite))) return;
    actions_.Rename(folder, renamed, taken);
    RefreshList();
}

void TfrmSkinCh::ConvertOldCombinations() {
    if (shell::OldCombinationFolders(actions_.PackageFolder()).empty()) return;
    if (!AskYesNo(
            "Pemu",
            Caption(
                "旧バージョンの保存した組合せが有ります。\nセットスキンとして保存し直しますか？")))
        return;
    shell::ConvertOldCombinations(actions_.PackageFolder());
    RefreshList();
}

void TfrmSkinCh::RemoveOldSkins() {
    const QString question =
        Caption("現バージョンで使用出来るスキンは、\n") +
        QString::fromStdString(actions_.PackageFolder()) +
        Caption(
            "\nフォルダの中にあるファイルです。\n旧バージョンを使用しない場合は、"
            "それ以外のフォルダは削除しても問題ありません。\n\n旧スキンファイルを削除しますか？");
    if (!AskYesNo("Pemu", question)) return;
    actions_.RemoveOldSkins();
    QMessageBox::information(this, "Pemu", Caption("旧スキンファイルを削除しました。"));
}

}  // namespace pemu::ui
