// Key pictures and the keyboard of the calculator window.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "display/key_pictures.hpp"
#include "display/skin_layout.hpp"
#include "main_window_fixture.hpp"
#include "ui/face_widget.hpp"

namespace pemu::ui::testing_support {
namespace {

constexpr int kOne = 27, kTwo = 28, kPlus = 17, kEquals = 99, kGrandTotal = 15;

TEST_F(MainWindowTest, ClickingOnePlusTwoEqualsShowsTheGlyphOfThreeAndTheEqualsMark) {
    Start();
    ClickAll({kOne, kPlus, kTwo, kEquals});
    EXPECT_EQ(Shown(), "3");
    EXPECT_TRUE(CellShowsGlyph(1, display::DigitGlyphX(3)));
    EXPECT_FALSE(CellShowsGlyph(2, display::DigitGlyphX(1)));
    const auto equals = display::StripMarkOf(kEquals);
    ASSERT_TRUE(equals);
    EXPECT_TRUE(StripShowsGlyph(equals->placeX, equals->sourceX, equals->width));
}

TEST_F(MainWindowTest, AKeyPictureShowsThePressedCellWhileTheButtonIsDown) {
    Start();
    const display::Skin& skin = window_->Skin();
    for (int code : {kOne, kEquals, 2 /* CE */}) {
        QWidget* key = KeyWidget(code);
        QTest::mousePress(key, Qt::LeftButton);
        EXPECT_TRUE(SamePixels(Painted(key), display::KeyImage(skin, code, true, display::kSharp)))
            << code;
        QTest::mouseRelease(key, Qt::LeftButton);
        EXPECT_TRUE(SamePixels(Painted(key), display::KeyImage(skin, code, false, display::kSharp)))
            << code;
    }
}

TEST_F(MainWindowTest, ThePlaceLeftOfGtHasNoPictureAndWorksAsGt) {
    Start();
    QWidget* area = window_->Face()->KeyWidget(kGrandTotal, true);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->geometry(), QRect(18, 128, 41, area->height()));
    QTest::mousePress(area, Qt::LeftButton);
    EXPECT_TRUE(window_->Keys().IsPressed(kGrandTotal));
    QTest::mouseRelease(area, Qt::LeftButton);
    EXPECT_FALSE(window_->Keys().IsPressed(kGrandTotal));
}

TEST_F(MainWindowTest, RightClickOnAKeyOpensThePopupAndPressesNothing) {
    Start();
    Click(kOne);
    QTest::mousePress(KeyWidget(kTwo), Qt::RightButton);
    EXPECT_TRUE(window_->Popup().MigiKuriPop->isVisible());
    EXPECT_FALSE(window_->Keys().IsPressed(kTwo));
    window_->Popup().MigiKuriPop->hide();
    EXPECT_EQ(Shown(), "1");
}

struct TypedCase {
    const char* name;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
    const char* shown;
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.name;
}

class KeyboardTest : public MainWindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(KeyboardTest, ReachesTheEngine) {
    Start();
    for (const auto& [key, modifiers] : GetParam().keys)
        Type(key, modifiers);
    EXPECT_EQ(Shown(), GetParam().shown);
}

constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    MainWindow, KeyboardTest,
    ::testing::Values(
        TypedCase{"PadAndEnter",
                  {{Qt::Key_4, kPad},
                   {Qt::Key_Asterisk, kPad},
                   {Qt::Key_5, kPad},
                   {Qt::Key_Return, kPlain}},
                  "20"},
        // The main keyboard's digits through the default key table; Enter is always =.
        TypedCase{"DefaultTable",
                  {{Qt::Key_1, kPlain},
                   {Qt::Key_2, kPlain},
                   {Qt::Key_Plus, kPad},
                   {Qt::Key_3, kPlain},
                   {Qt::Key_Enter, kPad}},
                  "15"},
        TypedCase{
            "Backspace", {{Qt::Key_7, kPad}, {Qt::Key_8, kPad}, {Qt::Key_Backspace, kPlain}}, "7"},
        // Keys nobody assigned do nothing.
        TypedCase{"Unassigned", {{Qt::Key_5, kPad}, {Qt::Key_Q, kPlain}}, "5"}),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, KeyUpReleasesTheKeyThePressDrew) {
    Start();
    QTest::keyPress(window_->FocusField(), Qt::Key_5, kPad);
    EXPECT_TRUE(window_->Keys().IsPressed(31));
    QTest::keyRelease(window_->FocusField(), Qt::Key_5, kPad);
    EXPECT_FALSE(window_->Keys().IsPressed(31));
}

TEST_F(MainWindowTest, CopyPutsTheStoredValueWithoutSeparatorsOnTheClipboard) {
    Start();
    ClickAll({kOne, kTwo, 29, 30, 21, 31, 14 /* +/- */});
    ASSERT_EQ(Shown(), "-1234.5");
    QApplication::clipboard()->clear();
    Type(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "-1234.5");
    QApplication::clipboard()->clear();
    Type(Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), "-1234.5");
    const auto copy = display::StripMarkOf(53);
    EXPECT_TRUE(StripShowsGlyph(copy->placeX, copy->sourceX, copy->width));
}

TEST_F(MainWindowTest, CtrlArrowsMoveTheWindow) {
    Start();
    const QPoint before = window_->pos();
    Type(Qt::Key_Right, Qt::ControlModifier);
    Type(Qt::Key_Down, Qt::ControlModifier);
    Type(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(window_->pos(), before + QPoint(10, 20));
}

TEST_F(MainWindowTest, MiniSizeKeepsTheTopOfTheFaceAndTheKeyboard) {
    Start();
    QAction* mini = window_->Menu().DoingMiniSize;
    mini->trigger();
    EXPECT_EQ(window_->ClientArea()->size(), QSize(272, 116));
    Type(Qt::Key_7, kPad);
    EXPECT_EQ(Shown(), "7");
    mini->trigger();
    EXPECT_EQ(window_->ClientArea()->size(), QSize(272, 400));
}

TEST_F(MainWindowTest, HidingTheKeysLeavesThePanelAndTheKeyboard) {
    Start();
    window_->Menu().ButtonDisplay->trigger();
    EXPECT_FALSE(KeyWidget(kOne)->isVisible());
    Type(Qt::Key_1, kPad);
    EXPECT_EQ(Shown(), "1");
    window_->Menu().ButtonDisplay->trigger();
    EXPECT_TRUE(KeyWidget(kOne)->isVisible());
}

TEST_F(MainWindowTest, SpaceWritesTheAssignedKeysOnTheKeyPicturesAndTakesThemOff) {
    Start();
    const display::Skin& skin = window_->Skin();
    const QImage plainOne = display::KeyImage(skin, kOne, false, display::kSharp);
    const QImage plainClear = display::KeyImage(skin, 7, false, display::kSharp);
    Type(Qt::Key_Space);
    EXPECT_TRUE(window_->Menu().KeyNavigation->isChecked());
    EXPECT_FALSE(SamePixels(Painted(KeyWidget(kOne)), plainOne));  // "[!1]"
    EXPECT_FALSE(SamePixels(Painted(KeyWidget(7)), plainClear));   // "[↓]"
    // The key still works with its name on it.
    Click(kOne);
    EXPECT_EQ(Shown(), "1");
    Type(Qt::Key_Space);
    EXPECT_FALSE(window_->Menu().KeyNavigation->isChecked());
    EXPECT_TRUE(SamePixels(Painted(KeyWidget(kOne)), plainOne));
    EXPECT_TRUE(SamePixels(Painted(KeyWidget(7)), plainClear));
}

}  // namespace
}  // namespace pemu::ui::testing_support
