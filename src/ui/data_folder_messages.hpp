#pragma once
// What the user is told when the data folder cannot keep this run's work: at the start (no
// place for it at all, or a folder nothing can be written into) and when the final save
// failed. Each is a message box captioned "Pemu" with the reason below the text, and the
// same line on standard error for whoever started the program.
#include <string>

class QWidget;

namespace pemu::ui {

// Before any window: no folder may hold the data folder, so the program does not start.
void ShowNoDataFolderPlace(const std::string& problem);

// At the start: the data folder cannot be written, so the settings and tapes of this run
// will not be kept. Said before the work is done, not after it is lost.
void WarnUnusableDataFolder(QWidget* parent, const std::string& reason);

// At the end: "設定または計算ログを保存できませんでした。"
void WarnFinalSaveFailed(const std::string& reason);

}  // namespace pemu::ui
