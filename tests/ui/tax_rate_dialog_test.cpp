// The tax rate dialog through its real widgets: the rate shown as a percentage, the four
// edge cases of an entry, the note on the tape and the rate the tax keys then use.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <fstream>

#include "core/key_codes.hpp"
#include "main_window_fixture.hpp"
#include "modal_dialogs.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/tax_rate_dialog.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

class TaxRateDialogTest : public MainWindowTest {
  protected:
    // From the settings menu, as the user opens it.
    TfrmZeiritu* OpenFromMenu() {
        window_->Menu().TaxConfig->trigger();
        QApplication::processEvents();
        return qobject_cast<TfrmZeiritu*>(
            window_->Context().windows().Window(WindowCode::kTaxRate));
    }
    QLineEdit* Field(TfrmZeiritu* dialog) { return dialog->findChild<QLineEdit*>("Zeiritu"); }
    QImage Message(TfrmZeiritu* dialog) {
        return dialog->findChild<QLabel*>("MessageArea")->pixmap().toImage();
    }
    // Replaces the field's text by typing and presses Enter in it.
    void Enter(TfrmZeiritu* dialog, const QString& text) {
        QLineEdit* field = Field(dialog);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
        QApplication::processEvents();
    }
    const std::string& Rate() { return window_->Calculator().State().taxRate; }
};

TEST_F(TaxRateDialogTest, ShowsTheRateAsAPercentage) {
    fs::create_directories(dataRoot_ / "PemuFiles/_sys");
    std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[Tax]\r\nZeiritu=0.055\r\n";
    Start(false);
    TfrmZeiritu* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "税率設定");
    EXPECT_EQ(Field(dialog)->text().toStdString(), "5.5");
    EXPECT_EQ(Field(dialog)->maxLength(), 10);
}

TEST_F(TaxRateDialogTest, EdgeCasesOfAnEntry) {
    Start();
    TfrmZeiritu* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Field(dialog)->text().toStdString(), "8");
    const QImage greeting = Message(dialog);

    struct Case {
        const char* typed;
        const char* message;  // of a message box; empty: none
        const char* field;    // afterwards
        const char* rate;     // afterwards
    };
    const Case cases[] = {
        {"8", "現在設定中の税率と同じです。", "8", "0.08"},
        {"8%", "税率の数値が正しくありません。", "8%", "0.08"},
        {"1.2.3", "税率の数値が正しくありません。", "1.2.3", "0.08"},
        {" 5 ", "", "5", "0.05"},
    };
    for (const Case& c : cases) {
        QString told;
        if (*c.message) AnswerMessageBox(QMessageBox::Ok, &told);
        Enter(dialog, QString::fromUtf8(c.typed));
        EXPECT_EQ(told.toStdString(), c.message) << c.typed;
        EXPECT_EQ(Field(dialog)->text().toStdString(), c.field) << c.typed;
        EXPECT_EQ(Rate(), c.rate) << c.typed;
        EXPECT_EQ(dialog->focusWidget(), Field(dialog)) << c.typed;
    }
    EXPECT_NE(Message(dialog), greeting) << "the change is told in the message area";
    EXPECT_EQ(shell::Read(session_->store(), shell::keys::kZeiritu), "0.05");
}

TEST_F(TaxRateDialogTest, TenPercentMakesHundredTaxIncludedShow110AndIsNotedOnTheTape) {
    Start();
    TfrmZeiritu* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    Enter(dialog, "10");
    EXPECT_EQ(Rate(), "0.1");
    EXPECT_EQ(shell::Read(session_->store(), shell::keys::kZeiritu), "0.1");
    dialog->close();
    QApplication::processEvents();
    ClickAll({core::kKeyDigit1, core::kKeyDigit0, core::kKeyDigit0, core::kKeyTaxIncluded});
    EXPECT_EQ(Shown(), "110");
    // The note waits for the next step, as every setting note does.
    EXPECT_EQ(window_->Context().tape().SettingNote(4), "TAX:10 >>");
    ClickAll({core::kKeyDigit1, core::kKeyAdd});
    const std::string tape = window_->Context().tape().Log().TapeText();
    EXPECT_NE(tape.find("TAX:10 >>"), std::string::npos) << platform::Cp932ToUtf8(tape);
}

}  // namespace
}  // namespace pemu::ui::testing_support
