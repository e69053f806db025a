#pragma once
// Folders and web pages opened with the desktop's own programs.
#include <QUrl>
#include <string_view>

class QWidget;

namespace pemu::shell {
class NamedPaths;
}

namespace pemu::ui {

// Opens `url` with the program the desktop has for it. When there is none (or a local file
// or folder is missing), says so on `parent`: `failure` (UTF-8 source text, such as
// "フォルダを開けませんでした。") over the address. True when it opened.
bool OpenWithDesktop(QWidget* parent, const QUrl& url, std::string_view failure);

// Opens `page` (such as "index.htm") of the manual folder; a missing page or no program for
// it is said on `parent` with the page's path. True when it opened.
bool OpenManualPage(QWidget* parent, const shell::NamedPaths& paths, std::string_view page);

}  // namespace pemu::ui
