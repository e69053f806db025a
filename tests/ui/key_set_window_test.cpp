// The key assignment dialog driven through real key events, with the calculator behind it.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>

#include "dialog_test_support.hpp"
#include "display/key_pictures.hpp"
#include "main_window_fixture.hpp"
#include "platform/codec.hpp"
#include "shell/key_table.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/key_set_window.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using platform::Sjis;
using shell::WindowCode;

constexpr int kGT = 15, kMC = 3, kSeven = 33, kCE = 2, kC = 7, kTaxIncluded = 11;

class KeySetTest : public DialogTest<TfrmKeySet, WindowCode::kKeyAssignment> {
  protected:
    TfrmKeySet* Open() { return OpenFrom(window_->Menu().KeyConfig); }
    // A key pressed where the dialog's keyboard focus is.
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* focus = Dialog()->focusWidget();
        QTest::keyClick(focus ? focus : Dialog(), key, mods);
        // A button's mnemonic clicks it after a short press animation.
        if (mods & Qt::AltModifier) QTest::qWait(250);
        QApplication::processEvents();
    }
    void Walk(int steps) {
        for (int i = 0; i < steps; ++i)
            Press(Qt::Key_Right);
    }
    int Stored(const char* ident, const char* section = "KeySet") const {
        return session_->store().ReadInteger(section, ident, -1);
    }
    std::string Text(int code) const { return ToCp932(Dialog()->KeyText(code)->text()); }
};

TEST_F(KeySetTest, OpensFromTheMenuAndKeyCode22WithNamesColoursAndTheFamilysCaptions) {
    StartWith("[KeySet]\r\nKBH=118\r\n");  // F7 opens the dialog, as set in the file
    window_->FormKeyDown(118, {});
    TfrmKeySet* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(session_->openWindows().text(), "2");
    EXPECT_EQ(dialog->Selected(), kGT);
    EXPECT_EQ(Text(kMC), "[F9]");
    EXPECT_EQ(Text(kGT), "[Home]");
    EXPECT_EQ(Text(kSeven), "['7]");
    EXPECT_EQ(ToCp932(dialog->KeyText(99)->text()), "[Enter]");
    EXPECT_EQ(dialog->Message(), Sjis("エンターキー or ダブルクリックで 入力可能になります。"));
    EXPECT_EQ(dialog->KeyCaption(kTaxIncluded)->palette().color(QPalette::Window),
              QColor(255, 101, 0));
    EXPECT_EQ(dialog->KeyCaption(kMC)->palette().color(QPalette::Window), QColor(156, 159, 255));
    EXPECT_EQ(dialog->KeyCaption(kC)->palette().color(QPalette::Window), QColor(255, 48, 99));
    EXPECT_EQ(dialog->KeyCaption(kCE)->text(), " CE");
    EXPECT_EQ(dialog->KeyCaption(kC)->text(), " C");
    Press(Qt::Key_Escape);
    EXPECT_EQ(Dialog(), nullptr);
    // In the "CASIO" family CE and C read C and AC.
    window_->Calculator().SetMakerType(core::kMakerCasio);
    TfrmKeySet* casio = Open();
    ASSERT_NE(casio, nullptr);
    EXPECT_EQ(casio->KeyCaption(kCE)->text(), " C");
    EXPECT_EQ(casio->KeyCaption(kC)->text(), " AC");
}

TEST_F(KeySetTest, ArrowsWalkTheFixedOrderAndTabVisitsTheButtons) {
    StartWith("");
    TfrmKeySet* dialog = Open();
    Press(Qt::Key_Right);
    EXPECT_EQ(dialog->Selected(), 10) << "GT, then the check key";
    Press(Qt::Key_Down);
    EXPECT_EQ(dialog->Selected(), kTaxIncluded);
    Press(Qt::Key_Up);
    Press(Qt::Key_Left);
    Press(Qt::Key_Left);
    EXPECT_EQ(dialog->Selected(), 25) << "before GT comes the last label, button display";
    Press(Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), dialog->DefaultsButton());
    Press(Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), dialog->CloseButton());
    Press(Qt::Key_Tab);
    EXPECT_NE(dialog->focusWidget(), dialog->CloseButton());
    EXPECT_EQ(dialog->Selected(), 25) << "back on the selected label";
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(dialog->focusWidget(), dialog->CloseButton());
    // A click selects too; a double click starts input mode.
    QTest::mouseClick(dialog->KeyCaption(kSeven), Qt::LeftButton);
    EXPECT_EQ(dialog->Selected(), kSeven);
    QTest::mouseDClick(dialog->KeyText(kMC), Qt::LeftButton);
    EXPECT_EQ(dialog->Selected(), kMC);
    EXPECT_TRUE(dialog->InputMode());
}

TEST_F(KeySetTest, SpaceInInputModeClearsTheKeyAndWritesItAtOnce) {
    StartWith("");
    TfrmKeySet* dialog = Open();
    Walk(4);  // GT, check, tax included, tax excluded, MC
    ASSERT_EQ(dialog->Selected(), kMC);
    Press(Qt::Key_Return);
    ASSERT_TRUE(dialog->InputMode());
    EXPECT_TRUE(dialog->InputBox()->isVisible());
    EXPECT_EQ(dialog->InputBox()->text(), "[F9]");
    EXPECT_EQ(dialog->InputBox()->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(dialog->Message(), Sjis("キーを入力してください。\r\n※[Space]キーで設定のクリア"));
    Press(Qt::Key_Space);
    EXPECT_FALSE(dialog->InputMode());
    EXPECT_EQ(Text(kMC), "");
    EXPECT_EQ(dialog->Message(), Sjis("『MC』 ボタン:  設定クリア。"));
    EXPECT_EQ(Stored("MC"), 0);
    // F9 now does nothing in the calculator.
    EXPECT_EQ(session_->keyTable().KeyCodeOf(120), shell::kNoKeyCode);
}

TEST_F(KeySetTest, F9OnGtWhileMcHoldsItAsksAndYesMovesIt) {
    StartWith("");
    TfrmKeySet* dialog = Open();
    Press(Qt::Key_Return);  // GT is selected at first
    {
        NextMessageBox question(QMessageBox::Yes);
        Press(Qt::Key_F9);
        ASSERT_TRUE(question.Shown());
        EXPECT_EQ(question.Title(), "Pemu");
        EXPECT_EQ(question.Text(), Sjis("[F9]キーは、『MC』ボタンの設定と重複しています。\r\n"
                                        "『MC』ボタンの設定をクリアしますか？"));
    }
    EXPECT_EQ(Stored("GT"), 120);
    EXPECT_EQ(Stored("MC"), 0);
    EXPECT_EQ(Text(kGT), "[F9]");
    EXPECT_EQ(Text(kMC), "");
    EXPECT_EQ(dialog->Message(), Sjis("『MC』 ボタン:  設定クリア。\r\n"
                                      "『GT』 ボタン:  [F9]キー に変更。"));
    // No cancels input mode and changes nothing.
    Walk(4);
    Press(Qt::Key_Return);
    {
        NextMessageBox question(QMessageBox::No);
        Press(Qt::Key_F9);
        EXPECT_TRUE(question.Shown());
    }
    EXPECT_FALSE(dialog->InputMode());
    EXPECT_EQ(Stored("MC"), 0);
    EXPECT_EQ(Stored("GT"), 120);
}

TEST_F(KeySetTest, TheNumericPadAndEscAreRefusedAndEscClosesOnlyTheMessage) {
    StartWith("");
    TfrmKeySet* dialog = Open();
    Press(Qt::Key_Return);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::string message;
    };
    const Case cases[] = {
        {Qt::Key_5, Qt::KeypadModifier, Sjis("!!! 登録不可キーです !!! [テンキー]")},
        {Qt::Key_Escape, Qt::NoModifier, Sjis("!!! 登録不可キーです !!! [ESC]キー")},
        {Qt::Key_F1, Qt::NoModifier, Sjis("!!! 登録不可キーです !!! [F1]キー")},
        {Qt::Key_C, Qt::NoModifier, Sjis("!!! 登録不可キーです !!! [C] キー")},
    };
    for (const Case& c : cases) {
        NextMessageBox refusal(Qt::Key_Escape);  // Esc answers the box as OK
        Press(c.key, c.mods);
        EXPECT_EQ(refusal.Text(), c.message);
        ASSERT_EQ(Dialog(), dialog) << "the dialog stays open";
        EXPECT_TRUE(dialog->InputMode()) << "still waiting for a key";
    }
    EXPECT_EQ(Stored("GT"), 36);
    EXPECT_EQ(session_->openWindows().text(), "2") << "F1 in input mode opened nothing";
}

TEST_F(KeySetTest, SetTwoIsFilledWithTheDefaultsOnFirstUseAndKeepsItsOwnKeys) {
    StartWith("");
    TfrmKeySet* dialog = Open();
    Press(Qt::Key_B, Qt::AltModifier);  // "セット2 (&B)"
    EXPECT_TRUE(dialog->SetButton(2)->isChecked());
    EXPECT_FALSE(dialog->SetButton(1)->isChecked());
    EXPECT_EQ(dialog->Message(), Sjis("セット2 のキー設定を適用しました。"));
    EXPECT_EQ(session_->store().ReadInteger("KeySet", "KeySetType", 0), 2);
    for (int code = 1; code <= shell::kKeySlots; ++code) {
        if (code == 8 || code == 38) continue;
        EXPECT_EQ(Stored(shell::KeyIdent(code), "KeySet2"), shell::DefaultKeyOf(code)) << code;
    }
    // A change in set 2 stays there.
    Press(Qt::Key_Return);
    Press(Qt::Key_F7);
    EXPECT_EQ(Stored("GT", "KeySet2"), 118);
    EXPECT_EQ(Stored("GT", "KeySet"), 36);
    Press(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(Text(kGT), "[Home]");
    EXPECT_EQ(session_->keyTable().KeyCodeOf(118), shell::kNoKeyCode);
}

TEST_F(KeySetTest, TheInitialValuesButtonPutsTheDefaultLayoutBack) {
    StartWith("[KeySet]\r\nGT=65\r\nMC=0\r\n");
    TfrmKeySet* dialog = Open();
    EXPECT_EQ(Text(kGT), "[A]");
    Press(Qt::Key_L, Qt::AltModifier);  // "初期値を読込(&L)"
    EXPECT_EQ(Text(kGT), "[Home]");
    EXPECT_EQ(Text(kMC), "[F9]");
    EXPECT_EQ(Stored("GT"), 36);
    EXPECT_EQ(Stored("MC"), 120);
    EXPECT_EQ(Stored("C2"), 0) << "every ident is written, the second C included";
    EXPECT_EQ(Stored("CA2"), 0);
    EXPECT_EQ(dialog->Message(), Sjis("セット1 のキー設定を初期値に戻しました。"));
}

TEST_F(KeySetTest, AReassignedKeyWorksInTheCalculatorAndShowsOnTheFace) {
    StartWith("[Value]\r\nKeyNaviOn=1\r\n");
    const QImage before = window_->Keys().Picture(kSeven);
    TfrmKeySet* dialog = Open();
    Walk(15);  // ... backspace, 7
    ASSERT_EQ(dialog->Selected(), kSeven);
    Press(Qt::Key_Return);
    Press(Qt::Key_Q);
    EXPECT_EQ(Text(kSeven), "[Q]");
    EXPECT_EQ(Stored("7"), 81);
    EXPECT_FALSE(SamePixels(window_->Keys().Picture(kSeven), before))
        << "the key navigation shows the new name at once";
    Press(Qt::Key_Escape);
    ASSERT_EQ(Dialog(), nullptr);
    Type(Qt::Key_Q);
    Type(Qt::Key_7);  // the old key does nothing now
    EXPECT_EQ(Shown(), "7");
}

TEST_F(KeySetTest, EnterIsAlwaysEqualsWhateverTheTableSays) {
    StartWith("[KeySet]\r\nPer=13\r\n");  // an edited file puts Enter on %
    Type(Qt::Key_5, Qt::KeypadModifier);
    Type(Qt::Key_Plus, Qt::KeypadModifier);
    Type(Qt::Key_3, Qt::KeypadModifier);
    Type(Qt::Key_Return);
    EXPECT_EQ(Shown(), "8");
    // The dialog will not take Enter either: it is the "=" key.
    TfrmKeySet* dialog = Open();
    Press(Qt::Key_Return);
    NextMessageBox refusal;
    Press(Qt::Key_Return);
    EXPECT_EQ(refusal.Text(), Sjis("!!! 登録不可キーです !!! [テンキー]"));
    EXPECT_TRUE(dialog->InputMode());
}

}  // namespace
}  // namespace pemu::ui::testing_support
