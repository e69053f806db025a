// The face through Qt's accessibility interfaces, as a screen reader finds it: named key
// buttons, the display as text that follows it, named labels, and the key tooltips.
#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "main_window_fixture.hpp"
#include "shell/key_descriptions.hpp"
#include "shell/key_table.hpp"
#include "ui/face_accessibility.hpp"
#include "ui/face_widget.hpp"
#include "ui/switch_panel.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui::testing_support {
namespace {

constexpr int kFaceKeys[] = {1,  2,  3,  4,  5,  6,  7,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                             18, 19, 20, 21, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 99};

struct Heard {
    QAccessible::Event type;
    QObject* object;
    QString text;  // the name told with NameChanged, the value with ValueChanged
};
std::vector<Heard> heard;

void Listen(QAccessibleEvent& event) {
    QString text;
    if (event.type() == QAccessible::NameChanged && event.accessibleInterface())
        text = event.accessibleInterface()->text(QAccessible::Name);
    if (event.type() == QAccessible::ValueChanged)
        text = static_cast<QAccessibleValueChangeEvent&>(event).value().toString();
    heard.push_back({event.type(), event.object(), text});
}

class FaceAccessibilityTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        heard.clear();
        SetAccessibilityListener(&Listen);
    }
    void TearDown() override {
        SetAccessibilityListener({});
        MainWindowTest::TearDown();
    }
    QAccessibleInterface* Of(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    }
    QAccessibleInterface* Display() { return Of(window_->Face()->Readout()); }
    // The events told about `object` since the last call.
    std::vector<Heard> HeardOf(const QObject* object, QAccessible::Event type) {
        QCoreApplication::processEvents();
        std::vector<Heard> found;
        for (const Heard& h : heard) {
            if (h.object == object && h.type == type) found.push_back(h);
        }
        return found;
    }
    QString ToolTipOf(int code) {
        QWidget* key = KeyWidget(code);
        const QPoint at = key->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, key->mapToGlobal(at));
        QApplication::sendEvent(key, &help);
        const QString tip = QToolTip::text();
        QToolTip::hideText();
        return tip;
    }
};

TEST_F(FaceAccessibilityTest, EveryKeyPictureIsAButtonNamedByCaptionAndFunction) {
    Start();
    for (int code : kFaceKeys) {
        QAccessibleInterface* key = Of(KeyWidget(code));
        ASSERT_NE(key, nullptr) << code;
        EXPECT_EQ(key->role(), QAccessible::Button) << code;
        EXPECT_EQ(key->text(QAccessible::Name),
                  FromCp932(shell::KeyAccessibleName(code, core::kMakerSharp)))
            << code;
        EXPECT_FALSE(key->text(QAccessible::Name).isEmpty()) << code;
        EXPECT_FALSE(key->state().invisible) << code;
        ASSERT_NE(key->actionInterface(), nullptr) << code;
        EXPECT_TRUE(key->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    EXPECT_EQ(Of(KeyWidget(11))->text(QAccessible::Name), Caption("税込、税込み金額"));
    // The place left of GT works as GT but is no second GT button.
    QAccessibleInterface* area = Of(window_->Face()->KeyWidget(15, true));
    EXPECT_TRUE(area->state().invisible);
    // Among the face's children: the 32 buttons, the display and the four labels.
    QAccessibleInterface* face = Of(window_->Face());
    int buttons = 0, named = 0;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        if (child->role() == QAccessible::Button && !child->state().invisible) ++buttons;
        if (!child->state().invisible && !child->text(QAccessible::Name).isEmpty()) ++named;
    }
    EXPECT_EQ(buttons, 32);
    EXPECT_EQ(named, 32 + 1 + 4) << "every child a screen reader meets has a name";
}

TEST_F(FaceAccessibilityTest, AfterOnePlusTwoEqualsTheDisplayReadsThreeEqualsAndGt) {
    Start();
    EXPECT_EQ(Display()->text(QAccessible::Name), "0");
    ClickAll({27, 17, 28});
    QCoreApplication::processEvents();
    heard.clear();
    Click(99);
    const std::vector<Heard> named = HeardOf(window_->Face()->Readout(), QAccessible::NameChanged);
    ASSERT_EQ(named.size(), 1u) << "one announcement for everything the = key draws";
    EXPECT_EQ(named.front().text, Caption("3、イコール、GT"));
    const auto valued = HeardOf(window_->Face()->Readout(), QAccessible::ValueChanged);
    ASSERT_EQ(valued.size(), 1u);
    EXPECT_EQ(valued.front().text, "3");
    EXPECT_EQ(Display()->role(), QAccessible::StaticText);
    EXPECT_EQ(Display()->text(QAccessible::Name), Caption("3、イコール、GT"));
    EXPECT_EQ(Display()->text(QAccessible::Value), "3");
    // The focus rests on the hidden field: its name is what a screen reader speaks.
    EXPECT_EQ(Of(window_->FocusField())->text(QAccessible::Name), Caption("3、イコール、GT"));
    // The labels beside the display.
    EXPECT_EQ(Of(window_->Face()->Label(core::DisplayLabel::kLabAns))->text(QAccessible::Name),
              Caption("答え 3"));
    EXPECT_EQ(Of(window_->Face()->Label(core::DisplayLabel::kLabIpt))->text(QAccessible::Name),
              Caption("入力 2"));
    EXPECT_EQ(Of(window_->Face()->Label(core::DisplayLabel::kLabRs))->text(QAccessible::Name),
              Caption("ラウンドセレクター F"));
    EXPECT_EQ(Of(window_->Face()->Label(core::DisplayLabel::kLabDc))->text(QAccessible::Name),
              Caption("小数点セレクター F"));
}

TEST_F(FaceAccessibilityTest, TheErrorStateAndTheMarksAreReadAsTheyChange) {
    Start();
    ClickAll({27, 20, 36, 99});  // 1 / 0 =
    EXPECT_EQ(Display()->text(QAccessible::Name), Caption("エラー、0"));
    Click(7);  // C
    QCoreApplication::processEvents();
    EXPECT_EQ(Display()->text(QAccessible::Name), "0");
    ClickAll({29, 19, 30, 5});  // 3 x 4 M+
    QCoreApplication::processEvents();
    EXPECT_EQ(Display()->text(QAccessible::Name),
              Caption("12、イコール、メモリー、メモリープラス"));
}

TEST_F(FaceAccessibilityTest, TheClearKeysAreRenamedWithTheFamily) {
    Start();
    heard.clear();
    window_->Calculator().SetMakerType(core::kMakerCasio);
    EXPECT_EQ(Of(KeyWidget(2))->text(QAccessible::Name), Caption("C、入力した数値の取り消し"));
    EXPECT_EQ(Of(KeyWidget(7))->text(QAccessible::Name), Caption("AC、計算とGTのクリア"));
    EXPECT_EQ(HeardOf(KeyWidget(2), QAccessible::NameChanged).size(), 1u);
    EXPECT_EQ(HeardOf(KeyWidget(7), QAccessible::NameChanged).size(), 1u);
    EXPECT_TRUE(HeardOf(KeyWidget(27), QAccessible::NameChanged).empty());
}

TEST_F(FaceAccessibilityTest, TooltipsNameTheKeyboardKeyAndFollowAReassignment) {
    Start();
    EXPECT_EQ(ToolTipOf(15), Caption("GT、グランドトータル\nキー：[Home]"));
    EXPECT_EQ(ToolTipOf(17), Caption("+、足す\nキー：[ ; ]、[テンキー+]、「+」"));
    EXPECT_EQ(ToolTipOf(99), Caption("=、イコール\nキー：[Enter]、「=」"));
    shell::AssignKey(session_->keyTable(), session_->store(), 15, 120);  // F9
    EXPECT_EQ(ToolTipOf(15), Caption("GT、グランドトータル\nキー：[F9]"));
    EXPECT_EQ(Of(KeyWidget(15))->text(QAccessible::Description),
              Caption("GT、グランドトータル\nキー：[F9]"));
}

TEST_F(FaceAccessibilityTest, TheSwitchPanelIsHeardWhileItTakesTheKeys) {
    Start();
    QAccessibleInterface* focus = Of(window_->FocusField());
    window_->Menu().RoundConfig->trigger();
    EXPECT_EQ(focus->text(QAccessible::Name), Caption("ラウンドセレクター CUT（選択中）"));
    EXPECT_EQ(Of(window_->Panel())->text(QAccessible::Name), Caption("ラウンドセレクター"));
    Type(Qt::Key_Right);  // the first choice: SHARP has no F here
    EXPECT_EQ(focus->text(QAccessible::Name), Caption("ラウンドセレクター CUT（選択中）"));
    Type(Qt::Key_Right);
    EXPECT_EQ(focus->text(QAccessible::Name), Caption("ラウンドセレクター UP"));
    Type(Qt::Key_Return);
    EXPECT_EQ(focus->text(QAccessible::Name), Caption("ラウンドセレクター UP（選択中）"));
    ASSERT_EQ(window_->Calculator().State().roundSelector, core::kRoundUp);
    Type(Qt::Key_Escape);
    EXPECT_FALSE(window_->Panel()->isVisible());
    EXPECT_EQ(focus->text(QAccessible::Name), "0") << "the display again";
}

TEST_F(FaceAccessibilityTest, ThePressActionPressesTheKey) {
    Start();
    Of(KeyWidget(31))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Of(KeyWidget(37))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Shown(), "500");
    EXPECT_FALSE(window_->Keys().IsPressed(37)) << "the key is let go again";
}

}  // namespace
}  // namespace pemu::ui::testing_support
