// The version dialog, and the main menu items of the windows built here: enabled, opening
// and closing their windows, their checks following the windows.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "main_window_fixture.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/secondary_window.hpp"

namespace pemu::ui::testing_support {
namespace {

using shell::WindowCode;

TEST_F(MainWindowTest, VersionDialogShowsTheRunningVersion) {
    Start();
    window_->Menu().VersionInfo->trigger();
    QApplication::processEvents();
    SecondaryWindow* dialog = window_->Context().windows().Window(WindowCode::kVersion);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "バージョン情報");
    EXPECT_EQ(dialog->size(), QSize(293, 201));
    const QLabel* product = dialog->findChild<QLabel*>("ProductText");
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->text().toStdString(), std::string("Pemu Ver") + PEMU_TEST_VERSION);
    EXPECT_TRUE(product->font().bold());
    EXPECT_EQ(dialog->findChild<QWidget*>("Box")->geometry(), QRect(10, 10, 276, 152));
    // Every line is whole inside the box and in the user's words, not a developer's.
    const QRect inside = dialog->findChild<QWidget*>("Box")->rect();
    for (const char* name : {"Description1", "Description2", "Notice1", "Notice2", "Notice3"}) {
        const QLabel* line = dialog->findChild<QLabel*>(name);
        ASSERT_NE(line, nullptr) << name;
        EXPECT_FALSE(line->text().isEmpty()) << name;
        EXPECT_TRUE(inside.contains(line->geometry())) << name;
        for (const char* developer : {"README", ".md", "github", "TODO"})
            EXPECT_FALSE(line->text().contains(developer, Qt::CaseInsensitive)) << name;
    }
    // Esc closes it, from the keyboard alone.
    QTest::keyClick(dialog->findChild<QPushButton*>("CloseRun"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(window_->Context().windows().IsOpen(WindowCode::kVersion));
}

TEST_F(MainWindowTest, MenuItemsOpenTheirWindowsAndTheirChecksFollow) {
    Start();
    const MainMenu& m = window_->Menu();
    struct Item {
        QAction* action;
        QMenu* menu;
        WindowCode code;
    };
    const Item items[] = {
        {m.BigPanelOpen, m.view, WindowCode::kEnlargedDisplay},
        {m.LogFormOpen, m.view, WindowCode::kLogViewer},
        {m.TaxConfig, m.options, WindowCode::kTaxRate},
        {m.VersionInfo, m.help, WindowCode::kVersion},
    };
    WindowSwitcher& windows = window_->Context().windows();
    for (const Item& item : items) {
        const std::string name = item.action->objectName().toStdString();
        EXPECT_TRUE(item.action->isEnabled()) << name;
        item.action->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(windows.IsOpen(item.code)) << name;
        // Closed another way (Esc in the window): the menu shows it when it opens.
        emit item.menu->aboutToShow();
        EXPECT_TRUE(item.action->isChecked()) << name;
        windows.Close(item.code);
        QApplication::processEvents();
        emit item.menu->aboutToShow();
        EXPECT_FALSE(item.action->isChecked()) << name;
    }
}

}  // namespace
}  // namespace pemu::ui::testing_support
