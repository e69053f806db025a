#pragma once
// Folders and web pages opened with the desktop's own programs.
#include <QUrl>
#include <string_view>

class QWidget;

namespace pemu::ui {

// Opens `url` with the program the desktop has for it. When there is none (or a local file
// or folder is missing), says so on `parent`: `failure` (UTF-8 source text, such as
// "フォルダを開けませんでした。") over the address. True when it opened.
bool OpenWithDesktop(QWidget* parent, const QUrl& url, std::string_view failure);

}  // namespace pemu::ui
