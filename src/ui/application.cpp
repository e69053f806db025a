#include "ui/application.hpp"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

namespace pemu::ui {
namespace {

QIcon ApplicationIcon() {
    const QImage master(QStringLiteral(":/app/pemu.png"));
    QIcon icon;
    if (master.isNull()) return icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(
            master.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    icon.addPixmap(QPixmap::fromImage(master));
    return icon;
}

}  // namespace

void PrepareApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Pemu"));
    QApplication::setWindowIcon(ApplicationIcon());
    // Without the translations installed the buttons stay in English; nothing else changes.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}

}  // namespace pemu::ui
