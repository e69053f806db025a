#pragma once
// Helpers for the dialogs' widget tests: the calculator started on given settings, a dialog
// opened from its menu item, and the next message box answered as a user would.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>

#include "main_window_fixture.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"

namespace pemu::ui::testing_support {

template <typename Window, shell::WindowCode kCode>
class DialogTest : public MainWindowTest {
  protected:
    // The calculator on a settings file with `settings` (Pemu.ini text).
    void StartWith(const std::string& settings) {
        std::filesystem::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << settings;
        MainWindowTest::StartWith(nullptr);
    }
    // The dialog opened from its menu item; it keeps the keyboard it was opened for, which
    // its mnemonics need.
    Window* OpenFrom(QAction* item) {
        item->trigger();
        if (Dialog()) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(Dialog()));
        }
        return Dialog();
    }
    Window* Dialog() const {
        return static_cast<Window*>(window_->Context().windows().Window(kCode));
    }
};

// Answers the next message box, as soon as it shows, by pressing a key in it or one of its
// buttons, and keeps what it said.
class NextMessageBox {
  public:
    explicit NextMessageBox(Qt::Key key) {
        Arm([key](QMessageBox* box) { QTest::keyClick(box, key); });
    }
    explicit NextMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok) {
        Arm([button](QMessageBox* box) {
            if (QAbstractButton* b = box->button(button)) b->click();
        });
    }
    bool Shown() const { return !title_.empty(); }
    // The text as CP932 bytes, line breaks as CR LF.
    std::string Text() const {
        std::string out;
        for (char c : text_) {
            if (c == '\n') out += '\r';
            out += c;
        }
        return out;
    }
    const std::string& Title() const { return title_; }

  private:
    template <typename Answer>
    void Arm(Answer answer) {
        QTimer::singleShot(0, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text_ = ToCp932(box->text());
            title_ = box->windowTitle().toStdString();
            answer(box);
        });
    }

    std::string text_;
    std::string title_;
};

}  // namespace pemu::ui::testing_support
