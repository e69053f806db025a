// Every help item of every window opens a page of the manual installed with the program.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <set>

#include "main_window_fixture.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;

class PageCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(MainWindowTest, EveryHelpItemOpensAPageOfTheInstalledManual) {
    // The manual as it is installed beside the program; the first run copies it.
    const fs::path manual = dataRoot_ / "bin/PemuFiles/_sys/manual";
    fs::create_directories(manual.parent_path());
    fs::copy(PEMU_MANUAL_DIR, manual, fs::copy_options::recursive);
    Start();
    for (QAction* open :
         {window_->Menu().KenzanFormOpen, window_->Menu().SushikiFormOpen,
          window_->Menu().LogFormOpen, window_->Menu().BigPanelOpen, window_->Menu().SkinFromOpen,
          window_->Menu().KeyConfig, window_->Menu().TaxConfig, window_->Menu().VersionInfo,
          window_->Menu().UpdateCheck}) {
        ASSERT_TRUE(open->isEnabled()) << open->objectName().toStdString();
        open->trigger();
    }
    std::set<QAction*> helpItems;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        for (QAction* action : top->findChildren<QAction*>()) {
            if (action->menu() || !action->isVisible()) continue;
            if (action->text().contains(Caption("ヘルプ"))) helpItems.insert(action);
        }
    }
    PageCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    // A page that cannot be opened is told in a message box: noted and closed.
    QStringList told;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&told] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told << box->text();
            box->accept();
        }
    });
    boxes.start(20);
    for (QAction* item : helpItems)
        item->trigger();
    boxes.stop();
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_TRUE(told.isEmpty()) << told.join(" | ").toStdString();
    // The calculator's, the check tape's, the formula window's and the log viewer's.
    EXPECT_GE(helpItems.size(), 4u);
    ASSERT_EQ(catcher.opened.size(), static_cast<qsizetype>(helpItems.size()))
        << "a help item opened nothing";
    std::set<std::string> pages;
    const fs::path shown = dataRoot_ / "PemuFiles/_sys/manual";
    for (const QUrl& url : catcher.opened) {
        const fs::path page = url.toLocalFile().toStdString();
        EXPECT_EQ(page.parent_path(), shown) << page;
        EXPECT_TRUE(fs::is_regular_file(page)) << page;
        EXPECT_TRUE(fs::is_regular_file(fs::path(PEMU_MANUAL_DIR) / page.filename())) << page;
        pages.insert(page.filename().string());
    }
    EXPECT_EQ(pages, (std::set<std::string>{"index.htm", "2-65.htm", "2-6.htm", "logView.htm"}));
}

}  // namespace
}  // namespace pemu::ui::testing_support

#include "manual_help_test.moc"
