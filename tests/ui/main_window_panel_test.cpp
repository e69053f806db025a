// The switch panel and the menus that open it.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "display/key_pictures.hpp"
#include "main_window_fixture.hpp"
#include "ui/switch_panel.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui::testing_support {
namespace {

class SwitchPanelTest : public MainWindowTest {
  protected:
    SwitchPanel* Panel() const { return window_->Panel(); }
    void OpenFromMenu(QAction* action) {
        emit window_->Menu().options->aboutToShow();
        action->trigger();
        ASSERT_TRUE(Panel()->isVisible());
    }
    // A key for the panel, through the window's key handler.
    void Key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Type(qtKey, modifiers);
    }
    void ChooseCasio() {
        OpenFromMenu(window_->Menu().MakerConfig);
        Key(Qt::Key_Right);
        Key(Qt::Key_Right);
        ASSERT_EQ(Panel()->HotLabelName(), "Mkp2");
        Key(Qt::Key_Return);
    }
};

TEST_F(SwitchPanelTest, OffersTheChoicesOfTheFamily) {
    Start();
    OpenFromMenu(window_->Menu().RoundConfig);
    EXPECT_EQ(Panel()->ShownLabelNames(), (QStringList{"Rsp2", "Rsp3", "Rsp4", "LabOk"}));
    EXPECT_EQ(Panel()->MarkedLabelName(), "Rsp2");  // SHARP reads the stored F as CUT
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Panel()->isVisible());
    ChooseCasio();
    Key(Qt::Key_Escape);
    OpenFromMenu(window_->Menu().RoundConfig);
    EXPECT_EQ(Panel()->ShownLabelNames(), (QStringList{"Rsp999", "Rsp2", "Rsp3", "Rsp4", "LabOk"}));
    Key(Qt::Key_Escape);
    OpenFromMenu(window_->Menu().DecimalConfig);
    EXPECT_EQ(Panel()->ShownLabelNames(),
              (QStringList{"Dsp5", "Dsp4", "Dsp3", "Dsp2", "Dsp1", "Dsp0", "Dsp22", "LabOk"}));
}

TEST_F(SwitchPanelTest, ArrowsAndTabMoveTheHighlightAroundTheLabels) {
    Start();
    OpenFromMenu(window_->Menu().DigitConfig);
    Key(Qt::Key_Left);
    EXPECT_EQ(Panel()->HotLabelName(), "LabOk");
    Key(Qt::Key_Right);
    EXPECT_EQ(Panel()->HotLabelName(), "Dip14");
    Key(Qt::Key_Up);
    EXPECT_EQ(Panel()->HotLabelName(), "LabOk");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Panel()->HotLabelName(), "Dip14");
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Panel()->HotLabelName(), "LabOk");
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    EXPECT_EQ(window_->Calculator().State().panelDigit, 8);
    EXPECT_EQ(Panel()->MarkedLabelName(), "Dip8");
    EXPECT_TRUE(Panel()->isVisible());  // open until OK
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Panel()->isVisible());
}

TEST_F(SwitchPanelTest, ChoosingCasioMovesFreeRoundingAndRepaintsTheClearKeys) {
    Start();
    const display::Skin& skin = window_->Skin();
    ChooseCasio();
    const core::CalculatorState& s = window_->Calculator().State();
    EXPECT_EQ(s.makerType, core::kMakerCasio);
    EXPECT_EQ(s.roundSelector, core::kRoundF);
    EXPECT_EQ(core::StoredSelector(s.decimalSelector), 5);
    EXPECT_EQ(Panel()->MarkedLabelName(), "Mkp2");
    for (int code : {2, 7}) {
        const QImage painted = Painted(KeyWidget(code));
        EXPECT_TRUE(SamePixels(painted, display::KeyImage(skin, code, false, display::kCasio)))
            << code;
        EXPECT_FALSE(SamePixels(painted, display::KeyImage(skin, code, false, display::kSharp)))
            << code;
    }
}

TEST_F(SwitchPanelTest, GrandTotalOffAndOnClearsTheTotal) {
    Start();
    ClickAll({27, 17, 28, 99});
    ASSERT_NE(window_->Calculator().State().grandTotalValue, "0");
    OpenFromMenu(window_->Menu().GrandTotalConfig);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);  // OFF
    Key(Qt::Key_Return);
    EXPECT_FALSE(window_->Calculator().State().grandTotalOn);
    Key(Qt::Key_Left);  // ON
    Key(Qt::Key_Return);
    EXPECT_TRUE(window_->Calculator().State().grandTotalOn);
    EXPECT_EQ(window_->Calculator().State().grandTotalValue, "0");
}

TEST_F(SwitchPanelTest, AKeyPictureOrAMenuHidesThePanel) {
    Start();
    OpenFromMenu(window_->Menu().AnswerCheckConfig);
    Click(27);
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ(Shown(), "1");
    OpenFromMenu(window_->Menu().AnswerCheckConfig);
    emit window_->Menu().view->aboutToShow();
    EXPECT_FALSE(Panel()->isVisible());
}

TEST_F(SwitchPanelTest, ThePanelSitsBelowTheDisplayOrAtTheTopInMiniSize) {
    Start();
    OpenFromMenu(window_->Menu().MakerConfig);
    EXPECT_EQ(Panel()->geometry(), QRect(15, 110, 242, 117));
    Key(Qt::Key_Escape);
    window_->Menu().DoingMiniSize->trigger();
    OpenFromMenu(window_->Menu().MakerConfig);
    EXPECT_EQ(Panel()->geometry(), QRect(15, 0, 242, 117));
}

TEST_F(SwitchPanelTest, TheSettingsMenuShowsTheCurrentValues) {
    Start();
    emit window_->Menu().options->aboutToShow();
    EXPECT_EQ(window_->Menu().RoundConfig->text(), Caption("ラウンドセレクター (&R) …CUT "));
    EXPECT_EQ(window_->Menu().DecimalConfig->text(), Caption("小数点セレクター (&D) …F "));
    ChooseCasio();
    emit window_->Menu().options->aboutToShow();
    EXPECT_EQ(window_->Menu().RoundConfig->text(), Caption("ラウンドセレクター (&R) …F "));
    EXPECT_EQ(window_->Menu().DecimalConfig->text(), Caption("小数点セレクター (&D) …5 "));
    EXPECT_EQ(window_->Menu().MakerConfig->text(), Caption("電卓のメーカー (&M) …CASIO "));
}

TEST_F(SwitchPanelTest, ClickingTheSelectorLabelsOpensTheirItems) {
    Start();
    QWidget* face = reinterpret_cast<QWidget*>(window_->Face());
    QTest::mouseClick(face, Qt::LeftButton, {}, QPoint(222, 96));  // labRs
    EXPECT_EQ(Panel()->Item(), 11);
    Key(Qt::Key_Escape);
    QTest::mouseClick(face, Qt::RightButton, {}, QPoint(254, 96));  // labDc
    EXPECT_EQ(Panel()->Item(), 12);
}

TEST_F(SwitchPanelTest, TheMouseChoosesALabelAndDragsThePanelNoFurtherThanTheClientArea) {
    Start();
    OpenFromMenu(window_->Menu().DigitConfig);
    QWidget* ten = Panel()->findChild<QWidget*>("Dip10");
    ASSERT_NE(ten, nullptr);
    QTest::mouseClick(ten, Qt::LeftButton);
    EXPECT_EQ(window_->Calculator().State().panelDigit, 10);
    EXPECT_EQ(Panel()->MarkedLabelName(), "Dip10");
    // A drag by the title bar far to the right and down ends with the panel inside.
    const QPointF grab(100, 10);
    QMouseEvent press(QEvent::MouseButtonPress, grab, Panel()->mapToGlobal(grab), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Panel(), &press);
    const QPointF far = grab + QPointF(500, 500);
    QMouseEvent move(QEvent::MouseMove, far, Panel()->mapToGlobal(far), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Panel(), &move);
    QMouseEvent release(QEvent::MouseButtonRelease, far, Panel()->mapToGlobal(far), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Panel(), &release);
    EXPECT_EQ(Panel()->geometry(), QRect(272 - 242, 400 - 117, 242, 117));
}

}  // namespace
}  // namespace pemu::ui::testing_support
