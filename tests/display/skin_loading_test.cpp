// Loading skins and skin parts: the five modes, the user skin folder, recorded packages,
// composed pressed keys, label colours, and folders with missing or broken bitmaps.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "display/face.hpp"
#include "display/skin.hpp"
#include "display_test_support.hpp"

namespace pemu::display {
namespace {

namespace fs = std::filesystem;
using testing::Block;
using testing::SamePixels;
using testing::SolidBitmap;
using testing::TempFolder;

class FakeEnvironment : public SkinEnvironment {
  public:
    explicit FakeEnvironment(fs::path user) : user_(std::move(user)) {}
    fs::path UserSkinFolder() const override { return user_; }
    bool IsPrimaryInstance() const override { return primary; }
    void SetSkinIdent(std::string_view ident, std::string_view name) override {
        idents[std::string(ident)] = std::string(name);
    }
    void SetCustomSkinType(int type) override { customSkinType = type; }
    void RepaintKeyNavigation() override { ++navigationRepaints; }
    void RedrawDisplay() override { ++displayRedraws; }

    bool primary = true;
    std::map<std::string, std::string> idents;
    int customSkinType = -1;
    int navigationRepaints = 0;
    int displayRedraws = 0;

  private:
    fs::path user_;
};

class SkinLoading : public ::testing::Test {
  protected:
    SkinLoading() : root("load"), env(root / "user") {}
    fs::path Package(const std::string& name) {
        const fs::path folder = root / name;
        fs::create_directories(folder);
        return folder;
    }
    // A key sheet whose cells are one colour, recognisable after loading.
    void Sheets(const fs::path& folder, QRgb up, QRgb down) {
        SolidBitmap(folder / "imgButtonUp.bmp", 231, 301, up);
        SolidBitmap(folder / "imgButtonDown.bmp", 231, 301, down);
    }
    TempFolder root;
    FakeEnvironment env;
    Face face{[] { return kSharp; }};
};

TEST_F(SkinLoading, ApplyingAButtonPackageChangesOnlyTheKeySheets) {
    const fs::path package = Package("BTN_Ann_Blue");
    Sheets(package, qRgb(0, 0, 200), qRgb(0, 0, 100));
    std::ofstream(package / "option.ini") << "[Value]\r\nButtonCompound=0\r\n";
    const QImage panelBefore = face.skin().Panel().copy();
    const LoadResult result = face.LoadSkin(package, LoadMode::kApplyPackage, env);
    EXPECT_EQ(result.picturesLoaded, 2);
    EXPECT_TRUE(result.anyPartApplied);
    EXPECT_EQ(result.error, "");
    EXPECT_TRUE(SamePixels(face.skin().Panel(), panelBefore));
    EXPECT_TRUE(SameColour(face.keys().Picture(27).pixel(3, 3), qRgb(0, 0, 200)));
    EXPECT_TRUE(fs::exists(env.UserSkinFolder() / "imgButtonUp.bmp"));
    EXPECT_TRUE(fs::exists(env.UserSkinFolder() / "imgButtonDown.bmp"));
    EXPECT_FALSE(fs::exists(env.UserSkinFolder() / "imgBackPanel.bmp"));
    EXPECT_EQ(ReadButtonCompound(env.UserSkinFolder()), 0);
    EXPECT_EQ(env.idents, (std::map<std::string, std::string>{{"SET_", ""}, {"BTN_", "Blue"}}));
    EXPECT_EQ(env.customSkinType, 1);
    EXPECT_EQ(env.displayRedraws, 1);
    EXPECT_EQ(env.navigationRepaints, 1);
}

TEST_F(SkinLoading, ACompletePackageRecordsItsNameUnderEveryPart) {
    const fs::path package = Package("SET_Blue");
    SolidBitmap(package / "imgBackPanel.bmp", 272, 400, qRgb(1, 2, 3));
    Sheets(package, qRgb(4, 5, 6), qRgb(7, 8, 9));
    SolidBitmap(package / "imgDigitalPanel.bmp", 261, 102, qRgb(9, 9, 9));
    SolidBitmap(package / "imgDigitalNumber.bmp", 224, 25, qRgb(10, 10, 10));
    SolidBitmap(package / "imgDigitalMark.bmp", 400, 13, qRgb(11, 11, 11));
    face.LoadSkin(package, LoadMode::kApplyPackage, env);
    EXPECT_EQ(env.idents["SET_"], "Blue");
    for (const char* part : {"PNL_", "BTN_", "DGP_", "DGN_", "DGM_"})
        EXPECT_EQ(env.idents[part], "Blue (SET)") << part;
    // The display follows the new strips: a drawn number is the new background only.
    face.display().DrawNumber("8");
    EXPECT_TRUE(SameColour(face.display().DigitPanel().pixel(230, 10), qRgb(10, 10, 10)));
}

TEST_F(SkinLoading, MissingAndBrokenBitmapsLeaveThePicturesAsTheyWere) {
    const fs::path package = Package("PNL_Broken");
    std::ofstream(package / "imgBackPanel.bmp") << "BM\x10\x00 broken";
    std::ofstream(package / "imgDigitalMark.bmp");  // empty
    const QImage panel = face.skin().Panel().copy(), marks = face.skin().DigitalMark().copy();
    const LoadResult result = face.LoadSkin(package, LoadMode::kApplyPackage, env);
    EXPECT_EQ(result.picturesLoaded, 0);
    EXPECT_FALSE(result.anyPartApplied);
    EXPECT_TRUE(SamePixels(face.skin().Panel(), panel));
    EXPECT_TRUE(SamePixels(face.skin().DigitalMark(), marks));
    // Nothing broken reaches the user skin, and no package is recorded.
    EXPECT_FALSE(fs::exists(env.UserSkinFolder() / "imgBackPanel.bmp"));
    EXPECT_TRUE(env.idents.empty());
    // The face is still refreshed.
    EXPECT_EQ(env.displayRedraws, 1);
}

TEST_F(SkinLoading, StartUpFromAnEmptyUserFolderShowsTheBuiltInSkin) {
    fs::create_directories(env.UserSkinFolder());
    face.FirstShow(1, env);
    EXPECT_TRUE(SamePixels(face.skin().Panel(), Skin::BuiltIn()[0]));
    EXPECT_EQ(env.displayRedraws, 0);  // start-up draws "0" itself afterwards
    EXPECT_EQ(env.customSkinType, 1);
}

TEST_F(SkinLoading, DefaultForDisplayCopiesNothingAndResetEmptiesTheUserSkin) {
    const fs::path defaults = Package("Default");
    Sheets(defaults, qRgb(50, 50, 50), qRgb(40, 40, 40));
    fs::create_directories(env.UserSkinFolder());
    SolidBitmap(env.UserSkinFolder() / "imgBackPanel.bmp", 272, 400, qRgb(1, 1, 1));
    face.LoadSkin(defaults, LoadMode::kDefaultForDisplay, env);
    EXPECT_EQ(env.customSkinType, 0);
    EXPECT_FALSE(fs::exists(env.UserSkinFolder() / "imgButtonUp.bmp"));
    EXPECT_TRUE(fs::exists(env.UserSkinFolder() / "imgBackPanel.bmp"));

    env.primary = false;  // a child leaves the shared user skin alone
    face.LoadSkin(defaults, LoadMode::kResetToDefault, env);
    EXPECT_TRUE(fs::exists(env.UserSkinFolder() / "imgBackPanel.bmp"));
    env.primary = true;
    face.LoadSkin(defaults, LoadMode::kResetToDefault, env);
    EXPECT_FALSE(fs::exists(env.UserSkinFolder() / "imgBackPanel.bmp"));
    for (const char* part : {"SET_", "PNL_", "BTN_", "DGP_", "DGN_", "DGM_"})
        EXPECT_EQ(env.idents[part], "") << part;
    EXPECT_EQ(env.customSkinType, 1);
}

TEST_F(SkinLoading, ButtonCompoundShowsThePanelThroughPressedKeys) {
    const fs::path package = Package("BTN_Glass");
    // Released sheet grey; pressed sheet: transparent colour at (1, 1) and in one key cell.
    SolidBitmap(package / "imgButtonUp.bmp", 231, 301, qRgb(128, 128, 128));
    QImage down(231, 301, QImage::Format_RGB32);
    down.fill(qRgb(255, 0, 255));
    down.save(QString::fromStdString((package / "imgButtonDown.bmp").string()), "BMP");
    std::ofstream(package / "option.ini") << "[Value]\r\nButtonCompound=1\r\n";
    face.LoadSkin(package, LoadMode::kApplyPackage, env);
    EXPECT_EQ(ReadButtonCompound(env.UserSkinFolder()), 1);
    face.keys().PressKey(27);  // digit 1, face (66, 312), cell (50, 185)
    const QImage pressed = face.keys().Picture(27);
    EXPECT_TRUE(SamePixels(pressed, Block(face.skin().Panel(), 64, 310, 41, 33)));
    // The other family's clear keys are composed at their shared face places too.
    EXPECT_TRUE(SamePixels(Block(face.skin().ButtonDown(), 50, 265, 41, 33),
                           Block(face.skin().Panel(), 16, 310, 41, 33)));
    EXPECT_TRUE(SamePixels(Block(face.skin().ButtonDown(), 5, 265, 41, 33),
                           Block(face.skin().Panel(), 16, 350, 41, 33)));
}

TEST(SkinOption, ReadWhateverLineEndsTheSkinsEditorUsed) {
    for (const char* text : {"[Value]\r\nButtonCompound=1\r\n", "[Value]\nButtonCompound=1\n",
                             "[Value]\rButtonCompound=1\r"})
        EXPECT_EQ(ButtonCompoundOf(text), 1) << text;
}

TEST_F(SkinLoading, ARedFlagInTheDisplayPanelRecoloursTheLabels) {
    const fs::path package = Package("DGP_Night");
    QImage panel(261, 102, QImage::Format_RGB32);
    panel.fill(qRgb(20, 20, 20));
    panel.setPixel(200, 101, qRgb(255, 0, 0));
    panel.setPixel(205, 101, qRgb(255, 255, 0));
    panel.setPixel(210, 101, qRgb(0, 255, 0));
    panel.setPixel(215, 101, qRgb(0, 255, 255));
    panel.setPixel(220, 101, qRgb(255, 255, 255));
    panel.save(QString::fromStdString((package / "imgDigitalPanel.bmp").string()), "BMP");
    face.LoadSkin(package, LoadMode::kApplyPackage, env);
    const auto& colours = face.skin().LabelColours();
    EXPECT_EQ(colours[0], QColor(255, 255, 0));
    EXPECT_EQ(colours[1], QColor(0, 255, 0));
    EXPECT_EQ(colours[2], QColor(0, 255, 255));
    EXPECT_EQ(colours[3], QColor(255, 255, 255));
    // Without the red flag the labels go back to black.
    panel.setPixel(200, 101, qRgb(254, 0, 0));
    panel.save(QString::fromStdString((package / "imgDigitalPanel.bmp").string()), "BMP");
    face.LoadSkin(package, LoadMode::kApplyPackage, env);
    EXPECT_EQ(face.skin().LabelColours()[0], QColor(Qt::black));
}

// A picture smaller than the cells its part needs is refused like a missing file: the
// built-in picture stays, nothing reaches the user skin, no package is recorded for it.
TEST_F(SkinLoading, PicturesTooSmallForTheirCellsAreRefused) {
    for (const QSize size : {QSize(1, 1), QSize(10, 10)}) {
        const fs::path package = Package("SET_Tiny");
        for (const char* file : kSkinFiles)
            SolidBitmap(package / file, size.width(), size.height(), qRgb(90, 90, 90));
        const LoadResult result = face.LoadSkin(package, LoadMode::kApplyPackage, env);
        EXPECT_EQ(result.picturesLoaded, 0);
        EXPECT_FALSE(result.anyPartApplied);
        const Skin& skin = face.skin();
        const QImage shown[] = {skin.Panel(),        skin.ButtonUp(),      skin.ButtonDown(),
                                skin.DigitalPanel(), skin.DigitalNumber(), skin.DigitalMark()};
        for (std::size_t i = 0; i < kSkinFiles.size(); ++i) {
            EXPECT_TRUE(SamePixels(shown[i], Skin::BuiltIn()[i])) << kSkinFiles[i];
            EXPECT_FALSE(fs::exists(env.UserSkinFolder() / kSkinFiles[i])) << kSkinFiles[i];
        }
        EXPECT_TRUE(SamePixels(face.Render(), Face{[] { return kSharp; }}.Render()));
        EXPECT_TRUE(env.idents.empty());
    }
}

// The least accepted size of each file is what its cells need; one pixel less either way is
// refused, and a larger picture is taken.
TEST_F(SkinLoading, EachPartNeedsTheCellsItsDrawingReads) {
    const std::array<QSize, 6> needed{
        {{272, 400}, {226, 300}, {226, 300}, {261, 102}, {211, 23}, {385, 12}}};
    for (std::size_t i = 0; i < kSkinFiles.size(); ++i) {
        const int w = needed[i].width(), h = needed[i].height();
        const struct {
            QSize size;
            bool taken;
        } cases[] = {
            {{w - 1, h}, false}, {{w, h - 1}, false}, {{w, h}, true}, {{w + 30, h + 30}, true}};
        for (const auto& c : cases) {
            const fs::path package = Package("part");
            fs::remove_all(package);
            fs::create_directories(package);
            SolidBitmap(package / kSkinFiles[i], c.size.width(), c.size.height(), qRgb(7, 7, 7));
            Skin skin;
            const LoadResult result = skin.LoadPictures(package, LoadMode::kDefaultForDisplay, env);
            EXPECT_EQ(result.picturesLoaded, c.taken ? 1 : 0)
                << kSkinFiles[i] << " " << c.size.width() << "x" << c.size.height();
        }
    }
}

// A user skin whose panel file is cut short (its rows shorter than the header says) is
// refused at start-up: the face shows the built-in panel, the same at every start.
TEST_F(SkinLoading, ATruncatedUserPanelIsRefusedAtStartUp) {
    fs::create_directories(env.UserSkinFolder());
    std::ifstream in(fs::path(PEMU_SKIN_DIR) / "imgBackPanel.bmp", std::ios::binary);
    std::string head(3598, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    std::ofstream(env.UserSkinFolder() / "imgBackPanel.bmp", std::ios::binary) << head;
    SolidBitmap(env.UserSkinFolder() / "tall.bmp", 272, 400, qRgb(1, 2, 3));
    {
        std::ifstream full(env.UserSkinFolder() / "tall.bmp", std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(full), {}};
        bytes.resize(bytes.size() - 1);  // a 24-bit picture one byte short
        std::ofstream(env.UserSkinFolder() / "imgDigitalPanel.bmp", std::ios::binary) << bytes;
    }
    face.FirstShow(1, env);
    EXPECT_TRUE(SamePixels(face.skin().Panel(), Skin::BuiltIn()[0]));
    EXPECT_TRUE(SamePixels(face.skin().DigitalPanel(), Skin::BuiltIn()[3]));
    Face second{[] { return kSharp; }};
    second.FirstShow(1, env);
    EXPECT_TRUE(SamePixels(second.Render(), face.Render()));
}

// The drawing itself never reads outside a picture, whatever size it was given.
TEST_F(SkinLoading, UndersizedPicturesDrawWhatTheyHaveAndNothingOutside) {
    QImage tiny(5, 5, QImage::Format_RGB32);
    tiny.fill(qRgb(90, 90, 90));
    for (int i = 0; i < static_cast<int>(kSkinFiles.size()); ++i)
        face.skin().SetPicture(i, tiny);
    face.skin().RebuildComposite();
    face.display().DrawNumber("-1234567.89");
    for (int code = 0; code < 100; ++code) {
        face.display().CopyMarkGlyph(core::Mark{code});
        face.display().BlankMarkGlyph(core::Mark{code});
    }
    for (int code : kKeyPictureCodes)
        face.keys().PressKey(code);
    const QImage shown = face.Render();
    EXPECT_EQ(shown.size(), QSize(272, 400));
    EXPECT_EQ(face.display().DigitPanel().size(), QSize(245, 30));
}

TEST(SkinOption, WritingKeepsTheOtherLines) {
    TempFolder folder("option");
    std::ofstream(folder / "option.ini")
        << "[Info]\r\nAuthor=Ann\r\n[Value]\r\nButtonCompound=0\r\n";
    EXPECT_TRUE(WriteButtonCompound(folder.path(), 1));
    EXPECT_EQ(ReadButtonCompound(folder.path()), 1);
    std::ifstream in(folder / "option.ini");
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(text.find("Author=Ann"), std::string::npos);
    EXPECT_EQ(ReadButtonCompound(folder / "missing"), 0);
}

}  // namespace
}  // namespace pemu::display
