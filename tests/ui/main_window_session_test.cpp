// Start and end of the calculator window: settings and tapes kept, later windows disabled.
#include <QAction>
#include <QMenu>
#include <QTest>
#include <fstream>
#include <sstream>

#include "main_window_fixture.hpp"
#include "ui/face_widget.hpp"

namespace pemu::ui::testing_support {
namespace {

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(MainWindowTest, EscEndsTheRunAndKeepsSettingsMemoryAndTapes) {
    Start();
    ClickAll({27, 17, 28, 99, 5 /* M+ */});
    window_->Calculator().SetMakerType(2);
    Type(Qt::Key_Escape);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(window_->FinalSaveFailed());
    const std::string ini = Slurp(dataRoot_ / "PemuFiles/_sys/Pemu.ini");
    EXPECT_NE(ini.find("DentakuType=2"), std::string::npos) << ini;
    EXPECT_NE(ini.find("MemoryOn=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Memory=3"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Plus=187"), std::string::npos) << ini;  // the loaded key table
    const std::string log = Slurp(dataRoot_ / "PemuFiles/_sys/KenzanLog.txt");
    EXPECT_NE(log.find('3'), std::string::npos) << log;
    EXPECT_NE(log.find('2'), std::string::npos) << log;
}

TEST_F(MainWindowTest, TheNextRunRestoresFamilyMiniSizeAndMemory) {
    Start();
    ClickAll({27, 30, 5});
    window_->Calculator().SetMakerType(2);
    window_->Menu().DoingMiniSize->trigger();
    window_->close();
    window_.reset();
    session_.reset();
    Start(false);
    EXPECT_EQ(window_->Calculator().State().makerType, 2);
    EXPECT_TRUE(window_->Menu().DoingMiniSize->isChecked());
    EXPECT_EQ(window_->ClientArea()->height(), 116);
    EXPECT_EQ(window_->Calculator().State().memoryValue, "14");
}

TEST_F(MainWindowTest, WindowsOfLaterPartsArePresentButDisabled) {
    Start();
    const MainMenu& m = window_->Menu();
    for (QAction* later :
         {m.KenzanFormOpen, m.SushikiFormOpen, m.BigPanelOpen, m.LogFormOpen, m.SkinFromOpen,
          m.KeyConfig, m.TaxConfig, m.UpdateCheck, m.VersionInfo}) {
        EXPECT_FALSE(later->isEnabled()) << later->objectName().toStdString();
    }
    for (QAction* usable : {m.DoingMiniSize, m.ButtonDisplay, m.IsForeground, m.DoingQuit,
                            m.PemuHelp, m.IsTakeOverMemory, m.RoundConfig}) {
        EXPECT_TRUE(usable->isEnabled()) << usable->objectName().toStdString();
    }
    EXPECT_FALSE(m.MoveToCenter->isVisible());  // a primary copy
    EXPECT_FALSE(window_->Face()->KeyWidget(10)->isEnabled());
}

TEST_F(MainWindowTest, QuitFromTheMenuEndsTheRun) {
    Start();
    window_->Menu().DoingQuit->trigger();
    EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace pemu::ui::testing_support
