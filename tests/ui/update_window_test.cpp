// The update check dialog and the check at start-up, against the test's own HTTP server on
// the loopback address.
#include <sys/stat.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "dialog_test_support.hpp"
#include "loopback_server.hpp"
#include "main_window_fixture.hpp"
#include "platform/codec.hpp"
#include "shell/instance_channel.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/update_window.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using pemu::testing_support::ClosedPortUrl;
using pemu::testing_support::LoopbackServer;
using pemu::testing_support::SilentServer;
using platform::Sjis;
using shell::WindowCode;

const std::string kUpdater = "#!/bin/sh\necho ran > ran.txt\n";

class UpdateWindowTest : public DialogTest<TfrmUpdate, WindowCode::kUpdate> {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        server_ = std::make_unique<LoopbackServer>(dataRoot_ / "server");
        ASSERT_TRUE(server_->Running()) << "python3 did not start the loopback server";
        server_->AddFile("Update.sh", kUpdater);
        UseEndpoint(server_->Url("/pemu/AppVer.php"));
    }
    void TearDown() override {
        window_.reset();
        server_.reset();
        ::unsetenv("PEMU_UPDATE_URL");
        DialogTest::TearDown();
    }
    static void UseEndpoint(const std::string& url) { ::setenv("PEMU_UPDATE_URL", url.c_str(), 1); }
    TfrmUpdate* Open() { return OpenFrom(window_->Menu().UpdateCheck); }
    static bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > ms) return false;
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
    // Alt with a letter in the dialog; the button's click follows its press animation.
    static void Mnemonic(TfrmUpdate* dialog, Qt::Key key) {
        QTest::keyClick(dialog, key, Qt::AltModifier);
        QTest::qWait(250);
    }
    // Stage 1 with a newer version on the server, then the download started.
    TfrmUpdate* StartDownloadOf(const std::string& fileName) {
        server_->SetRecordFor("3.70.00", fileName);
        TfrmUpdate* dialog = Open();
        Mnemonic(dialog, Qt::Key_K);  // "確認(&K)"
        EXPECT_EQ(dialog->Stage(), 2);
        QTest::keyClick(dialog->Runs(), Qt::Key_Space);  // "ダウンロード" has the focus
        return dialog;
    }
    fs::path Files() const { return dataRoot_ / "PemuFiles"; }
    // Nothing of a download is left in the files folder.
    bool NoPartialFile() const { return !fs::exists(Files() / ".pemu-update.part"); }

    std::unique_ptr<LoopbackServer> server_;
};

TEST_F(UpdateWindowTest, ANewerVersionIsDownloadedAndBecomesTheUpdater) {
    StartWith("");
    TfrmUpdate* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(session_->openWindows().text(), "8");
    EXPECT_EQ(dialog->Message(), Sjis("インターネットに接続して更新をチェックします。\r\n"
                                      "[確認] ボタンを押してください。"));
    EXPECT_EQ(ToCp932(dialog->Runs()->text()), Sjis("確認(&K)"));
    EXPECT_FALSE(dialog->Progress()->isVisible());
    server_->SetRecordFor("3.70.00", "Update.sh");
    Mnemonic(dialog, Qt::Key_K);
    EXPECT_EQ(dialog->Message(), Sjis("最新バージョン 3.70.00 が見つかりました。\r\n"
                                      "[ダウンロード] ボタンを押してください。"));
    EXPECT_EQ(dialog->Stage(), 2);
    EXPECT_EQ(ToCp932(dialog->Runs()->text()), Sjis("ダウンロード"));
    QTest::keyClick(dialog->Runs(), Qt::Key_Space);
    EXPECT_TRUE(dialog->Downloading());
    EXPECT_EQ(dialog->Message(), Sjis("接続中です。 [ESC]キーで中断"));
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kUrlRow), server_->Url("/"));
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kConnectionRow), "ON");
    EXPECT_FALSE(dialog->Runs()->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return !dialog->Downloading(); }));
    EXPECT_EQ(dialog->Message(), Sjis("ダウンロードに成功しました。\r\n"
                                      "[アップデート] ボタンを押してください。"));
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kStatusRow), Sjis("正常終了"));
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kConnectionRow), "OFF");
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kSizeRow), "    0.0 |    0.0 KB  Step:1/1");
    EXPECT_EQ(dialog->Stage(), 3);
    EXPECT_EQ(ToCp932(dialog->Runs()->text()), Sjis("アップデート"));
    EXPECT_TRUE(NoPartialFile());
    EXPECT_FALSE(fs::exists(Files() / "Update.sh")) << "nothing is saved under the server's name";
    std::ifstream updater(Files() / "Update.exe", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(updater), {}), kUpdater);

    // Stage 3 starts the updater in the files folder and ends the run normally.
    QTest::keyClick(dialog->Runs(), Qt::Key_Space);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(Files() / "ran.txt"); }));
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(window_->FinalSaveFailed() == false);
    EXPECT_TRUE(fs::exists(Files() / "Update.exe")) << "kept while the updater may read it";
}

TEST_F(UpdateWindowTest, EqualMalformedAndUnreachableAnswersKeepStageOne) {
    StartWith("");
    TfrmUpdate* dialog = Open();
    struct Case {
        const char* name;
        std::string record;
        std::string message;
    };
    const std::string failed = Sjis("接続に失敗しました。");
    const Case cases[] = {
        {"equal", "[PemuAppVer][Ver]3.69.03[Url][Fil][Siz][Last][End]",
         Sjis("現在最新バージョンをお使いです。")},
        {"malformed", "<html>[PemuAppVer]</html>", failed},
        {"a path as file name",
         "[PemuAppVer][Ver]9.99.99[Url]" + server_->Url("/files/") +
             "[Fil]../../escape.sh[Siz][Last][End]",
         failed},
    };
    for (const Case& c : cases) {
        server_->SetRecord(c.record);
        dialog->Runs()->click();
        EXPECT_EQ(dialog->Message(), c.message) << c.name;
        EXPECT_EQ(dialog->Stage(), 1) << c.name;
    }
    const std::string unreachable = ClosedPortUrl("/pemu/AppVer.php");
    UseEndpoint(unreachable);
    dialog->Runs()->click();
    EXPECT_EQ(dialog->Message(), failed);
    // What was tried stays in view.
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kUrlRow), unreachable);
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kStatusRow), Sjis("接続の失敗"));
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kConnectionRow), "OFF");
    EXPECT_EQ(server_->RequestLog().find("GET /files/"), std::string::npos);
    EXPECT_FALSE(fs::exists(dataRoot_ / "escape.sh"));
}

TEST_F(UpdateWindowTest, AFailedDownloadShowsItsStatusAndLeavesNoFile) {
    server_->AddFile("short.exe", std::string(5000, 's'));
    const std::pair<const char*, const char*> cases[] = {
        {"missing.exe", "ファイル取得失敗"},  // 404
        {"short.exe", "ダウンロードに失敗"},  // shorter than announced
    };
    StartWith("");
    for (const auto& [file, status] : cases) {
        TfrmUpdate* dialog = StartDownloadOf(file);
        ASSERT_TRUE(WaitFor([&] { return !dialog->Downloading(); })) << file;
        EXPECT_EQ(dialog->Message(), Sjis("ダウンロードに失敗しました。")) << file;
        EXPECT_EQ(dialog->Cell(TfrmUpdate::kStatusRow), Sjis(status)) << file;
        EXPECT_EQ(dialog->Stage(), 2) << "the user can try again";
        EXPECT_TRUE(dialog->Runs()->isEnabled());
        EXPECT_TRUE(NoPartialFile()) << file;
        EXPECT_FALSE(fs::exists(Files() / "Update.exe")) << file;
        dialog->close();
        QApplication::processEvents();
    }
}

TEST_F(UpdateWindowTest, EscStopsTheDownloadAndTheWindowStaysOpen) {
    StartWith("");
    TfrmUpdate* dialog = StartDownloadOf("slow.bin");
    ASSERT_TRUE(WaitFor([&] {
        return dialog->Progress()->isVisible() && fs::exists(Files() / ".pemu-update.part");
    }));
    ASSERT_TRUE(WaitFor([&] { return fs::file_size(Files() / ".pemu-update.part") > 4096; }));
    QTest::keyClick(dialog, Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !dialog->Downloading(); }, 5000));
    ASSERT_EQ(Dialog(), dialog) << "Esc stopped the download, it did not close the window";
    EXPECT_EQ(dialog->Cell(TfrmUpdate::kStatusRow), Sjis("接続の中断"));
    EXPECT_EQ(dialog->Message(), Sjis("ダウンロードに失敗しました。"));
    EXPECT_EQ(dialog->Stage(), 2);
    EXPECT_TRUE(NoPartialFile());
    // Esc again closes the window.
    QTest::keyClick(dialog, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(Dialog(), nullptr);
}

TEST_F(UpdateWindowTest, ClosingTheWindowOrTheProgramDuringADownloadLeavesNoFile) {
    StartWith("");
    TfrmUpdate* dialog = StartDownloadOf("slow.bin");
    ASSERT_TRUE(WaitFor([&] { return fs::exists(Files() / ".pemu-update.part"); }));
    dialog->close();
    QApplication::processEvents();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(NoPartialFile());
    // The main window ending stops a download too, and still saves.
    StartDownloadOf("slow.bin");
    ASSERT_TRUE(WaitFor([&] { return fs::exists(Files() / ".pemu-update.part"); }));
    window_->close();
    EXPECT_TRUE(NoPartialFile());
    EXPECT_FALSE(window_->FinalSaveFailed());
    EXPECT_EQ(session_->openWindows().text(), "");
}

TEST_F(UpdateWindowTest, TheCheckBoxIsTheAutoUpdateSettingSavedAtTheEnd) {
    StartWith("");
    TfrmUpdate* dialog = Open();
    EXPECT_FALSE(dialog->AutoCheck()->isChecked());
    QTest::mouseClick(dialog->AutoCheck(), Qt::LeftButton);
    dialog->close();
    window_->close();
    std::ifstream in(dataRoot_ / "PemuFiles/_sys/Pemu.ini", std::ios::binary);
    const std::string ini(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(ini.find("AutoUpdate=1"), std::string::npos) << ini;
}

TEST_F(UpdateWindowTest, AtStartOnlyANewerVersionAsksAndADeadServerNeverHoldsTheStartLong) {
    // The check runs once the start has settled; an answer armed after the start comes
    // after it.
    const auto start = [this](const std::string& endpoint, QMessageBox::StandardButton answer) {
        UseEndpoint(endpoint);
        window_.reset();
        StartWith("[StartUp]\r\nAutoUpdate=1\r\n");
        auto question = std::make_unique<NextMessageBox>(answer);
        QApplication::processEvents();
        return question;
    };
    SilentServer silent;
    for (const std::string& endpoint :
         {ClosedPortUrl("/pemu/AppVer.php"), silent.Url("/pemu/AppVer.php")}) {
        QElapsedTimer started;
        started.start();
        EXPECT_FALSE(start(endpoint, QMessageBox::No)->Shown()) << endpoint;
        EXPECT_LT(started.elapsed(), 15000) << "bounded by the 5 s of the version request";
    }
    // The newest version in use: no question either.
    server_->SetRecordFor("3.69.03", "Update.sh");
    EXPECT_FALSE(start(server_->Url("/pemu/AppVer.php"), QMessageBox::No)->Shown());
    // A newer one asks; Yes opens the dialog at stage 1.
    server_->SetRecordFor("3.70.00", "Update.sh");
    const auto question = start(server_->Url("/pemu/AppVer.php"), QMessageBox::Yes);
    EXPECT_EQ(question->Text(),
              Sjis("現在お使いのPemuより、最新版が見つかりました。アップデートしますか？"));
    EXPECT_EQ(question->Title(), "Pemu");
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Dialog()->Stage(), 1);
}

TEST_F(UpdateWindowTest, AChildCopyNeverAsksAtStart) {
    const fs::path run = shell::RuntimeFolderFor(dataRoot_.string());
    fs::create_directories(run);
    auto primary =
        std::make_unique<shell::InstanceChannel>(shell::InstanceChannel::Start(run.string(), 1111));
    ASSERT_EQ(primary->role(), shell::InstanceRole::kPrimary);
    server_->SetRecordFor("3.70.00", "Update.sh");
    fs::create_directories(dataRoot_ / "PemuFiles/_sys");
    std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[StartUp]\r\nAutoUpdate=1\r\n";
    MainWindowTest::StartWith(std::make_unique<shell::InstanceChannel>(
        shell::InstanceChannel::Start(run.string(), 4321)));
    NextMessageBox question(QMessageBox::No);
    QApplication::processEvents();
    EXPECT_FALSE(question.Shown());
    EXPECT_EQ(server_->RequestLog(), "") << "the child does not even ask the server";
    window_.reset();
    session_.reset();
    primary.reset();
    fs::remove_all(run);
}

}  // namespace
}  // namespace pemu::ui::testing_support
