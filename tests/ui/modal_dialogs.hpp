#pragma once
// Answers the modal dialogs a command opens, as a user would: a message box with one of its
// buttons, a file dialog with a file name. Each waits (for at most 10 s) for the next modal
// dialog of its kind, so a command that opens a question and then a file dialog can have
// both answered before it runs.
#include <QMessageBox>
#include <QString>

namespace pemu::ui::testing_support {

// The next message box: its text is kept in `*text` (when given), then `button` is pressed.
void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);
// The next file dialog: `path` is chosen and the dialog accepted.
void ChooseFile(const QString& path);

}  // namespace pemu::ui::testing_support
