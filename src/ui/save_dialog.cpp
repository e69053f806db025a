#include "ui/save_dialog.hpp"

#include <QDir>
#include <QFileDialog>

#include "ui/ui_text.hpp"

namespace pemu::ui {

QString ChooseSaveFile(QWidget* parent, std::string_view filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), QDir::homePath(), Caption(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace pemu::ui
