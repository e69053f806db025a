#pragma once
// The common save dialog: the file a command writes to.
#include <QString>
#include <string_view>

class QWidget;

namespace pemu::ui {

// `filter` as "テキストファイル(*.txt)" (UTF-8 source); the suffix is added to a name typed
// without one. Empty when the user cancels.
QString ChooseSaveFile(QWidget* parent, std::string_view filter, const QString& defaultSuffix);

}  // namespace pemu::ui
