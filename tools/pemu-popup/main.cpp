// pemu-popup FILE: shows a text file (CP932) in a window of its own, read-only. The tape
// window and the log viewer write the file into the PID folder and start this program;
// the folder is emptied when pemu ends, so the viewer deletes nothing itself.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "platform/file_system.hpp"
#include "platform/qt/qt_path.hpp"
#include "popup_window.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pemu-popup"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: pemu-popup FILE\n");
        return 2;
    }
    const QString path = args.at(1);
    const auto text = pemu::platform::ReadWholeFile(pemu::platform::PathFromQt(path));
    if (!text) {
        QMessageBox::warning(nullptr, QStringLiteral("Pemu"),
                             QStringLiteral("ファイルを読めませんでした。\n") + path);
        return 1;
    }
    auto* window = new PopupWindow(path, *text);
    window->show();
    return QApplication::exec();
}
