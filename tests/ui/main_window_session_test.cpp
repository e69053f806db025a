// Start and end of the calculator window: settings and tapes kept, later windows disabled.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <fstream>
#include <sstream>

#include "main_window_fixture.hpp"
#include "platform/qt/ready_notifier.hpp"
#include "shell/ini_document.hpp"
#include "shell/instance_channel.hpp"
#include "ui/face_widget.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;

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

TEST_F(MainWindowTest, TheFinalSaveWritesEverySectionInTheOrderOfAFreshFile) {
    Start();
    window_->close();
    const shell::IniDocument saved =
        shell::IniDocument::Parse(Slurp(dataRoot_ / "PemuFiles/_sys/Pemu.ini"));
    // The list of open windows is kept by the close request, before the final save.
    EXPECT_EQ(saved.Idents("StartUp"),
              (std::vector<std::string>{"KasaneAwase", "StartUpTop", "StartUpLeft", "AutoUpdate",
                                        "StartUpEndOn"}));
    EXPECT_EQ(saved.Idents("View"),
              (std::vector<std::string>{"KeyButtonOn", "FrontSideOn", "KeyPanelOn", "TaskBarIn"}));
    EXPECT_EQ(
        saved.Idents("Value"),
        (std::vector<std::string>{"KenzanAutoScroll", "KenzanLock", "PanelDigit", "AnswerCK",
                                  "GrandTotal", "RoundSelecter", "DecimalSelecter", "DentakuType",
                                  "MemoryRead", "MemoryOn", "Memory", "KeyNaviOn"}));
}

TEST_F(MainWindowTest, WindowsCarryTheIconAndDialogsAnswerInJapanese) {
    Start();
    EXPECT_FALSE(window_->windowIcon().isNull());
    EXPECT_GE(window_->windowIcon().availableSizes().size(), 3) << "small sizes for task bars";
    QMessageBox question(QMessageBox::Question, "Pemu", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(question.button(QMessageBox::Yes)->text().contains(QString::fromUtf8("はい")))
        << question.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(question.button(QMessageBox::No)->text().contains(QString::fromUtf8("いいえ")));
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

TEST_F(MainWindowTest, EveryWindowOfTheMenusIsPresentAndEnabled) {
    Start();
    const MainMenu& m = window_->Menu();
    // Every window of the menus is built: its item and the check tape's key picture work.
    for (QAction* usable :
         {m.KenzanFormOpen, m.DoingMiniSize, m.ButtonDisplay, m.IsForeground, m.DoingQuit,
          m.PemuHelp, m.IsTakeOverMemory, m.RoundConfig, m.SushikiFormOpen, m.SkinFromOpen,
          m.BigPanelOpen, m.LogFormOpen, m.TaxConfig, m.VersionInfo, m.KeyConfig, m.UpdateCheck}) {
        EXPECT_TRUE(usable->isEnabled()) << usable->objectName().toStdString();
    }
    EXPECT_FALSE(m.MoveToCenter->isVisible());  // a primary copy
    // Nowhere to reside without a tray: the window must not hide where nobody finds it.
    EXPECT_EQ(m.IsTaskBarIn->isEnabled(), QSystemTrayIcon::isSystemTrayAvailable());
    EXPECT_TRUE(window_->Face()->KeyWidget(10)->isEnabled());
}

TEST_F(MainWindowTest, QuitFromTheMenuEndsTheRun) {
    Start();
    window_->Menu().DoingQuit->trigger();
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(MainWindowTest, AnOldCasioPercentSettingStartsInCasioOnceWithAMessage) {
    fs::create_directories(dataRoot_ / "PemuFiles/_sys");
    std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[Value]\r\nPerType=2\r\n";
    QString told;
    QTimer::singleShot(100, [&told] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    StartWith(nullptr);
    EXPECT_EQ(told, "Pemu|" + Caption("以前の設定でパーセント計算がカシオ式で選択されていますので、"
                                      "カシオ式として起動します。"));
    EXPECT_EQ(window_->Calculator().State().makerType, 2);
    window_->close();
    EXPECT_EQ(Slurp(dataRoot_ / "PemuFiles/_sys/Pemu.ini").find("PerType"), std::string::npos);
}

// Takes the URLs the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(MainWindowTest, HelpOpensTheManualIndexOfTheDataFolder) {
    const fs::path manual = dataRoot_ / "PemuFiles/_sys/manual";
    fs::create_directories(manual);
    std::ofstream(manual / "index.htm") << "<html></html>";
    Start();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    window_->Menu().PemuHelp->trigger();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(fs::path(catcher.opened.front().toLocalFile().toStdString()), manual / "index.htm");
}

class RunningCopiesTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Each test's copies meet in a folder of their own, so tests run side by side; the
        // program's short name for it keeps socket paths within their limit.
        run_ = shell::RuntimeFolderFor(dataRoot_.string());
        fs::remove_all(run_);
        fs::create_directories(run_);
        fs::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini");
    }
    std::unique_ptr<shell::InstanceChannel> Channel(int pid) {
        return std::make_unique<shell::InstanceChannel>(
            shell::InstanceChannel::Start(run_.string(), pid));
    }
    fs::path run_;
};

TEST_F(RunningCopiesTest, ASecondCopyIsAChildWithItsOwnCaptionAndLeavesNoFiles) {
    auto primary = Channel(1111);
    ASSERT_EQ(primary->role(), shell::InstanceRole::kPrimary);
    StartWith(Channel(4321));
    EXPECT_EQ(window_->windowTitle(), Caption("Pemu *子起動* PID4321"));
    const MainMenu& m = window_->Menu();
    for (QAction* off : {m.IsMemoryLocation, m.IsTaskBarIn, m.UpdateCheck, m.IsTakeOverMemory}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
    EXPECT_TRUE(m.MoveToCenter->isVisible());
    EXPECT_TRUE(fs::exists(dataRoot_ / "PemuFiles/_sys/PID/PID4321.ini"));
    // The primary was asked to show itself; the child's close order ends the child.
    EXPECT_FALSE(primary->TakeMessages().empty());
    ASSERT_TRUE(primary->SendToChild(4321, shell::InstanceMessage::kClose));
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible(), 3000);
    EXPECT_FALSE(fs::exists(dataRoot_ / "PemuFiles/_sys/PID/PID4321.ini"));
    window_.reset();
    session_.reset();
    fs::remove_all(run_);
}

TEST_F(RunningCopiesTest, AChildSendsThePrimaryToTheTopLeftOfTheScreen) {
    StartWith(Channel(1111));
    window_->move(300, 200);
    auto child = Channel(4321);
    ASSERT_EQ(child->role(), shell::InstanceRole::kChild);
    ASSERT_TRUE(child->SendToPrimary(shell::InstanceMessage::kMoveToOrigin));
    QTRY_COMPARE_WITH_TIMEOUT(window_->pos(), QPoint(10, 10), 3000);
    window_.reset();
    session_.reset();
    fs::remove_all(run_);
}

TEST_F(RunningCopiesTest, OnlyAPrimaryHiddenInTheTrayComesBackWhenAChildStarts) {
    StartWith(Channel(1111));
    auto child = Channel(4321);
    ASSERT_EQ(child->role(), shell::InstanceRole::kChild);
    window_->hide();
    ASSERT_TRUE(child->SendToPrimary(shell::InstanceMessage::kRestoreAndShow));
    QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 3000);
    // A visible primary stays where and as it is. The window's own notifier tells when the
    // message has been taken: its handler runs before this test's.
    window_->showMinimized();
    auto* notifier = window_->findChild<platform::ReadyNotifier*>();
    ASSERT_NE(notifier, nullptr);
    bool taken = false;
    QObject::connect(notifier, &platform::ReadyNotifier::ready, [&taken] { taken = true; });
    ASSERT_TRUE(child->SendToPrimary(shell::InstanceMessage::kRestoreAndShow));
    QTRY_VERIFY_WITH_TIMEOUT(taken, 3000);
    EXPECT_TRUE(window_->isMinimized());
    window_.reset();
    session_.reset();
    fs::remove_all(run_);
}

}  // namespace
}  // namespace pemu::ui::testing_support

#include "main_window_session_test.moc"
