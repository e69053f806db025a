// The skin chooser in the real calculator window: packages in a real data folder, applied,
// cleared by the set rule, saved as a set with its JPEG preview, renamed and deleted, and
// what a child copy may not do. Dialogs are answered as a user would answer them.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "display/codec/jpeg_file.hpp"
#include "main_window_fixture.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"
#include "ui/face_widget.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/package_list_view.hpp"
#include "ui/windows/skin_chooser.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

const QRgb kRed = qRgb(200, 30, 30);
const QRgb kGreen = qRgb(30, 160, 60);
const QRgb kBlue = qRgb(40, 60, 210);
// A point of the panel no key or display covers.
constexpr QPoint kPanelPoint(3, 200);

// Answers the dialogs that open, in order: an input dialog gets `text` and is accepted, a
// message box gets `button`. The texts of the message boxes are kept.
class Answers : public QObject {
  public:
    struct Answer {
        QString text;
        QMessageBox::StandardButton button = QMessageBox::Ok;
    };
    explicit Answers(std::vector<Answer> answers) : answers_(std::move(answers)) {
        connect(&timer_, &QTimer::timeout, this, &Answers::Poll);
        timer_.start(5);
    }
    std::vector<QString> messages;
    std::size_t Left() const { return answers_.size() - next_; }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == answered_ || next_ >= answers_.size()) return;
        const Answer& a = answers_[next_++];
        answered_ = modal;
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(a.text);
            input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages.push_back(box->text());
            box->button(a.button)->click();
        }
    }
    std::vector<Answer> answers_;
    std::size_t next_ = 0;
    QWidget* answered_ = nullptr;
    QTimer timer_;
};

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class SkinChooserTest : public MainWindowTest {
  protected:
    fs::path Packages() const { return dataRoot_ / "PemuFiles/Skin/T8"; }
    fs::path UserSkin() const { return dataRoot_ / "PemuFiles/_sys/UserCustumSkin"; }
    // A package whose pictures are all one colour.
    void MakePackage(const std::string& name, const std::vector<std::string>& files, QRgb colour) {
        const fs::path folder = Packages() / name;
        fs::create_directories(folder);
        for (const std::string& file : files) {
            QSize size(272, 400);
            if (file.rfind("imgButton", 0) == 0) size = QSize(231, 301);
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            ASSERT_TRUE(image.save(QString::fromStdString((folder / file).string()), "BMP"));
        }
    }
    void StartWithCustomSkin(const std::string& more = "") {
        fs::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[Skin]\nCustumSkinType=1\n"
                                                             << more;
        StartWith(nullptr);
    }
    TfrmSkinCh* Open() {
        window_->Context().windows().Toggle(WindowCode::kSkinChooser, false);
        QApplication::processEvents();
        return static_cast<TfrmSkinCh*>(
            window_->Context().windows().Window(WindowCode::kSkinChooser));
    }
    void Key(TfrmSkinCh* chooser, Qt::Key key) {
        chooser->List()->setFocus();
        QTest::keyClick(chooser->List(), key);
        QApplication::processEvents();
    }
    std::string Recorded(int part) const {
        return platform::Cp932ToUtf8(shell::Read(
            session_->store(), shell::keys::kSkinPartNames[static_cast<std::size_t>(part)]));
    }
    QRgb FacePanel() const { return Painted(window_->Face()).pixel(kPanelPoint) & 0xFFFFFF; }
    QRgb BuiltInPanel() const { return display::Skin::BuiltIn()[0].pixel(kPanelPoint) & 0xFFFFFF; }
};

TEST_F(SkinChooserTest, AppliesFromTheKeyboardAndClearsBySetRule) {
    MakePackage("SET_Taro_Green", {"imgBackPanel.bmp", "imgButtonUp.bmp"}, kGreen);
    MakePackage("BTN_Blue", {"imgButtonUp.bmp", "imgButtonDown.bmp"}, kBlue);
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    StartWithCustomSkin();
    TfrmSkinCh* chooser = Open();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->Tab(), 0);
    ASSERT_EQ(chooser->List()->Count(), 1);
    Key(chooser, Qt::Key_Return);
    EXPECT_EQ(Recorded(0), "Green");
    EXPECT_EQ(Recorded(1), "Green (SET)");
    EXPECT_EQ(Recorded(2), "Green (SET)");
    EXPECT_EQ(FacePanel(), kGreen & 0xFFFFFF) << "the face follows the apply";

    // A button package of its own, applied on the buttons tab (two steps right).
    Key(chooser, Qt::Key_Right);
    Key(chooser, Qt::Key_Right);
    EXPECT_EQ(chooser->Tab(), 2);
    ASSERT_EQ(chooser->List()->Count(), 1);
    QTest::mouseDClick(chooser->List(), Qt::LeftButton, {}, QPoint(20, 30));
    EXPECT_EQ(Recorded(2), "Blue");
    EXPECT_EQ(Recorded(0), "") << "a part package is no set";

    // Clearing the set tab takes what came from the set and keeps the buttons.
    Key(chooser, Qt::Key_Left);
    Key(chooser, Qt::Key_Left);
    EXPECT_EQ(chooser->Tab(), 0);
    Key(chooser, Qt::Key_Backspace);
    EXPECT_EQ(Recorded(1), "");
    EXPECT_EQ(Recorded(2), "Blue");
    EXPECT_FALSE(fs::exists(UserSkin() / "imgBackPanel.bmp"));
    EXPECT_TRUE(fs::exists(UserSkin() / "imgButtonUp.bmp"));
    EXPECT_EQ(FacePanel(), BuiltInPanel());
    EXPECT_EQ(window_->Skin().ButtonUp().pixel(60, 70) & 0xFFFFFF, kBlue & 0xFFFFFF);

    // A panel of its own, then all clear: nothing of the user skin is left.
    chooser->SetTab(1);
    Key(chooser, Qt::Key_Return);
    EXPECT_EQ(FacePanel(), kRed & 0xFFFFFF);
    chooser->AllClear();
    EXPECT_TRUE(fs::is_empty(UserSkin()));
    for (int part = 0; part < 6; ++part)
        EXPECT_EQ(Recorded(part), "") << part;
    EXPECT_EQ(FacePanel(), BuiltInPanel());
}

TEST_F(SkinChooserTest, TheStandardSkinDisablesTheListAndApplyDoesNothing) {
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    Start();  // CustumSkinType 0
    TfrmSkinCh* chooser = Open();
    chooser->SetTab(1);
    EXPECT_EQ(chooser->Tab(), 0) << "tabs are disabled";
    EXPECT_FALSE(chooser->List()->isEnabled());
    EXPECT_FALSE(chooser->findChild<QPushButton*>("Apply")->isEnabled());
    chooser->ApplySelected();
    EXPECT_EQ(FacePanel(), BuiltInPanel());
    // Taking the custom skin makes the list usable.
    chooser->findChild<QAbstractButton*>("CustomSkin")->click();
    chooser->SetTab(1);
    chooser->ApplySelected();
    EXPECT_EQ(FacePanel(), kRed & 0xFFFFFF);
    EXPECT_EQ(shell::Read(session_->store(), shell::keys::kCustumSkinType), 1);
}

TEST_F(SkinChooserTest, SavesTheAppliedSkinAsASetWithABaselineJpegPreview) {
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    StartWithCustomSkin();
    TfrmSkinCh* chooser = Open();
    {
        // Nothing applied yet: the names are asked, then the message ends it.
        Answers answers(
            {{U("青")}, {"", QMessageBox::Yes}, {U("ユーザー")}, {"", QMessageBox::Yes}, {}});
        chooser->SaveSet();
        ASSERT_EQ(answers.messages.size(), 3u);
        EXPECT_EQ(answers.messages[2], U("現在スキンファイルは適用されていません。"));
    }
    chooser->SetTab(1);
    chooser->ApplySelected();
    {
        Answers answers({{U("青_空")},  // refused: the warning, then asked again
                         {},
                         {U(" 青 ")},
                         {"", QMessageBox::Yes},
                         {U("ユーザー")},
                         {"", QMessageBox::Yes}});
        chooser->SaveSet();
        EXPECT_EQ(answers.Left(), 0u);
        ASSERT_EQ(answers.messages.size(), 3u);
        EXPECT_EQ(answers.messages[0],
                  U("タイトルに \\ / : , ; * ? \" < > | _ . は使用出来ません。"));
        EXPECT_EQ(answers.messages[1], U("「青」\nでよろしいですか？"));
    }
    const fs::path set = Packages() / "SET_ユーザー_青";
    EXPECT_TRUE(fs::exists(set / "imgBackPanel.bmp"));
    const auto preview = display::ReadJpeg(set / "Preview.jpg");
    ASSERT_TRUE(preview.has_value());
    EXPECT_EQ(preview->size(), QSize(115, 169));
    // The face is red where the panel shows: so is the preview's left edge.
    const QRgb edge = preview->pixel(0, 84);
    EXPECT_GT(qRed(edge), 150);
    EXPECT_LT(qGreen(edge), 80);
    // Baseline (SOF0, no SOF2) and quality 100 (every quantisation step is 1).
    std::ifstream in(set / "Preview.jpg", std::ios::binary);
    const std::string jpeg((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(jpeg.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(jpeg.find("\xFF\xC2"), std::string::npos);
    const auto dqt = jpeg.find("\xFF\xDB");
    ASSERT_NE(dqt, std::string::npos);
    EXPECT_EQ(jpeg.substr(dqt + 5, 64), std::string(64, '\x01'));
    EXPECT_EQ(Recorded(0), "青 (SET)");
    EXPECT_EQ(Recorded(1), "青 (SET)");
    EXPECT_EQ(Recorded(2), "") << "a part not applied gets no name";

    // The same name again: No keeps the old set, Yes replaces it.
    std::ofstream(set / "mine.txt") << "kept";
    {
        Answers answers({{U("青")},
                         {"", QMessageBox::Yes},
                         {U("ユーザー")},
                         {"", QMessageBox::Yes},
                         {"", QMessageBox::No}});
        chooser->SaveSet();
        EXPECT_EQ(answers.messages.back(),
                  U("同名のタイトルで保存したスキンが存在します。\n上書きして保存しますか？"));
    }
    EXPECT_TRUE(fs::exists(set / "mine.txt"));
    {
        Answers answers({{U("青")},
                         {"", QMessageBox::Yes},
                         {U("ユーザー")},
                         {"", QMessageBox::Yes},
                         {"", QMessageBox::Yes}});
        chooser->SaveSet();
    }
    EXPECT_FALSE(fs::exists(set / "mine.txt"));
    EXPECT_TRUE(fs::exists(set / "Preview.jpg"));
}

TEST_F(SkinChooserTest, RenamesAndDeletesPackagesInThePrimary) {
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    MakePackage("PNL_Hana_Blue", {"imgBackPanel.bmp"}, kBlue);
    StartWithCustomSkin();
    TfrmSkinCh* chooser = Open();
    chooser->SetTab(1);
    ASSERT_EQ(chooser->List()->Count(), 2);
    chooser->List()->SetCurrent(1);  // Red (Taro), after Blue
    ASSERT_EQ(chooser->List()->CurrentEntry()->folder, "PNL_Taro_Red");
    {
        // The taken name asks before it is replaced; No keeps both.
        Answers answers({{U("Blue")},
                         {"", QMessageBox::Yes},
                         {U("Hana")},
                         {"", QMessageBox::Yes},
                         {"", QMessageBox::No}});
        chooser->RenameSelected();
    }
    EXPECT_TRUE(fs::exists(Packages() / "PNL_Taro_Red"));
    EXPECT_TRUE(fs::exists(Packages() / "PNL_Hana_Blue"));
    {
        Answers answers({{U("赤")}, {"", QMessageBox::Yes}, {U("Taro")}, {"", QMessageBox::Yes}});
        chooser->RenameSelected();
    }
    EXPECT_FALSE(fs::exists(Packages() / "PNL_Taro_Red"));
    EXPECT_TRUE(fs::exists(Packages() / "PNL_Taro_赤/imgBackPanel.bmp"));
    // Delete asks; No keeps it, Yes removes it.
    chooser->List()->SetCurrent(0);
    const std::string first = chooser->List()->CurrentEntry()->folder;
    {
        Answers answers({{"", QMessageBox::No}});
        Key(chooser, Qt::Key_Delete);
    }
    EXPECT_TRUE(fs::exists(Packages() / first));
    {
        Answers answers({{"", QMessageBox::Yes}});
        Key(chooser, Qt::Key_Delete);
    }
    EXPECT_FALSE(fs::exists(Packages() / first));
    EXPECT_EQ(chooser->List()->Count(), 1);
}

TEST_F(SkinChooserTest, OldCombinationsAreOfferedAsSetsWhenItOpens) {
    MakePackage("HOZ_Taro_Old", {"imgBackPanel.bmp"}, kRed);
    StartWithCustomSkin();
    Answers answers({{"", QMessageBox::Yes}});
    TfrmSkinCh* chooser = Open();
    QTRY_VERIFY_WITH_TIMEOUT(answers.Left() == 0, 3000);
    EXPECT_TRUE(fs::exists(Packages() / "SET_Taro_Old/imgBackPanel.bmp"));
    EXPECT_EQ(chooser->List()->Count(), 1);
}

TEST_F(SkinChooserTest, SpaceTogglesKeyNavigationAndTheChoicesAreKept) {
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    StartWithCustomSkin("DisplayAuthor=1\nSortAsc=0\n");
    TfrmSkinCh* chooser = Open();
    const bool navigation = window_->Menu().KeyNavigation->isChecked();
    Key(chooser, Qt::Key_Space);
    EXPECT_NE(window_->Menu().KeyNavigation->isChecked(), navigation);
    EXPECT_EQ(session_->openWindows().text(), "7");
    chooser->close();
    QApplication::processEvents();
    EXPECT_TRUE(shell::Read(session_->store(), shell::keys::kDisplayAuthor));
    EXPECT_FALSE(shell::Read(session_->store(), shell::keys::kSortAsc));
    EXPECT_EQ(session_->openWindows().text(), "");
}

TEST_F(SkinChooserTest, OldSkinsGoAndTheCurrentFormatStaysAndTheWindowResizes) {
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    const fs::path skins = dataRoot_ / "PemuFiles/Skin";
    fs::create_directories(skins / "T7/SkinA");
    std::ofstream(skins / "old.ini") << "x";
    StartWithCustomSkin();
    TfrmSkinCh* chooser = Open();
    QAction* oldSkins = nullptr;
    for (QAction* a : chooser->findChildren<QAction*>())
        if (a->text().startsWith(U("旧バージョンのスキンを削除"))) oldSkins = a;
    ASSERT_NE(oldSkins, nullptr);
    {
        Answers answers({{"", QMessageBox::No}});
        oldSkins->trigger();
    }
    EXPECT_TRUE(fs::exists(skins / "T7"));
    {
        Answers answers({{"", QMessageBox::Yes}, {}});
        oldSkins->trigger();
        EXPECT_EQ(answers.messages.back(), U("旧スキンファイルを削除しました。"));
    }
    EXPECT_FALSE(fs::exists(skins / "T7"));
    EXPECT_FALSE(fs::exists(skins / "old.ini"));
    EXPECT_TRUE(fs::exists(Packages() / "PNL_Taro_Red/imgBackPanel.bmp"));

    // Down to 460 x 510 and no smaller; the list takes what a larger window gives.
    chooser->resize(300, 300);
    EXPECT_EQ(chooser->size(), QSize(460, 510));
    const int listWidth = chooser->List()->width();
    chooser->resize(700, 700);
    QApplication::processEvents();
    EXPECT_GT(chooser->List()->width(), listWidth + 200);
    chooser->close();
    QApplication::processEvents();
    EXPECT_EQ(session_->store().ReadInteger("Value", "SkinChClientWidth", 0), 700);
}

class ChildSkinChooserTest : public SkinChooserTest {};

TEST_F(ChildSkinChooserTest, AChildCopyCannotRenameOrDelete) {
    const fs::path run = shell::RuntimeFolderFor(dataRoot_.string());
    fs::remove_all(run);
    fs::create_directories(run);
    auto primary =
        std::make_unique<shell::InstanceChannel>(shell::InstanceChannel::Start(run.string(), 1111));
    MakePackage("PNL_Taro_Red", {"imgBackPanel.bmp"}, kRed);
    fs::create_directories(dataRoot_ / "PemuFiles/_sys");
    std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[Skin]\nCustumSkinType=1\n";
    StartWith(std::make_unique<shell::InstanceChannel>(
        shell::InstanceChannel::Start(run.string(), 4321)));
    ASSERT_TRUE(window_->Context().IsChild());
    TfrmSkinCh* chooser = Open();
    chooser->SetTab(1);
    EXPECT_FALSE(chooser->findChild<QPushButton*>("Rename")->isEnabled());
    Key(chooser, Qt::Key_Delete);
    chooser->RenameSelected();
    EXPECT_TRUE(fs::exists(Packages() / "PNL_Taro_Red"));
    // Applying works on the child's own user skin.
    Key(chooser, Qt::Key_Return);
    EXPECT_TRUE(
        fs::exists(dataRoot_ / "PemuFiles/_sys/PID/PID4321UserCustumSkin/imgBackPanel.bmp"));
    window_.reset();
    session_.reset();
    fs::remove_all(run);
}

}  // namespace
}  // namespace pemu::ui::testing_support

namespace pemu::ui::testing_support {
namespace {

// No program to open folders and web pages with: the user is told, not left guessing.
TEST_F(SkinChooserTest, FolderAndWebCommandsSayWhenNothingCanOpenThem) {
    struct PathGone {
        QByteArray kept = qgetenv("PATH");
        PathGone() { qputenv("PATH", QByteArray("/nonexistent")); }
        ~PathGone() { qputenv("PATH", kept); }
    } const noPrograms;
    for (const char* variable : {"BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP"})
        qunsetenv(variable);
    StartWithCustomSkin();
    TfrmSkinCh* chooser = Open();
    ASSERT_NE(chooser, nullptr);
    struct Command {
        const char* caption;
        const char* message;
    } const commands[] = {
        {"カスタムスキンのフォルダを開く　(&G)", "フォルダを開けませんでした。"},
        {"カスタムスキンをウェブサイトから入手  (&P)", "ウェブページを開けませんでした。"},
    };
    for (const Command& c : commands) {
        QAction* item = nullptr;
        for (QAction* action : chooser->findChildren<QAction*>())
            if (action->text() == U(c.caption)) item = action;
        ASSERT_NE(item, nullptr) << c.caption;
        Answers answers({Answers::Answer{}});
        item->trigger();
        ASSERT_EQ(answers.messages.size(), 1u) << c.caption;
        EXPECT_TRUE(answers.messages[0].startsWith(U(c.message)))
            << answers.messages[0].toStdString();
    }
}

}  // namespace
}  // namespace pemu::ui::testing_support
